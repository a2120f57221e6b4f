#include "core/ColorNames.h"

#include <array>

#include "core/cmcHash.h"

namespace {

struct NamedColor {
  const char* name;
  std::uint32_t value;
};

constexpr std::array<NamedColor, 38> kColors = {{
    {"clAqua", color::kAqua},
    {"clBlack", color::kBlack},
    {"clBlue", color::kBlue},
    {"clDkGray", 0x808080},
    {"clFuchsia", color::kFuchsia},
    {"clGray", color::kGray},
    {"clGreen", color::kGreen},
    {"clLime", color::kLime},
    {"clLtGray", 0xC0C0C0},
    {"clMaroon", color::kMaroon},
    {"clNavy", color::kNavy},
    {"clOlive", color::kOlive},
    {"clPurple", color::kPurple},
    {"clRed", color::kRed},
    {"clSilver", color::kSilver},
    {"clTeal", color::kTeal},
    {"clWhite", color::kWhite},
    {"clYellow", color::kYellow},
    {"clBackground", 0xFF000001},
    {"clActiveCaption", 0xFF000002},
    {"clInactiveCaption", 0xFF000003},
    {"clMenu", color::kMenu},
    {"clWindow", color::kWindow},
    {"clWindowFrame", 0xFF000006},
    {"clMenuText", 0xFF000007},
    {"clWindowText", color::kWindowText},
    {"clCaptionText", 0xFF000009},
    {"clActiveBorder", 0xFF00000A},
    {"clInactiveBorder", 0xFF00000B},
    {"clAppWorkSpace", 0xFF00000C},
    {"clHighlight", color::kHighlight},
    {"clHightlightText", color::kHighlightText},
    {"clBtnFace", color::kBtnFace},
    {"clBtnShadow", 0xFF000010},
    {"clGrayText", color::kGrayText},
    {"clBtnText", 0xFF000012},
    {"clInactiveCaptionText", 0xFF000013},
    {"clBtnHighlight", 0xFF000014},
}};

struct ColorTable {
  ColorTable() {
    for (const NamedColor& c : kColors) table.Insert(c.name, static_cast<std::int32_t>(c.value));
  }
  cmcHash table{101};
};

}  // namespace

int ColorNameToColor(std::string_view name, std::uint32_t& value) {
  static const ColorTable colors;
  const auto* node = colors.table.Find(name);
  if (!node) return 1;
  value = static_cast<std::uint32_t>(node->value);
  return 0;
}
