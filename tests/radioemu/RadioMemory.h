#pragma once
// What the emulated radio holds: its memory layout per revision and the seed
// contents a test can predict byte for byte.
//
// The numbers here are the radio's own, kept apart from the program's layout
// tables on purpose: a test that reads the radio through the program and
// compares with these catches a wrong table on either side.
#include <cstdint>
#include <string_view>
#include <vector>

namespace radioemu {

// Every revision's memory buffer.
inline constexpr std::int64_t kMemorySize = 0x40000;

// The 16 characters of the format signature (no terminator on the radio).
inline constexpr std::string_view kFormatSignature = "QuorCloneFormat3";

struct RadioLayout {
  int revision;
  std::int64_t lastCloneAddress;  // the clone range is 0 .. this, inclusive
  std::int64_t revisionByte;      // the byte that holds the layout revision
  std::int64_t signature;         // the 16-byte format signature
};

// Revisions 1..3; anything else is taken as 3.
RadioLayout LayoutOf(int revision);

// The byte the seed holds at an address, before the revision byte and the
// signature are laid over it. Every byte value occurs in every 256 bytes, so
// the wire's escaped values (image bytes 0x7A-0x7F) occur in every frame
// range longer than that.
std::uint8_t SeedByte(std::int64_t address);

// A full memory of kMemorySize bytes: SeedByte everywhere, the revision byte
// and the format signature at the revision's places.
std::vector<std::uint8_t> SeedMemory(int revision);

}  // namespace radioemu
