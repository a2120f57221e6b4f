// kw-test: link=kw_test_model_support
// Row-range queries and clears on the list fixture (channels 5 A, 6 B, 7 C
// in bank A slot 3, 20 E; repeaters R0-R3; your-calls U0-U2; GPS G0-G3).
#include "model/ListRows.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/cmcEvMan.h"
#include "model/BankTable.h"
#include "model/ImageAccess.h"
#include "model/ItemKinds.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/datCh.h"
#include "model/indDestination.h"
#include "support/ManualClock.h"
#include "support/model/ListFixture.h"

namespace {

using namespace layout;

class ListRowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    image = kwtest::LoadListFixture("dv-routes.txt");
    initial = kwtest::InitialImageDest0();
    bus.AddListener(this, [this](const cmcEvent& e) { events.emplace_back(e.id, e.p2); });
  }

  datCh Load(std::uint32_t kind, int i) {
    datCh r(&image);
    r.Load(kind, static_cast<std::uint32_t>(i));
    return r;
  }

  void SetSlotWord(int bank, int slot, std::uint16_t word) {
    imageaccess::Set16(image, BankTableEntry(bank, slot), word);
  }

  // The events so far: sent ones at once, posted ones after a drain.
  std::vector<std::pair<int, std::intptr_t>> Events() {
    bus.Drain();
    return std::exchange(events, {});
  }

  ScopedDestination destination{indDestination(0)};
  kwtest::ManualClock clock;
  cmcEeprom image;
  cmcEeprom initial;
  cmcEvMan bus;
  std::vector<std::pair<int, std::intptr_t>> events;
};

TEST_F(ListRowsTest, ListRangeEmptiness) {
  EXPECT_TRUE(IsListRangeEmpty(image, itemkind::kChannel, 0, 4));
  EXPECT_FALSE(IsListRangeEmpty(image, itemkind::kChannel, 4, 5));
  EXPECT_TRUE(IsListRangeEmpty(image, itemkind::kChannel, 7, 5));  // first > last
  EXPECT_TRUE(IsListRangeEmpty(image, itemkind::kChannel, -100, 4));
  EXPECT_FALSE(IsListRangeEmpty(image, itemkind::kRepeater, 3, 5000));
  EXPECT_TRUE(IsListRangeEmpty(image, itemkind::kRepeater, 4, 1499));
  EXPECT_TRUE(IsListRangeEmpty(image, itemkind::kCallListA, 0, 9));
  EXPECT_TRUE(IsListRangeEmpty(image, 0, 0, 9));
}

TEST_F(ListRowsTest, BankRangeEmptinessFollowsOnlyChannelWords) {
  EXPECT_TRUE(IsBankRangeEmpty(image, 0, 0, 2));
  EXPECT_FALSE(IsBankRangeEmpty(image, 0, 0, 99));
  EXPECT_FALSE(IsBankRangeEmpty(image, 0, -5, 500));
  EXPECT_TRUE(IsBankRangeEmpty(image, 0, 4, 3));
  EXPECT_TRUE(IsBankRangeEmpty(image, 1, 0, 99));
  EXPECT_TRUE(IsBankRangeEmpty(image, 26, 0, 99));
  EXPECT_TRUE(IsBankRangeEmpty(image, -1, 0, 99));
  SetSlotWord(1, 0, 1200);  // damaged
  SetSlotWord(1, 1, kBankSlotClash);
  SetSlotWord(1, 2, 30);  // names an unused channel
  EXPECT_TRUE(IsBankRangeEmpty(image, 1, 0, 99));
}

