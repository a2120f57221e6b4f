#pragma once
// Byte classes of code page 932 texts and the position kind of a byte.
//
// The radio's text fields hold printable ASCII and half-width katakana only;
// double-byte characters reach the program from the keyboard and from files.
// A trail byte can look like an ASCII character ("\", "@", "|", a blank after
// a lead byte...), so every scan walks from the start of the text and steps
// over pairs whole; nothing ever reads past the end of a text that ends in a
// lead byte.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace core {

inline bool InRange(int v, int lo, int hi) { return lo <= v && v <= hi; }

inline bool IsAsciiPrintable(std::uint8_t b) { return b >= 0x20 && b <= 0x7E; }
inline bool IsHalfKana(std::uint8_t b) { return b >= 0xA1 && b <= 0xDF; }
inline bool IsSjisLeadByte(std::uint8_t b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEF);
}
inline bool IsSjisTrailByte(std::uint8_t b) {
  return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

inline std::uint8_t ByteAt(std::string_view text, std::size_t i) {
  return static_cast<std::uint8_t>(text[i]);
}

enum SjisByteKind : int { kSjisSingle = 0, kSjisLead = 1, kSjisTrail = 2 };

// Bytes taken by the character at i, which must be a character start: 2 for a
// lead byte with a byte after it (whatever that byte is), else 1.
inline std::size_t SjisCharLength(std::string_view text, std::size_t i) {
  return IsSjisLeadByte(ByteAt(text, i)) && i + 1 < text.size() ? 2 : 1;
}

// Kind of the byte at pos, walking from the start: a byte after a lead byte is
// a trail byte; otherwise a byte of the lead class is a lead byte (also the
// last byte of the text), any other byte a single byte. Positions at or past
// the end are single.
SjisByteKind GetSjisByteKind(std::string_view text, std::size_t pos);

// Fixed fields as texts, for the scans above.
inline std::string_view AsText(std::span<const std::uint8_t> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// The first n bytes of the text, one byte fewer when the n-th would be the
// lead byte of a double-byte character: never half a character.
std::string_view CutSjisText(std::string_view text, std::size_t n);

// Fills the field with blanks and copies the text into it, cut as above.
// True when the text did not fit whole.
bool CopyToBlankField(std::span<std::uint8_t> field, std::string_view text);

}  // namespace core
