#include "core/FontSpec.h"

#include <gtest/gtest.h>

#include "platform/LocaleInfo.h"

namespace {

constexpr const char* kJapaneseFace =
    "\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E";

// A Western system unless a test says otherwise.
class FontSpecTest : public ::testing::Test {
 protected:
  static platform::LocaleInfo Western() { return platform::LocaleInfo{}; }
  platform::ScopedLocaleInfo locale_{Western()};
};

FontSpec Start() {
  FontSpec f;
  f.charset = 0;
  f.face = "Start Face";
  f.color = color::kGreen;
  f.height = -13;
  f.styles = fontstyle::kUnderline;
  f.pitch = FontPitch::Default;
  return f;
}

TEST_F(FontSpecTest, AppliesEachField) {
  struct Case {
    const char* spec;
    FontSpec expected;
  };
  const auto with = [](auto change) {
    FontSpec f = Start();
    change(f);
    return f;
  };
  const Case cases[] = {
      {"SHIFTJIS_CHARSET,,clRed,%120,,fsBold+fsItalic,", with([](FontSpec& f) {
         f.charset = 128;
         f.face = "MS Sans Serif";
         f.color = 0x0000FF;
         f.height = -15;
         f.styles = fontstyle::kBold | fontstyle::kItalic;
       })},
      // Two fields: character set and face, nothing else.
      {"ANSI_CHARSET,Arial", with([](FontSpec& f) { f.face = "Arial"; })},
      {"DEFAULT_CHARSET,,clWindowText,-17,,,", with([](FontSpec& f) {
         f.charset = 1;
         f.face = "MS Sans Serif";
         f.color = color::kWindowText;
         f.height = -17;
       })},
      {"", Start()},
      {"  RUSSIAN_CHARSET  ,  Courier New  ", with([](FontSpec& f) {
         f.charset = 204;
         f.face = "Courier New";
       })},
      {",,,%0", with([](FontSpec& f) {
         f.face = "MS Sans Serif";
         f.height = 1;
       })},
      {",,,%50", with([](FontSpec& f) {
         f.face = "MS Sans Serif";
         f.height = -6;
       })},
      {",,,16,,fsBold,", with([](FontSpec& f) {
         f.face = "MS Sans Serif";
         f.height = 16;
         f.styles = fontstyle::kBold;
       })},
      // Point size 12 is 16 pixels; 200 % of 10 points is 20 points, 27 pixels.
      {",,,,12", with([](FontSpec& f) {
         f.face = "MS Sans Serif";
         f.height = -16;
       })},
      {",,,,%200", with([](FontSpec& f) {
         f.face = "MS Sans Serif";
         f.height = -27;
       })},
      {",,,,,fsBold+fsNope", with([](FontSpec& f) {
         f.face = "MS Sans Serif";
         f.styles = fontstyle::kBold;
       })},
      {",,,,,fsNope", with([](FontSpec& f) { f.face = "MS Sans Serif"; })},
      {",,,,,fsStrikeOut + fsItalic", with([](FontSpec& f) {
         f.face = "MS Sans Serif";
         f.styles = fontstyle::kStrikeOut | fontstyle::kItalic;
       })},
      {",,,,,,fpFixed", with([](FontSpec& f) {
         f.face = "MS Sans Serif";
         f.pitch = FontPitch::Fixed;
       })},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.spec);
    FontSpec f = Start();
    ParseFontSpec(c.spec, f);
    EXPECT_EQ(f.charset, c.expected.charset);
    EXPECT_EQ(f.face, c.expected.face);
    EXPECT_EQ(f.color, c.expected.color);
    EXPECT_EQ(f.height, c.expected.height);
    EXPECT_EQ(f.styles, c.expected.styles);
    EXPECT_EQ(f.pitch, c.expected.pitch);
  }
}

TEST_F(FontSpecTest, UnknownNamesAndMalformedNumbersChangeNothing) {
  for (const char* spec :
       {"BOGUS_CHARSET", "SHIFTJIS_CHARSETX", "shiftjis_charset", "x,,clNope", "x,,255", "x,,,abc",
        "x,,,%", "x,,,%x", "x,,,12x", "x,,,0", "x,,,99999999999", "x,,,%99999999999", "x,,,- 5",
        "x,,,,abc", "x,,,,0", "x,,,,,,fpNope", "x,,,,,,FPFIXED"}) {
    SCOPED_TRACE(spec);
    FontSpec f = Start();
    ParseFontSpec(spec, f);
    FontSpec expected = Start();
    if (std::string_view(spec).find(',') != std::string_view::npos) expected.face = "MS Sans Serif";
    EXPECT_EQ(f, expected);
  }
}

TEST_F(FontSpecTest, PointSizeReadsAndSetsTheHeight) {
  struct Case {
    std::int32_t height;
    std::int32_t points;
  };
  for (const Case c : {Case{-11, 8}, Case{-13, 10}, Case{-16, 12}, Case{-17, 13}, Case{-12, 9}}) {
    FontSpec f;
    f.height = c.height;
    EXPECT_EQ(f.PointSize(), c.points) << c.height;
  }
  FontSpec f;
  f.SetPointSize(9);
  EXPECT_EQ(f.height, -12);
  f.SetPointSize(10);
  EXPECT_EQ(f.height, -13);
}

TEST_F(FontSpecTest, DefaultFont) {
  const FontSpec f = DefaultFontSpec();
  EXPECT_EQ(f.charset, charset::kDefault);
  EXPECT_EQ(f.face, "MS Sans Serif");
  EXPECT_EQ(f.color, color::kWindowText);
  EXPECT_EQ(f.height, -11);
  EXPECT_EQ(f.styles, 0);
  EXPECT_EQ(f.pitch, FontPitch::Default);
}

TEST(FontSpecJapaneseTest, TheDefaultFaceFollowsTheSystemLanguage) {
  platform::LocaleInfo japanese;
  japanese.languageId = 0x0411;
  platform::ScopedLocaleInfo scope(japanese);
  EXPECT_EQ(SystemDefaultFace(), kJapaneseFace);
  EXPECT_EQ(DefaultFontSpec().face, kJapaneseFace);
  FontSpec f;
  f.face = "Arial";
  ParseFontSpec("SHIFTJIS_CHARSET,", f);
  EXPECT_EQ(f.face, kJapaneseFace);
}

TEST(FontSpecNamesTest, CharacterSets) {
  EXPECT_EQ(CharsetByName("ANSI_CHARSET"), 0);
  EXPECT_EQ(CharsetByName("MAC_CHARSET"), 77);
  EXPECT_EQ(CharsetByName("SHIFTJIS_CHARSET"), 128);
  EXPECT_EQ(CharsetByName("OEM_CHARSET"), 255);
  EXPECT_EQ(CharsetByName("UTF8_CHARSET"), -1);
}

}  // namespace
