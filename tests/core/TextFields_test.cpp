#include "core/TextFields.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

using namespace core;

TEST(GetTextField, SplitsOnlyAtSingleByteSeparators) {
  // ソ is 83 5C: its second byte is a backslash.
  const std::string text =
      "\x83\x5C\x5C"
      "A";
  EXPECT_EQ(GetTextField(text, '\\', 0), std::optional<std::string>("\x83\x5C"));
  EXPECT_EQ(GetTextField(text, '\\', 1), std::optional<std::string>("A"));
  EXPECT_EQ(GetTextField(text, '\\', 2), std::nullopt);
}

TEST(GetTextField, CountsFields) {
  struct Case {
    const char* text;
    int n;
    std::optional<std::string> expected;
  } cases[] = {
      {"CL_Mch_Freq\tIDH1001", 0, "CL_Mch_Freq"},
      {"CL_Mch_Freq\tIDH1001", 1, "IDH1001"},
      {"a\t\tc", 1, ""},
      {"a\t", 1, ""},
      {"", 0, ""},
      {"", 1, std::nullopt},
      {"abc", -1, std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(GetTextField(c.text, '\t', c.n), c.expected) << c.text << " " << c.n;
}

TEST(GetDelimitedField, AnyByteOfTheSet) {
  EXPECT_EQ(GetDelimitedField("a,b;c", ",;", 2), std::optional<std::string>("c"));
  EXPECT_EQ(GetDelimitedField("\x83\x5C;x", "\\;", 1), std::optional<std::string>("x"));
}

TEST(Blanks, TrimKeepsATrailByteBlank) {
  std::string text = " \t\x82\x20";
  TrimBlanks(text);
  EXPECT_EQ(text, "\x82\x20");
  text = "  ab \t ";
  TrimBlanks(text);
  EXPECT_EQ(text, "ab");
  text = " \t ";
  TrimBlanks(text);
  EXPECT_EQ(text, "");
  EXPECT_EQ(TrimBlanksView("\t 9600 , \x82\x20 "), "9600 , \x82\x20");
  EXPECT_EQ(TrimBlanksView(" \t"), "");
  text =
      "a b\t\x82\x20"
      "c ";
  RemoveBlanks(text);
  EXPECT_EQ(text,
            "ab\x82\x20"
            "c");
  EXPECT_EQ(SkipBlanks(" \t x "), "x ");
}

TEST(Blanks, IsBlankField) {
  EXPECT_TRUE(IsBlankField(""));
  EXPECT_TRUE(IsBlankField("   "));
  EXPECT_FALSE(IsBlankField("  a"));
  const std::array<std::uint8_t, 3> field{0x20, 0x20, 0x00};
  EXPECT_FALSE(IsBlankField(std::span<const std::uint8_t>(field)));
  EXPECT_TRUE(IsBlankField(std::span<const std::uint8_t>(field).first(2)));
}

TEST(TrimRightBlanks, HalfAndFullWidthBlanksButNoTrailBytes) {
  struct Case {
    std::string text;
    std::string expected;
  } cases[] = {
      {"AB  ", "AB"},
      {"AB\x81\x40 \x81\x40", "AB"},
      {"\x83\x81\x40", "\x83\x81\x40"},  // メ@: 81 40 is not a full-width blank here
      {"\x82\x20", "\x82\x20"},
      {"   ", ""},
      {"\x81\x40", ""},
      {"A\x81", "A\x81"},  // a lead byte at the end: nothing read past it
      {"", ""},
  };
  for (auto c : cases) {
    std::string text = c.text;
    TrimRightBlanks(text);
    EXPECT_EQ(text, c.expected);
  }
}

TEST(RemoveByteValue, NeverATrailByte) {
  // ソ (83 5C), "\", "A", "\" in a field of 6.
  std::array<std::uint8_t, 6> field{0x83, 0x5C, 0x5C, 'A', 0x5C, 'B'};
  EXPECT_TRUE(RemoveByteValue(field, 0x5C));
  EXPECT_EQ(field, (std::array<std::uint8_t, 6>{0x83, 0x5C, 'A', 'B', ' ', ' '}));
  EXPECT_FALSE(RemoveByteValue(field, ','));
  // A matching lead byte goes with its trail byte.
  std::array<std::uint8_t, 4> lead{'x', 0x83, 0x5C, 'y'};
  EXPECT_TRUE(RemoveByteValue(lead, 0x83));
  EXPECT_EQ(lead, (std::array<std::uint8_t, 4>{'x', 'y', ' ', ' '}));
}

TEST(SmallCopies, DupAndAmpersands) {
  EXPECT_EQ(StrDup(static_cast<const char*>(nullptr)), "");
  EXPECT_EQ(StrNDup("abcdef", 3), "abc");
  EXPECT_EQ(StrNDup("ab", 3), "ab");
  EXPECT_EQ(StrNDup(static_cast<const char*>(nullptr), 3), "");
  const char unterminated[3] = {'x', 'y', 'z'};
  EXPECT_EQ(StrNDup(unterminated, 2), "xy");
  EXPECT_EQ(StrNDup(std::string_view("a\0b", 3), 3), std::string("a\0b", 3));
  std::string s = "a";
  StrCopyEnd(StrCopyEnd(s, "b"), "c");
  EXPECT_EQ(s, "abc");
  StrClear(s);
  EXPECT_TRUE(s.empty());
  // 0x26 is never a trail byte value, but a pair 82 26 still has its own.
  EXPECT_EQ(DoubleAmpersands("R&D &"), "R&&D &&");
  EXPECT_EQ(DoubleAmpersands("\x82\x26&"), "\x82\x26&&");
}
