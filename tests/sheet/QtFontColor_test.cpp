// kw-test: gui
#include "sheet/QtFontColor.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>

namespace {

QPalette FixedPalette() {
  QPalette p;
  p.setColor(QPalette::All, QPalette::Base, QColor(1, 2, 3));
  p.setColor(QPalette::All, QPalette::Text, QColor(4, 5, 6));
  p.setColor(QPalette::All, QPalette::Button, QColor(7, 8, 9));
  p.setColor(QPalette::All, QPalette::Window, QColor(10, 11, 12));
  p.setColor(QPalette::All, QPalette::Highlight, QColor(13, 14, 15));
  p.setColor(QPalette::All, QPalette::HighlightedText, QColor(16, 17, 18));
  p.setColor(QPalette::Disabled, QPalette::Text, QColor(19, 20, 21));
  return p;
}

TEST(QtFontColorTest, Colours) {
  struct Case {
    std::uint32_t value;
    QColor expected;
  };
  const Case cases[] = {
      {color::kNavy, QColor(0, 0, 128)},       {color::kRed, QColor(255, 0, 0)},
      {color::kOlive, QColor(128, 128, 0)},    {0x00123456, QColor(0x56, 0x34, 0x12)},
      {color::kWindow, QColor(1, 2, 3)},       {color::kWindowText, QColor(4, 5, 6)},
      {color::kBtnFace, QColor(7, 8, 9)},      {color::kMenu, QColor(10, 11, 12)},
      {color::kHighlight, QColor(13, 14, 15)}, {color::kHighlightText, QColor(16, 17, 18)},
      {color::kGrayText, QColor(19, 20, 21)},
  };
  const QPalette palette = FixedPalette();
  for (const Case& c : cases)
    EXPECT_EQ(ToQColor(c.value, palette), c.expected) << std::hex << c.value;
}

TEST(QtFontColorTest, FacesTheSystemLacksAreReplaced) {
  EXPECT_EQ(FontFamilyFor("MS Sans Serif"), "DejaVu Sans");
  EXPECT_EQ(FontFamilyFor("Arial"), "DejaVu Sans");
  EXPECT_EQ(FontFamilyFor("\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E"),
            "IPAPGothic");
  EXPECT_EQ(FontFamilyFor("Courier New"), "Courier New");
  EXPECT_EQ(FontFamilyFor("\x83\x65\x83\x58\x83\x67"), QString::fromUtf8("テスト"));
}

TEST(QtFontColorTest, FontAttributes) {
  FontSpec spec;
  spec.face = "MS Sans Serif";
  spec.height = -17;
  spec.styles = fontstyle::kBold | fontstyle::kItalic | fontstyle::kUnderline;
  QFont font = ToQFont(spec);
  EXPECT_EQ(font.family(), "DejaVu Sans");
  EXPECT_EQ(font.pixelSize(), 17);
  EXPECT_TRUE(font.bold());
  EXPECT_TRUE(font.italic());
  EXPECT_TRUE(font.underline());
  EXPECT_FALSE(font.strikeOut());

  spec.styles = fontstyle::kStrikeOut;
  spec.pitch = FontPitch::Fixed;
  font = ToQFont(spec);
  EXPECT_FALSE(font.bold());
  EXPECT_TRUE(font.strikeOut());
  EXPECT_TRUE(font.fixedPitch());
}

TEST(QtFontColorTest, APositiveHeightIsTheLineHeight) {
  for (const int height : {12, 16, 24}) {
    FontSpec spec;
    spec.face = "MS Sans Serif";
    spec.height = height;
    const QFont font = ToQFont(spec);
    EXPECT_LE(QFontMetrics(font).height(), height) << height;
    QFont larger = font;
    larger.setPixelSize(font.pixelSize() + 1);
    EXPECT_GT(QFontMetrics(larger).height(), height) << height;
  }
}

}  // namespace
