// kw-test: gui
// kw-test: link=Qt6::Test
// How a sheet reacts: keys and the cursor, follow-up requests, selection,
// choice lists, redraw events, the mouse, the input method, and the end of
// a sheet from inside its own action.
#include <gtest/gtest.h>

#include <QInputMethodEvent>
#include <QMenu>
#include <QTest>
#include <set>

#include "cells/names/CellNames.h"
#include "platform/Clock.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiSheet.h"
#include "sheet/cuiSheetEditor.h"
#include "tests/sheet/SheetFixture.h"

namespace {

using kwtest::CellCall;
using kwtest::LoadTable;
using kwtest::SheetHost;
using kwtest::TestSheetLines;

// Records every sleep instead of sleeping.
class SleepLog final : public platform::Clock {
 public:
  SleepLog() : scope_(this) {}
  std::uint32_t TickCount() override { return tick_; }
  std::int64_t NowUnixMs() override { return 0; }
  void SleepMs(std::uint32_t ms) override {
    sleeps.push_back(static_cast<int>(ms));
    tick_ += ms;
  }
  std::vector<int> sleeps;

 private:
  std::uint32_t tick_ = 0;
  platform::ScopedClock scope_;
};

// A sheet that notes which cells it was asked to draw.
class RecordingSheet : public cuiSheet {
 public:
  using cuiSheet::cuiSheet;
  void DrawCell(int col, int row, const QRect& rect, int state) override {
    drawn.insert({col, row});
    cuiSheet::DrawCell(col, row, rect, state);
  }
  std::set<std::pair<int, int>> drawn;
};

class SheetTest : public ::testing::Test {
 protected:
  void Open(const std::vector<std::string>& lines, const std::string& key = "GI_Sheet_Test",
            bool readOnly = false, const cmcCellCapsule* templateCapsule = nullptr) {
    LoadTable(host_.gtex, lines);
    sheet_ = host_.Build<RecordingSheet>(key, "1,100", templateCapsule, readOnly);
    grid_ = sheet_->Grid();
  }
  void SetUp() override {}
  void TearDown() override {
    if (sheet_) sheet_->Release();
  }
  void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(grid_, key, mods);
  }
  void TypeText(QWidget* target, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
  }
  std::pair<int, int> Cur() const { return {grid_->Col(), grid_->Row()}; }
  std::vector<CellCall> Actions() const { return host_.handler.Actions(); }
  kwtest::ScriptedCell& Cell(int id, int index) { return host_.handler.Cell(id, index); }
  void ClearLog() { host_.handler.calls.clear(); }
  std::set<std::pair<int, int>> Redrawn(int event, int p2) {
    QApplication::processEvents();
    sheet_->drawn.clear();
    EvMan().Send(event, 0, p2);
    QApplication::processEvents();
    return sheet_->drawn;
  }

  SheetHost host_;
  RecordingSheet* sheet_ = nullptr;
  cuiGrid* grid_ = nullptr;
};

