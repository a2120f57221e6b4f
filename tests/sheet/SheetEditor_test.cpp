// kw-test: gui
// kw-test: link=Qt6::Test
// The in-place editor of a sheet: a typed character opens it, Enter, a
// click elsewhere or event 24 commit it exactly once per opening, Escape
// cancels, and the cell's maximum counts bytes.
#include <gtest/gtest.h>

#include <QTest>

#include "cells/names/CellNames.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiSheet.h"
#include "sheet/cuiSheetEditor.h"
#include "tests/sheet/SheetFixture.h"

namespace {

using kwtest::CellCall;
using kwtest::LoadTable;
using kwtest::SheetHost;
using kwtest::TestSheetLines;

class SheetEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LoadTable(host_.gtex, TestSheetLines());
    sheet_ = host_.Build("GI_Sheet_Test");
    grid_ = sheet_->Grid();
    auto& cell = host_.handler.Cell(CL_Mch_Freq, 0);
    cell.results['1'] = kCellOpenEditor;
    cell.editorText = "1";
    cell.caret = 1;
    cell.results[-1] = kCellRedraw;  // a commit redraws
  }
  void TearDown() override { sheet_->Release(); }

  void Type(QWidget* target, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
  }
  void OpenWithOne() {
    Type(grid_, QStringLiteral("1"));
    ASSERT_TRUE(sheet_->EditorVisible());
  }
  std::vector<CellCall> Commits() const {
    std::vector<CellCall> out;
    for (const CellCall& c : host_.handler.Actions())
      if (c.mode == cellmode::kCommit) out.push_back(c);
    return out;
  }

  SheetHost host_;
  cuiSheet* sheet_ = nullptr;
  cuiGrid* grid_ = nullptr;
};

TEST_F(SheetEditorTest, ATypedCharacterOpensTheEditorAndEnterCommitsOnce) {
  OpenWithOne();
  cuiSheetEditor* editor = sheet_->Editor();
  EXPECT_EQ(editor->Bytes(), "1");
  EXPECT_EQ(editor->CaretBytes(), 1);
  EXPECT_TRUE(editor->hasFocus());
  // The editor lies over the cell.
  const QRect cell = grid_->CellRect(1, 5);
  const QPoint at = grid_->viewport()->mapTo(sheet_->BodyPanel(), cell.topLeft());
  EXPECT_EQ(editor->geometry().left(), at.x());
  EXPECT_GE(editor->geometry().top(), at.y());
  EXPECT_LE(editor->geometry().bottom(), at.y() + cell.height());

  QTest::keyClicks(editor, QStringLiteral("45.5"));
  QTest::keyClick(editor, Qt::Key_Return);
  ASSERT_EQ(Commits().size(), 1u);
  EXPECT_EQ(Commits()[0].operation, 0);
  EXPECT_EQ(Commits()[0].inputText, "145.5");
  EXPECT_EQ(Commits()[0].cell, (CellIdRecord{CT_Conv, CL_Mch_Freq, 0}));
  EXPECT_FALSE(sheet_->EditorVisible());
  EXPECT_TRUE(grid_->hasFocus());
  EXPECT_EQ(host_.handler.Cell(CL_Mch_Freq, 0).text, "145.5");
}

TEST_F(SheetEditorTest, EscapeCommitsNothing) {
  OpenWithOne();
  QTest::keyClicks(sheet_->Editor(), QStringLiteral("23"));
  QTest::keyClick(sheet_->Editor(), Qt::Key_Escape);
  EXPECT_FALSE(sheet_->EditorVisible());
  EXPECT_TRUE(Commits().empty());
  EXPECT_TRUE(grid_->hasFocus());
}

TEST_F(SheetEditorTest, AClickElsewhereCommitsOnce) {
  OpenWithOne();
  QTest::keyClicks(sheet_->Editor(), QStringLiteral("2"));
  QTest::mouseClick(grid_->viewport(), Qt::LeftButton, {}, grid_->CellRect(2, 7).center());
  ASSERT_EQ(Commits().size(), 1u);
  EXPECT_EQ(Commits()[0].inputText, "12");
  EXPECT_EQ(std::make_pair(grid_->Col(), grid_->Row()), std::make_pair(2, 7));
}

TEST_F(SheetEditorTest, EventTwentyFourCommitsAndAHandlerBoxDuringTheCommitDoesNotRepeatIt) {
  int boxes = 0;
  host_.handler.Cell(CL_Mch_Freq, 0).during = [&](cmcCellCapsule& c) {
    if (c.mode != cellmode::kCommit) return;
    // A message box runs its own loop, which drains the bus: a command
    // posted event 24 meanwhile.
    ++boxes;
    EvMan().Post(ev::EndCellEditing);
    EvMan().Drain();
  };
  OpenWithOne();
  EvMan().Send(ev::EndCellEditing);
  EXPECT_EQ(Commits().size(), 1u);
  EXPECT_EQ(boxes, 1);
  EXPECT_FALSE(sheet_->EditorVisible());
  EvMan().Send(ev::EndCellEditing);
  EXPECT_EQ(Commits().size(), 1u);
}

TEST_F(SheetEditorTest, AnEditorTheCommitReopensStaysOpen) {
  auto& cell = host_.handler.Cell(CL_Mch_Freq, 0);
  OpenWithOne();
  cell.results[-1] = kCellOpenEditor;
  cell.editorText = "again";
  QTest::keyClick(sheet_->Editor(), Qt::Key_Return);
  EXPECT_EQ(Commits().size(), 1u);
  ASSERT_TRUE(sheet_->EditorVisible());
  EXPECT_EQ(sheet_->Editor()->Bytes(), "again");
  EXPECT_TRUE(sheet_->Editor()->hasFocus());
}

TEST_F(SheetEditorTest, TheMaximumCountsBytes) {
  struct Case {
    int max;
    QString typed;
    const char* committed;
  } const cases[] = {
      {8, QStringLiteral("ABCDEFGHI"), "ABCDEFGH"},
      {5, QString::fromUtf8("\u3042\u3044\u3046"), "\x82\xa0\x82\xa2"},
  };
  auto& cell = host_.handler.Cell(CL_Mch_Freq, 0);
  cell.editorText = "";
  cell.caret = 0;
  for (const Case& c : cases) {
    host_.handler.calls.clear();
    cell.maxLength = c.max;
    OpenWithOne();
    Type(sheet_->Editor(), c.typed);
    QTest::keyClick(sheet_->Editor(), Qt::Key_Return);
    ASSERT_EQ(Commits().size(), 1u);
    EXPECT_EQ(Commits()[0].inputText, c.committed) << c.max;
  }
}

}  // namespace
