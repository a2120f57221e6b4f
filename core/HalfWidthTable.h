#pragma once
// The full-width to half-width table of code page 932 pairs, compiled from
// resources/fullwidth/halfwidth.txt (sorted by pair).
#include <cstdint>
#include <span>

namespace core {

struct HalfWidthEntry {
  std::uint16_t pair;   // lead byte << 8 | trail byte
  std::uint8_t length;  // 1 or 2 result bytes
  std::uint8_t bytes[2];
};

std::span<const HalfWidthEntry> HalfWidthTable();

}  // namespace core
