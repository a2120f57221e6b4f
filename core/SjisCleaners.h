#pragma once
// Cleaning of fixed-length text fields before they reach the radio, which
// accepts printable ASCII and half-width katakana only.
//
// Each cleaner has a form on a text and a form on a byte field. Each replaced
// byte becomes the replacement byte; the replacement 0 removes the bytes
// instead and pads the end with blanks, so the length never changes. Each
// returns true when anything was replaced.
//
// A character is replaced whole, never half of it: pairs are stepped over
// whole, and a byte 0xF0..0xFC (outside the lead class, yet code page 932
// encodes characters such as "ⅰ" and "﨑" with it) is replaced together with
// the trail byte after it, so its second byte cannot survive as "@" or "ｱ".
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace core {

// Bytes that are neither printable ASCII, half-width katakana nor part of a
// lead byte followed by a trail byte. A lead byte before an invalid second
// byte is replaced with it; a lead byte at the end alone.
bool ReplaceInvalidSjis(std::string& text, std::uint8_t replacement);
bool ReplaceInvalidSjisBuf(std::span<std::uint8_t> field, std::uint8_t replacement);

// Both bytes of every double-byte character (a lead byte at the end alone).
bool ReplaceDoubleByte(std::string& text, std::uint8_t replacement);
bool ReplaceDoubleByteBuf(std::span<std::uint8_t> field, std::uint8_t replacement);

// Every half-width katakana character.
bool ReplaceHalfKana(std::string& text, std::uint8_t replacement);
bool ReplaceHalfKanaBuf(std::span<std::uint8_t> field, std::uint8_t replacement);

// Every character that is neither printable ASCII nor half-width katakana.
bool ReplaceNonAscii(std::string& text, std::uint8_t replacement);
bool ReplaceNonAsciiBuf(std::span<std::uint8_t> field, std::uint8_t replacement);

// The removing forms without the padding: the text with every invalid,
// respectively every double-byte, character left out.
std::string WithoutInvalidSjis(std::string_view text);
std::string WithoutDoubleByte(std::string_view text);

}  // namespace core