TEST_F(SheetTest, ArrowsPagesAndFunctionKeys) {
  Open(TestSheetLines());
  ASSERT_EQ(Cur(), std::make_pair(1, 5));
  // Left on the first data column acts on the cell and stays.
  Key(Qt::Key_Left);
  EXPECT_EQ(Cur(), std::make_pair(1, 5));
  ASSERT_EQ(Actions().size(), 1u);
  EXPECT_EQ(Actions()[0].operation, 0x2500);
  EXPECT_EQ(Actions()[0].cell, (CellIdRecord{CT_Conv, CL_Mch_Freq, 0}));
  Key(Qt::Key_Right);
  EXPECT_EQ(Cur(), std::make_pair(2, 5));
  Key(Qt::Key_Right);
  EXPECT_EQ(Cur(), std::make_pair(2, 5));
  EXPECT_EQ(Actions().back().operation, 0x2700);
  EXPECT_EQ(Actions().back().cell.cellId, CL_Mch_Name);

  ClearLog();
  Key(Qt::Key_Up, Qt::ControlModifier);
  EXPECT_EQ(Cur(), std::make_pair(2, 5));
  Key(Qt::Key_PageDown);
  EXPECT_EQ(Cur(), std::make_pair(2, 15));
  Key(Qt::Key_PageUp);
  Key(Qt::Key_PageUp);
  EXPECT_EQ(Cur(), std::make_pair(2, 5));
  Key(Qt::Key_Home);
  Key(Qt::Key_End);
  EXPECT_EQ(Cur(), std::make_pair(2, 5));
  EXPECT_TRUE(Actions().empty());

  Key(Qt::Key_F2);
  TypeText(grid_, QStringLiteral("a"));
  TypeText(grid_, QString(QChar(0xFF71)));  // half-width katakana "a"
  ASSERT_EQ(Actions().size(), 3u);
  EXPECT_EQ(Actions()[0].operation, 0x7100);
  EXPECT_EQ(Actions()[1].operation, 97);
  EXPECT_EQ(Actions()[2].operation, -79);

  // The last row stays the last in an editable sheet.
  sheet_->FindCell(CT_Conv, CL_Mch_Freq, 99);
  EXPECT_EQ(Cur(), std::make_pair(1, 104));
  Key(Qt::Key_Down);
  EXPECT_EQ(Cur(), std::make_pair(1, 104));
}

TEST_F(SheetTest, MovingAcrossColumnsKeepsTheNearestRow) {
  Open({"#GI_Sheet_M_Style", "", "#GI_Sheet_M_BasicCell", "{($Basic)}", "#GI_Sheet_M_Cells",
        "{S(%Flex0[0])}a|b", "x|{S(%Flex0[1])}c", "y|{S(%Flex0[2])}d", "{S(%Flex0[3])}z|e", "#"},
       "GI_Sheet_M");
  EXPECT_EQ(Cur(), std::make_pair(0, 0));
  Key(Qt::Key_Right);
  EXPECT_EQ(Cur(), std::make_pair(1, 1));
  Key(Qt::Key_Down);
  Key(Qt::Key_Left);
  EXPECT_EQ(Cur(), std::make_pair(0, 3));  // row 3 is nearer to row 2 than row 0
  Key(Qt::Key_Right);
  EXPECT_EQ(Cur(), std::make_pair(1, 2));
}

TEST_F(SheetTest, ChoiceListsWrapAndSendTheChoiceBack) {
  cmcCellObj opening;
  opening.category = CT_Conv;
  opening.cellId = CL_Mch_Freq;
  opening.index = 3;
  cmcCellCapsule capsule;
  capsule.cell = &opening;
  Open({"#GI_Sheet_Sel_T_Style", "", "#GI_Sheet_Sel_T_BasicCell", "{($Basic)($bMn)}",
        "#GI_Sheet_Sel_T_Cells", "{S(%Flex0[0])}A", "{S(%Flex0[1])}B", "{S(%Flex0[2])}C", "#"},
       "GI_Sheet_Sel_T", true, &capsule);
  Key(Qt::Key_Up);
  EXPECT_EQ(Cur(), std::make_pair(0, 2));
  Key(Qt::Key_Down);
  EXPECT_EQ(Cur(), std::make_pair(0, 0));
  Key(Qt::Key_Down);
  ClearLog();
  Key(Qt::Key_Return);
  ASSERT_EQ(Actions().size(), 1u);
  const CellCall call = Actions()[0];
  EXPECT_EQ(call.mode, cellmode::kChoice);
  EXPECT_EQ(call.cell, (CellIdRecord{CT_Conv, CL_Mch_Freq, 3}));
  ASSERT_TRUE(call.parentCell.has_value());
  EXPECT_EQ(*call.parentCell, (CellIdRecord{CT_None, Flex0, 1}));
  EXPECT_FALSE(host_.window.isVisible());
}

