#pragma once
// Fixed-count hexadecimal text to bytes, for the data-file reader's records
// (up to 510 digits a record, so there is no limit on the count).
#include <cstdint>
#include <span>
#include <string_view>

namespace core {

// 0..15 for 0-9, a-f, A-F; -1 for any other character.
int HexDigitValue(char c);

// Converts exactly count hex digits into count / 2 bytes (the first digit of
// a pair is the high nibble; an odd last digit is not read). Returns 0, or -1
// at the first character that is not a hex digit, at the end of the text, or
// where the next byte would not fit the span; bytes converted before it stay
// written. A negative count gives -1.
int HexTextToBytes(std::span<std::uint8_t> out, std::string_view text, int count);

}  // namespace core
