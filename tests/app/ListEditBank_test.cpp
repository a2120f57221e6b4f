// kw-test: gui
// kw-test: with=ListEditHarness.cpp
// kw-test: link=kw_test_model_support
// Row commands of the bank sheets: a row is a slot of the bank, and the
// commands move, erase and fill the memory channels the slots name.
#include <gtest/gtest.h>

#include "ListEditHarness.h"
#include "model/BankTable.h"
#include "model/ImageAccess.h"
#include "model/ItemKinds.h"
#include "model/LayoutImage.h"
#include "model/ListCounts.h"
#include "platform/MessageBoxService.h"

namespace {

using kwtest::ListEditHarness;
using Lines = std::vector<std::string>;
using namespace layout;

constexpr int kOk = platform::mb::IdOk;
constexpr int kBankB = 1;

// Bank B slots 2..5 and 10 hold channels 100..103 and 108, named after their
// slot ("S2" ...); slot 99 holds channel 199.
class ListEditBankTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int slot : {2, 3, 4, 5, 10, 99}) {
      const std::string name = "S" + std::to_string(slot);
      h.SetChannel(slot == 99 ? 199 : 98 + slot, name.c_str(), 145000000, kBankB, slot);
    }
    h.Events();
  }

  // Name of the channel in a slot, "" for a free slot, "!" for one claimed twice.
  std::string At(int slot) {
    RebuildBankTable(h.image);
    const std::uint16_t word = imageaccess::Get16(h.image, BankTableEntry(kBankB, slot));
    if (word == kBankSlotClash) return "!";
    return word < 1000 ? h.ChannelName(word) : "";
  }

  ListEditHarness h;
};

TEST_F(ListEditBankTest, CopyResolvesSlotsAndPasteFillsFreeChannels) {
  h.RunBank(CL_PMenu_Copy, kBankB, 2, 2, 3);
  EXPECT_EQ(h.clip.Kind(), itemkind::kChannel);  // bank rows are channels
  EXPECT_TRUE(h.Events().empty());               // no status for a bank copy
  const cmcCellCapsule c = h.RunBank(CL_PMenu_Paste, kBankB, 20);
  EXPECT_EQ(At(20), "S2");
  EXPECT_EQ(At(21), "S3");
  EXPECT_EQ(At(2), "S2");             // the original stays
  EXPECT_EQ(h.ChannelName(0), "S2");  // the first free memory channels
  EXPECT_EQ(h.ChannelName(1), "S3");
  EXPECT_EQ(c.firstSelected, 20);
  EXPECT_EQ(c.lastSelected, 21);
  EXPECT_EQ(h.Events(), (Lines{"send 45", "send 4 Pasted.", "send 44", "post 15"}));
  EXPECT_EQ(h.modified, 1);
}

TEST_F(ListEditBankTest, BankRowsPasteIntoChannelsAndChannelRowsIntoBanks) {
  h.RunBank(CL_PMenu_Copy, kBankB, 2);
  h.Run(CL_PMenu_Paste, itemkind::kChannel, 30, 0, 99);
  EXPECT_EQ(h.ChannelName(30), "S2");
  EXPECT_EQ(h.Load(itemkind::kChannel, 30).bank, datCh::kBankNone);  // not in any bank
  h.Run(CL_PMenu_Copy, itemkind::kChannel, 5, 0, 99);                // A
  h.boxes.Answer(kOk);                                               // slot 2 holds S2
  h.RunBank(CL_PMenu_Paste, kBankB, 2);
  EXPECT_EQ(At(2), "A");
  EXPECT_EQ(h.ChannelName(100), "A");  // pasted over the channel of the slot
}

TEST_F(ListEditBankTest, PasteStopsWhenNoMemoryChannelIsLeft) {
  for (int n = 0; n < 1000; ++n) {
    datCh ch = h.Load(itemkind::kChannel, n);
    if (ch.IsUsed() || n == 500) continue;
    ch.flags |= datCh::kUsed;
    ch.freq = 146000000;
    ASSERT_TRUE(ch.StoreSelf());
  }
  h.Run(CL_PMenu_Copy, itemkind::kChannel, 5, 0, 99, 5, 7);
  h.boxes.Answer(kOk);
  h.RunBank(CL_PMenu_Paste, kBankB, 50);
  EXPECT_EQ(h.Boxes(), (Lines{"10 No empty memory channel is left for the bank."}));
  EXPECT_EQ(At(50), "A");
  EXPECT_EQ(At(51), "");
  EXPECT_EQ(h.ChannelName(500), "A");
  const Lines events = h.Events();
  EXPECT_NE(std::find(events.begin(), events.end(), "send 4 Pasted."), events.end());
  // Nothing pasted at all: no report.
  h.boxes.Answer(kOk);
  h.RunBank(CL_PMenu_Paste, kBankB, 60);
  EXPECT_EQ(h.Boxes().size(), 1u);
  for (const std::string& e : h.Events()) EXPECT_NE(e, "send 4 Pasted.");
}

TEST_F(ListEditBankTest, ASlotClaimedTwiceIsNotPastedOver) {
  h.SetChannel(300, "T1", 145000000, kBankB, 40);
  h.SetChannel(301, "T2", 145000000, kBankB, 40);
  h.Run(CL_PMenu_Copy, itemkind::kChannel, 5, 0, 99);
  h.RunBank(CL_PMenu_Paste, kBankB, 40);  // the row shows empty: no question
  EXPECT_EQ(At(40), "!");
  EXPECT_EQ(h.ChannelName(300), "T1");
  EXPECT_EQ(h.ChannelName(301), "T2");
}

