#pragma once
// Packed BCD and bit arrays of the radio's memory image.
//
// Reading never fails: a byte with a nibble above 9 still reads as
// high x 10 + low, so callers that care check IsValidBcd / IsBcdBytes first.
// Writing never stores a nibble above 9: a value too large for its bytes keeps
// its low decimal digits, and a negative value writes zeros.
// Indexes outside the given span read as 0 and are not written.
#include <cstdint>
#include <span>

namespace core {

bool IsValidBcd(std::uint8_t byte);
// Every byte holds two digits 0..9 (true for an empty span).
bool IsBcdBytes(std::span<const std::uint8_t> bytes);

// Digit n of packed BCD: byte n / 2, the high nibble for even n.
int GetNibble(std::span<const std::uint8_t> bytes, int n);
void SetNibble(std::span<std::uint8_t> bytes, int n, int digit);

// Most significant byte first; 0 for an empty span. Up to 9 bytes fit.
std::int64_t BcdToInt(std::span<const std::uint8_t> bytes);
// Zero-fills the bytes and writes the value right-aligned, two digits a byte.
void IntToBcd(std::span<std::uint8_t> bytes, std::int64_t value);

int BcdToBin(std::uint8_t byte);
std::uint8_t BinToBcd(int value);  // 0..99
// Two bytes: the hundreds pair, then the units pair (0..9999).
void BcdPairFromInt(std::span<std::uint8_t> bytes, int value);

// Bit n of a byte array: byte n / 8, mask 1 << (n mod 8).
bool GetBit(std::span<const std::uint8_t> bytes, int n);
void SetBit(std::span<std::uint8_t> bytes, int n, bool on);

}  // namespace core
