#pragma once
// A font as the cell markup describes it, without Qt: character set, face
// name (code page 932 bytes), colour, height in pixels, styles and pitch.
// A negative height is the character height, a positive one the cell height
// (line height); the point size is not stored: it reads as
// -height x 72 / 96, rounded, and setting it sets the height (96 pixels an
// inch).
//
// ParseFontSpec applies a comma-separated font spec ("SHIFTJIS_CHARSET,,
// clRed,%120,,fsBold+fsItalic,") field by field to a font. Unknown names and
// malformed numbers change nothing; nothing in a spec is ever fatal. Turning
// a FontSpec into a QFont is the drawing side's business (sheet/).
#include <cstdint>
#include <string>
#include <string_view>

#include "core/ColorNames.h"

namespace fontstyle {
inline constexpr std::uint8_t kBold = 1;
inline constexpr std::uint8_t kItalic = 2;
inline constexpr std::uint8_t kUnderline = 4;
inline constexpr std::uint8_t kStrikeOut = 8;
}  // namespace fontstyle

enum class FontPitch : std::uint8_t { Default, Fixed, Variable };

namespace charset {
inline constexpr std::int32_t kAnsi = 0;
inline constexpr std::int32_t kDefault = 1;
inline constexpr std::int32_t kShiftJis = 128;
}  // namespace charset

struct FontSpec {
  std::int32_t charset = charset::kDefault;
  std::string face;  // code page 932 bytes
  std::uint32_t color = color::kWindowText;
  std::int32_t height = -11;
  std::uint8_t styles = 0;  // fontstyle:: bits
  FontPitch pitch = FontPitch::Default;

  // -height x 72 / 96, rounded half away from zero.
  std::int32_t PointSize() const;
  // height := -(size x 96 / 72), rounded half away from zero.
  void SetPointSize(std::int32_t size);

  bool operator==(const FontSpec&) const = default;
};

// The system's default face: "ＭＳ Ｐゴシック" (code page 932 bytes
// 82 6C 82 72 20 82 6F 83 53 83 56 83 62 83 4E) when the system's language is
// Japanese, else "MS Sans Serif".
std::string SystemDefaultFace();

// The font of a cell when no cell of its chain has one: DEFAULT_CHARSET, the
// system's default face, clWindowText, height -11, no style, default pitch.
FontSpec DefaultFontSpec();

// Applies up to seven fields: character set, face, colour, height, point
// size, styles, pitch. A field past the last comma is absent and changes
// nothing; leading and trailing blanks of a field are skipped.
//  - character set: one of the 19 "..._CHARSET" names;
//  - face: first the system's default face, then the field's text when it is
//    not empty;
//  - colour: a colour name;
//  - height and size: "%N" scales the current value by N / 100 (toward zero;
//    a result of 0 becomes 1), a decimal number replaces it, 0 keeps it;
//  - styles: "fsBold", "fsItalic", "fsUnderline", "fsStrikeOut" joined by
//    "+"; the first known name clears the old styles, unknown names are
//    skipped, no known name keeps them;
//  - pitch: "fpDefault", "fpFixed" or "fpVariable".
void ParseFontSpec(std::string_view spec, FontSpec& font);

// The character-set number of a "..._CHARSET" name; -1 when unknown.
std::int32_t CharsetByName(std::string_view name);
