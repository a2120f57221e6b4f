#pragma once
// Full-width to half-width folding of code page 932 texts for the radio's
// fields: invalid bytes are removed, full-width ASCII, the ideographic space,
// kana (hiragana folded to katakana, voiced marks split off) and the CJK
// punctuation with a half-width form become single bytes, and every
// double-byte character left is removed. The result is never longer than
// the input.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace core {

// The folded text at its own length: no blanks are added, and blanks that
// were in the text stay.
std::string HalfWidthText(std::string_view text);
// In place; true when the text changed.
bool ToHalfWidth(std::string& text);
// The field keeps its length: the folded text, then blanks. True when the
// field changed.
bool ToHalfWidthBuf(std::span<std::uint8_t> field);

}  // namespace core
