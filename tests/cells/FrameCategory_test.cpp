// kw-test: link=kw_test_cells_support
// How the cell handler hands keys typed on blank rows to their key cell:
// empty and placeholder channels, bank slots, new-entry rows of the GPS,
// repeater and your-call lists, unused scan edges; and what popup items see.
#include <gtest/gtest.h>

#include "cells/names/CellNames.h"
#include "model/ItemKinds.h"
#include "sheet/RecordingCanvas.h"
#include "support/cells/CaseProbe.h"
#include "support/cells/CellFrameRig.h"

namespace {

using kwtest::CaseProbe;

class FrameCategoryTest : public ::testing::Test {
 protected:
  // The follow-up the handler asked for: target cell id and operation, or
  // -1 when it asked none.
  struct Result {
    std::int32_t target = -1;
    std::int32_t operation = 0;
    bool ranOwnCase = false;
    std::string text;
  };

  Result Run(kwtest::FixtureSheet& sheet, std::int32_t category, std::int32_t cellId,
             std::int32_t index, std::int32_t key) {
    if (!rig_.table.IsFilled(cellId)) rig_.table.Register(cellId, probe_.Case());
    const int before = probe_.runs;
    cmcCellCapsule capsule = sheet.Prepare(sheet.Cell(category, cellId, index));
    capsule.operation = key;
    capsule.outputText = "stale";
    rig_.frame.Handle(capsule, 1);
    Result result;
    if (capsule.followUpFlag != 0) {
      result.target = capsule.targetCellId;
      result.operation = capsule.followUpOperation;
      EXPECT_EQ(capsule.targetCategory, category);
      EXPECT_EQ(capsule.targetIndex, index);
    }
    result.ranOwnCase = probe_.runs > before;
    result.text = capsule.outputText;
    return result;
  }

