#include "core/ValueUtils.h"

namespace core {

bool ClampInt(std::int32_t minimum, std::int32_t maximum, std::int32_t& value) {
  const std::int32_t old = value;
  if (value > maximum) value = maximum;
  if (value < minimum) value = minimum;
  return value != old;
}

std::int32_t ClampStep10(std::int32_t value) {
  // Widened, so that the rounding of values near the int limits cannot wrap.
  std::int64_t v = value;
  const std::int64_t rest = ((v % 10) + 10) % 10;
  v = v - rest + (rest >= 5 ? 10 : 0);
  if (v < 300) v = 300;
  if (v > 3000) v = 3000;
  return static_cast<std::int32_t>(v);
}

void StripChars(std::string& text, std::string_view keep) {
  std::string kept;
  kept.reserve(text.size());
  for (char c : text) {
    if ((c >= '0' && c <= '9') || keep.find(c) != std::string_view::npos) kept.push_back(c);
  }
  text = std::move(kept);
}

int ReverseBits(std::uint32_t& value, int n) {
  if (n < 1) {
    value = 0;
    return 0;
  }
  if (n > 32) n = 32;
  std::uint32_t in = value;
  std::uint32_t out = 0;
  for (int i = 0; i < n; ++i) {
    out = (out << 1) | (in & 1u);
    in >>= 1;
  }
  value = out;
  return n;
}

int FindByteIndex(std::uint8_t byte, std::span<const std::uint8_t> table) {
  for (std::size_t i = 0; i < table.size() && i < 255; ++i) {
    if (table[i] == byte) return static_cast<int>(i);
  }
  return 255;
}

}  // namespace core
