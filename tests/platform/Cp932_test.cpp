// kw-test: label=platform
#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <string>

using platform::Cp932Display;
using platform::Cp932ToUnicode;
using platform::UnicodeToCp932;

namespace {

QString U(const char16_t* s) { return QString::fromUtf16(s); }

}  // namespace

TEST(Cp932Decode, NeverStopsEarly) {
  struct Case {
    const char* name;
    std::string bytes;
    QString expected;
  } cases[] = {
      {"lead at the end", "\x41\x82", U(u"A\uFFFD")},
      {"pair that does not decode is one character", "\x85\x40", U(u"\uFFFD")},
      {"pair that does not decode, then text", "\x85\x40\x41", U(u"\uFFFDA")},
      {"bytes that never start a character", "\x80\xA0\xFD\xFE\xFF",
       U(u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD")},
      {"lead before a non-trail byte", "\x82\x20Z", U(u"\uFFFD Z")},
      {"backslash and tilde stay", "\x5C\x7E", U(u"\\~")},
      {"kana, kanji and half-width kana", "\x82\xA0\x8A\xBF\xB1", U(u"あ漢ｱ")},
      {"IBM extension rows", "\xFA\x40\xFA\xB1", U(u"\u2170\uFA11")},
      {"embedded NUL kept", std::string("a\0b", 3),
       QString(QStringLiteral("a") + QChar(0) + QStringLiteral("b"))},
  };
  for (const auto& c : cases) EXPECT_EQ(Cp932ToUnicode(c.bytes), c.expected) << c.name;
}

TEST(Cp932Decode, ResumesInsideLongTexts) {
  // Longer than one conversion chunk, with refusals scattered through it.
  std::string bytes;
  QString expected;
  for (int i = 0; i < 300; ++i) {
    bytes += "\x82\xA0";
    expected += QChar(u'あ');
    if (i % 50 == 7) {
      bytes += "\x85\x40";
      expected += QChar(0xFFFD);
    }
  }
  EXPECT_EQ(Cp932ToUnicode(bytes), expected);
}

TEST(Cp932Decode, WesternInterfaceShowsDegreeAndMiddleDot) {
  EXPECT_EQ(Cp932ToUnicode("\xB0\xB7", Cp932Display::Japanese), U(u"ｰｷ"));
  EXPECT_EQ(Cp932ToUnicode("25\xB0"
                           "C \xB7",
                           Cp932Display::Western),
            U(u"25\u00B0C \u00B7"));
  // A trail byte 0xB0 stays part of its pair.
  EXPECT_EQ(Cp932ToUnicode("\x82\xB0", Cp932Display::Western), Cp932ToUnicode("\x82\xB0"));
  EXPECT_EQ(Cp932ToUnicode("\x82\xB0"), U(u"げ"));
}

TEST(Cp932Encode, MapsWaveDashAndReportsLoss) {
  bool lossy = true;
  EXPECT_EQ(UnicodeToCp932(U(u"\u301C"), &lossy), "\x81\x60");
  EXPECT_FALSE(lossy);
  EXPECT_EQ(UnicodeToCp932(U(u"ＡＢ漢ｱ\\~"), &lossy), "\x82\x60\x82\x61\x8A\xBF\xB1\\~");
  EXPECT_FALSE(lossy);
  EXPECT_EQ(UnicodeToCp932(U(u"A€B"), &lossy), "A?B");
  EXPECT_TRUE(lossy);
  // A character outside the basic plane is one "?", a lone surrogate too.
  EXPECT_EQ(UnicodeToCp932(U(u"x\U0001F600y"), &lossy), "x?y");
  EXPECT_TRUE(lossy);
  EXPECT_EQ(UnicodeToCp932(QString(QChar(0xD800)), &lossy), "?");
  EXPECT_TRUE(lossy);
  EXPECT_EQ(UnicodeToCp932(QString()), "");
}

TEST(Cp932Encode, RoundTripsLongTexts) {
  QString text;
  for (int i = 0; i < 500; ++i) text += U(u"漢字かなカナABC ");
  bool lossy = true;
  const std::string bytes = UnicodeToCp932(text, &lossy);
  EXPECT_FALSE(lossy);
  EXPECT_EQ(Cp932ToUnicode(bytes), text);
}
