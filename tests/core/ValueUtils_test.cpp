// Clamping, stripping, bit reversal and byte look-up.
#include "core/ValueUtils.h"

#include <gtest/gtest.h>

#include <array>

namespace {

struct SomeRecord {};

TEST(ValueUtils, ClampIntReportsAChange) {
  struct Case {
    std::int32_t minimum, maximum, value, after;
    bool changed;
  } cases[] = {{0, 9, 5, 5, false}, {0, 9, -1, 0, true}, {0, 9, 10, 9, true}, {5, 1, 3, 5, true}};
  for (const auto& c : cases) {
    std::int32_t v = c.value;
    EXPECT_EQ(core::ClampInt(c.minimum, c.maximum, v), c.changed);
    EXPECT_EQ(v, c.after);
  }
}

TEST(ValueUtils, ClampStep10RoundsHalfUpWithinThreeHundredToThreeThousand) {
  struct Case {
    std::int32_t in, out;
  } cases[] = {{1234, 1230}, {1235, 1240}, {1239, 1240}, {295, 300},        {0, 300},
               {3004, 3000}, {3005, 3000}, {-7, 300},    {INT32_MAX, 3000}, {INT32_MIN, 300}};
  for (const auto& c : cases) EXPECT_EQ(core::ClampStep10(c.in), c.out) << c.in;
}

TEST(ValueUtils, StripCharsKeepsDigitsAndTheSet) {
  std::string t = "+9:07 h";
  core::StripChars(t, "+-:");
  EXPECT_EQ(t, "+9:07");
  t = "abc";
  core::StripChars(t, "");
  EXPECT_EQ(t, "");
}

TEST(ValueUtils, ReverseBitsOfTheLowBits) {
  struct Case {
    std::uint32_t in;
    int n;
    std::uint32_t out;
    int result;
  } cases[] = {{0b0000000001, 10, 0b1000000000, 10},
               {0b110, 3, 0b011, 3},
               {0xFF01, 8, 0x80, 8},
               {1, 32, 0x80000000u, 32},
               {5, 0, 0, 0},
               {5, -3, 0, 0}};
  for (const auto& c : cases) {
    std::uint32_t v = c.in;
    EXPECT_EQ(core::ReverseBits(v, c.n), c.result);
    EXPECT_EQ(v, c.out) << c.in << " " << c.n;
  }
}

TEST(ValueUtils, FindByteIndexAndNoCheck) {
  const std::array<std::uint8_t, 4> table{7, 9, 7, 3};
  EXPECT_EQ(core::FindByteIndex(7, table), 0);
  EXPECT_EQ(core::FindByteIndex(3, table), 3);
  EXPECT_EQ(core::FindByteIndex(4, table), 255);
  int (*check)(SomeRecord&, const char*) = core::NoCheck;
  SomeRecord r;
  EXPECT_EQ(check(r, "anything"), 0);
  std::string text = "x";
  core::ClearCString(text);
  EXPECT_TRUE(text.empty());
}

}  // namespace
