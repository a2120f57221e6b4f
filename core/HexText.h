#pragma once
// Hexadecimal text and bytes: the one strict reader and the one upper-case
// writer that every hex conversion of the program goes through (data files,
// digest keys, frame templates, default-image tables).
//
// The reader takes the digits 0-9, a-f and A-F in pairs, the first of a pair
// as the high nibble. It never skips a blank, a sign or a prefix, and never
// reads past the characters it was given. The writer writes upper-case
// digits only. Neither allocates unless it returns a string.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace core {

namespace hexdetail {

struct DigitTable {
  std::int8_t value[256];
  constexpr DigitTable() : value() {
    for (int i = 0; i < 256; ++i) value[i] = -1;
    for (int i = 0; i < 10; ++i) value['0' + i] = static_cast<std::int8_t>(i);
    for (int i = 0; i < 6; ++i) {
      value['A' + i] = static_cast<std::int8_t>(10 + i);
      value['a' + i] = static_cast<std::int8_t>(10 + i);
    }
  }
};
inline constexpr DigitTable kDigits;
inline constexpr char kUpper[] = "0123456789ABCDEF";

// The two digits of every byte value, so that a byte is written in one step.
struct PairTable {
  char digits[512];
  constexpr PairTable() : digits() {
    for (int i = 0; i < 256; ++i) {
      digits[2 * i] = kUpper[i >> 4];
      digits[2 * i + 1] = kUpper[i & 0xF];
    }
  }
};
inline constexpr PairTable kPairs;

}  // namespace hexdetail

// 0..15 for 0-9, a-f, A-F; -1 for any other character.
constexpr int HexDigitValue(char c) {
  return hexdetail::kDigits.value[static_cast<unsigned char>(c)];
}

// Reads out.size() bytes from the first 2 * out.size() characters of text.
// False when one of those characters is not a hex digit or the text ends
// first; the bytes read before that are written.
inline bool ReadHexBytes(std::string_view text, std::span<std::uint8_t> out) {
  const std::size_t n = std::min(out.size(), text.size() / 2);
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  for (std::size_t i = 0; i < n; ++i) {
    const int hi = hexdetail::kDigits.value[p[2 * i]];
    const int lo = hexdetail::kDigits.value[p[2 * i + 1]];
    if ((hi | lo) < 0) return false;
    out[i] = static_cast<std::uint8_t>(hi << 4 | lo);
  }
  return n == out.size();
}

// Writes 2 * bytes.size() upper-case digits at out; returns their end.
inline char* WriteHexBytes(std::span<const std::uint8_t> bytes, char* out) {
#if defined(__SSE2__)
  // 16 bytes at a time: nibbles split, interleaved, and made digits.
  const __m128i low = _mm_set1_epi8(0x0F);
  const __m128i nine = _mm_set1_epi8(9);
  const __m128i zero = _mm_set1_epi8('0');
  const __m128i letters = _mm_set1_epi8('A' - '0' - 10);
  auto digits = [&](__m128i nibbles) {
    const __m128i above = _mm_and_si128(_mm_cmpgt_epi8(nibbles, nine), letters);
    return _mm_add_epi8(_mm_add_epi8(nibbles, zero), above);
  };
  while (bytes.size() >= 16) {
    const __m128i in = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes.data()));
    const __m128i hi = _mm_and_si128(_mm_srli_epi16(in, 4), low);
    const __m128i lo = _mm_and_si128(in, low);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), digits(_mm_unpacklo_epi8(hi, lo)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16), digits(_mm_unpackhi_epi8(hi, lo)));
    out += 32;
    bytes = bytes.subspan(16);
  }
#endif
  for (const std::uint8_t b : bytes) {
    std::memcpy(out, hexdetail::kPairs.digits + 2 * b, 2);
    out += 2;
  }
  return out;
}
std::string HexBytes(std::span<const std::uint8_t> bytes);

// The value in upper-case digits: at least minDigits (zeros in front, at
// most 16), more when the value needs them. out must hold 16 characters;
// returns the end of what was written.
char* WriteHexNumber(std::uint64_t value, int minDigits, char* out);
std::string HexNumber(std::uint64_t value, int minDigits = 1);

// Converts exactly count hex digits into count / 2 bytes (an odd last digit
// is not read; there is no limit on the count). Returns 0, or -1 at the
// first character that is not a hex digit, at the end of the text, or where
// the next byte would not fit the span; bytes converted before it stay
// written. A negative count gives -1.
int HexTextToBytes(std::span<std::uint8_t> out, std::string_view text, int count);

}  // namespace core
