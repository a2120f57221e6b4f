#include "sheet/CellTextWrap.h"

#include "core/SjisBytes.h"

std::string WrapCellText(const core::LineMeasurer& canvas, std::string_view text, int limit) {
  std::string out;
  out.reserve(text.size() + 8);
  std::size_t lineStart = 0;  // in out
  std::string candidate;
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == '\n') {
      out += '\n';
      lineStart = out.size();
      ++i;
      continue;
    }
    const std::size_t n = core::SjisCharLength(text, i);
    const std::string_view ch = text.substr(i, n);
    if (out.size() > lineStart) {
      candidate.assign(out, lineStart, std::string::npos);
      candidate.append(ch);
      if (canvas.MeasureLine(candidate).width > limit) {
        out += '\n';
        lineStart = out.size();
      }
    }
    out.append(ch);
    i += n;
  }
  return out;
}
