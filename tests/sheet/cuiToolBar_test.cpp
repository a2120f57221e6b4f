// kw-test: gui
// The tool bar from the markup: buttons, separators and rows in line order,
// button states from the cell handler (a check button that Qt toggles by
// itself follows its cell again after the click), the click, and rebuilding
// from inside a click.
#include "sheet/cuiToolBar.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>

#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "sheet/cuiImageList.h"
#include "tests/sheet/SheetFixture.h"

namespace {

using kwtest::CellCall;
using kwtest::LoadTable;
using kwtest::ScriptedCellHandler;

cuiImageList MakeImages() {
  cuiImageList images(16, 16);
  for (int i = 0; i < 10; ++i) {
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(QColor::fromHsv(i * 36, 200, 200));
    images.Add(image);
  }
  return images;
}

// The program's own body: three buttons, a separator, three buttons and ten
// separators (17 lines).
std::vector<std::string> MainBodyLines() {
  std::vector<std::string> lines = {
      "New\t\t\t{(ImageIndex=0)(%CL_Menu_File_New)}",
      "Open\t\t\t{(ImageIndex=1)(%CL_Menu_File_Open)}",
      "Save\t\t\t{(ImageIndex=2)(%CL_Menu_File_Save)}",
      "-",
      "Clone Read\t\t{(ImageIndex=7)(%CL_Menu_Clone_Read)}",
      "Clone Write\t\t{(ImageIndex=8)(%CL_Menu_Clone_Write)}",
      "Clone Info.\t\t{(ImageIndex=9)(%CL_Menu_Clone_Info)}",
  };
  for (int i = 0; i < 10; ++i) lines.push_back("-");
  return lines;
}

std::vector<std::string> Bar(const std::string& key, const std::vector<std::string>& body) {
  std::vector<std::string> lines = {"#" + key + "_BasicCell", "{($Basic)}", "#" + key + "_Body"};
  lines.insert(lines.end(), body.begin(), body.end());
  lines.push_back("#");
  return lines;
}

std::vector<std::string> Tables() {
  std::vector<std::string> all = Bar("GI_ToolBar_T", MainBodyLines());
  for (const auto& part :
       {Bar("GI_ToolBar_Empty", {}),
        Bar("GI_ToolBar_Rows", {"New\t{(ImageIndex=0)(%CL_Menu_File_New)}", "-", "-", "/",
                                "Toolbar\t{(ImageIndex=3)(%CL_Menu_View_ToolBar)}"}),
        Bar("GI_ToolBar_Gaps", {"-", "New\t{(ImageIndex=0)(%CL_Menu_File_New)}", "-", "-",
                                "Open\t{(ImageIndex=1)(%CL_Menu_File_Open)}", "-", "-"})})
    all.insert(all.end(), part.begin(), part.end());
  return all;
}

class ToolBarTest : public ::testing::Test {
 protected:
  ToolBarTest() : images_(MakeImages()) {
    LoadTable(gtex_, Tables());
    window_.resize(400, 100);
    bar_ = std::make_unique<cuiToolBar>(&window_, gtex_, "GI_ToolBar_T", &images_);
    bar_->SetCellHandler(handler_.Handler());
    bar_->Populate();
    window_.show();
    QApplication::processEvents();
  }
  ~ToolBarTest() override {
    bar_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  void Use(const std::string& key) {
    bar_->Build(gtex_, key, &images_);
    QApplication::processEvents();
  }
  int Separators() const {
    int n = 0;
    for (QAction* a : bar_->Actions()) n += a->isSeparator() ? 1 : 0;
    return n;
  }
  // Separators drawn: only those between two buttons.
  int ShownSeparators() const {
    int n = 0;
    for (QAction* a : bar_->Actions()) n += a->isSeparator() && a->isVisible() ? 1 : 0;
    return n;
  }
  int Buttons() const { return static_cast<int>(bar_->Actions().size()) - Separators(); }
  QToolButton* ButtonOf(QAction* action) {
    for (QToolBar* row : bar_->Rows())
      if (auto* b = qobject_cast<QToolButton*>(row->widgetForAction(action))) return b;
    return nullptr;
  }

  ScopedEvMan bus_;
  cmcGTex gtex_;
  cuiImageList images_;
  ScriptedCellHandler handler_;
  QWidget window_;
  std::unique_ptr<cuiToolBar> bar_;
};

TEST_F(ToolBarTest, TheProgramsBodyGivesSixButtonsAndElevenSeparators) {
  EXPECT_EQ(bar_->LineCount(), 17);
  EXPECT_EQ(Buttons(), 6);
  EXPECT_EQ(Separators(), 11);
  EXPECT_EQ(ShownSeparators(), 1);  // the ten at the end draw nothing
  ASSERT_EQ(bar_->Rows().size(), 1u);
  // Line order; the caption is the tool tip; the image is the cell's.
  const std::vector<QAction*> actions = bar_->Actions();
  EXPECT_EQ(actions[0]->toolTip(), QStringLiteral("New"));
  EXPECT_TRUE(actions[3]->isSeparator());
  EXPECT_EQ(actions[4]->toolTip(), QStringLiteral("Clone Read"));
  EXPECT_EQ(bar_->CellOf(actions[6])->cellId, CL_Menu_Clone_Info);
  EXPECT_EQ(bar_->CellOf(actions[6])->imageIndex, 9);
  EXPECT_FALSE(actions[6]->icon().isNull());
  EXPECT_EQ(bar_->Rows()[0]->actions().size(), 17);
}

TEST_F(ToolBarTest, EmptyBodiesSeparatorsAndRows) {
  QWidget* control = bar_->Control();
  Use("GI_ToolBar_Empty");
  EXPECT_EQ(bar_->LineCount(), 0);
  EXPECT_TRUE(bar_->Actions().empty());
  EXPECT_EQ(bar_->Control(), control);  // the owner places the control once

  // Two "-" in a row are two separators; "/" starts a new row.
  Use("GI_ToolBar_Rows");
  EXPECT_EQ(bar_->LineCount(), 5);
  EXPECT_EQ(Separators(), 2);
  const std::vector<QToolBar*> rows = bar_->Rows();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0]->actions().size(), 3);
  ASSERT_EQ(rows[1]->actions().size(), 1);
  EXPECT_EQ(rows[1]->actions()[0], bar_->FindButtonByCellId(CL_Menu_View_ToolBar));
  EXPECT_LT(rows[0]->geometry().bottom(), rows[1]->geometry().top());
  EXPECT_EQ(rows[0]->parentWidget(), control);
  EXPECT_EQ(ShownSeparators(), 0);

