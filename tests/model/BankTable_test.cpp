// kw-test: with=BlankListsImage.cpp
// Bank table rebuild and the USE(FROM) keeper across a repeater import.
#include "model/BankTable.h"

#include <gtest/gtest.h>

#include "BlankListsImage.h"
#include "model/ImageAccess.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/datCh.h"
#include "model/indRptStatusKeep.h"

namespace {

using namespace layout;

void StoreChannel(cmcEeprom& image, int n, std::uint32_t bank, std::uint32_t slot,
                  bool used = true) {
  datCh r(&image);
  r.freq = 145000000;
  r.bank = bank;
  r.bankSlot = slot;
  r.flags = used ? datCh::kUsed : 0;
  ASSERT_TRUE(r.Store(itemkind::kChannel, static_cast<std::uint32_t>(n)));
}

TEST(BankTableTest, RebuildsFromTheChannels) {
  cmcEeprom image = kwtest::MakeBlankListsImage(0);
  StoreChannel(image, 10, 25, 99);
  StoreChannel(image, 11, 0, 0);
  StoreChannel(image, 12, 0, 0);         // the same slot again
  StoreChannel(image, 13, 1, 5, false);  // unused: no bank
  // A damaged slot number past 99 claims nothing.
  image.SetByte(kChannelBankAssign + 2 * 14, 3);
  image.SetByte(kChannelBankAssign + 2 * 14 + 1, 150);
  imageaccess::SetBit(image, kChannelEmptyBitmap, 14, false);
  imageaccess::Set16(image, BankTableEntry(7, 7), 0x1234);  // stale entry
  RebuildBankTable(image);

  EXPECT_EQ(BankTableEntry(25, 99), 0x2B801);
  EXPECT_EQ(imageaccess::Get16(image, 0x2B801), 10);
  EXPECT_EQ(imageaccess::Get16(image, BankTableEntry(0, 0)), kBankSlotClash);
  EXPECT_EQ(imageaccess::Get16(image, BankTableEntry(1, 5)), kBankSlotFree);
  EXPECT_EQ(imageaccess::Get16(image, BankTableEntry(7, 7)), kBankSlotFree);
  int claimed = 0;
  for (int b = 0; b < kBankCount; ++b)
    for (int s = 0; s < kBankSlots; ++s)
      claimed += imageaccess::Get16(image, BankTableEntry(b, s)) != kBankSlotFree;
  EXPECT_EQ(claimed, 2);
}

struct KeeperRepeater {
  const char* call;
  std::uint32_t type, duplex, freq, useFrom;
};

void PutRepeaters(cmcEeprom& image, std::initializer_list<KeeperRepeater> list) {
  int i = 0;
  for (const KeeperRepeater& k : list) {
    datCh r(&image);
    r.Load(itemkind::kRepeater, static_cast<std::uint32_t>(i));
    SetText(r.rptCall, k.call);
    r.rptMode = k.type;
    r.duplex = k.duplex;
    r.freq = k.freq;
    r.offset = k.duplex ? 5000000 : 0;
    r.useFrom = k.useFrom;
    ASSERT_TRUE(r.Store(itemkind::kRepeater, static_cast<std::uint32_t>(i)));
    ++i;
  }
  SetRptGroupCount(image, 0, i);
}

TEST(RptStatusKeepTest, RestoresUseFromOfMatchingEntries) {
  cmcEeprom before = kwtest::MakeBlankListsImage(0);
  PutRepeaters(before, {
                           {"JP1YIU A", 0, 2, 434000000, 1},  // DV with call: the call decides
                           {"        ", 0, 0, 145000000, 1},  // DV blank call: equal frequency
                           {"JR1VF   ", 1, 1, 439500000, 1},  // FM duplex: same general range
                           {"JR1WW   ", 1, 0, 145500000, 1},  // FM simplex: equal frequency
                           {"JR1XX   ", 2, 1, 439000000, 1},
                       });
  cmcEeprom after = kwtest::MakeBlankListsImage(0);
  PutRepeaters(after, {
                          {"JR1VF   ", 1, 1, 431000000, 0},  // same range: takes 1
                          {"JP1YIU A", 0, 0, 0, 0},          // DV, call matches: takes 1
                          {"        ", 0, 0, 145000000, 0},  // takes 1
                          {"        ", 0, 0, 145010000, 0},  // other frequency: stays 0
                          {"JR1WW   ", 1, 0, 145510000, 0},  // simplex, other frequency: stays
                          {"JR1XX   ", 1, 0, 439000000, 0},  // duplex differs: stays
                          {"JP1YIU A", 1, 1, 434000000, 0},  // kind differs (FM vs DV): stays
                      });
  indRptStatusKeep keeper;
  keeper.SetBefore(before, 0, 4);
  keeper.SetAfter(&after, 0, 6);
  EXPECT_EQ(keeper.Restore(), 3);
  const std::uint32_t expected[] = {1, 1, 1, 0, 0, 0, 0};
  for (int i = 0; i < 7; ++i) {
    datCh r(&after);
    r.Load(itemkind::kRepeater, static_cast<std::uint32_t>(i));
    EXPECT_EQ(r.useFrom, expected[i]) << i;
  }
}

TEST(RptStatusKeepTest, WithoutAfterImageNothingHappens) {
  cmcEeprom before = kwtest::MakeBlankListsImage(0);
  indRptStatusKeep keeper;
  keeper.SetBefore(before, 5, 2);  // last at least first
  EXPECT_EQ(keeper.Restore(), 0);
}

}  // namespace
