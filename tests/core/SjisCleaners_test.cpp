#include "core/SjisCleaners.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Cp932.h"

using namespace core;

namespace {

using Cleaner = bool (*)(std::string&, std::uint8_t);
using BufCleaner = bool (*)(std::span<std::uint8_t>, std::uint8_t);

struct Case {
  const char* name;
  Cleaner text;
  BufCleaner buf;
  std::string input;
  std::uint8_t replacement;
  std::string expected;
  bool replaced;
};

std::string Ime(const char16_t* s) { return platform::UnicodeToCp932(QString::fromUtf16(s)); }

}  // namespace

TEST(SjisCleaners, TextAndFieldFormsAgree) {
  const Case cases[] = {
      {"invalid: valid text untouched", ReplaceInvalidSjis, ReplaceInvalidSjisBuf, "A\xB1\x82\xA0",
       ' ', "A\xB1\x82\xA0", false},
      {"invalid: control bytes", ReplaceInvalidSjis, ReplaceInvalidSjisBuf,
       "A\x01\x7F"
       "B",
       '_', "A__B", true},
      {"invalid: lead before a non-trail byte goes with it", ReplaceInvalidSjis,
       ReplaceInvalidSjisBuf,
       "A\x82\x20"
       "B",
       '_', "A__B", true},
      {"invalid: lone lead at the end removed and padded", ReplaceInvalidSjis,
       ReplaceInvalidSjisBuf, "AB\x82", 0, "AB ", true},
      {"invalid: removal pads the end", ReplaceInvalidSjis, ReplaceInvalidSjisBuf,
       "\x80"
       "A\xFF"
       "B",
       0, "AB  ", true},
      {"double: both bytes", ReplaceDoubleByte, ReplaceDoubleByteBuf,
       "A\x82\xA0"
       "B",
       '=', "A==B", true},
      {"double: lead at the end alone", ReplaceDoubleByte, ReplaceDoubleByteBuf, "AB\x82", '=',
       "AB=", true},
      {"double: removed", ReplaceDoubleByte, ReplaceDoubleByteBuf,
       "\x83\x5C"
       "A",
       0, "A  ", true},
      {"kana: singles only", ReplaceHalfKana, ReplaceHalfKanaBuf, "\xB1\x83\xB1", '_', "_\x83\xB1",
       true},
      {"kana: none", ReplaceHalfKana, ReplaceHalfKanaBuf, "ABC", '_', "ABC", false},
      {"non-ascii: kana stays, pair goes whole", ReplaceNonAscii, ReplaceNonAsciiBuf,
       "\xB1\x83\x4B\x7F", '?', "\xB1???", true},
  };
  for (const auto& c : cases) {
    std::string text = c.input;
    EXPECT_EQ(c.text(text, c.replacement), c.replaced) << c.name;
    EXPECT_EQ(text, c.expected) << c.name;
    std::vector<std::uint8_t> field(c.input.begin(), c.input.end());
    EXPECT_EQ(c.buf(field, c.replacement), c.replaced) << c.name;
    EXPECT_EQ(std::string(field.begin(), field.end()), c.expected) << c.name;
  }
}

// Characters the input method gives as 0xF0..0xFC pairs (ⅰ is FA 40, 﨑 is
// FA B1 through glibc): the second byte must not survive as "@" or "ｱ".
TEST(SjisCleaners, ExtensionRowPairsGoWhole) {
  const std::string ext = Ime(u"Xⅰ﨑Y");
  ASSERT_EQ(ext, "X\xFA\x40\xFA\xB1Y");
  struct {
    Cleaner clean;
    std::uint8_t replacement;
    std::string expected;
  } cases[] = {
      {ReplaceInvalidSjis, 0, "XY    "},  {ReplaceInvalidSjis, ' ', "X    Y"},
      {ReplaceDoubleByte, '=', "X====Y"}, {ReplaceNonAscii, '_', "X____Y"},
      {ReplaceHalfKana, '_', ext},
  };
  for (const auto& c : cases) {
    std::string text = ext;
    c.clean(text, c.replacement);
    EXPECT_EQ(text, c.expected);
  }
  // An extension byte before a non-trail byte goes alone.
  std::string lone =
      "\xFA\x20"
      "A";
  EXPECT_TRUE(ReplaceInvalidSjis(lone, '_'));
  EXPECT_EQ(lone, "_ A");
}

TEST(SjisCleaners, WithoutFormsDropThePadding) {
  EXPECT_EQ(WithoutInvalidSjis("A\x80"
                               "B\x82"),
            "AB");
  EXPECT_EQ(WithoutDoubleByte("A\x82\xA0"
                              "B "),
            "AB ");
  EXPECT_EQ(WithoutDoubleByte(""), "");
}

// Any bytes at all: what the radio gets afterwards is only bytes it shows,
// the field keeps its length, and a second pass finds nothing to do.
TEST(SjisCleaners, RandomFieldsComeOutClean) {
  std::uint32_t seed = 12345;
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return static_cast<std::uint8_t>(seed >> 16);
  };
  for (int round = 0; round < 3000; ++round) {
    std::vector<std::uint8_t> field(static_cast<std::size_t>(round % 17));
    for (auto& b : field) b = next();
    for (std::uint8_t replacement : {std::uint8_t{0}, std::uint8_t{'_'}}) {
      std::vector<std::uint8_t> ascii = field;
      ReplaceNonAsciiBuf(ascii, replacement);
      ASSERT_EQ(ascii.size(), field.size());
      for (std::uint8_t b : ascii)
        ASSERT_TRUE(b >= 0x20 && (b <= 0x7E || (b >= 0xA1 && b <= 0xDF)));
      EXPECT_FALSE(ReplaceNonAsciiBuf(ascii, replacement));

      std::vector<std::uint8_t> valid = field;
      ReplaceInvalidSjisBuf(valid, replacement);
      ASSERT_EQ(valid.size(), field.size());
      EXPECT_FALSE(ReplaceInvalidSjisBuf(valid, replacement));
    }
  }
}
