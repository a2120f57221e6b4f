#include "sheet/QtFontColor.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <array>
#include <string_view>

#include "platform/Cp932.h"

namespace {

using Group = QPalette::ColorGroup;
using Role = QPalette::ColorRole;

// System colour index -> palette entry.
constexpr std::array<SystemColorRole, 21> kSystemRoles = {{
    {Group::Active, Role::Button},             // 0 scroll bar
    {Group::Active, Role::Window},             // 1 clBackground (desktop)
    {Group::Active, Role::Highlight},          // 2 clActiveCaption
    {Group::Inactive, Role::Highlight},        // 3 clInactiveCaption
    {Group::Active, Role::Window},             // 4 clMenu
    {Group::Active, Role::Base},               // 5 clWindow
    {Group::Active, Role::Shadow},             // 6 clWindowFrame
    {Group::Active, Role::WindowText},         // 7 clMenuText
    {Group::Active, Role::Text},               // 8 clWindowText
    {Group::Active, Role::HighlightedText},    // 9 clCaptionText
    {Group::Active, Role::Window},             // 10 clActiveBorder
    {Group::Inactive, Role::Window},           // 11 clInactiveBorder
    {Group::Active, Role::Dark},               // 12 clAppWorkSpace
    {Group::Active, Role::Highlight},          // 13 clHighlight
    {Group::Active, Role::HighlightedText},    // 14 clHightlightText
    {Group::Active, Role::Button},             // 15 clBtnFace
    {Group::Active, Role::Dark},               // 16 clBtnShadow
    {Group::Disabled, Role::Text},             // 17 clGrayText
    {Group::Active, Role::ButtonText},         // 18 clBtnText
    {Group::Inactive, Role::HighlightedText},  // 19 clInactiveCaptionText
    {Group::Active, Role::Light},              // 20 clBtnHighlight
}};

struct FaceSubstitute {
  std::string_view face;  // code page 932 bytes
  const char* family;
};

constexpr std::array<FaceSubstitute, 5> kSubstitutes = {{
    {"MS Sans Serif", "DejaVu Sans"},
    {"Arial", "DejaVu Sans"},
    // "ＭＳ Ｐゴシック", "ＭＳ ゴシック", "MS UI Gothic"
    {"\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E", "IPAPGothic"},
    {"\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E", "IPAGothic"},
    {"MS UI Gothic", "IPAPGothic"},
}};

}  // namespace

SystemColorRole SystemColorToRole(int index) {
  if (index < 0 || index >= static_cast<int>(kSystemRoles.size()))
    return {Group::Active, Role::Text};
  return kSystemRoles[static_cast<std::size_t>(index)];
}

QColor ToQColor(std::uint32_t value, const QPalette& palette) {
  if (color::IsSystem(value)) {
    const SystemColorRole entry = SystemColorToRole(color::SystemIndex(value));
    return palette.color(entry.group, entry.role);
  }
  return QColor(color::Red(value), color::Green(value), color::Blue(value));
}

QColor ToQColor(std::uint32_t value) { return ToQColor(value, QGuiApplication::palette()); }

QString FontFamilyFor(const std::string& face) {
  for (const FaceSubstitute& s : kSubstitutes)
    if (s.face == face) return QString::fromLatin1(s.family);
  return platform::Cp932ToUnicode(face);
}

QFont ToQFont(const FontSpec& spec) {
  QFont font(FontFamilyFor(spec.face));
  font.setBold((spec.styles & fontstyle::kBold) != 0);
  font.setItalic((spec.styles & fontstyle::kItalic) != 0);
  font.setUnderline((spec.styles & fontstyle::kUnderline) != 0);
  font.setStrikeOut((spec.styles & fontstyle::kStrikeOut) != 0);
  if (spec.pitch == FontPitch::Fixed) {
    font.setFixedPitch(true);
    font.setStyleHint(QFont::TypeWriter);
  } else if (spec.pitch == FontPitch::Variable) {
    font.setFixedPitch(false);
  }
  if (spec.height < 0) {
    font.setPixelSize(-spec.height);
  } else if (spec.height > 0) {
    // The cell height: the largest pixel size whose line height fits.
    int size = spec.height;
    for (; size > 1; --size) {
      font.setPixelSize(size);
      if (QFontMetrics(font).height() <= spec.height) break;
    }
    font.setPixelSize(size);
  }
  return font;
}
