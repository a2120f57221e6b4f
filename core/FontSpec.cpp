#include "core/FontSpec.h"

#include <array>
#include <charconv>
#include <limits>
#include <optional>

#include "core/TextFields.h"
#include "core/TextTableChoice.h"

namespace {

struct NamedCharset {
  std::string_view name;
  std::int32_t value;
};

constexpr std::array<NamedCharset, 19> kCharsets = {{
    {"ANSI_CHARSET", 0},      {"DEFAULT_CHARSET", 1},    {"SYMBOL_CHARSET", 2},
    {"MAC_CHARSET", 77},      {"SHIFTJIS_CHARSET", 128}, {"HANGEUL_CHARSET", 129},
    {"JOHAB_CHARSET", 130},   {"GB2312_CHARSET", 134},   {"CHINESEBIG5_CHARSET", 136},
    {"GREEK_CHARSET", 161},   {"TURKISH_CHARSET", 162},  {"VIETNAMESE_CHARSET", 163},
    {"HEBREW_CHARSET", 177},  {"ARABIC_CHARSET", 178},   {"BALTIC_CHARSET", 186},
    {"RUSSIAN_CHARSET", 204}, {"THAI_CHARSET", 222},     {"EASTEUROPE_CHARSET", 238},
    {"OEM_CHARSET", 255},
}};

struct NamedStyle {
  std::string_view name;
  std::uint8_t bit;
};

constexpr std::array<NamedStyle, 4> kStyles = {{
    {"fsBold", fontstyle::kBold},
    {"fsItalic", fontstyle::kItalic},
    {"fsUnderline", fontstyle::kUnderline},
    {"fsStrikeOut", fontstyle::kStrikeOut},
}};

constexpr std::string_view kJapaneseDefaultFace =
    "\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E";
constexpr std::string_view kWesternDefaultFace = "MS Sans Serif";

// a x b / c rounded half away from zero, as the system's MulDiv does.
std::int64_t MulDiv(std::int64_t a, std::int64_t b, std::int64_t c) {
  const std::int64_t p = a * b;
  const std::int64_t q = p / c;
  const std::int64_t r = p % c;
  if (2 * (r < 0 ? -r : r) >= c) return p < 0 ? q - 1 : q + 1;
  return q;
}

// A whole field as a decimal number (optional sign); none for anything else.
std::optional<std::int64_t> ReadInteger(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  if (value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max())
    return std::nullopt;
  return value;
}

// The new value of a height or size field: "%N" scales the current value
// (toward zero, 0 becomes 1), a number replaces it; none (no change) for 0,
// a malformed number or a result outside 32 bits.
std::optional<std::int32_t> ScaledValue(std::string_view field, std::int32_t current) {
  std::int64_t result = 0;
  if (!field.empty() && field.front() == '%') {
    const std::optional<std::int64_t> percent = ReadInteger(field.substr(1));
    if (!percent) return std::nullopt;
    result = static_cast<std::int64_t>(current) * *percent / 100;
    if (result == 0) result = 1;
  } else {
    const std::optional<std::int64_t> number = ReadInteger(field);
    if (!number) return std::nullopt;
    result = *number;
  }
  if (result == 0 || result < std::numeric_limits<std::int32_t>::min() ||
      result > std::numeric_limits<std::int32_t>::max())
    return std::nullopt;
  return static_cast<std::int32_t>(result);
}

void ApplyStyles(std::string_view field, std::uint8_t& styles) {
  bool cleared = false;
  for (int i = 0;; ++i) {
    const std::optional<std::string> name = core::GetTextField(field, '+', i);
    if (!name) break;
    const std::string_view trimmed = core::TrimBlanksView(*name);
    for (const NamedStyle& s : kStyles) {
      if (s.name != trimmed) continue;
      if (!cleared) styles = 0;
      cleared = true;
      styles |= s.bit;
    }
  }
}

void ApplyPitch(std::string_view field, FontPitch& pitch) {
  if (field == "fpDefault") pitch = FontPitch::Default;
  if (field == "fpFixed") pitch = FontPitch::Fixed;
  if (field == "fpVariable") pitch = FontPitch::Variable;
}

}  // namespace

std::int32_t FontSpec::PointSize() const {
  return static_cast<std::int32_t>(MulDiv(-static_cast<std::int64_t>(height), 72, 96));
}

void FontSpec::SetPointSize(std::int32_t size) {
  height = static_cast<std::int32_t>(-MulDiv(size, 96, 72));
}

std::string SystemDefaultFace() {
  return std::string(IsSystemJapanese() ? kJapaneseDefaultFace : kWesternDefaultFace);
}

FontSpec DefaultFontSpec() {
  FontSpec font;
  font.face = SystemDefaultFace();
  return font;
}

std::int32_t CharsetByName(std::string_view name) {
  for (const NamedCharset& c : kCharsets)
    if (c.name == name) return c.value;
  return -1;
}

void ParseFontSpec(std::string_view spec, FontSpec& font) {
  for (int i = 0; i < 7; ++i) {
    const std::optional<std::string> raw = core::GetTextField(spec, ',', i);
    if (!raw) break;
    const std::string_view field = core::TrimBlanksView(*raw);
    switch (i) {
      case 0:
        if (const std::int32_t value = CharsetByName(field); value >= 0) font.charset = value;
        break;
      case 1: font.face = field.empty() ? SystemDefaultFace() : std::string(field); break;
      case 2: ColorNameToColor(field, font.color); break;
      case 3:
        if (const auto height = ScaledValue(field, font.height)) font.height = *height;
        break;
      case 4:
        if (const auto size = ScaledValue(field, font.PointSize())) font.SetPointSize(*size);
        break;
      case 5: ApplyStyles(field, font.styles); break;
      case 6: ApplyPitch(field, font.pitch); break;
    }
  }
}
