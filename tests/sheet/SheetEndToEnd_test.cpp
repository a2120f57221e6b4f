// kw-test: gui
// kw-test: link=Qt6::Test
// A window with a menu bar and a 105-row sheet over the program's own text
// table (its cell models and Edit context menu), on a scripted handler:
// typing, editing and committing a value, the context menu's Enter key and
// the right mouse button.
#include <gtest/gtest.h>

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <algorithm>

#include "cells/names/CellNames.h"
#include "resources/text/TextTables.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiMenu.h"
#include "sheet/cuiSheet.h"
#include "sheet/cuiSheetEditor.h"
#include "tests/sheet/SheetFixture.h"

namespace {

using kwtest::CellCall;

class DrawnSheet : public cuiSheet {
 public:
  using cuiSheet::cuiSheet;
  void DrawCell(int col, int row, const QRect& rect, int state) override {
    drawn.push_back({col, row});
    cuiSheet::DrawCell(col, row, rect, state);
  }
  std::vector<std::pair<int, int>> drawn;
};

// The English table with the test sheet and a menu bar with an Edit menu.
std::vector<std::string> Table() {
  std::vector<std::string> lines(kwres::kTextEnglish.lines,
                                 kwres::kTextEnglish.lines + kwres::kTextEnglish.count - 1);
  for (const std::string& line : kwtest::TestSheetLines()) lines.push_back(line);
  for (const char* line :
       {"#GI_Menu_T_BasicCell", "{($Basic)}", "#GI_Menu_T_Body", "+&File\t\t{(%CL_Null)}",
        " +&New\t\t{(%CL_Menu_File_New:Ctrl+N)}", "+&Edit\t\t{(%CL_Menu_Edit_Top)}", "#"})
    lines.emplace_back(line);
  lines.emplace_back("#End_Of_Ovl");
  return lines;
}

TEST(SheetEndToEnd, TypeEditCommitAndTheContextMenu) {
  ScopedEvMan bus;
  cmcGTex gtex;
  gtex.SetSource(Table());
  kwtest::ScriptedCellHandler handler;
  auto& freq = handler.Cell(CL_Mch_Freq, 0);
  freq.text = "";
  freq.results['1'] = kCellOpenEditor;
  freq.editorText = "1";
  freq.caret = 1;
  freq.results[-1] = kCellRedraw;
  freq.during = [](cmcCellCapsule& c) {
    if (c.mode == cellmode::kCommit) c.redrawClosure(c, redraw::kCell);
  };

  QMainWindow window;
  window.resize(800, 600);
  cuiMenu mainMenu(&window, window.menuBar(), gtex, "GI_Menu_T");
  mainMenu.SetCellHandler(handler.Handler());
  mainMenu.Build();
  auto* page = new QWidget;
  window.setCentralWidget(page);
  window.show();
  window.activateWindow();
  QApplication::setActiveWindow(&window);
  QApplication::processEvents();

  auto* sheet = new DrawnSheet(page, nullptr, 0, 0, gtex, "GI_Sheet_Test", nullptr);
  sheet->SetCellHandler(handler.Handler());
  sheet->SetName("0,0");
  sheet->Build();
  cuiGrid* grid = sheet->Grid();
  grid->setFocus();
  QApplication::processEvents();
  ASSERT_TRUE(grid->hasFocus());
  EXPECT_EQ(grid->RowCount(), 105);

  // "1" opens the editor with "1"; "45.5" and Enter commit "145.5" once.
  QTest::keyClick(grid, Qt::Key_1);
  ASSERT_TRUE(sheet->EditorVisible());
  EXPECT_EQ(sheet->Editor()->Bytes(), "1");
  QTest::keyClicks(sheet->Editor(), QStringLiteral("45.5"));
  QApplication::processEvents();
  sheet->drawn.clear();
  QTest::keyClick(sheet->Editor(), Qt::Key_Return);
  std::vector<CellCall> commits;
  for (const CellCall& c : handler.Actions())
    if (c.mode == cellmode::kCommit) commits.push_back(c);
  ASSERT_EQ(commits.size(), 1u);
  EXPECT_EQ(commits[0].inputText, "145.5");
  EXPECT_FALSE(sheet->EditorVisible());
  // The cell is drawn again and shows the new value.
  QApplication::processEvents();
  EXPECT_NE(std::find(sheet->drawn.begin(), sheet->drawn.end(), std::make_pair(1, 5)),
            sheet->drawn.end());
  EXPECT_EQ(handler.calls.back().notify, 0);
  EXPECT_EQ(freq.text, "145.5");

  // The main menu mirrors the context menu.
  QMenu* edit = mainMenu.FindItemByCellId(CL_Menu_Edit_Top)->menu();
  ASSERT_NE(edit, nullptr);
  ASSERT_EQ(edit->actions().size(), 3);

  // Enter on the grid is the context menu's Edit item.
  handler.calls.clear();
  ASSERT_TRUE(grid->hasFocus());
  QTest::keyClick(grid, Qt::Key_Return);
  ASSERT_EQ(handler.Actions().size(), 1u);
  EXPECT_EQ(handler.Actions()[0].operation, 0);
  EXPECT_EQ(handler.Actions()[0].popupCommand, CL_PMenu_Edit);
  EXPECT_EQ(handler.Actions()[0].cell, (CellIdRecord{CT_Conv, CL_Mch_Freq, 0}));

  // The right button shows that menu on the cell it was pressed on.
  QTest::mousePress(grid->viewport(), Qt::RightButton, {}, grid->CellRect(2, 7).center());
  EXPECT_EQ(std::make_pair(grid->Col(), grid->Row()), std::make_pair(2, 7));
  QMenu* popup = sheet->ContextPopup();
  ASSERT_TRUE(popup->isVisible());
  QStringList texts;
  for (const QAction* a : popup->actions()) texts << (a->isSeparator() ? "-" : a->text());
  EXPECT_EQ(texts, (QStringList{"Edit...\tEnter", "-", "Help"}));
  popup->hide();

  sheet->Release();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(edit->actions().isEmpty());
}

}  // namespace