TEST_F(SheetTest, AChoiceListWithoutOpeningCellIgnoresEnterAndClicks) {
  Open({"#GI_Sheet_Sel_T_Style", "", "#GI_Sheet_Sel_T_BasicCell", "{($Basic)($bMn)}",
        "#GI_Sheet_Sel_T_Cells", "{S(%Flex0[0])}A", "{S(%Flex0[1])}B", "#"},
       "GI_Sheet_Sel_T", true);
  Key(Qt::Key_Return);
  const QRect cell = grid_->CellRect(0, 0);
  QTest::mouseClick(grid_->viewport(), Qt::LeftButton, {}, cell.center());
  EXPECT_TRUE(Actions().empty());
  EXPECT_TRUE(host_.window.isVisible());
}

TEST_F(SheetTest, FollowUpsPauseShorterEachTimeAndEndAfterSixteenPasses) {
  Open(TestSheetLines());
  SleepLog clock;
  Cell(CL_Mch_Freq, 0).followUps = 6;
  Cell(CL_Mch_Freq, 0).followUpOperation = cellop::kEnter;
  Key(Qt::Key_F2);
  EXPECT_EQ(Actions().size(), 7u);
  EXPECT_EQ(clock.sleeps, (std::vector<int>{30, 24, 18, 12, 6}));

  // A handler that always asks again is refused after sixteen passes.
  ClearLog();
  Cell(CL_Mch_Freq, 0).followUps = 1000;
  Key(Qt::Key_F2);
  EXPECT_EQ(Actions().size(), static_cast<std::size_t>(cuiSheet::kMaxActionPasses));
  EXPECT_EQ(Actions().size(), 16u);
}

TEST_F(SheetTest, AFollowUpMovesToItsTargetOrStaysWhenThereIsNone) {
  Open(TestSheetLines());
  auto& first = Cell(CL_Mch_Freq, 0);
  first.followUps = 1;
  first.followUpOperation = cellop::kF2;
  first.target = CellIdRecord{CT_Conv, CL_Mch_Name, 3};
  Key(Qt::Key_F1);
  ASSERT_EQ(Actions().size(), 2u);
  EXPECT_EQ(Actions()[1].cell, (CellIdRecord{CT_Conv, CL_Mch_Name, 3}));
  EXPECT_EQ(Actions()[1].operation, cellop::kF2);
  EXPECT_EQ(Cur(), std::make_pair(2, 8));

  ClearLog();
  auto& second = Cell(CL_Mch_Name, 3);
  second.followUps = 1;
  second.followUpOperation = cellop::kEnter;
  second.target = CellIdRecord{CT_Conv, CL_Mch_Name, 3000};
  Key(Qt::Key_F1);
  ASSERT_EQ(Actions().size(), 2u);
  EXPECT_EQ(Actions()[1].cell, (CellIdRecord{CT_Conv, CL_Mch_Name, 3}));
  EXPECT_EQ(Cur(), std::make_pair(2, 8));
}

