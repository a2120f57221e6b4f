// Memory and call channels: exact bytes, bitmaps, bank assignment and the
// rules Store applies to unused channels, RPT1 "G" and bank numbers.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "model/CallSignPack.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/cmcEeprom.h"
#include "model/datCh.h"

namespace {

class ChannelRecordTest : public ::testing::Test {
 protected:
  void SetUp() override { image.SetSize(layout::kImageSize); }

  std::vector<std::uint8_t> Bytes(std::int64_t address, int count) const {
    std::vector<std::uint8_t> out(static_cast<size_t>(count));
    image.GetBlock(address, out.data(), count);
    return out;
  }

  datCh TestChannel() {
    datCh r(&image);
    r.freq = 145006250;
    r.offset = 600000;
    r.rptTone = 8;
    r.tsqlTone = 8;
    r.mode = 0;
    r.cancellerFreq = 300;
    r.toneMode = 1;
    r.duplex = 2;
    SetText(r.name, "TEST");
    SetText(r.urCall, "CQCQCQ");
    return r;
  }

  cmcEeprom image;
};

TEST_F(ChannelRecordTest, Channel7HasTheExactBytes) {
  datCh r = TestChannel();
  ASSERT_TRUE(r.Store(itemkind::kChannel, 7));

  std::vector<std::uint8_t> expected = {0x24, 0x5A, 0xA1, 0x00, 0x60, 0x20, 0x80, 0x00,
                                        0x00, 0x1E, 0x18, 'T',  'E',  'S',  'T'};
  for (int i = 0; i < 12; ++i) expected.push_back(0x20);
  expected.push_back(0x00);
  for (std::uint8_t b : {0x87, 0x46, 0x1D, 0x18, 0x74, 0x50, 0x20}) expected.push_back(b);
  for (int k = 0; k < 2; ++k)
    for (std::uint8_t b : {0x40, 0x81, 0x02, 0x04, 0x08, 0x10, 0x20}) expected.push_back(b);
  EXPECT_EQ(Bytes(0x157, 49), expected);
  EXPECT_EQ(Bytes(0xC1CE, 2), (std::vector<std::uint8_t>{0x3F, 0x00}));
  EXPECT_EQ(r.stepClass, 1u);
  EXPECT_EQ(r.offsetStepClass, 1u);

  datCh back(&image);
  back.Load(itemkind::kChannel, 7);
  EXPECT_TRUE(back.IsUsed());
  EXPECT_EQ(back.freq, 145006250u);
  EXPECT_EQ(back.offset, 600000u);
  EXPECT_EQ(back.cancellerFreq, 300u);
  EXPECT_EQ(back.bank, datCh::kBankNone);
  EXPECT_EQ(back.bankSlot, 0u);
}

TEST(CallSignPackTest, PacksAndUnpacksSevenBitCharacters) {
  std::uint8_t packed[7];
  callsign::PackText7("CALLSIGN", packed);
  EXPECT_EQ(std::vector<std::uint8_t>(packed, packed + 7),
            (std::vector<std::uint8_t>{0x87, 0x06, 0x64, 0xCA, 0x72, 0x63, 0xCE}));
  char text[8];
  callsign::UnpackText7(packed, text);
  EXPECT_EQ(std::string(text, 8), "CALLSIGN");
  // The eighth bit is dropped.
  callsign::PackText7(
      "\xC1"
      "BCDEFGH",
      packed);
  callsign::UnpackText7(packed, text);
  EXPECT_EQ(std::string(text, 8), "ABCDEFGH");
}

TEST_F(ChannelRecordTest, CallChannelsUseTheBitAfterTheGap) {
  datCh r = TestChannel();
  r.skip = 3;
  r.bank = 4;
  r.bankSlot = 9;
  ASSERT_TRUE(r.Store(itemkind::kChannel, 1000));
  // Used: the empty bit 1001 stays clear; bit 1000 is not touched.
  image.SetByte(layout::kChannelEmptyBitmap + 125, 0xFF);
  r.flags = 0;
  ASSERT_TRUE(r.Store(itemkind::kChannel, 1000));
  r.flags = datCh::kUsed;
  ASSERT_TRUE(r.Store(itemkind::kChannel, 1000));
  EXPECT_EQ(image.GetByte(layout::kChannelEmptyBitmap + 125), 0xFD);  // only bit 1001 cleared
  datCh back(&image);
  back.Load(itemkind::kCallChannel, 1000);
  EXPECT_TRUE(back.IsUsed());
  EXPECT_EQ(back.skip, 0u);
  EXPECT_EQ(back.bank, datCh::kBankNone);
  // Call channels write no skip bits and no bank assignment.
  EXPECT_EQ(image.GetByte(layout::kChannelSkipBitmap + 125), 0);
  EXPECT_EQ(image.GetByte(layout::kChannelPSkipBitmap + 125), 0);
}

TEST_F(ChannelRecordTest, UnusedChannelLosesNameAndBank) {
  datCh r = TestChannel();
  r.bank = 3;
  r.bankSlot = 17;
  r.flags = 0;
  ASSERT_TRUE(r.Store(itemkind::kChannel, 12));
  EXPECT_TRUE(IsBlankText(r.name));
  EXPECT_EQ(r.bank, datCh::kBankNone);
  datCh back(&image);
  back.Load(itemkind::kChannel, 12);
  EXPECT_FALSE(back.IsUsed());
  EXPECT_TRUE(IsBlankText(back.name));
  EXPECT_EQ(back.bank, datCh::kBankNone);
  EXPECT_EQ(image.GetByte(layout::kChannelBankAssign + 24) & 0x1F, 31);
}

TEST_F(ChannelRecordTest, Rpt1GatewayLetterGivesWayToRpt2) {
  struct Case {
    const char* rpt2;
    char stored8th;
  } cases[] = {{"JP1YIU A", ' '}, {"        ", 'G'}};
  for (const Case& c : cases) {
    datCh r = TestChannel();
    SetText(r.rpt1Call, "JP1YIU G");
    SetText(r.rpt2Call, c.rpt2);
    ASSERT_TRUE(r.Store(itemkind::kChannel, 3));
    EXPECT_EQ(r.rpt1Call[7], c.stored8th) << c.rpt2;
    datCh back(&image);
    back.Load(itemkind::kChannel, 3);
    EXPECT_EQ(back.rpt1Call[7], c.stored8th) << c.rpt2;
  }
}

TEST_F(ChannelRecordTest, BankNumbersAboveTheLastBankStoreNoBank) {
  for (std::uint32_t bank : {26u, 31u, 32u, 255u}) {
    datCh r = TestChannel();
    r.bank = bank;
    r.bankSlot = 42;
    ASSERT_TRUE(r.Store(itemkind::kChannel, 20));
    EXPECT_EQ(image.GetByte(layout::kChannelBankAssign + 40), 0x3F) << bank;
    EXPECT_EQ(image.GetByte(layout::kChannelBankAssign + 41), 0) << bank;
  }
  // A stored bank byte of 26..31 loads as no bank, slot 0.
  image.SetByte(layout::kChannelBankAssign + 40, 0x1A);
  image.SetByte(layout::kChannelBankAssign + 41, 0x05);
  datCh back(&image);
  back.Load(itemkind::kChannel, 20);
  EXPECT_EQ(back.bank, datCh::kBankNone);
  EXPECT_EQ(back.bankSlot, 0u);
}

TEST_F(ChannelRecordTest, SkipBitsFollowTheSkipField) {
  struct Case {
    std::uint32_t skip;
    bool skipBit;
    bool pskipBit;
    std::uint32_t loaded;
  } cases[] = {{0, false, false, 0}, {1, true, false, 1}, {3, true, true, 3}, {2, false, true, 3}};
  for (const Case& c : cases) {
    datCh r = TestChannel();
    r.skip = c.skip;
    ASSERT_TRUE(r.Store(itemkind::kChannel, 9));
    EXPECT_EQ((image.GetByte(layout::kChannelSkipBitmap + 1) >> 1) & 1, c.skipBit ? 1 : 0);
    EXPECT_EQ((image.GetByte(layout::kChannelPSkipBitmap + 1) >> 1) & 1, c.pskipBit ? 1 : 0);
    datCh back(&image);
    back.Load(itemkind::kChannel, 9);
    EXPECT_EQ(back.skip, c.loaded);
  }
}

}  // namespace
