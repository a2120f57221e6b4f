// kw-test: link=kw_test_cells_support
// The cell handler's prologue and epilogue over the fixture image: which row
// a cell loads (bank slots, new-entry rows), the redraw mask, the warning
// check restarts, and the calls without a cell.
#include <gtest/gtest.h>

#include "cells/indActiveCell.h"
#include "cells/names/CellNames.h"
#include "model/ImageAccess.h"
#include "model/ItemKinds.h"
#include "model/LayoutImage.h"
#include "support/cells/CaseProbe.h"
#include "support/cells/CellFrameRig.h"

namespace {

using kwtest::CaseProbe;

class CellFrameLoadTest : public ::testing::Test {
 protected:
  kwtest::CellFrameRig rig_;
};

TEST_F(CellFrameLoadTest, ALoadedRowRedrawsTheWholeRowAndAMenuCellOnlyItself) {
  auto sheet = rig_.Sheet("0,0");
  sheet->DoCellAction(sheet->Cell(CT_Conv, CL_Mch_Name, 5), cellop::kF1);
  sheet->DoCellAction(sheet->Cell(CT_None, Flex0, 0, "OFF"), cellop::kEnter);
  ASSERT_EQ(sheet->redraws.size(), 2u);
  EXPECT_EQ(sheet->redraws[0].mask, redraw::kCell | redraw::kRow);
  EXPECT_EQ(sheet->redraws[1].mask, redraw::kCell);
  EXPECT_EQ(sheet->calls[1].outputText, "OFF");
}

TEST_F(CellFrameLoadTest, QueriesWithoutNotifyNeverRedraw) {
  auto sheet = rig_.Sheet("0,0");
  cmcCellCapsule capsule = sheet->Prepare(sheet->Cell(CT_Conv, CL_Mch_Name, 5));
  rig_.frame.Handle(capsule, 0);
  capsule.operation = cellop::kEnter;
  rig_.frame.Handle(capsule, 0);
  EXPECT_TRUE(sheet->redraws.empty());
}

TEST_F(CellFrameLoadTest, BankCellsLoadTheChannelTheirSlotNames) {
  CaseProbe probe;
  rig_.table.Register(CL_Mch_Name, probe.Case());
  // Slot 0 of bank Z, the last bank-table entry before the repeater counts.
  const std::int64_t bankZSlot0 = layout::BankTableEntry(25, 0);
  ASSERT_EQ(bankZSlot0, 0x2B73B);
  imageaccess::Set16(rig_.image, bankZSlot0, 5);

  struct Case {
    const char* sheet;
    int slot;
    bool loads;
    std::uint32_t channel;
  };
  const Case cases[] = {
      {"21", 0, true, 11},   // bank A slot 0
      {"21,0", 3, true, 7},  // the first field names the bank
      {"21", 2, false, 0},   // claimed by two channels: no channel
      {"21", 1, false, 0},   // free
      {"46", 0, true, 5},
      // No bank: sheet 47 would read the repeater-group counts (group 0's 3
      // names used channel 3), 123 and an overflowing number beyond them.
      {"47", 0, false, 0},
      {"123", 0, false, 0},
      {"99999999999999999999", 0, false, 0},
      // Slots outside the bank.
      {"21", 100, false, 0},
      {"21", -1, false, 0},
  };
  for (const Case& c : cases) {
    auto sheet = rig_.Sheet(c.sheet);
    probe.runs = 0;
    sheet->DoCellAction(sheet->Cell(CT_BankCh, CL_Mch_Name, c.slot), cellop::kF1);
    ASSERT_EQ(probe.runs, 1) << c.sheet << " slot " << c.slot;
    EXPECT_EQ(probe.kind, itemkind::kBankChannel);
    EXPECT_EQ(probe.used, c.loads) << c.sheet << " slot " << c.slot;
    if (c.loads) {
      EXPECT_EQ(probe.recordKind, itemkind::kChannel) << c.sheet << " slot " << c.slot;
      EXPECT_EQ(probe.recordIndex, c.channel) << c.sheet << " slot " << c.slot;
    } else {
      EXPECT_EQ(probe.recordKind, itemkind::kNone) << c.sheet << " slot " << c.slot;
    }
  }
}

TEST_F(CellFrameLoadTest, ProgramLinkZeroLoadsNothingAndOtherKindsTheirIndex) {
  CaseProbe probe;
  rig_.table.Register(CL_PgLink_No, probe.Case());
  rig_.table.Register(CL_PgSrch_Name, probe.Case());
  auto sheet = rig_.Sheet("51");
  sheet->DoCellAction(sheet->Cell(CT_Prog_Link, CL_PgLink_No, 0), cellop::kF1);
  EXPECT_EQ(probe.recordKind, itemkind::kNone);
  sheet->DoCellAction(sheet->Cell(CT_Prog_Link, CL_PgLink_No, 27), cellop::kF1);
  EXPECT_EQ(probe.recordKind, itemkind::kLinkPosition);
  EXPECT_EQ(probe.recordIndex, 27u);
  sheet->DoCellAction(sheet->Cell(CT_Prog, CL_PgSrch_Name, 3), cellop::kF1);
  EXPECT_EQ(probe.recordKind, itemkind::kScanEdge);
  EXPECT_TRUE(probe.used);
}

// The row after a group's last entry shows an unused entry of its own and
// cannot be stored: it would decode (and write) the next group's first entry.
TEST_F(CellFrameLoadTest, NewEntryRowsHoldNoEntryUntilTheCaseInsertsOne) {
  struct Seen {
    bool used = true;
    std::uint32_t kind = 0, index = 0;
    bool stored = true;
    bool unchanged = false;
    bool storedAfterLoad = false;
  } seen;
  const cmcEeprom before = rig_.image;
  // Space reaches the type cell's case on the new-entry row.
  rig_.table.Register(CL_Repeater_List_Type, [&](indActiveCell& c) {
    seen.used = c.record.IsUsed();
    seen.kind = c.record.kind;
    seen.index = c.record.index;
    SetText(c.record.name, "CHANGED");
    seen.stored = c.StoreRecord();
    seen.unchanged = rig_.image == before;
    // What a case does once it has inserted the row's entry.
    c.LoadRecord(itemkind::kRepeater, static_cast<std::uint32_t>(c.index));
    SetText(c.record.name, "NEW");
    seen.storedAfterLoad = c.StoreRecord();
  });
  auto sheet = rig_.Sheet("123");
  sheet->AnswerListRange({0, 0, 3});
  sheet->DoCellAction(sheet->Cell(CT_Rptlist, CL_Repeater_List_Type, 3), cellop::kSpace);
  EXPECT_FALSE(seen.used);
  EXPECT_EQ(seen.kind, itemkind::kRepeater);
  EXPECT_EQ(seen.index, 3u);
  EXPECT_FALSE(seen.stored);
  EXPECT_TRUE(seen.unchanged) << "group 1's first entry must stay as it was";
  EXPECT_TRUE(seen.storedAfterLoad);
  EXPECT_NE(rig_.image, before);
  ASSERT_EQ(sheet->redraws.size(), 1u);
  EXPECT_EQ(sheet->redraws[0].mask, redraw::kCell | redraw::kRow);
}

TEST_F(CellFrameLoadTest, OnlyRequestsThatCarryInputRestartTheWarningCheck) {
  struct Case {
    const char* what;
    std::int32_t operation;
    std::int32_t mode;
    std::int32_t popup;
    int calls;
  };
  const Case cases[] = {
      {"query", 0, 0, 0, 0},
      {"Enter", cellop::kEnter, 0, 0, 1},
      {"click", cellop::kClick, 0, 0, 1},
      {"committed edit", 0, cellmode::kCommit, 0, 1},
      {"view cut", 0, 0, CL_PMenu_Tone_Cut, 1},
  };
  rig_.texts.SetSource(kwtest::WidthListTable());  // the view cut stores its pages' masks
  auto sheet = rig_.Sheet("0,0");
  cmcCellObj& cell = sheet->Cell(CT_Conv, CL_Mch_Name, 5);
  for (const Case& c : cases) {
    rig_.host.checkDelayStarts = 0;
    rig_.host.modifiedQueries = 0;
    cmcCellCapsule capsule = sheet->Prepare(cell);
    capsule.operation = c.operation;
    capsule.mode = c.mode;
    capsule.popupCommand = c.popup;
    rig_.frame.Handle(capsule, 0);
    EXPECT_EQ(rig_.host.checkDelayStarts, c.calls) << c.what;
    EXPECT_EQ(rig_.host.modifiedQueries, c.calls) << c.what;
  }
}

TEST_F(CellFrameLoadTest, TheCasesMaskAndStatusComeBack) {
  rig_.table.Register(CL_Mch_Name, [](indActiveCell& c) {
    c.redrawMask |= redraw::kAllData;
    c.status = kCellOpenEditor;
    c.capsule.outputText = "NAME";
  });
  auto sheet = rig_.Sheet("0,0");
  EXPECT_EQ(sheet->DoCellAction(sheet->Cell(CT_Conv, CL_Mch_Name, 5), cellop::kEnter),
            kCellOpenEditor);
  ASSERT_EQ(sheet->redraws.size(), 1u);
  EXPECT_EQ(sheet->redraws[0].mask, 41);
  EXPECT_EQ(sheet->calls[0].outputText, "NAME");
}

TEST_F(CellFrameLoadTest, ThePrologueClearsTheTextAndMarksAndNamesTheCell) {
  auto sheet = rig_.Sheet("0,0");
  cmcCellCapsule capsule = sheet->Prepare(sheet->Cell(CT_Null, CL_Null, 7));
  capsule.outputText = "stale";
  capsule.stateBits = cellstate::kCurrent | cellstate::kWarning | cellstate::kError;
  rig_.frame.Handle(capsule, 0);
  EXPECT_EQ(capsule.outputText, "");
  EXPECT_EQ(capsule.stateBits, cellstate::kCurrent);
  EXPECT_EQ(capsule.targetCategory, CT_Null);
  EXPECT_EQ(capsule.targetCellId, CL_Null);
  EXPECT_EQ(capsule.targetIndex, 7);
  EXPECT_EQ(capsule.followUpFlag, 0);
}

TEST_F(CellFrameLoadTest, CallsWithoutACellDoNothing) {
  cmcCellCapsule capsule;
  capsule.outputText = "stale";
  EXPECT_EQ(rig_.frame.Handle(capsule, 1), 0);
  EXPECT_EQ(capsule.outputText, "");
  EXPECT_EQ(rig_.frame.CallCellHandler(nullptr, cellop::kEnter), 0);
  EXPECT_EQ(rig_.frame.GetCellText(nullptr, 0, "21"), "");
  EXPECT_EQ(rig_.host.checkDelayStarts, 0);
}

TEST_F(CellFrameLoadTest, TheWrappersMakeTheirOwnCapsule) {
  CaseProbe probe;
  rig_.table.Register(CL_Mch_Name, probe.Case());
  rig_.table.Register(CL_Mch_Freq, [](indActiveCell& c) { c.capsule.outputText = "145.000"; });
  cmcCellObj cell;
  cell.category = CT_BankCh;
  cell.cellId = CL_Mch_Freq;
  cell.index = 0;
  EXPECT_EQ(rig_.frame.GetCellText(&cell, 0, "21"), "145.000");
  cell.cellId = CL_Mch_Name;
  EXPECT_EQ(rig_.frame.CallCellHandler(&cell, cellop::kClick), 0);
  EXPECT_EQ(probe.key, cellop::kEnter) << "a click acts as Enter";
  EXPECT_EQ(probe.bankNo, 0) << "no sheet name: bank A";
  EXPECT_EQ(probe.recordIndex, 11u);
}

TEST_F(CellFrameLoadTest, IdsWithoutBehaviourShowTheirNumber) {
  const std::int32_t withoutBehaviour[] = {
      2,   3,   38,  47,  48,  49,  50,  51,  52,  53,  54,  55,  56,  57,  58,  59,  167, 176,
      177, 178, 179, 180, 181, 182, 183, 184, 185, 186, 187, 188, 189, 190, 192, 202, 203, 204,
      212, 213, 225, 226, 227, 249, 250, 282, 285, 304, 305, 381, 461, 489, 490, 491};
  ASSERT_EQ(std::size(withoutBehaviour), 52u);
  for (std::int32_t id : withoutBehaviour) {
    cmcCellObj cell;
    cell.category = CT_None;
    cell.cellId = id;
    EXPECT_EQ(rig_.frame.GetCellText(&cell, 0, ""), std::to_string(id) + " *Yet*");
  }
  for (std::int32_t id : {600, -1}) {
    cmcCellObj cell;
    cell.category = CT_None;
    cell.cellId = id;
    EXPECT_EQ(rig_.frame.GetCellText(&cell, 0, ""), std::to_string(id) + " *Yet*");
  }
  for (std::int32_t id : {CL_Null, CL_PMenu_Edit, CL_None}) {
    cmcCellObj cell;
    cell.category = CT_None;
    cell.cellId = id;
    EXPECT_EQ(rig_.frame.GetCellText(&cell, 0, ""), "") << id;
  }
}

TEST(CellFrameDeathTest, ACategoryOutsideTheTableIsFatal) {
  kwtest::CellFrameRig rig;
  cmcCellObj cell;
  cell.category = 15;
  cell.cellId = CL_Null;
  EXPECT_EXIT(rig.frame.CallCellHandler(&cell, 0), ::testing::ExitedWithCode(3),
              "Unknown Cell Category\\.");
}

}  // namespace
