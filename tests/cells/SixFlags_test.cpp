// Six flags packed into one byte, as the GPS sentence cells combine them.
#include "cells/SixFlags.h"

#include <gtest/gtest.h>

namespace {

TEST(SixFlagsTest, PacksEachFlagIntoItsBitAndBack) {
  struct Case {
    SixFlags flags;
    std::uint8_t packed;
  };
  const Case cases[] = {
      {{0, 0, 0, 0, 0, 0}, 0x00}, {{1, 0, 0, 0, 0, 0}, 0x10},  // RMC
      {{0, 1, 0, 0, 0, 0}, 0x08}, {{0, 0, 1, 0, 0, 0}, 0x04}, {{0, 0, 0, 1, 0, 0}, 0x02},
      {{0, 0, 0, 0, 1, 0}, 0x01}, {{0, 0, 0, 0, 0, 1}, 0x20},  // GSV
      {{1, 0, 1, 0, 1, 0}, 0x15}, {{1, 1, 1, 1, 1, 1}, 0x3F},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PackSixFlags(c.flags), c.packed) << int{c.packed};
    EXPECT_EQ(UnpackSixFlags(c.packed), c.flags) << int{c.packed};
  }
}

TEST(SixFlagsTest, AnyNonZeroByteIsSetAndHighBitsAreIgnored) {
  EXPECT_EQ(PackSixFlags({0xFF, 2, 0, 0x80, 0, 1}), 0x10 | 0x08 | 0x02 | 0x20);
  EXPECT_EQ(UnpackSixFlags(0xC0), (SixFlags{}));
  EXPECT_EQ(UnpackSixFlags(0xD5), (SixFlags{1, 0, 1, 0, 1, 0}));
}

}  // namespace