TEST_F(ListRowsTest, FreeBankSlots) {
  EXPECT_EQ(FindFreeBankSlot(image, 0), 0);
  SetSlotWord(0, 0, kBankSlotClash);  // claimed twice is not free
  SetSlotWord(0, 1, 5);
  EXPECT_EQ(FindFreeBankSlot(image, 0), 2);
  for (int slot = 0; slot < kBankSlots; ++slot) SetSlotWord(1, slot, 500);
  EXPECT_EQ(FindFreeBankSlot(image, 1), std::nullopt);  // full, not slot 0
  EXPECT_EQ(FindFreeBankSlot(image, 26), std::nullopt);
  EXPECT_EQ(FindFreeBankSlot(image, -1), std::nullopt);
}

TEST_F(ListRowsTest, ChannelsInABankSlot) {
  EXPECT_EQ(CountChannelsInBank(image, 0, 3), 1);
  datCh ch = Load(itemkind::kChannel, 8);
  ch.flags |= datCh::kUsed;
  ch.freq = 145500000;
  ch.bank = 0;
  ch.bankSlot = 3;
  ASSERT_TRUE(ch.StoreSelf());
  EXPECT_EQ(CountChannelsInBank(image, 0, 3), 2);
  EXPECT_EQ(CountChannelsInBank(image, 0, 4), 0);
  EXPECT_EQ(CountChannelsInBank(image, 0, 100), 0);
  EXPECT_EQ(CountChannelsInBank(image, 26, 3), 0);
}

TEST_F(ListRowsTest, ClearingChannelsLeavesThemEmptyAsInTheInitialImage) {
  SetSelectedChannel(image, 6);
  EXPECT_EQ(ClearListRows(image, initial, bus, itemkind::kChannel, 5, 6), 2);
  EXPECT_FALSE(Load(itemkind::kChannel, 5).IsUsed());
  EXPECT_FALSE(Load(itemkind::kChannel, 6).IsUsed());
  EXPECT_TRUE(Load(itemkind::kChannel, 7).IsUsed());
  for (int n : {5, 6}) {
    for (int k = 0; k < kChannelSize; ++k)
      EXPECT_EQ(image.GetByte(ChannelAddress(n) + k), initial.GetByte(ChannelAddress(n) + k))
          << n << " byte " << k;
  }
  EXPECT_EQ(GetSelectedChannel(image), 6);  // the commands look after the selection
  const std::vector<std::pair<int, std::intptr_t>> expected = {
      {ev::DocumentEdited, 0}, {ev::CellsRefreshIndex, 5}, {ev::CellsRefreshIndex, 6}};
  EXPECT_EQ(Events(), expected);
}

TEST_F(ListRowsTest, ClearingPackedListsKeepsTheirEntries) {
  EXPECT_EQ(ClearListRows(image, initial, bus, itemkind::kRepeater, 1, 1), 1);
  const datCh blank = Load(itemkind::kRepeater, 1);
  EXPECT_TRUE(blank.IsUsed());  // still an entry of group 0
  EXPECT_EQ(std::string(blank.rptCall.data(), 8), "CALLSIGN");
  EXPECT_TRUE(IsBlankText(blank.name));
  EXPECT_EQ(std::string(Load(itemkind::kRepeater, 2).name.data(), 8), "REMOTE-C");
  EXPECT_EQ(GetRptGroupCount(image, 0), 2);

  EXPECT_EQ(ClearListRows(image, initial, bus, itemkind::kYourCall, 0, 0), 1);
  EXPECT_EQ(std::string(Load(itemkind::kYourCall, 0).urCall.data(), 8), "CALLSIGN");
  EXPECT_EQ(GetYourCallCount(image), 3);

  EXPECT_EQ(ClearListRows(image, initial, bus, itemkind::kGpsMemory, 1, 1), 1);
  EXPECT_TRUE(IsBlankText(Load(itemkind::kGpsMemory, 1).gpsName));
  EXPECT_EQ(GpsOrderCount(image), 4);
}

