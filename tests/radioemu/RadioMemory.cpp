#include "RadioMemory.h"

#include <algorithm>

namespace radioemu {

RadioLayout LayoutOf(int revision) {
  switch (revision) {
    case 1: return {1, 0x3FB3F, 0x24280, 0x24290};
    case 2: return {2, 0x242BF, 0x24280, 0x242B0};
    default: return {3, 0x2A37F, 0x2A340, 0x2A370};
  }
}

std::uint8_t SeedByte(std::int64_t address) {
  // The low byte walks all 256 values; the higher bytes shift the pattern so
  // that no two 256-byte stretches of a 64 KB page are alike.
  const auto a = static_cast<std::uint64_t>(address);
  return static_cast<std::uint8_t>(a + 37 * ((a >> 8) & 0xFF) + 101 * (a >> 16));
}

std::vector<std::uint8_t> SeedMemory(int revision) {
  const RadioLayout layout = LayoutOf(revision);
  std::vector<std::uint8_t> memory(static_cast<size_t>(kMemorySize));
  for (std::int64_t a = 0; a < kMemorySize; ++a) memory[static_cast<size_t>(a)] = SeedByte(a);
  memory[static_cast<size_t>(layout.revisionByte)] = static_cast<std::uint8_t>(layout.revision);
  std::copy(kFormatSignature.begin(), kFormatSignature.end(),
            memory.begin() + static_cast<std::ptrdiff_t>(layout.signature));
  return memory;
}

}  // namespace radioemu