TEST_F(ListEditBankTest, CarryExchangesSlots) {
  const cmcCellCapsule c = h.RunBank(CL_PMenu_CarryUp, kBankB, 3, 3, 4);
  EXPECT_EQ(At(2), "S3");
  EXPECT_EQ(At(3), "S4");
  EXPECT_EQ(At(4), "S2");
  EXPECT_EQ(c.firstSelected, 2);
  EXPECT_EQ(c.lastSelected, 3);
  EXPECT_EQ(c.targetIndex, 2);
  EXPECT_EQ(h.Events(), (Lines{"send 45", "send 45", "post 15"}));
  EXPECT_EQ(h.modified, 1);
  // At the bank's first slot nothing moves; the sheet is only refreshed.
  const cmcEeprom before = h.image;
  h.RunBank(CL_PMenu_CarryUp, kBankB, 0, 0, 1);
  EXPECT_TRUE(before == h.image);
  EXPECT_EQ(h.Events(), (Lines{"post 15"}));
  EXPECT_EQ(h.modified, 1);
}

TEST_F(ListEditBankTest, ClearErasesTheChannels) {
  SetSelectedChannel(h.image, 101);
  h.boxes.Answer(kOk);
  h.RunBank(CL_PMenu_Clear, kBankB, 3, 3, 4);
  EXPECT_EQ(h.Boxes(), (Lines{"31 Clear the selected rows?"}));
  EXPECT_EQ(h.ChannelName(101), "");  // erased, not only out of the bank
  EXPECT_EQ(h.ChannelName(102), "");
  EXPECT_EQ(At(5), "S5");
  EXPECT_EQ(GetSelectedChannel(h.image), kNoSelectedChannel);
  EXPECT_EQ(h.Events(), (Lines{"send 45", "send 4 Cleared.", "send 44", "post 15"}));
}

TEST_F(ListEditBankTest, DeleteErasesAndClosesUp) {
  h.boxes.Answer(kOk);
  const cmcCellCapsule c = h.RunBank(CL_PMenu_Delete, kBankB, 3, 3, 4);
  EXPECT_EQ(h.ChannelName(101), "");
  EXPECT_EQ(h.ChannelName(102), "");
  EXPECT_EQ(At(3), "S5");
  EXPECT_EQ(At(8), "S10");
  EXPECT_EQ(At(97), "S99");
  EXPECT_EQ(c.targetIndex, 3);
  EXPECT_EQ(c.selectionBits & cellselect::kSelectRows, 0);
  EXPECT_EQ(h.Events(), (Lines{"send 45", "send 4 Deleted.", "send 44", "post 15"}));
}

TEST_F(ListEditBankTest, InsertPushesTheLastChannelOutAndItStaysErased) {
  SetSelectedChannel(h.image, 199);
  h.boxes.Answer(kOk);
  const cmcCellCapsule c = h.RunBank(CL_PMenu_Insert, kBankB, 2, 2, 3);
  EXPECT_EQ(h.Boxes(),
            (Lines{"31 The data in the last rows of the list will be lost. Insert anyway?"}));
  EXPECT_EQ(At(4), "S2");
  EXPECT_EQ(At(12), "S10");
  EXPECT_EQ(h.ChannelName(199), "");
  EXPECT_EQ(h.Load(itemkind::kChannel, 199).bank, datCh::kBankNone);
  EXPECT_EQ(GetSelectedChannel(h.image), kNoSelectedChannel);
  EXPECT_EQ(c.firstSelected, 2);
  EXPECT_EQ(c.lastSelected, 3);
  EXPECT_EQ(h.Events(), (Lines{"send 45", "send 4 Inserted.", "send 44", "post 15"}));
}

TEST_F(ListEditBankTest, BankOffTakesChannelsOutOfTheBank) {
  h.RunBank(CL_PMenu_BankOff, kBankB, 2, 2, 3);
  EXPECT_EQ(h.ChannelName(100), "S2");  // still a channel
  EXPECT_EQ(h.Load(itemkind::kChannel, 100).bank, datCh::kBankNone);
  EXPECT_EQ(At(2), "");
  EXPECT_EQ(At(4), "S4");
  EXPECT_EQ(h.Events(), (Lines{"send 45", "post 15"}));
  EXPECT_EQ(h.Boxes().size(), 0u);
}

TEST_F(ListEditBankTest, NoBankOrNoRowDoesNothing) {
  const cmcEeprom before = h.image;
  for (int command : {CL_PMenu_BankOff, CL_PMenu_Copy, CL_PMenu_Paste, CL_PMenu_CarryUp,
                      CL_PMenu_Clear, CL_PMenu_Delete, CL_PMenu_Insert}) {
    h.RunBank(command, 26, 2);
    h.RunBank(command, -1, 2);
    h.RunBank(command, kBankB, 100);
    h.RunBank(command, kBankB, 5, 9, 4);
  }
  EXPECT_TRUE(before == h.image);
  EXPECT_TRUE(h.Events().empty());
}

}  // namespace
