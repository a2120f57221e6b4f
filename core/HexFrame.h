#pragma once
// Command frames are written as hexadecimal text templates: placeholders are
// formatted first ("FEFE EE EF E0 %04X %04X FD" with two words), then every
// hex digit pair becomes a byte. Blanks and punctuation are only for reading.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

#include "core/cmcBuff.h"

// Replaces the contents of `out` with the bytes of the hex digits in `text`.
// Characters that are not hex digits are skipped; a last unpaired digit
// becomes the high nibble of a final byte (low nibble 0). A text without hex
// digits leaves `out` empty.
void HexTextToBuff(std::string_view text, cmcBuff& out);
cmcBuff HexTextToBuff(std::string_view text);

// One argument of a frame template: an integer for %X/%x/%d/%u/%c, a text
// for %s.
using FrameArg = std::variant<std::int64_t, std::string_view>;

// Formats a frame template the way printf would for the conversions frames
// use: %[-][0][width](X|x|d|u|s|c) and %%. %X, %x and %u print the value as
// an unsigned 32-bit number, as the 32-bit printf did; callers mask words to
// 16 bits themselves. The builder is lenient: a missing argument prints as
// 0 or an empty text, an argument of the other kind is converted (a text
// for %X reads as 0, a number for %s prints in decimal), and an unknown
// conversion is copied as it stands.
std::string FormatFrameTemplate(std::string_view tmpl, std::initializer_list<FrameArg> args);

// FormatFrameTemplate followed by HexTextToBuff into `out` (contents replaced).
void BuildFrame(cmcBuff& out, std::string_view tmpl, std::initializer_list<FrameArg> args = {});
cmcBuff BuildFrame(std::string_view tmpl, std::initializer_list<FrameArg> args = {});
