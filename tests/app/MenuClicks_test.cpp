// kw-test: gui
// Clicks on the main menu, the tool bar and a page's context menu, as the
// program's English table builds them, reach the cell handler with the
// item's cell id and index (menu and tool bar) or as the item's popup
// command on the page's current cell (context menu).
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>
#include <vector>

#include "app/MainFrame.h"
#include "cells/names/CellNames.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiMenu.h"
#include "sheet/cuiSheet.h"
#include "sheet/cuiToolBar.h"
#include "tests/app/MainWindowRig.h"

namespace {

struct Click {
  std::int32_t id;
  int index;
  std::int32_t popup;
  bool operator==(const Click&) const = default;
};

// Records what reaches the handler as an action; asks nothing else.
class Recorder {
 public:
  Recorder()
      : scope_([this](cmcCellCapsule& capsule, int) -> std::int32_t {
          if ((capsule.operation == cellop::kEnter || capsule.popupCommand != 0) && capsule.cell)
            clicks.push_back({capsule.cell->cellId, capsule.cell->index, capsule.popupCommand});
          return 0;
        }) {}
  std::vector<Click> clicks;

 private:
  // Declared after the clicks: it may be called until it goes.
  ScopedDefaultCellHandler scope_;
};

// Every item of a menu that is not a separator or a sub-menu head, in order.
void Leaves(QMenu* menu, std::vector<QAction*>& leaves) {
  for (QAction* action : menu->actions()) {
    if (action->isSeparator()) continue;
    if (action->menu())
      Leaves(action->menu(), leaves);
    else
      leaves.push_back(action);
  }
}

class MenuClicksTest : public ::testing::Test {
 protected:
  MenuClicksTest() {
    rig_.Build(&kwres::kTextEnglish);
    rig_.window->show();
    QApplication::processEvents();
  }
  kwtest::MainWindowRig rig_;
};

TEST_F(MenuClicksTest, MainMenuItemsReachTheHandlerWithTheirCells) {
  std::vector<QAction*> leaves;
  for (QAction* top : rig_.window->menuBar()->actions())
    if (top->menu()) Leaves(top->menu(), leaves);
  const cuiMenu& menu = *rig_.window->Menu();
  std::vector<Click> want;
  for (QAction* action : leaves) {
    const cmcCellObj* cell = menu.CellOf(action);
    ASSERT_NE(cell, nullptr) << action->text().toStdString();
    want.push_back({cell->cellId, cell->index, 0});
  }
  Recorder recorder;
  for (QAction* action : leaves) action->trigger();
  EXPECT_EQ(recorder.clicks, want);

  // The choices of the two id-less heads carry their value as the index.
  std::vector<int> sizes;
  std::vector<int> languages;
  for (const Click& click : recorder.clicks) {
    if (click.id == CL_Menu_View_FontSize) sizes.push_back(click.index);
    if (click.id == CL_Menu_View_Language) languages.push_back(click.index);
  }
  EXPECT_EQ(sizes, (std::vector<int>{60, 80, 100, 120, 150}));
  EXPECT_EQ(languages, (std::vector<int>{0, 1}));
}

TEST_F(MenuClicksTest, ToolBarButtonsReachTheHandlerWithTheirCells) {
  Recorder recorder;
  for (QAction* action : rig_.window->Buttons()->Actions())
    if (!action->isSeparator()) action->trigger();
  const std::vector<Click> want = {{CL_Menu_File_New, 0, 0},    {CL_Menu_File_Open, 0, 0},
                                   {CL_Menu_File_Save, 0, 0},   {CL_Menu_Clone_Read, 0, 0},
                                   {CL_Menu_Clone_Write, 0, 0}, {CL_Menu_Clone_Info, 0, 0}};
  EXPECT_EQ(recorder.clicks, want);
}

TEST_F(MenuClicksTest, ContextMenuItemsActOnTheCurrentCell) {
  Recorder recorder;  // the page acts through the handler in force when it is built
  rig_.main->OpenSheet("[St_ColCut]GI_Sheet_MemoryCH,1,100");
  QApplication::processEvents();
  cuiSheet& sheet = *rig_.window->CurrentSheet();
  rig_.window->activateWindow();
  QApplication::setActiveWindow(rig_.window.get());
  sheet.Grid()->setFocus();
  QApplication::processEvents();
  const int col = sheet.Grid()->Col();
  const int row = sheet.Grid()->Row();
  const cmcCellObj& current = *sheet.GetCell(col, row);
  ASSERT_EQ(current.cellId, CL_Mch_Freq);
  sheet.UpdateContextMenu(col, row, true);
  recorder.clicks.clear();
  std::vector<Click> want;
  for (QAction* action : sheet.ContextPopup()->actions()) {
    if (action->isSeparator()) continue;
    want.push_back({CL_Mch_Freq, 100, sheet.ContextMenu()->CellOf(action)->cellId});
    action->trigger();
    QApplication::processEvents();
  }
  const std::vector<std::int32_t> popups = {CL_PMenu_Edit,    CL_PMenu_Copy,      CL_PMenu_Paste,
                                            CL_PMenu_CarryUp, CL_PMenu_CarryDown, CL_PMenu_Clear,
                                            CL_PMenu_Delete,  CL_PMenu_Insert,    CL_PMenu_Help};
  ASSERT_EQ(want.size(), popups.size());
  for (std::size_t i = 0; i < popups.size(); ++i) EXPECT_EQ(want[i].popup, popups[i]);
  // Edit runs as Enter on the cell; the others as their popup commands.
  std::vector<Click> seen;
  for (const Click& click : recorder.clicks)
    if (click.popup != 0 || click.id == CL_Mch_Freq) seen.push_back(click);
  ASSERT_FALSE(seen.empty());
  for (const Click& w : want)
    EXPECT_NE(std::find(seen.begin(), seen.end(), w), seen.end()) << GetCellIdName(w.popup);
  // The page holds the recorder: it goes first.
  rig_.main->CloseSheet();
  QApplication::processEvents();
}

}  // namespace
