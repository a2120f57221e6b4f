// kw-test: link=kw_test_cells_support
// The flex cells of choice lists: captions, and the marks on the choices the
// source row would not accept (tuning step, mode, scan-edge step, repeater
// duplex). A mark never stores anything.
#include <gtest/gtest.h>

#include "cells/names/CellNames.h"
#include "support/cells/CellFrameRig.h"

namespace {

class FlexMarksTest : public ::testing::Test {
 protected:
  struct Mark {
    bool warning;
    std::int32_t markerPosition;
    std::string text;
  };

  // Item `choice` of a choice list of flex cells `flexId`, opened on the
  // source cell.
  Mark Query(kwtest::FixtureSheet& sheet, std::int32_t flexId, std::int32_t sourceCategory,
             std::int32_t sourceCellId, std::int32_t sourceIndex, std::int32_t choice) {
    cmcCellCapsule source = sheet.Prepare(sheet.Cell(sourceCategory, sourceCellId, sourceIndex));
    cmcCellObj item;
    item.category = CT_None;
    item.cellId = flexId;
    item.index = choice;
    item.SetCaption("choice");
    cmcCellCapsule capsule;
    capsule.cell = &item;
    capsule.parent = &source;
    rig_.frame.Handle(capsule, 0);
    return {(capsule.stateBits & cellstate::kWarning) != 0, capsule.markerPosition,
            capsule.outputText};
  }

  kwtest::CellFrameRig rig_;
};

TEST_F(FlexMarksTest, ChoicesTheSourceRowWouldRejectAreMarked) {
  struct Case {
    std::int32_t flexId;
    std::int32_t category, sourceCellId, sourceIndex, choice;
    bool warning;
  };
  const Case cases[] = {
      // Tuning steps on channel 10 (145 MHz) and 13 (120 MHz, air band).
      {CL_FlexMark_Mch, CT_Conv, CL_Mch_TS_Pitch, 10, 2, true},
      {CL_FlexMark_Mch, CT_Conv, CL_Mch_TS_Pitch, 10, 14, true},
      {CL_FlexMark_Mch, CT_Conv, CL_Mch_TS_Pitch, 10, 0, false},
      {CL_FlexMark_Mch, CT_Conv, CL_Mch_TS_Pitch, 13, 0, true},
      {CL_FlexMark_Mch, CT_Conv, CL_Mch_TS_Pitch, 13, 2, false},
      // Modes: AM outside the air band, FM inside it.
      {CL_FlexMark_Mch, CT_Conv, CL_Mch_Mode, 10, 3, true},
      {CL_FlexMark_Mch, CT_Conv, CL_Mch_Mode, 10, 0, false},
      {CL_FlexMark_Mch, CT_Conv, CL_Mch_Mode, 13, 0, true},
      {CL_FlexMark_Mch, CT_Conv, CL_Mch_Mode, 13, 3, false},
      // Bank A slot 0 is channel 11 (200 MHz).
      {CL_FlexMark_Mch, CT_BankCh, CL_Mch_TS_Pitch, 0, 2, true},
      {CL_FlexMark_Mch, CT_BankCh, CL_Mch_TS_Pitch, 0, 0, false},
      // Scan edge 4 (144..146 MHz): Auto step outside the air band.
      {CL_FlexMark_PgSrch, CT_Prog, CL_PgSrch_TS, 4, 14, true},
      {CL_FlexMark_PgSrch, CT_Prog, CL_PgSrch_TS, 4, 0, false},
      // Repeater 4 has no call sign: a duplex is a fault.
      {CL_FlexMark_RptDup, CT_Rptlist, CL_Repeater_List_Dup, 4, 1, true},
      {CL_FlexMark_RptDup, CT_Rptlist, CL_Repeater_List_Dup, 4, 0, false},
      {CL_FlexMark_RptDup, CT_Rptlist, CL_Repeater_List_Dup, 3, 1, false},
  };
  const cmcEeprom before = rig_.image;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "flex " << c.flexId << " source " << c.sourceCellId << "/"
                                    << c.sourceIndex << " choice " << c.choice);
    auto sheet = rig_.Sheet(c.category == CT_BankCh ? "21" : "124");
    sheet->AnswerListRange({1, 3, 2});
    const Mark mark = Query(*sheet, c.flexId, c.category, c.sourceCellId, c.sourceIndex, c.choice);
    EXPECT_EQ(mark.warning, c.warning);
    EXPECT_EQ(mark.markerPosition, c.flexId == CL_FlexMark_RptDup ? 0 : 3);
    EXPECT_EQ(mark.text, "choice");
  }
  EXPECT_EQ(rig_.image, before);
}

TEST_F(FlexMarksTest, TheAutoStepMarkFollowsTheDestination) {
  auto sheet = rig_.Sheet("48");
  EXPECT_TRUE(Query(*sheet, CL_FlexMark_PgSrch, CT_Prog, CL_PgSrch_TS, 4, 14).warning);
  ScopedDestination destination2{indDestination(2)};
  EXPECT_FALSE(Query(*sheet, CL_FlexMark_PgSrch, CT_Prog, CL_PgSrch_TS, 4, 14).warning);
}

TEST_F(FlexMarksTest, OtherSourcesAndEmptyRowsOnlyShowTheCaption) {
  auto sheet = rig_.Sheet("21");
  // The source is not a step or mode cell.
  Mark mark = Query(*sheet, CL_FlexMark_Mch, CT_Conv, CL_Mch_Dup, 10, 2);
  EXPECT_FALSE(mark.warning);
  EXPECT_EQ(mark.markerPosition, 0);
  // Bank slot 1 is free: no channel to judge.
  mark = Query(*sheet, CL_FlexMark_Mch, CT_BankCh, CL_Mch_TS_Pitch, 1, 2);
  EXPECT_FALSE(mark.warning);
  // A choice list opened on nothing.
  cmcCellObj item;
  item.category = CT_None;
  item.cellId = CL_FlexMark_Mch;
  item.index = 2;
  item.SetCaption("5k");
  EXPECT_EQ(rig_.frame.GetCellText(&item, 0, ""), "5k");
  item.cellId = CL_FlexMarking;
  EXPECT_EQ(rig_.frame.GetCellText(&item, 0, ""), "5k");
}

}  // namespace
