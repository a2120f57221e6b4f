// kw-test: link=kw_test_cells_support
// Choice columns of the memory-channel sheet through the cell handler: grey
// tone cells of a channel that is not FM (still editable), the step list
// chosen by band and destination, the bank column's free slot, and values
// outside their list shown as the lists show them and never rewritten.
#include <gtest/gtest.h>

#include "ChannelCellsRig.h"
#include "cells/ChoiceList.h"
#include "cells/names/CellNames.h"
#include "model/ImageAccess.h"
#include "model/LayoutImage.h"
#include "sheet/RecordingCanvas.h"

namespace {

using kwtest::ChannelCellsRig;

class ChannelChoiceCellsTest : public ::testing::Test {
 protected:
  ChannelChoiceCellsTest() { r_.ClearChannels(); }
  cmcCellObj& Cell(std::int32_t cellId, std::int32_t index) {
    return sheet_->Cell(CT_Conv, cellId, index);
  }
  void Edit(int n, const std::function<void(datCh&)>& change) {
    datCh c = r_.Load(itemkind::kChannel, static_cast<std::uint32_t>(n));
    change(c);
    ASSERT_TRUE(c.StoreSelf());
  }

  ChannelCellsRig r_;
  std::unique_ptr<kwtest::FixtureSheet> sheet_ = r_.rig.Sheet("0,0");
};

TEST_F(ChannelChoiceCellsTest, ToneCellsOfAnAmChannelDrawLightGreyAndStayEditable) {
  r_.SetChannel(4, 124'000'000);
  Edit(4, [](datCh& c) {
    c.mode = 3;  // AM
    c.toneMode = 1;
    c.rptTone = 0;
  });
  kwtest::RecordingCanvas canvas;
  canvas.SetFontColor(Qt::black);
  cmcCellCapsule capsule = ChannelCellsRig::Prepare(*sheet_, Cell(CL_Mch_TONE_Freq, 4));
  capsule.canvas = &canvas;
  r_.rig.frame.Handle(capsule, 0);
  EXPECT_EQ(canvas.FontColor(), QColor(0xC0, 0xC0, 0xC0));
  EXPECT_FALSE(capsule.outputText.empty());

  r_.Key(*sheet_, Cell(CL_Mch_TONE_Freq, 4), cellop::kSpace);
  EXPECT_NE(r_.Load(itemkind::kChannel, 4).rptTone, 0u) << "Space stepped the grey tone";

  Edit(4, [](datCh& c) { c.mode = 0; });  // FM with a tone: drawn as it is
  canvas.SetFontColor(Qt::black);
  capsule = ChannelCellsRig::Prepare(*sheet_, Cell(CL_Mch_TONE_Freq, 4));
  capsule.canvas = &canvas;
  r_.rig.frame.Handle(capsule, 0);
  EXPECT_EQ(canvas.FontColor(), QColor(Qt::black));
}

TEST_F(ChannelChoiceCellsTest, StepListFollowsBandDestinationAndCurrentCode) {
  const struct {
    int destination;
    std::uint32_t freq, mode, step;
    const char* list;
    bool warning;
  } cases[] = {
      {0, 124'000'000, 3, 5, "GI_Sheet_Sel_Mch_TS_Pitch_Air_w12_5", true},
      {2, 145'000'000, 0, 2, "GI_Sheet_Sel_Mch_TS_Pitch_Jpn_VU_w8_33", true},
      {0, 145'000'000, 0, 14, "GI_Sheet_Sel_Mch_TS_Pitch_Exp_VU_wAuto", true},
      {0, 145'000'000, 0, 0, "GI_Sheet_Sel_Mch_TS_Pitch_Exp_VU", false},
  };
  for (const auto& c : cases) {
    r_.rig.settings->EtcData.destination = static_cast<std::uint32_t>(c.destination);
    r_.SetChannel(4, c.freq);
    Edit(4, [&](datCh& ch) {
      ch.mode = c.mode;
      ch.tuneStep = c.step;
    });
    cmcCellCapsule capsule;
    const std::string text = r_.Text(*sheet_, Cell(CL_Mch_TS_Pitch, 4), &capsule);
    const std::string expected =
        ChoiceTextOf(r_.rig.texts, c.list, CL_FlexMark_Mch, static_cast<std::int32_t>(c.step));
    EXPECT_FALSE(expected.empty()) << c.list;
    EXPECT_EQ(text, expected) << c.list;
    EXPECT_EQ((capsule.stateBits & cellstate::kWarning) != 0, c.warning) << c.list;
    EXPECT_EQ(capsule.markerPosition, 2);
  }
}

TEST_F(ChannelChoiceCellsTest, ANewBankGivesTheBanksFirstFreeSlot) {
  r_.SetChannel(4, 145'000'000);
  r_.SetChannel(5, 146'000'000, 2, 0);
  r_.Commit(*sheet_, Cell(CL_Mch_Bank_Group, 4), "C");
  datCh channel = r_.Load(itemkind::kChannel, 4);
  EXPECT_EQ(channel.bank, 2u);
  EXPECT_EQ(channel.bankSlot, 1u);
  EXPECT_EQ(r_.Text(*sheet_, Cell(CL_Mch_Bank_Group, 4)), "C");
  EXPECT_EQ(imageaccess::Get16(r_.rig.image, layout::BankTableEntry(2, 1)), 4);
}

TEST_F(ChannelChoiceCellsTest, AFullBankTakesNoFurtherChannel) {
  for (int n = 0; n < 100; ++n) {
    datCh c = r_.Load(itemkind::kChannel, static_cast<std::uint32_t>(n));
    c.flags |= datCh::kUsed;
    c.freq = 146'000'000;
    c.bank = 1;
    c.bankSlot = static_cast<std::uint32_t>(n);
    ASSERT_TRUE(c.StoreSelf());
  }
  r_.SetChannel(200, 145'000'000);
  const cmcEeprom before = r_.rig.image;
  r_.Commit(*sheet_, Cell(CL_Mch_Bank_Group, 200), "B");
  EXPECT_EQ(r_.rig.image, before);
}

TEST_F(ChannelChoiceCellsTest, AValueOutsideItsListShowsAsTheListShowsItAndStays) {
  r_.SetChannel(4, 145'000'000);
  Edit(4, [](datCh& c) { c.duplex = 3; });
  const cmcEeprom before = r_.rig.image;
  EXPECT_EQ(r_.Text(*sheet_, Cell(CL_Mch_Dup, 4)), "?3");
  EXPECT_EQ(r_.rig.image, before);
}

}  // namespace