TEST_F(SheetTest, ShiftDownSelectsWholeLinesFromTheFixedColumns) {
  Open(TestSheetLines());
  Key(Qt::Key_Down, Qt::ShiftModifier);
  Key(Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(Cur(), std::make_pair(1, 7));
  EXPECT_TRUE(sheet_->InteractionFlags() & cuiSheet::kMultiSelection);
  for (int r = 4; r <= 9; ++r) {
    const bool inside = r >= 5 && r <= 7;
    EXPECT_EQ((sheet_->GetCellSlot(1, r).flags & clsSheetCellId::kSelected) != 0, inside) << r;
    EXPECT_EQ((sheet_->GetCellSlot(2, r).flags & clsSheetCellId::kLineHighlight) != 0, inside) << r;
    EXPECT_FALSE(sheet_->GetCellSlot(0, r).flags & clsSheetCellId::kLineHighlight) << r;
  }
  // The next request carries the selected range.
  Key(Qt::Key_F2);
  EXPECT_EQ(Actions().back().selectionBits & cellselect::kHasSelection, cellselect::kHasSelection);
  EXPECT_EQ(Actions().back().firstSelected, 0);
  EXPECT_EQ(Actions().back().lastSelected, 2);
  // A plain move drops the selection.
  Key(Qt::Key_Down);
  EXPECT_FALSE(sheet_->InteractionFlags() & cuiSheet::kMultiSelection);
  EXPECT_FALSE(sheet_->GetCellSlot(2, 6).flags & clsSheetCellId::kLineHighlight);
}

TEST_F(SheetTest, TheHandlerCanSelectRowsByIndex) {
  Open(TestSheetLines());
  sheet_->FindCell(CT_Conv, CL_Mch_Freq, 3);
  Cell(CL_Mch_Freq, 3).selectRows = std::make_pair(3, 5);
  Key(Qt::Key_F2);
  for (int r = 5; r <= 12; ++r)
    EXPECT_EQ((sheet_->GetCellSlot(1, r).flags & clsSheetCellId::kSelected) != 0, r >= 8 && r <= 10)
        << r;
  // The anchor went to the far end: the range reads 3..5 from here.
  Cell(CL_Mch_Freq, 3).selectRows.reset();
  Key(Qt::Key_F3);
  EXPECT_EQ(Actions().back().firstSelected, 3);
  EXPECT_EQ(Actions().back().lastSelected, 5);
}

TEST_F(SheetTest, RefreshEventsRedrawTheMatchingCells) {
  Open(TestSheetLines());
  const int lastRow = grid_->TopRow() + grid_->VisibleRowCount() - 1;
  ASSERT_GT(lastRow, 9);
  auto all = Redrawn(ev::CellsRefreshAll, 0);
  std::set<std::pair<int, int>> body;
  for (int r = 5; r <= lastRow; ++r)
    for (int c = 0; c < 3; ++c) body.insert({c, r});
  // Every cell with a cell id (the body); header cells have none.
  for (const auto& cell : body) EXPECT_TRUE(all.count(cell)) << cell.first << "," << cell.second;
  for (const auto& cell : all) EXPECT_GE(cell.second, 5);
  EXPECT_EQ(Redrawn(ev::CellsRefreshCategory, CT_Conv), all);
  for (const auto& cell : Redrawn(ev::CellsRefreshCellId, CL_Mch_Name)) EXPECT_EQ(cell.first, 2);
  EXPECT_EQ(Redrawn(ev::CellsRefreshIndex, 3),
            (std::set<std::pair<int, int>>{{0, 8}, {1, 8}, {2, 8}}));
  for (const auto& cell : Redrawn(ev::CellsRefreshIndex2, 3)) EXPECT_LE(cell.second, 8);
  EXPECT_EQ(Redrawn(ev::CellsRefreshIndex2, 3).size(), 12u);
  for (const auto& cell : Redrawn(ev::CellsRefreshIndex3, 3)) EXPECT_GE(cell.second, 8);
  EXPECT_TRUE(Redrawn(ev::CellsRefreshIndex3, 3).count({2, 9}));
}

TEST_F(SheetTest, TheMouseSuppressFlagStopsAPressesDragSelectionAndMenu) {
  Open(TestSheetLines());
  EvMan().Send(ev::SheetFlag, 0, 1);
  const QPoint cell = grid_->CellRect(1, 7).center();
  QTest::mousePress(grid_->viewport(), Qt::RightButton, {}, cell);
  EXPECT_FALSE(sheet_->ContextPopup()->isVisible());
  QTest::mouseRelease(grid_->viewport(), Qt::RightButton, {}, cell);
  QTest::mousePress(grid_->viewport(), Qt::LeftButton, {}, cell);
  EXPECT_EQ(grid_->GetMouseMode(), cuiGrid::MouseMode::Normal);
  EXPECT_FALSE(sheet_->InteractionFlags() & cuiSheet::kMouseSelecting);
  QTest::mouseRelease(grid_->viewport(), Qt::LeftButton, {}, cell);

  EvMan().Send(ev::SheetFlag, 0, 0);
  QTest::mousePress(grid_->viewport(), Qt::RightButton, {}, grid_->CellRect(2, 9).center());
  EXPECT_EQ(Cur(), std::make_pair(2, 9));
  EXPECT_TRUE(sheet_->ContextPopup()->isVisible());
  sheet_->ContextPopup()->hide();
}

TEST_F(SheetTest, PointsOffTheCellsDoNothing) {
  Open({"#GI_Sheet_T_Style", "", "#GI_Sheet_T_BasicCell", "{($Basic)}", "#GI_Sheet_T_Cells",
        "{TWH}t|{SWH(%Flex0[0])}x|{TWH}y", "{TWH}t|{SWH(%Flex0[1])}x|{TWH}y", "#"},
       "GI_Sheet_T");
  ASSERT_EQ(Cur(), std::make_pair(1, 0));
  // Past the last column and row of a small sheet.
  const QPoint outside(grid_->GridWidth() + 20, grid_->GridHeight() + 20);
  QTest::mouseDClick(grid_->viewport(), Qt::LeftButton, {}, outside);
  QTest::mousePress(grid_->viewport(), Qt::RightButton, {}, outside);
  EXPECT_FALSE(sheet_->ContextPopup()->isVisible());
  EXPECT_TRUE(Actions().empty());
  // A trailing cell belongs to the data cell on its left, never past column 0.
  int col = 0, row = 0;
  EXPECT_FALSE(sheet_->FindOwnerDataCell(col, row));
  col = 2;
  EXPECT_TRUE(sheet_->FindOwnerDataCell(col, row));
  EXPECT_EQ(col, 1);
  col = -1;
  EXPECT_FALSE(sheet_->FindOwnerDataCell(col, row));
  QTest::mouseDClick(grid_->viewport(), Qt::LeftButton, {}, grid_->CellRect(2, 0).center());
  ASSERT_EQ(Actions().size(), 1u);
  EXPECT_EQ(Actions()[0].operation, cellop::kClick);
  EXPECT_EQ(Actions()[0].cell.index, 0);
}

TEST_F(SheetTest, InputMethodFollowsTheCellAndItsStartReachesTheEditor) {
  Open({"#GI_Sheet_I_Style", "", "#GI_Sheet_I_BasicCell", "{($Basic)}", "#GI_Sheet_I_Cells",
        "{SIWH(%Flex0[0])}aaaa|{SWH(%Flex0[1])}bbbb", "#"},
       "GI_Sheet_I");
  EXPECT_TRUE(grid_->testAttribute(Qt::WA_InputMethodEnabled));
  Key(Qt::Key_Right);
  EXPECT_FALSE(grid_->testAttribute(Qt::WA_InputMethodEnabled));
  Key(Qt::Key_Left);
  EXPECT_TRUE(grid_->testAttribute(Qt::WA_InputMethodEnabled));

  auto& cell = Cell(Flex0, 0);
  cell.results[cellop::kImeStart] = kCellOpenEditor;
  QInputMethodEvent commit;
  commit.setCommitString(QString(QChar(0x304B)));
  QApplication::sendEvent(grid_, &commit);
  ASSERT_FALSE(Actions().empty());
  EXPECT_EQ(Actions()[0].operation, cellop::kImeStart);
  ASSERT_TRUE(sheet_->EditorVisible());
  EXPECT_EQ(sheet_->Editor()->Bytes(), "\x82\xa9");
  sheet_->CancelEditor(true);
}

// A handler may end the page it was called from; the sheet goes once its
// action is over, never in the middle of it.
TEST_F(SheetTest, ReleasedFromItsOwnActionTheSheetGoesAfterIt) {
  class Watched : public cuiSheet {
   public:
    using cuiSheet::cuiSheet;
    ~Watched() override { *gone = true; }
    bool* gone = nullptr;
  };
  LoadTable(host_.gtex, TestSheetLines());
  bool gone = false;
  Watched* sheet = host_.Build<Watched>("GI_Sheet_Test");
  sheet->gone = &gone;
  bool aliveInside = false;
  Cell(CL_Mch_Freq, 0).during = [&](cmcCellCapsule&) {
    sheet->Release();
    aliveInside = !gone;
  };
  QTest::keyClick(sheet->Grid(), Qt::Key_F2);
  EXPECT_TRUE(aliveInside);
  EXPECT_FALSE(gone);
  QApplication::processEvents();
  EXPECT_TRUE(gone);
}

}  // namespace
