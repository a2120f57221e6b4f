#include "core/BcdBits.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

using namespace core;
using Bytes = std::vector<std::uint8_t>;

TEST(Bcd, ReadsMostSignificantFirst) {
  EXPECT_EQ(BcdToInt(Bytes{0x12, 0x34}), 1234);
  EXPECT_EQ(BcdToInt(Bytes{}), 0);
  EXPECT_EQ(BcdToInt(Bytes{0x99, 0x99, 0x99, 0x99, 0x99}), 9999999999);
}

TEST(Bcd, InvalidBytesReadAsHighTimesTenPlusLow) {
  EXPECT_EQ(BcdToBin(0x1A), 20);
  EXPECT_EQ(BcdToBin(0xFF), 165);
  EXPECT_FALSE(IsValidBcd(0x1A));
  EXPECT_FALSE(IsValidBcd(0xA1));
  EXPECT_TRUE(IsValidBcd(0x99));
  EXPECT_TRUE(IsBcdBytes(Bytes{}));
  EXPECT_TRUE(IsBcdBytes(Bytes{0x00, 0x99}));
  EXPECT_FALSE(IsBcdBytes(Bytes{0x00, 0x9A}));
}

TEST(Bcd, WritesRightAlignedAndNeverANibbleAboveNine) {
  struct Case {
    std::int64_t value;
    Bytes expected;
  } cases[] = {
      {56, {0x00, 0x56}},
      {0, {0x00, 0x00}},
      {9999, {0x99, 0x99}},
      {123456, {0x34, 0x56}},  // too large: the low digits stay
      {-5, {0x00, 0x00}},      // negative: zeros
      {20260101, {0x20, 0x26, 0x01, 0x01}},
  };
  for (const auto& c : cases) {
    Bytes out(c.expected.size(), 0xEE);
    IntToBcd(out, c.value);
    EXPECT_EQ(out, c.expected) << c.value;
    EXPECT_TRUE(IsBcdBytes(out));
  }
}

TEST(Bcd, SingleBytesAndPairs) {
  EXPECT_EQ(BinToBcd(42), 0x42);
  EXPECT_EQ(BinToBcd(99), 0x99);
  EXPECT_EQ(BinToBcd(123), 0x23);
  EXPECT_EQ(BinToBcd(-1), 0x00);
  std::array<std::uint8_t, 2> pair{};
  BcdPairFromInt(pair, 1234);
  EXPECT_EQ(pair, (std::array<std::uint8_t, 2>{0x12, 0x34}));
  BcdPairFromInt(pair, 12345);
  EXPECT_EQ(pair, (std::array<std::uint8_t, 2>{0x23, 0x45}));
  BcdPairFromInt(pair, -7);
  EXPECT_EQ(pair, (std::array<std::uint8_t, 2>{0x00, 0x00}));
}

TEST(Bcd, NibblesEvenIsHigh) {
  Bytes b{0x12, 0x34};
  EXPECT_EQ(GetNibble(b, 0), 1);
  EXPECT_EQ(GetNibble(b, 3), 4);
  EXPECT_EQ(GetNibble(b, 4), 0);  // outside: reads 0
  SetNibble(b, 1, 9);
  SetNibble(b, 2, 7);
  EXPECT_EQ(b, (Bytes{0x19, 0x74}));
  SetNibble(b, 0, 15);  // never above nine
  EXPECT_EQ(b[0], 0x59);
  SetNibble(b, 9, 1);  // outside: nothing written
  EXPECT_EQ(b, (Bytes{0x59, 0x74}));
}

TEST(Bits, ByteNOverEightMaskLowBitFirst) {
  Bytes b(2, 0);
  SetBit(b, 0, true);
  SetBit(b, 9, true);
  EXPECT_EQ(b, (Bytes{0x01, 0x02}));
  EXPECT_TRUE(GetBit(b, 9));
  EXPECT_FALSE(GetBit(b, 8));
  SetBit(b, 0, false);
  EXPECT_EQ(b[0], 0x00);
  SetBit(b, 16, true);
  SetBit(b, -1, true);
  EXPECT_EQ(b, (Bytes{0x00, 0x02}));
  EXPECT_FALSE(GetBit(b, 16));
  EXPECT_FALSE(GetBit(b, -1));
}