  kwtest::CellFrameRig rig_;
  CaseProbe probe_;
};

constexpr std::int32_t kLetterA = 'A';
constexpr std::int32_t kF4 = 0x7300;

TEST_F(FrameCategoryTest, BlankChannelRowsHandTypedKeysToTheFrequencyCell) {
  auto sheet = rig_.Sheet("0,0");
  // Channel 6 is unused, 7 a placeholder above 550 MHz.
  for (int channel : {6, 7}) {
    for (std::int32_t key : {kLetterA, 0x7F, 0, -80, cellop::kF2}) {
      SCOPED_TRACE(testing::Message() << "channel " << channel << " key " << key);
      const Result r = Run(*sheet, CT_Conv, CL_Mch_Name, channel, key);
      EXPECT_EQ(r.target, CL_Mch_Freq);
      EXPECT_EQ(r.operation, key);
      EXPECT_FALSE(r.ranOwnCase);
      EXPECT_EQ(r.text, "");
    }
    const Result freq = Run(*sheet, CT_Conv, CL_Mch_Freq, channel, kLetterA);
    EXPECT_EQ(freq.target, -1);
    EXPECT_TRUE(freq.ranOwnCase);
    for (std::int32_t numberCell : {CL_Misc_ChNo_0Base, CL_Misc_ChNo_1Base, CL_Misc_ChNo_Edge}) {
      const Result r = Run(*sheet, CT_Conv, numberCell, channel, kLetterA);
      EXPECT_EQ(r.target, -1) << numberCell;
      EXPECT_TRUE(r.ranOwnCase) << numberCell;
    }
    // Keys that are not typed go to the cell's own case.
    const Result f4 = Run(*sheet, CT_Conv, CL_Mch_Name, channel, kF4);
    EXPECT_EQ(f4.target, -1);
    EXPECT_TRUE(f4.ranOwnCase);
  }
  // A used channel keeps its keys.
  const Result used = Run(*sheet, CT_Conv, CL_Mch_Name, 5, kLetterA);
  EXPECT_EQ(used.target, -1);
  EXPECT_TRUE(used.ranOwnCase);
}

TEST_F(FrameCategoryTest, RouteCellsKeepTheirKeysWhileTheRepeaterDialogIsOn) {
  auto sheet = rig_.Sheet("0,0");
  for (std::int32_t route : {CL_Mch_DYou_Callsign, CL_Mch_DRpt1_Callsign, CL_Mch_DRpt2_Callsign}) {
    rig_.settings->RepeaterDialog = 1;
    const Result on = Run(*sheet, CT_Conv, route, 6, kLetterA);
    EXPECT_EQ(on.target, -1) << route;
    EXPECT_TRUE(on.ranOwnCase) << route;
    rig_.settings->RepeaterDialog = 0;
    const Result off = Run(*sheet, CT_Conv, route, 6, kLetterA);
    EXPECT_EQ(off.target, CL_Mch_Freq) << route;
    EXPECT_FALSE(off.ranOwnCase) << route;
  }
}

TEST_F(FrameCategoryTest, BankSlotsHandKeysOnAndThePlaceholdersNumberCellStillActs) {
  auto sheet = rig_.Sheet("21");
  // Slot 3 names channel 7 at 550.005 MHz: the channel-number cell passes
  // the key on and still runs.
  const Result placeholder = Run(*sheet, CT_BankCh, CL_Mch_Select_ChNo, 3, kLetterA);
  EXPECT_EQ(placeholder.target, CL_Mch_Freq);
  EXPECT_TRUE(placeholder.ranOwnCase);
  const Result name = Run(*sheet, CT_BankCh, CL_Mch_Name, 3, kLetterA);
  EXPECT_EQ(name.target, CL_Mch_Freq);
  EXPECT_FALSE(name.ranOwnCase);
  // Slot 1 is free: the channel-number cell takes the key itself.
  const Result free = Run(*sheet, CT_BankCh, CL_Mch_Select_ChNo, 1, kLetterA);
  EXPECT_EQ(free.target, -1);
  EXPECT_TRUE(free.ranOwnCase);
  const Result freeName = Run(*sheet, CT_BankCh, CL_Mch_Name, 1, kLetterA);
  EXPECT_EQ(freeName.target, CL_Mch_Freq);
  EXPECT_FALSE(freeName.ranOwnCase);
  // The edge-number column is no exception on bank sheets; the slot numbers are.
  EXPECT_EQ(Run(*sheet, CT_BankCh, CL_Misc_ChNo_Edge, 1, kLetterA).target, CL_Mch_Freq);
  EXPECT_EQ(Run(*sheet, CT_BankCh, CL_Misc_ChNo_0Base, 1, kLetterA).target, -1);
  // Slot 0 names channel 11, a used channel.
  EXPECT_EQ(Run(*sheet, CT_BankCh, CL_Mch_Name, 0, kLetterA).target, -1);
}

TEST_F(FrameCategoryTest, NewEntryRowsOfListsHandEveryKeyToTheirKeyCell) {
  struct Case {
    const char* sheet;
    ListRangeAnswer answer;
    std::int32_t category, cellId, index, key;
    std::int32_t target;  // -1: the cell runs its own case
  };
  const Case cases[] = {
      // GPS group 1 holds positions 2..4: row 5 is the new-entry row.
      {"222", {1, 2, 3}, CT_Gps, CL_Gps_Date, 5, cellop::kLeftAtEdge, CL_Gps_Name},
      {"222", {1, 2, 3}, CT_Gps, CL_Gps_Date, 5, kF4, CL_Gps_Name},
      {"222", {1, 2, 3}, CT_Gps, CL_Gps_Name, 5, kLetterA, -1},
      {"222", {1, 2, 3}, CT_Gps, CL_Gps_ChNo, 5, kLetterA, -1},
      {"222", {1, 2, 3}, CT_Gps, CL_Gps_Date, 4, kLetterA, -1},
      // Repeater group 0 holds entries 0..2: row 3 is its new-entry row.
      {"123", {0, 0, 3}, CT_Rptlist, CL_Repeater_List_Name, 3, kLetterA, CL_Repeater_List_Type},
      {"123", {0, 0, 3}, CT_Rptlist, CL_Repeater_List_Name, 3, kF4, CL_Repeater_List_Type},
      {"123", {0, 0, 3}, CT_Rptlist, CL_Repeater_List_Name, 3, cellop::kLeftAtEdge, -1},
      {"123", {0, 0, 3}, CT_Rptlist, CL_Repeater_List_Name, 3, cellop::kRightAtEdge, -1},
      {"123", {0, 0, 3}, CT_Rptlist, CL_Repeater_List_Type, 3, kLetterA, -1},
      {"123", {0, 0, 3}, CT_Rptlist, CL_Repeater_List_ChNo, 3, kLetterA, -1},
      {"123", {0, 0, 3}, CT_Rptlist, CL_Repeater_List_Name, 2, kLetterA, -1},
      // Your calls 0..2: row 3.
      {"120", {}, CT_Urlist, CL_You_Callsign_Name, 3, kLetterA, CL_You_Callsign_Code},
      {"120", {}, CT_Urlist, CL_You_Callsign_Code, 3, kLetterA, -1},
      {"120", {}, CT_Urlist, CL_You_Callsign_ChNo, 3, kLetterA, -1},
      {"120", {}, CT_Urlist, CL_You_Callsign_Name, 1, kLetterA, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << c.sheet << " cell " << c.cellId << " row " << c.index << " key " << c.key);
    auto sheet = rig_.Sheet(c.sheet);
    sheet->AnswerListRange(c.answer);
    const Result r = Run(*sheet, c.category, c.cellId, c.index, c.key);
    EXPECT_EQ(r.target, c.target);
    EXPECT_EQ(r.ranOwnCase, c.target == -1);
  }
}

TEST_F(FrameCategoryTest, UnusedScanEdgesHandTypedKeysToTheLowEdge) {
  auto sheet = rig_.Sheet("48");
  EXPECT_EQ(Run(*sheet, CT_Prog, CL_PgSrch_Name, 0, kLetterA).target, CL_PgSrch_Freq_Low);
  EXPECT_EQ(Run(*sheet, CT_Prog, CL_PgSrch_Freq_High, 0, kLetterA).target, -1);
  EXPECT_EQ(Run(*sheet, CT_Prog, CL_PgSrch_Name, 0, kF4).target, -1);
  EXPECT_EQ(Run(*sheet, CT_Prog, CL_Misc_ChNo_0Base, 0, kLetterA).target, -1);
  EXPECT_EQ(Run(*sheet, CT_Prog, CL_PgSrch_Name, 3, kLetterA).target, -1) << "edge 3 is used";
}

TEST_F(FrameCategoryTest, CallListsAreDrawnOliveButForTheirRowNumbers) {
  const QColor olive(0x80, 0x80, 0x00);
  const QColor black(0, 0, 0);
  struct Case {
    std::int32_t category, cellId;
    QColor color;
  };
  const Case cases[] = {
      {CT_RXCall, CL_Received_Callsign_Caller, olive},
      {CT_RXCall, CL_Misc_ChNo_1Base, black},
      {CT_TXCall_From, CL_TxCall_From_Callsign, olive},
      {CT_TXCall_Ref, CL_TxCall_Ref_Callsign, olive},
      {CT_Conv, CL_Mch_Name, black},
  };
  auto sheet = rig_.Sheet("215");
  for (const Case& c : cases) {
    kwtest::RecordingCanvas canvas;
    canvas.SetFontColor(black);
    cmcCellCapsule capsule = sheet->Prepare(sheet->Cell(c.category, c.cellId, 0));
    capsule.canvas = &canvas;
    rig_.frame.Handle(capsule, 0);
    EXPECT_EQ(canvas.FontColor(), c.color) << c.cellId;
  }
  // Without a canvas (a text query) there is nothing to colour.
  cmcCellCapsule query = sheet->Prepare(sheet->Cell(CT_RXCall, CL_Received_Callsign_Caller, 1));
  rig_.frame.Handle(query, 0);
}

TEST_F(FrameCategoryTest, TypingOnABlankRowRunsTheKeyOnItsKeyCell) {
  CaseProbe freq;
  rig_.table.Register(CL_Mch_Freq, freq.Case());
  auto sheet = rig_.Sheet("0,0");
  cmcCellObj& name = sheet->Cell(CT_Conv, CL_Mch_Name, 6);
  sheet->Cell(CT_Conv, CL_Mch_Freq, 6);
  sheet->DoCellAction(name, kLetterA);
  ASSERT_EQ(sheet->calls.size(), 2u);
  EXPECT_EQ(sheet->calls[1].cellId, CL_Mch_Freq);
  EXPECT_EQ(sheet->calls[1].index, 6);
  EXPECT_EQ(sheet->calls[1].operation, kLetterA);
  EXPECT_EQ(freq.runs, 1);
  EXPECT_EQ(freq.key, kLetterA);
}

TEST_F(FrameCategoryTest, PopupItemsSeeTheRowTheMenuWasOpenedOn) {
  CaseProbe probe;
  rig_.table.Register(CL_PMenu_Copy, probe.Case());
  struct Case {
    const char* sheet;
    std::optional<ListRangeAnswer> answer;
    std::int32_t category, index;
    std::uint32_t kind, recordKind, recordIndex;
    bool past;
  };
  const Case cases[] = {
      {"0,0", {}, CT_Conv, 5, itemkind::kChannel, itemkind::kChannel, 5, false},
      {"21", {}, CT_BankCh, 0, itemkind::kBankChannel, itemkind::kChannel, 11, false},
      {"123", ListRangeAnswer{0, 0, 3}, CT_Rptlist, 3, itemkind::kRepeater, itemkind::kRepeater, 3,
       true},
      {"123", ListRangeAnswer{0, 0, 3}, CT_Rptlist, 2, itemkind::kRepeater, itemkind::kRepeater, 2,
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sheet);
    auto sheet = rig_.Sheet(c.sheet);
    if (c.answer) sheet->AnswerListRange(*c.answer);
    cmcCellCapsule source = sheet->Prepare(sheet->Cell(c.category, CL_Mch_Name, c.index));
    cmcCellObj item;
    item.category = CT_PopupMenu;
    item.cellId = CL_PMenu_Copy;
    cmcCellCapsule query;
    query.cell = &item;
    query.parent = &source;
    rig_.frame.Handle(query, 0);
    EXPECT_EQ(probe.kind, c.kind);
    EXPECT_EQ(probe.recordKind, c.recordKind);
    EXPECT_EQ(probe.recordIndex, c.recordIndex);
    EXPECT_EQ(probe.past, c.past);
  }
  // Opened on nothing: the item has no row.
  cmcCellObj item;
  item.category = CT_PopupMenu;
  item.cellId = CL_PMenu_Copy;
  cmcCellCapsule query;
  query.cell = &item;
  rig_.frame.Handle(query, 0);
  EXPECT_EQ(probe.kind, itemkind::kNone);
}

}  // namespace
