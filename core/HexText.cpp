#include "core/HexText.h"

#include <algorithm>

namespace core {

std::string HexBytes(std::span<const std::uint8_t> bytes) {
  std::string text(2 * bytes.size(), '\0');
  WriteHexBytes(bytes, text.data());
  return text;
}

char* WriteHexNumber(std::uint64_t value, int minDigits, char* out) {
  int digits = std::clamp(minDigits, 1, 16);
  while (digits < 16 && (value >> (4 * digits)) != 0) ++digits;
  for (int i = digits - 1; i >= 0; --i) {
    out[i] = hexdetail::kUpper[value & 0xF];
    value >>= 4;
  }
  return out + digits;
}

std::string HexNumber(std::uint64_t value, int minDigits) {
  char buf[16];
  return std::string(buf, WriteHexNumber(value, minDigits, buf));
}

int HexTextToBytes(std::span<std::uint8_t> out, std::string_view text, int count) {
  if (count < 0) return -1;
  const auto pairs = static_cast<std::size_t>(count) / 2;
  const std::size_t fit = std::min({pairs, out.size(), text.size() / 2});
  if (!ReadHexBytes(text.substr(0, 2 * fit), out.first(fit))) return -1;
  return fit == pairs ? 0 : -1;
}

}  // namespace core
