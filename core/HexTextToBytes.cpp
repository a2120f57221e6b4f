#include "core/HexTextToBytes.h"

namespace core {

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

int HexTextToBytes(std::span<std::uint8_t> out, std::string_view text, int count) {
  if (count < 0) return -1;
  const auto pairs = static_cast<std::size_t>(count) / 2;
  for (std::size_t k = 0; k < pairs; ++k) {
    if (k >= out.size() || 2 * k + 1 >= text.size()) return -1;
    const int hi = HexDigitValue(text[2 * k]);
    const int lo = HexDigitValue(text[2 * k + 1]);
    if (hi < 0 || lo < 0) return -1;
    out[k] = static_cast<std::uint8_t>(hi << 4 | lo);
  }
  return 0;
}

}  // namespace core
