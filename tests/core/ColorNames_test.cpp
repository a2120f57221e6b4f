#include "core/ColorNames.h"

#include <gtest/gtest.h>

namespace {

TEST(ColorNamesTest, KnownNamesGiveTheirValues) {
  struct Case {
    const char* name;
    std::uint32_t value;
  };
  const Case cases[] = {
      {"clRed", 0x0000FF},
      {"clNavy", 0x800000},
      {"clOlive", 0x008080},
      {"clWhite", 0xFFFFFF},
      {"clBlack", 0x000000},
      {"clAqua", 0xFFFF00},
      {"clDkGray", 0x808080},
      {"clLtGray", 0xC0C0C0},
      {"clYellow", 0x00FFFF},
      {"clBackground", 0xFF000001},
      {"clWindow", 0xFF000005},
      {"clWindowText", 0xFF000008},
      {"clHightlightText", 0xFF00000E},
      {"clBtnFace", 0xFF00000F},
      {"clBtnHighlight", 0xFF000014},
  };
  for (const Case& c : cases) {
    std::uint32_t value = 0x12345678;
    EXPECT_EQ(ColorNameToColor(c.name, value), 0) << c.name;
    EXPECT_EQ(value, c.value) << c.name;
  }
}

TEST(ColorNamesTest, OtherTextsLeaveTheValue) {
  // The correct spelling of the misspelt system colour is not a name, nor is
  // a number, a different case or a name with a blank.
  for (const char* text :
       {"clHighlightText", "255", "0x0000FF", "clred", "CLRED", "clRed ", "", "cl", "Red"}) {
    std::uint32_t value = 0x12345678;
    EXPECT_EQ(ColorNameToColor(text, value), 1) << text;
    EXPECT_EQ(value, 0x12345678u) << text;
  }
}

TEST(ColorNamesTest, SplitsValues) {
  EXPECT_TRUE(color::IsSystem(color::kWindow));
  EXPECT_FALSE(color::IsSystem(color::kWhite));
  EXPECT_EQ(color::SystemIndex(color::kBtnFace), 15);
  EXPECT_EQ(color::Red(color::kMaroon), 0x80);
  EXPECT_EQ(color::Green(color::kOlive), 0x80);
  EXPECT_EQ(color::Blue(color::kNavy), 0x80);
  EXPECT_EQ(color::Red(color::kNavy), 0);
}

}  // namespace
