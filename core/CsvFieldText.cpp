#include "core/CsvFieldText.h"

#include "core/SjisBytes.h"

namespace core {

bool CleanCsvText(std::string& text) {
  bool changed = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::uint8_t b = ByteAt(text, i);
    if (IsSjisLeadByte(b)) {
      if (i + 1 < text.size() && IsSjisTrailByte(ByteAt(text, i + 1))) {
        ++i;  // a whole double-byte character
        continue;
      }
      text[i] = ' ';
      changed = true;
      continue;
    }
    if (b < 0x20 || b == 0x7F || b == ',' || b == ';') {
      text[i] = ' ';
      changed = true;
    }
  }
  return changed;
}

std::string CleanedCsvText(std::string_view text) {
  std::string out(text);
  CleanCsvText(out);
  return out;
}

}  // namespace core
