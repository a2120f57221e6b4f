#include "core/SjisBytes.h"

#include <algorithm>

namespace core {

SjisByteKind GetSjisByteKind(std::string_view text, std::size_t pos) {
  if (pos >= text.size()) return kSjisSingle;
  std::size_t i = 0;
  while (true) {
    const std::size_t len = SjisCharLength(text, i);
    if (pos < i + len) {
      if (pos > i) return kSjisTrail;
      return IsSjisLeadByte(ByteAt(text, i)) ? kSjisLead : kSjisSingle;
    }
    i += len;
  }
}

std::string_view CutSjisText(std::string_view text, std::size_t n) {
  if (text.size() <= n) return text;
  if (n > 0 && GetSjisByteKind(text, n - 1) == kSjisLead) --n;
  return text.substr(0, n);
}

bool CopyToBlankField(std::span<std::uint8_t> field, std::string_view text) {
  const std::string_view kept = CutSjisText(text, field.size());
  std::fill(field.begin(), field.end(), std::uint8_t{' '});
  std::copy(kept.begin(), kept.end(), field.begin());
  return kept.size() < text.size();
}

}  // namespace core
