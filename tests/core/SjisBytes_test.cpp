#include "core/SjisBytes.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

using namespace core;

TEST(SjisByteKind, WalksFromTheStart) {
  // メ (83 81) then "@": 81 is a trail byte here, not the start of a pair.
  const std::string text =
      "\x83\x81\x40"
      "A\x82";
  EXPECT_EQ(GetSjisByteKind(text, 0), kSjisLead);
  EXPECT_EQ(GetSjisByteKind(text, 1), kSjisTrail);
  EXPECT_EQ(GetSjisByteKind(text, 2), kSjisSingle);
  EXPECT_EQ(GetSjisByteKind(text, 3), kSjisSingle);
  EXPECT_EQ(GetSjisByteKind(text, 4), kSjisLead);    // lead byte at the end
  EXPECT_EQ(GetSjisByteKind(text, 5), kSjisSingle);  // past the end
  // Any byte after a lead byte is its trail byte, a blank too.
  EXPECT_EQ(GetSjisByteKind("\x82\x20", 1), kSjisTrail);
  EXPECT_EQ(SjisCharLength("\x82", 0), 1u);
}

TEST(SjisClasses, MatchTheRadioCharacterSet) {
  EXPECT_TRUE(IsAsciiPrintable(0x20));
  EXPECT_FALSE(IsAsciiPrintable(0x7F));
  EXPECT_TRUE(IsHalfKana(0xA1));
  EXPECT_FALSE(IsHalfKana(0xE0));
  EXPECT_TRUE(IsSjisLeadByte(0xEF));
  EXPECT_FALSE(IsSjisLeadByte(0xF0));
  EXPECT_FALSE(IsSjisLeadByte(0xA0));
  EXPECT_TRUE(IsSjisTrailByte(0x40));
  EXPECT_FALSE(IsSjisTrailByte(0x7F));
  EXPECT_TRUE(IsSjisTrailByte(0xFC));
  EXPECT_FALSE(IsSjisTrailByte(0xFD));
  EXPECT_TRUE(InRange(5, 5, 5));
  EXPECT_FALSE(InRange(4, 5, 6));
}

TEST(CutSjisText, NeverSplitsACharacter) {
  struct Case {
    std::string text;
    std::size_t n;
    std::string expected;
  } cases[] = {
      {"ABCDEF", 4, "ABCD"},
      {"AB", 4, "AB"},
      {"ABC\x82\xA0", 4, "ABC"},  // the 4th byte would be a lead byte
      {"AB\x82\xA0"
       "C",
       4, "AB\x82\xA0"},
      {"\x83\x81\x40\x40", 2, "\x83\x81"},
      {"\x82\xA0", 1, ""},
      {"ABC", 0, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CutSjisText(c.text, c.n), c.expected) << c.text << " " << c.n;
}

TEST(CopyToBlankField, PadsAndReportsACut) {
  std::array<std::uint8_t, 4> field{};
  EXPECT_FALSE(CopyToBlankField(field, "AB"));
  EXPECT_EQ(AsText(field), "AB  ");
  EXPECT_TRUE(CopyToBlankField(field, "ABC\x82\xA0"));
  EXPECT_EQ(AsText(field), "ABC ");
}
