// kw-test: link=kw_test_cells_support
// Memory-channel columns through the cell handler: the frequency's marks
// (out of band is a warning for destinations below 16, above 550 MHz an
// error with an empty text), a frequency typed on an empty row, the offset
// snapped to the channel's band, the bank slot, names and the digital code.
#include <gtest/gtest.h>

#include "ChannelCellsRig.h"
#include "cells/names/CellNames.h"
#include "model/indDestination.h"

namespace {

using kwtest::ChannelCellsRig;

class ChannelCellsTest : public ::testing::Test {
 protected:
  ChannelCellsTest() { r_.ClearChannels(); }
  cmcCellObj& Cell(std::int32_t cellId, std::int32_t index) {
    return sheet_->Cell(CT_Conv, cellId, index);
  }
  std::uint8_t Marks(cmcCellObj& cell) {
    cmcCellCapsule capsule;
    r_.Text(*sheet_, cell, &capsule);
    return capsule.stateBits & (cellstate::kWarning | cellstate::kError);
  }

  ChannelCellsRig r_;
  std::unique_ptr<kwtest::FixtureSheet> sheet_ = r_.rig.Sheet("0,0");
};

TEST_F(ChannelCellsTest, FrequencyMarksFollowTheBandPlanOfTheDestination) {
  constexpr std::uint32_t kOutOfBand = 300'000'000;
  ASSERT_TRUE(indDestination::Current().IsOutOfBand(kOutOfBand));
  r_.SetChannel(4, 145'000'000);
  r_.SetChannel(5, kOutOfBand);
  r_.SetChannel(6, 550'005'000);
  EXPECT_EQ(Marks(Cell(CL_Mch_Freq, 4)), 0);
  EXPECT_EQ(Marks(Cell(CL_Mch_Freq, 5)), cellstate::kWarning);
  EXPECT_NE(Marks(Cell(CL_Mch_Freq, 6)) & cellstate::kError, 0);
  EXPECT_EQ(r_.Text(*sheet_, Cell(CL_Mch_Freq, 6)), "") << "above 550 MHz shows nothing";
  EXPECT_EQ(r_.Text(*sheet_, Cell(CL_Mch_Freq, 5)), "300.000000");
  {
    ScopedDestination none{indDestination(indDestination::kNone)};
    EXPECT_EQ(Marks(Cell(CL_Mch_Freq, 5)), 0) << "no destination, no band check";
  }
}

TEST_F(ChannelCellsTest, FrequencyOnAnEmptyRowMakesAChannelFromItsBandTemplate) {
  r_.rig.events.clear();
  r_.Commit(*sheet_, Cell(CL_Mch_Freq, 8), "433.0125");
  const datCh channel = r_.Load(itemkind::kChannel, 8);
  ASSERT_TRUE(channel.IsUsed());
  EXPECT_EQ(channel.freq, 433'012'500u);
  const datCh band =
      LoadDetached(r_.initial, itemkind::kBandDefault,
                   static_cast<std::uint32_t>(indDestination::BandIndex(433'012'500)));
  EXPECT_EQ(channel.mode, band.mode);
  EXPECT_EQ(channel.tuneStep, band.tuneStep);
  EXPECT_EQ(channel.duplex, band.duplex);
  EXPECT_EQ(channel.bank, datCh::kBankNone);
  EXPECT_TRUE(r_.Saw(ev::DocumentEdited));
  EXPECT_TRUE(r_.Saw(ev::ListChanged));
}

TEST_F(ChannelCellsTest, AFrequencyTheSnapRefusesOrThatHasNoDigitChangesNothing) {
  r_.SetChannel(4, 145'000'000);
  const cmcEeprom before = r_.rig.image;
  r_.Commit(*sheet_, Cell(CL_Mch_Freq, 4), "abc");
  r_.Commit(*sheet_, Cell(CL_Mch_Freq, 9), "");
  EXPECT_EQ(r_.rig.image, before);
}

TEST_F(ChannelCellsTest, EmptyRowHandsTypedKeysToTheFrequencyCell) {
  cmcCellCapsule capsule;
  r_.Key(*sheet_, Cell(CL_Mch_Name, 9), '4', &capsule);
  EXPECT_EQ(capsule.followUpOperation, '4');
  EXPECT_EQ(capsule.targetCellId, CL_Mch_Freq);
  EXPECT_EQ(r_.Key(*sheet_, Cell(CL_Mch_Freq, 9), '4', &capsule), kCellOpenEditor);
  EXPECT_EQ(capsule.outputText, "4");
}

TEST_F(ChannelCellsTest, OffsetSnapsToTheChannelsBandAndGreysWithoutDuplex) {
  r_.SetChannel(4, 145'000'000);
  r_.Commit(*sheet_, Cell(CL_Mch_Offset_Freq, 4), "0.6001");
  EXPECT_EQ(r_.Load(itemkind::kChannel, 4).offset, 600'000u);
  EXPECT_EQ(r_.Text(*sheet_, Cell(CL_Mch_Offset_Freq, 4)), "  0.600000");
}

TEST_F(ChannelCellsTest, NameAndDigitalCodeStoreOnAChange) {
  r_.SetChannel(4, 145'000'000);
  r_.Commit(*sheet_, Cell(CL_Mch_Name, 4), "Local rpt");
  r_.Commit(*sheet_, Cell(CL_Mch_Digital_Code, 4), "7");
  const datCh channel = r_.Load(itemkind::kChannel, 4);
  EXPECT_EQ(std::string(channel.name.data(), 16), "Local rpt       ");
  EXPECT_EQ(channel.dvCsqlCode, 7u);
  EXPECT_EQ(r_.Text(*sheet_, Cell(CL_Mch_Name, 4)), "Local rpt");
  EXPECT_EQ(r_.Text(*sheet_, Cell(CL_Mch_Digital_Code, 4)), "07");
}

TEST_F(ChannelCellsTest, BankSlotMovesWithinTheBankAndMarksASlotClaimedTwice) {
  r_.SetChannel(4, 145'000'000, 1, 3);
  r_.SetChannel(5, 146'000'000, 1, 7);
  r_.Commit(*sheet_, Cell(CL_Mch_Bank_ChNo, 4), "8");
  EXPECT_EQ(r_.Load(itemkind::kChannel, 4).bankSlot, 8u);
  EXPECT_NE(sheet_->redraws.back().mask & redraw::kAllData, 0);
  r_.Commit(*sheet_, Cell(CL_Mch_Bank_ChNo, 4), "7");
  EXPECT_EQ(Marks(Cell(CL_Mch_Bank_ChNo, 4)), cellstate::kError);
  EXPECT_EQ(Marks(Cell(CL_Mch_Bank_ChNo, 5)), cellstate::kError);

  r_.SetChannel(6, 147'000'000);  // no bank: the slot cannot be set
  const cmcEeprom before = r_.rig.image;
  r_.Commit(*sheet_, Cell(CL_Mch_Bank_ChNo, 6), "4");
  EXPECT_EQ(r_.rig.image, before);
}

}  // namespace

namespace {

TEST_F(ChannelCellsTest, RouteCellOffersTheRepeaterDialogAndStoresWhatItChose) {
  r_.SetChannel(4, 145'000'000);
  r_.rig.settings->RepeaterDialog = 1;
  r_.rig.host.repeaterAnswers.push_back({false, {}});
  const cmcEeprom before = r_.rig.image;
  r_.Key(*sheet_, Cell(CL_Mch_DYou_Callsign, 4), cellop::kEnter);
  EXPECT_EQ(r_.rig.image, before) << "a cancelled dialog changes nothing";

  r_.rig.host.repeaterAnswers.push_back(
      {true, [](datCh& record) { SetText(record.urCall, "JA1ABC"); }});
  r_.Key(*sheet_, Cell(CL_Mch_DYou_Callsign, 4), cellop::kEnter);
  ASSERT_EQ(r_.rig.host.repeaterCalls.size(), 2u);
  const datCh& given = r_.rig.host.repeaterCalls.back();
  EXPECT_EQ(given.index, 4u);
  EXPECT_EQ(given.routeKind, 1u) << "the dialog gets the channel's route summed up";
  EXPECT_EQ(std::string(r_.Load(itemkind::kChannel, 4).urCall.data(), 8), "JA1ABC  ");
  EXPECT_TRUE(r_.rig.host.dialogCalls.empty()) << "Enter never opens the plain selector";

  r_.rig.settings->RepeaterDialog = 0;
  r_.Commit(*sheet_, Cell(CL_Mch_DRpt1_Callsign, 4), "jp1yiu a");
  EXPECT_EQ(std::string(r_.Load(itemkind::kChannel, 4).rpt1Call.data(), 8), "JP1YIU A");
}

}  // namespace
