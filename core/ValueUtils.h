#pragma once
// Small value utilities shared by the value converters and the CSV import
// checks: clamping, character stripping, bit reversal and byte look-up.
// Pure functions over their arguments; nothing here reads settings, the
// locale or the image.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace core {

// Raises the value to the minimum or lowers it to the maximum; true when it
// changed. With the minimum above the maximum the minimum wins.
bool ClampInt(std::int32_t minimum, std::int32_t maximum, std::int32_t& value);

// The nearest multiple of 10 (halves up), limited to 300..3000.
std::int32_t ClampStep10(std::int32_t value);

// Removes, in place, every character that is neither a digit nor in the set.
void StripChars(std::string& text, std::string_view keep);

// Reverses the order of the low n bits (at most 32); the bits above them are
// dropped. Returns n, or 0 with the value 0 when n is below 1.
int ReverseBits(std::uint32_t& value, int n);

// Position of the byte in the table; 255 when absent.
int FindByteIndex(std::uint8_t byte, std::span<const std::uint8_t> table);

// Makes the text empty.
inline void ClearCString(std::string& text) { text.clear(); }

// An import field check that accepts everything: converts to a check of any
// signature ("int (*check)(datCh&, const char*) = core::NoCheck;").
template <class... Args>
int NoCheck(Args...) {
  return 0;
}

}  // namespace core
