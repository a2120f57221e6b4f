// The memory image: sizing, equality, block copies that never copy part,
// and byte access outside the image ending the program.
#include "model/cmcEeprom.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

TEST(EepromTest, SetSizeClearsEvenAtTheSameSize) {
  cmcEeprom image;
  EXPECT_EQ(image.GetSize(), 0);
  image.SetSize(16);
  image.Fill(0xAB);
  image.SetSize(16);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(image.GetByte(i), 0);
  image.SetSize(0);
  EXPECT_EQ(image.GetSize(), 0);
  EXPECT_EQ(image.Data(), nullptr);
  image.Fill(0x11);  // nothing to fill, no crash
  EXPECT_FALSE(image.IsValidAddress(0));
}

TEST(EepromTest, EqualityNeedsSameSizeAndBytes) {
  cmcEeprom a, b;
  EXPECT_TRUE(a == b);  // two empty images
  a.SetSize(8);
  b.SetSize(9);
  EXPECT_TRUE(a != b);  // a prefix is not equal
  b.SetSize(8);
  EXPECT_TRUE(a == b);
  b.SetByte(7, 1);
  EXPECT_TRUE(a != b);
}

TEST(EepromTest, SelfAssignmentKeepsTheImage) {
  cmcEeprom image;
  image.SetSize(4);
  image.SetByte(2, 0x5A);
  cmcEeprom& alias = image;
  image = alias;
  EXPECT_EQ(image.GetSize(), 4);
  EXPECT_EQ(image.GetByte(2), 0x5A);
  cmcEeprom copy(image);
  EXPECT_TRUE(copy == image);
}

TEST(EepromTest, BlockCopiesAllOrNothing) {
  cmcEeprom image;
  image.SetSize(16);
  const std::vector<std::uint8_t> src = {1, 2, 3, 4};
  struct Case {
    std::int64_t address, count;
    bool copies;
  } cases[] = {
      {12, 4, true},          // ends exactly at the end
      {13, 4, false},         // one byte past the end
      {-1, 4, false},         // below the start
      {0, 0, false},          // nothing to copy
      {16, 1, false},         // starts at the size
      {4, INT64_MAX, false},  // address + count must not wrap
      {INT_MAX, INT_MAX, false},
  };
  for (const Case& c : cases) {
    image.Fill(0);
    std::vector<std::uint8_t> big(16, 9);
    image.SetBlock(c.address, c.count <= 4 ? src.data() : big.data(), c.count);
    int changed = 0;
    for (int i = 0; i < 16; ++i) changed += image.GetByte(i) != 0;
    EXPECT_EQ(changed, c.copies ? static_cast<int>(c.count) : 0) << c.address << "+" << c.count;
    if (c.copies) continue;
    // Reading a refused range leaves the destination untouched (it is only
    // 16 bytes long: a partial or wrapped copy would overrun it).
    std::vector<std::uint8_t> out(16, 0xEE);
    image.GetBlock(c.address, out.data(), c.count);
    EXPECT_EQ(out, std::vector<std::uint8_t>(16, 0xEE)) << c.address << "+" << c.count;
  }
}

TEST(EepromDeathTest, ByteAccessOutsideTheImageEndsTheProgram) {
  cmcEeprom image;
  image.SetSize(16);
  EXPECT_EXIT(image.SetByte(16, 1), ::testing::ExitedWithCode(3),
              "Out of EEPROM image address \\(SetByte\\)\\.");
  EXPECT_EXIT(image.GetByte(-1), ::testing::ExitedWithCode(3),
              "Out of EEPROM image address \\(GetByte\\)\\.");
  cmcEeprom empty;
  EXPECT_EXIT(empty.GetByte(0), ::testing::ExitedWithCode(3),
              "Out of EEPROM image address \\(GetByte\\)\\.");
}

}  // namespace