TEST_F(ListRowsTest, ClearsStayInsideTheirList) {
  const cmcEeprom before = image;
  // Rows past the used repeaters, your-call signs and GPS memories.
  EXPECT_EQ(ClearListRows(image, initial, bus, itemkind::kRepeater, 4, 1499), 0);
  EXPECT_EQ(ClearListRows(image, initial, bus, itemkind::kYourCall, 3, 299), 0);
  EXPECT_EQ(ClearListRows(image, initial, bus, itemkind::kGpsMemory, 4, 299), 0);
  // Lists a clear leaves alone, and empty ranges.
  EXPECT_EQ(ClearListRows(image, initial, bus, itemkind::kLinkPosition, 0, 25), 0);
  EXPECT_EQ(ClearListRows(image, initial, bus, itemkind::kRxCall, 0, 49), 0);
  EXPECT_EQ(ClearListRows(image, initial, bus, itemkind::kCallListC, 0, 19), 0);
  EXPECT_EQ(ClearListRows(image, initial, bus, itemkind::kChannel, 9, 8), 0);
  EXPECT_EQ(ClearListRows(image, initial, bus, itemkind::kChannel, 2000, 3000), 0);
  EXPECT_TRUE(Events().empty());
  EXPECT_TRUE(before == image);
  // A range reaching past the list is clipped to it.
  EXPECT_EQ(ClearListRows(image, initial, bus, itemkind::kRepeater, 3, 5), 1);
}

TEST_F(ListRowsTest, BankRowsEraseTheirChannels) {
  SetSelectedChannel(image, 7);
  EXPECT_EQ(ClearBankRows(image, 0, 0, 5), 1);
  EXPECT_FALSE(Load(itemkind::kChannel, 7).IsUsed());
  EXPECT_EQ(Load(itemkind::kChannel, 7).bank, datCh::kBankNone);
  EXPECT_EQ(GetSelectedChannel(image), kNoSelectedChannel);
  EXPECT_TRUE(Load(itemkind::kChannel, 5).IsUsed());
}

TEST_F(ListRowsTest, BankClearPassesOverWordsThatDoNotMatch) {
  SetSlotWord(0, 4, 5);               // channel 5 is in no bank
  SetSlotWord(0, 5, 1200);            // damaged
  SetSlotWord(0, 6, kBankSlotClash);  // claimed twice
  const cmcEeprom before = image;
  EXPECT_EQ(ClearBankRows(image, 0, 4, 6), 0);
  EXPECT_EQ(ClearBankRows(image, 26, 0, 99), 0);
  EXPECT_EQ(ClearBankRows(image, 0, 50, 10), 0);
  EXPECT_TRUE(before == image);
}

TEST_F(ListRowsTest, PagesInUse) {
  const struct {
    int page;
    bool inUse;
  } cases[] = {{0, true},   {1, false},  {9, false}, {21, true}, {22, false}, {48, false},
               {51, false}, {60, false}, {99, true}, {-1, true}, {250, true}};
  for (const auto& c : cases) EXPECT_EQ(IsPageInUse(image, c.page), c.inUse) << c.page;
  EXPECT_EQ(IsPageInUse(image, 47), !IsListRangeEmpty(image, itemkind::kChannel, 1000, 1003));

  // A scan edge in program link 2 makes page 53 used.
  datCh edge = Load(itemkind::kScanEdge, 4);
  edge.flags |= datCh::kUsed;
  edge.freq = 144000000;
  edge.freq2 = 146000000;
  ASSERT_TRUE(edge.StoreSelf());
  EXPECT_TRUE(IsPageInUse(image, 48));
  datCh link = Load(itemkind::kLinkPosition, 2 * kLinkPositions);
  link.linkEdge = 4;
  link.linkMember = 1;
  ASSERT_TRUE(link.StoreSelf());
  EXPECT_TRUE(IsPageInUse(image, 53));
  EXPECT_FALSE(IsPageInUse(image, 52));
}

TEST_F(ListRowsTest, AnyChannelInABank) {
  EXPECT_TRUE(AnyChannelInBank(image));
  ClearBankRows(image, 0, 0, 99);
  EXPECT_FALSE(AnyChannelInBank(image));
}

}  // namespace