  // Leading, doubled and trailing separators: one line between the buttons.
  Use("GI_ToolBar_Gaps");
  EXPECT_EQ(Separators(), 5);
  EXPECT_EQ(ShownSeparators(), 1);
  const std::vector<QAction*> actions = bar_->Actions();
  EXPECT_TRUE(actions[2]->isVisible());
}

TEST_F(ToolBarTest, ButtonStatesFollowTheCell) {
  QAction* read = bar_->FindButtonByCellId(CL_Menu_Clone_Read);
  ASSERT_NE(read, nullptr);
  auto& cell = handler_.Cell(CL_Menu_Clone_Read, 0);
  cell.userFlags = 1 << userflag::kChecked;
  EvMan().Send(ev::ToolBarRefreshStates);
  EXPECT_TRUE(read->isCheckable());
  EXPECT_TRUE(read->isChecked());
  QToolButton* button = ButtonOf(read);
  ASSERT_NE(button, nullptr);
  EXPECT_TRUE(button->isDown() || button->isChecked());

  cell.userFlags = 0;
  bar_->Refresh();
  EXPECT_FALSE(read->isCheckable());
  EXPECT_FALSE(read->isChecked());
  EXPECT_FALSE(button->isChecked());
  EXPECT_TRUE(read->isEnabled());

  cell.userFlags = 1 << userflag::kDisabled;
  bar_->Refresh();
  EXPECT_FALSE(read->isEnabled());
  // State queries: operation 0, notify 0, the owner set, no parent.
  for (const CellCall& call : handler_.calls) {
    EXPECT_EQ(call.notify, 0);
    EXPECT_FALSE(call.parentCell.has_value());
  }
}

TEST_F(ToolBarTest, AClickSendsEnterAndTheButtonFollowsItsCellAgain) {
  QAction* view = nullptr;
  Use("GI_ToolBar_Rows");
  view = bar_->FindButtonByCellId(CL_Menu_View_ToolBar);
  ASSERT_NE(view, nullptr);
  auto& cell = handler_.Cell(CL_Menu_View_ToolBar, 0);
  cell.userFlags = 1 << userflag::kChecked;
  bar_->Refresh();
  ASSERT_TRUE(view->isChecked());
  // The click toggles the check button; the cell still says checked.
  handler_.calls.clear();
  ButtonOf(view)->click();
  ASSERT_FALSE(handler_.calls.empty());
  const CellCall& click = handler_.calls.front();
  EXPECT_EQ(click.operation, cellop::kEnter);
  EXPECT_EQ(click.notify, 0);
  EXPECT_EQ(click.cell.cellId, CL_Menu_View_ToolBar);
  EXPECT_TRUE(view->isChecked());
  // The handler clears the state during the click: the button follows.
  cell.during = [&](cmcCellCapsule& c) {
    if (c.operation == cellop::kEnter) cell.userFlags = 0;
  };
  ButtonOf(view)->click();
  EXPECT_FALSE(view->isChecked());
  EXPECT_FALSE(view->isCheckable());
}

TEST_F(ToolBarTest, AClickMayRebuildTheBar) {
  int clicks = 0;
  bar_->Populate([&](const cmcCellObj& button) {
    ++clicks;
    EXPECT_EQ(button.cellId, CL_Menu_File_Open);
    bar_->Build(gtex_, "GI_ToolBar_Rows", &images_);
  });
  QAction* open = bar_->FindButtonByCellId(CL_Menu_File_Open);
  ASSERT_NE(open, nullptr);
  open->trigger();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(bar_->LineCount(), 5);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(bar_->Rows().size(), 2u);
}

TEST_F(ToolBarTest, TheControlGoesWithTheBar) {
  QPointer<QWidget> control = bar_->Control();
  ASSERT_EQ(control->parentWidget(), &window_);
  bar_.reset();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(control.isNull());
  // Nothing listens any more.
  handler_.calls.clear();
  EvMan().Send(ev::ToolBarRefreshStates);
  EXPECT_TRUE(handler_.calls.empty());
}

}  // namespace
