#include "cells/SixFlags.h"

namespace {

// The bit of each flag.
constexpr std::array<std::uint8_t, 6> kBits = {0x10, 0x08, 0x04, 0x02, 0x01, 0x20};

}  // namespace

std::uint8_t PackSixFlags(const SixFlags& flags) {
  std::uint8_t packed = 0;
  for (std::size_t k = 0; k < kBits.size(); ++k)
    if (flags[k] != 0) packed |= kBits[k];
  return packed;
}

SixFlags UnpackSixFlags(std::uint8_t packed) {
  SixFlags flags{};
  for (std::size_t k = 0; k < kBits.size(); ++k) flags[k] = (packed & kBits[k]) ? 1 : 0;
  return flags;
}
