// kw-test: link=kw_test_cells_support
// Bank sheets: a frequency typed on an empty slot makes a new channel in
// the first free memory channel, a channel number typed into a slot moves
// that channel into the bank, an empty entry takes it out, a slot claimed
// twice refuses changes, and a bank's new name renames its tree node.
#include <gtest/gtest.h>

#include "ChannelCellsRig.h"
#include "cells/names/CellNames.h"
#include "model/ImageAccess.h"
#include "model/LayoutImage.h"
#include "model/indDestination.h"
#include "platform/MessageBoxService.h"

namespace {

using kwtest::ChannelCellsRig;

class BankCellsTest : public ::testing::Test {
 protected:
  BankCellsTest() {
    r_.ClearChannels();
    for (int n = 0; n < 3; ++n) r_.SetChannel(n, 146'000'000);
  }
  std::uint16_t Slot(int bank, int slot) {
    return imageaccess::Get16(r_.rig.image, layout::BankTableEntry(bank, slot));
  }
  cmcCellObj& Cell(std::int32_t cellId, std::int32_t slot) {
    return bankA_->Cell(CT_BankCh, cellId, slot);
  }

  ChannelCellsRig r_;
  std::unique_ptr<kwtest::FixtureSheet> bankA_ = r_.rig.Sheet("21");
};

TEST_F(BankCellsTest, FrequencyOnAnEmptySlotTakesTheFirstFreeChannelWithItsBandTemplate) {
  r_.rig.events.clear();
  r_.Commit(*bankA_, Cell(CL_Mch_Freq, 5), "145");

  const datCh channel = r_.Load(itemkind::kChannel, 3);
  EXPECT_TRUE(channel.IsUsed());
  EXPECT_EQ(channel.freq, 145'000'000u);
  EXPECT_EQ(channel.bank, 0u);
  EXPECT_EQ(channel.bankSlot, 5u);
  const datCh band =
      LoadDetached(r_.initial, itemkind::kBandDefault,
                   static_cast<std::uint32_t>(indDestination::BandIndex(145'000'000)));
  EXPECT_EQ(channel.mode, band.mode);
  EXPECT_EQ(channel.tuneStep, band.tuneStep);
  EXPECT_EQ(channel.duplex, band.duplex);
  EXPECT_EQ(channel.offset, band.offset);
  EXPECT_EQ(channel.toneMode, band.toneMode);
  EXPECT_EQ(channel.rptTone, band.rptTone);
  EXPECT_TRUE(r_.Saw(ev::DocumentEdited));
  EXPECT_EQ(Slot(0, 5), 3);
  EXPECT_EQ(r_.Text(*bankA_, Cell(CL_Mch_Freq, 5)), "145.000000");
}

TEST_F(BankCellsTest, NoFreeChannelShowsTheMessageAndChangesNothing) {
  for (int n = 0; n < 1000; ++n) {
    datCh c = r_.Load(itemkind::kChannel, static_cast<std::uint32_t>(n));
    c.flags |= datCh::kUsed;
    c.freq = 146'000'000;
    c.bank = datCh::kBankNone;
    ASSERT_TRUE(c.StoreSelf());
  }
  RebuildBankTable(r_.rig.image);
  const cmcEeprom before = r_.rig.image;
  r_.boxes.Answer(platform::mb::IdOk);
  r_.rig.events.clear();

  r_.Commit(*bankA_, Cell(CL_Mch_Freq, 5), "145");
  r_.rig.Drain();

  EXPECT_EQ(r_.rig.image, before);
  ASSERT_EQ(r_.boxes.Count(), 1u);
  EXPECT_EQ(r_.boxes.Last().text.toStdString(),
            r_.rig.texts.GetFirst("GI_AppMess_BankChErr_NoChSpace"));
  std::vector<std::pair<std::intptr_t, std::intptr_t>> flags;
  for (const auto& e : r_.rig.events)
    if (e.id == ev::SheetFlag) flags.emplace_back(e.p1, e.p2);
  EXPECT_EQ(flags, (std::vector<std::pair<std::intptr_t, std::intptr_t>>{{0, 1}, {0, 0}}));
}

TEST_F(BankCellsTest, ChoosingAnUnusedChannelPlacesItBlankAndAnEmptyEntryTakesItOut) {
  r_.Commit(*bankA_, Cell(CL_Mch_Select_ChNo, 5), "17");
  datCh channel = r_.Load(itemkind::kChannel, 17);
  EXPECT_TRUE(channel.IsUsed());
  EXPECT_EQ(channel.freq, 550'005'000u);
  EXPECT_EQ(channel.bank, 0u);
  EXPECT_EQ(channel.bankSlot, 5u);
  EXPECT_EQ(Slot(0, 5), 17);
  EXPECT_EQ(r_.Text(*bankA_, Cell(CL_Mch_Freq, 5)), "");
  EXPECT_EQ(r_.Text(*bankA_, Cell(CL_Mch_Select_ChNo, 5)), "17");

  r_.Commit(*bankA_, Cell(CL_Mch_Select_ChNo, 5), "");
  channel = r_.Load(itemkind::kChannel, 17);
  EXPECT_TRUE(channel.IsUsed()) << "leaving the bank keeps the channel";
  EXPECT_EQ(channel.bank, datCh::kBankNone);
  EXPECT_EQ(Slot(0, 5), layout::kBankSlotFree);
}

TEST_F(BankCellsTest, ChoosingAChannelMovesItFromItsOldSlotAndFreesThePreviousOne) {
  r_.SetChannel(1, 146'000'000, 0, 5);
  r_.SetChannel(2, 147'000'000, 3, 9);
  r_.Commit(*bankA_, Cell(CL_Mch_Select_ChNo, 5), "2");
  EXPECT_EQ(r_.Load(itemkind::kChannel, 1).bank, datCh::kBankNone);
  const datCh moved = r_.Load(itemkind::kChannel, 2);
  EXPECT_EQ(moved.bank, 0u);
  EXPECT_EQ(moved.bankSlot, 5u);
  EXPECT_EQ(moved.freq, 147'000'000u);
  EXPECT_EQ(Slot(3, 9), layout::kBankSlotFree);
  EXPECT_NE(bankA_->redraws.back().mask & redraw::kAllData, 0) << "its old row redraws too";
}

TEST_F(BankCellsTest, ASlotClaimedTwiceRefusesFrequencyAndChannelChanges) {
  r_.SetChannel(20, 146'000'000, 0, 2);
  r_.SetChannel(21, 147'000'000, 0, 2);
  ASSERT_EQ(Slot(0, 2), layout::kBankSlotClash);
  const cmcEeprom before = r_.rig.image;

  r_.Commit(*bankA_, Cell(CL_Mch_Freq, 2), "145");
  r_.Commit(*bankA_, Cell(CL_Mch_Select_ChNo, 2), "30");
  r_.Commit(*bankA_, Cell(CL_Mch_Select_ChNo, 2), "");

  EXPECT_EQ(r_.rig.image, before);
  EXPECT_EQ(r_.boxes.Count(), 0u);
}

TEST_F(BankCellsTest, ARouteChosenForAnEmptySlotMakesTheFreeChannelOfTheSlot) {
  r_.rig.settings->RepeaterDialog = 1;
  // Cancelled: no channel is taken.
  r_.rig.host.repeaterAnswers.push_back({false, {}});
  const cmcEeprom before = r_.rig.image;
  r_.Key(*bankA_, Cell(CL_Mch_DRpt1_Callsign, 6), cellop::kEnter);
  EXPECT_EQ(r_.rig.image, before);

  // Accepted: the route the dialog wrote into the free channel (an unused
  // channel becomes its band's defaults, which carry no bank) lands in the slot.
  r_.rig.host.repeaterAnswers.push_back({true, [](datCh& record) {
                                           record.flags |= datCh::kUsed;
                                           record.freq = 439'010'000;
                                           record.mode = 5;
                                           record.bank = datCh::kBankNone;
                                           SetText(record.urCall, "CQCQCQ");
                                           SetText(record.rpt1Call, "ABCDEF B");
                                         }});
  r_.rig.events.clear();
  r_.Key(*bankA_, Cell(CL_Mch_DRpt1_Callsign, 5), cellop::kEnter);
  ASSERT_EQ(r_.rig.host.repeaterCalls.size(), 2u);
  const datCh& given = r_.rig.host.repeaterCalls.back();
  EXPECT_EQ(given.index, 3u) << "the free channel is taken before the dialog";
  EXPECT_FALSE(given.IsUsed());
  const datCh channel = r_.Load(itemkind::kChannel, 3);
  EXPECT_TRUE(channel.IsUsed());
  EXPECT_EQ(channel.freq, 439'010'000u);
  EXPECT_EQ(std::string(channel.rpt1Call.data(), 8), "ABCDEF B");
  EXPECT_EQ(channel.bank, 0u);
  EXPECT_EQ(channel.bankSlot, 5u);
  EXPECT_EQ(Slot(0, 5), 3);
  EXPECT_TRUE(r_.Saw(ev::DocumentEdited));
  EXPECT_TRUE(r_.Saw(ev::ListChanged));
}

TEST_F(BankCellsTest, ABanksNewNameRenamesItsTreeNode) {
  std::vector<std::pair<std::intptr_t, std::string>> renames;
  r_.rig.bus->AddListener(&renames, [&](const cmcEvent& e) {
    if (e.id == ev::RenameTreeNode && e.Text()) renames.emplace_back(e.p2, *e.Text());
  });
  kwtest::FixtureSheet& names = *bankA_;
  r_.Commit(names, names.Cell(CT_Null, CL_Bank_Name, 0), "Home");
  r_.Commit(names, names.Cell(CT_Null, CL_Bank_Name, 3), "Air band");
  r_.rig.Drain();
  r_.rig.bus->RemoveListener(&renames);

  using Rename = std::pair<std::intptr_t, std::string>;
  EXPECT_EQ(renames,
            (std::vector<Rename>{{21, "A: Home            "}, {24, "D: Air band        "}}));
  EXPECT_EQ(r_.Text(names, names.Cell(CT_Null, CL_Bank_Name, 0)), "Home");
}

}  // namespace
