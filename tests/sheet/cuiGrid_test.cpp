// kw-test: gui
// kw-test: link=Qt6::Test
// The drawn grid: geometry with fixed and hidden columns and whole-cell
// scrolling, its own key and mouse behaviour when no closure is set, the
// closures it reports to, and painting only what it is asked to.
#include "sheet/cuiGrid.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <set>
#include <utility>
#include <vector>

namespace {

// A 6 x 8 grid of 40 x 20 cells with one fixed column and row, in a
// 200 x 120 viewport (no scroll bars, so the viewport has exactly that size).
class GridTest : public ::testing::Test {
 protected:
  void SetUp() override {
    grid_.SetScrollBarsEnabled(false);
    grid_.setFrameShape(QFrame::NoFrame);
    grid_.SetColCount(6);
    grid_.SetRowCount(8);
    grid_.SetDefaultColWidth(40);
    grid_.SetDefaultRowHeight(20);
    grid_.SetFixedCols(1);
    grid_.SetFixedRows(1);
    grid_.resize(200, 120);
    grid_.show();
    grid_.activateWindow();
    grid_.setFocus();
    QApplication::processEvents();
    grid_.MoveColRow(1, 1, true, true);
  }

  void Press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(&grid_, key, mods);
  }

  cuiGrid grid_;
};

TEST_F(GridTest, CellRectAndMouseCoordFollowFixedPartAndScrolling) {
  EXPECT_EQ(grid_.ClientWidth(), 200);
  EXPECT_EQ(grid_.CellRect(0, 0), QRect(0, 0, 40, 20));
  EXPECT_EQ(grid_.CellRect(2, 3), QRect(80, 60, 40, 20));
  EXPECT_EQ(grid_.MouseCoord(85, 61), QPoint(2, 3));
  // Past the last row, left of the table, above it: off the cells.
  EXPECT_EQ(grid_.MouseCoord(199, 119), QPoint(4, 5));
  grid_.SetRowCount(3);
  EXPECT_EQ(grid_.MouseCoord(10, 70), QPoint(-1, -1));
  EXPECT_EQ(grid_.MouseCoord(-1, 5), QPoint(-1, -1));
  EXPECT_EQ(grid_.MouseCoord(5, -1), QPoint(-1, -1));
  EXPECT_TRUE(grid_.CellRect(6, 0).isEmpty());
  EXPECT_TRUE(grid_.CellRect(-1, 0).isEmpty());

  // Scrolling moves whole columns; the fixed column stays.
  grid_.SetRowCount(8);
  grid_.SetLeftCol(2);
  EXPECT_EQ(grid_.LeftCol(), 2);
  EXPECT_TRUE(grid_.CellRect(1, 1).isEmpty());
  EXPECT_EQ(grid_.CellRect(0, 1), QRect(0, 20, 40, 20));
  EXPECT_EQ(grid_.CellRect(2, 1), QRect(40, 20, 40, 20));
  EXPECT_EQ(grid_.MouseCoord(45, 25), QPoint(2, 1));

  // A hidden column takes no room (and the view then fits from column 1).
  grid_.SetColWidth(3, 0);
  EXPECT_EQ(grid_.LeftCol(), 1);
  EXPECT_EQ(grid_.CellRect(3, 1), QRect(120, 20, 0, 20));
  EXPECT_EQ(grid_.CellRect(4, 1), QRect(120, 20, 40, 20));
  EXPECT_EQ(grid_.MouseCoord(125, 25), QPoint(4, 1));
}

TEST_F(GridTest, LeftColumnAndTopRowAreClampedToWhatCanBeShown) {
  // Columns 1..5 need 200 pixels beside the fixed 40: the last whole view
  // starts at column 2 (2..5 = 160 pixels).
  struct Case {
    int asked, left;
  } const cols[] = {{-5, 1}, {0, 1}, {2, 2}, {3, 2}, {99, 2}};
  for (const Case& c : cols) {
    grid_.SetLeftCol(c.asked);
    EXPECT_EQ(grid_.LeftCol(), c.left) << c.asked;
  }
  // Rows 1..7 in 100 pixels: the last view starts at row 3 (3..7).
  grid_.SetTopRow(99);
  EXPECT_EQ(grid_.TopRow(), 3);
  EXPECT_EQ(grid_.VisibleRowCount(), 5);
  // Growing the viewport pulls the view back.
  grid_.resize(400, 400);
  EXPECT_EQ(grid_.LeftCol(), 1);
  EXPECT_EQ(grid_.TopRow(), 1);
}

TEST_F(GridTest, WithoutClosuresArrowsMoveTheCurrentCellAndNothingIsDrawn) {
  Press(Qt::Key_Down);
  Press(Qt::Key_Right);
  EXPECT_EQ(std::make_pair(grid_.Col(), grid_.Row()), std::make_pair(2, 2));
  // Never into the fixed part, never past the end.
  Press(Qt::Key_Left);
  Press(Qt::Key_Left);
  Press(Qt::Key_Left);
  EXPECT_EQ(grid_.Col(), 1);
  for (int i = 0; i < 10; ++i) Press(Qt::Key_Down);
  EXPECT_EQ(grid_.Row(), 7);
  // Moving scrolled the current row into view.
  EXPECT_EQ(grid_.TopRow(), 3);
  Press(Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(grid_.Row(), 1);

  grid_.SetColor(QColor(10, 20, 30));
  const QImage image = grid_.viewport()->grab().toImage();
  std::set<QRgb> colors;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) colors.insert(image.pixel(x, y));
  EXPECT_EQ(colors, std::set<QRgb>{qRgb(10, 20, 30)});
}

TEST_F(GridTest, SelectCellCanRefuseAndKeyDownCanConsume) {
  grid_.OnSelectCell = [](int col, int, bool& canSelect) { canSelect = col != 2; };
  Press(Qt::Key_Right);
  EXPECT_EQ(grid_.Col(), 1);
  EXPECT_FALSE(grid_.MoveColRow(2, 3, true, true));
  EXPECT_TRUE(grid_.MoveColRow(3, 3, true, true));
  EXPECT_FALSE(grid_.MoveColRow(6, 0, true, true));
  EXPECT_FALSE(grid_.MoveColRow(0, -1, true, true));
  EXPECT_EQ(std::make_pair(grid_.Col(), grid_.Row()), std::make_pair(3, 3));

  std::vector<int> seen;
  grid_.OnKeyDown = [&](int& key, Qt::KeyboardModifiers) {
    seen.push_back(key);
    if (key == Qt::Key_Down) key = 0;
  };
  Press(Qt::Key_Down);
  Press(Qt::Key_Up);
  EXPECT_EQ(grid_.Row(), 2);
  EXPECT_EQ(seen, (std::vector<int>{Qt::Key_Down, Qt::Key_Up}));
}

TEST_F(GridTest, KeyPressReportsTheCharacterAsTheProgramCountsIt) {
  std::vector<int> chars;
  grid_.OnKeyPress = [&](int ch) { chars.push_back(ch); };
  struct Case {
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    QString text;
    std::vector<int> expected;
  } const cases[] = {
      {Qt::Key_A, Qt::NoModifier, QStringLiteral("a"), {97}},
      {Qt::Key_1, Qt::NoModifier, QStringLiteral("1"), {49}},
      {Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), {13}},
      {Qt::Key_Enter, Qt::KeypadModifier, QStringLiteral("\r"), {13}},
      {Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"), {8}},
      {Qt::Key_Backspace, Qt::ControlModifier, QString(), {127}},
      {Qt::Key_A, Qt::ControlModifier, QStringLiteral("\x01"), {1}},
      {Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"), {27}},
      {Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f"), {}},
      {Qt::Key_A, Qt::AltModifier, QStringLiteral("a"), {}},
      {Qt::Key_unknown, Qt::NoModifier, QString(QChar(0xFF71)), {-79}},  // half-width "a" kana
      {Qt::Key_unknown, Qt::NoModifier, QString(QChar(0x3042)), {}},     // needs two bytes
      {Qt::Key_unknown, Qt::NoModifier, QString(QChar(0x00E9)), {}},     // not in code page 932
  };
  for (const Case& c : cases) {
    chars.clear();
    QKeyEvent press(QEvent::KeyPress, c.key, c.mods, c.text);
    QApplication::sendEvent(&grid_, &press);
    EXPECT_EQ(chars, c.expected) << c.key << " " << c.text.toStdString();
  }
}

TEST_F(GridTest, PaintingAsksOnlyForCellsInTheUpdateRegion) {
  std::vector<std::pair<int, int>> drawn;
  std::vector<int> states;
  grid_.OnDrawCell = [&](int col, int row, const QRect& rect, int state) {
    drawn.emplace_back(col, row);
    states.push_back(state);
    EXPECT_EQ(rect, grid_.CellRect(col, row));
  };
  QApplication::processEvents();
  drawn.clear();
  states.clear();
  grid_.viewport()->repaint(QRect(45, 25, 30, 10));
  EXPECT_EQ(drawn, (std::vector<std::pair<int, int>>{{1, 1}}));
  EXPECT_EQ(states.at(0) & cuiGrid::kDrawSelected, cuiGrid::kDrawSelected);

  drawn.clear();
  states.clear();
  grid_.viewport()->repaint(QRect(0, 0, 60, 10));
  EXPECT_EQ(drawn, (std::vector<std::pair<int, int>>{{0, 0}, {1, 0}}));
  EXPECT_EQ(states, (std::vector<int>{cuiGrid::kDrawFixed, cuiGrid::kDrawFixed}));

  // A hidden column is never asked for; a full repaint asks for each
  // visible cell once.
  grid_.SetColWidth(2, 0);
  drawn.clear();
  grid_.viewport()->repaint();
  const std::set<std::pair<int, int>> unique(drawn.begin(), drawn.end());
  EXPECT_EQ(unique.size(), drawn.size());
  for (const auto& cell : drawn) EXPECT_NE(cell.first, 2);
  EXPECT_EQ(drawn.size(), 5u * 6u);  // columns 0,1,3,4,5 x rows 0..5
}

TEST_F(GridTest, MouseSelectsDragsAndScrollsPastTheEdgeOnTheTimer) {
  std::vector<std::pair<int, cuiGrid::MouseMode>> downs;
  grid_.OnMouseDown = [&](Qt::MouseButton button, Qt::KeyboardModifiers, QPoint) {
    downs.emplace_back(button, grid_.GetMouseMode());
  };
  QTest::mousePress(grid_.viewport(), Qt::LeftButton, {}, QPoint(85, 45));
  EXPECT_EQ(std::make_pair(grid_.Col(), grid_.Row()), std::make_pair(2, 2));
  EXPECT_TRUE(grid_.TimedScrollRunning());
  QTest::mouseMove(grid_.viewport(), QPoint(125, 65));
  EXPECT_EQ(std::make_pair(grid_.Col(), grid_.Row()), std::make_pair(3, 3));

  // Below the last whole row: each tick steps down and scrolls.
  QTest::mouseMove(grid_.viewport(), QPoint(125, 130));
  const int row = grid_.Row();
  grid_.TimedScrollTick();
  EXPECT_EQ(grid_.Row(), row + 1);
  int directions = 0;
  grid_.SetOnTimedScroll([&](int d) { directions = d; });
  QTest::mouseMove(grid_.viewport(), QPoint(10, 130));
  grid_.TimedScrollTick();
  EXPECT_EQ(directions, cuiGrid::kScrollLeft | cuiGrid::kScrollDown);

  QTest::mouseRelease(grid_.viewport(), Qt::LeftButton, {}, QPoint(10, 130));
  EXPECT_FALSE(grid_.TimedScrollRunning());
  EXPECT_EQ(grid_.GetMouseMode(), cuiGrid::MouseMode::Normal);

  // Presses on fixed cells select nothing; the right button neither.
  QTest::mousePress(grid_.viewport(), Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseRelease(grid_.viewport(), Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mousePress(grid_.viewport(), Qt::RightButton, {}, QPoint(165, 45));
  QTest::mouseRelease(grid_.viewport(), Qt::RightButton, {}, QPoint(165, 45));
  EXPECT_NE(grid_.Col(), 4);
  using Mode = cuiGrid::MouseMode;
  EXPECT_EQ(downs, (std::vector<std::pair<int, Mode>>{{Qt::LeftButton, Mode::Selecting},
                                                      {Qt::LeftButton, Mode::Normal},
                                                      {Qt::RightButton, Mode::Normal}}));
}

TEST_F(GridTest, BordersInTheFixedRowsSizeColumnsWhenAllowed) {
  int changes = 0;
  grid_.OnColWidthsChanged = [&] { ++changes; };
  // Not allowed: a press on the border selects nothing and sizes nothing.
  QTest::mousePress(grid_.viewport(), Qt::LeftButton, {}, QPoint(80, 10));
  QTest::mouseMove(grid_.viewport(), QPoint(100, 10));
  QTest::mouseRelease(grid_.viewport(), Qt::LeftButton, {}, QPoint(100, 10));
  EXPECT_EQ(grid_.ColWidth(1), 40);

  grid_.SetColSizing(true);
  bool reported = false;
  grid_.OnMouseDown = [&](Qt::MouseButton, Qt::KeyboardModifiers, QPoint) { reported = true; };
  QTest::mousePress(grid_.viewport(), Qt::LeftButton, {}, QPoint(81, 10));
  EXPECT_EQ(grid_.GetMouseMode(), cuiGrid::MouseMode::ColSizing);
  QTest::mouseMove(grid_.viewport(), QPoint(100, 10));
  EXPECT_EQ(grid_.ColWidth(1), 60);
  QTest::mouseRelease(grid_.viewport(), Qt::LeftButton, {}, QPoint(100, 10));
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(reported);
  // Dragging left of the column keeps it one pixel wide.
  QTest::mousePress(grid_.viewport(), Qt::LeftButton, {}, QPoint(100, 10));
  QTest::mouseMove(grid_.viewport(), QPoint(10, 10));
  QTest::mouseRelease(grid_.viewport(), Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(grid_.ColWidth(1), 1);
  // A border in a scrollable row is an ordinary press.
  QTest::mousePress(grid_.viewport(), Qt::LeftButton, {}, QPoint(121, 50));
  EXPECT_EQ(grid_.GetMouseMode(), cuiGrid::MouseMode::Selecting);
  QTest::mouseRelease(grid_.viewport(), Qt::LeftButton, {}, QPoint(121, 50));
}

TEST_F(GridTest, FocusClosuresIgnorePopupMenus) {
  int in = 0, out = 0;
  grid_.SetOnSetFocus([&] { ++in; });
  grid_.SetOnKillFocus([&] { ++out; });
  QFocusEvent popupOut(QEvent::FocusOut, Qt::PopupFocusReason);
  QApplication::sendEvent(&grid_, &popupOut);
  QFocusEvent popupIn(QEvent::FocusIn, Qt::PopupFocusReason);
  QApplication::sendEvent(&grid_, &popupIn);
  EXPECT_EQ(in + out, 0);
  QFocusEvent otherOut(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(&grid_, &otherOut);
  QFocusEvent otherIn(QEvent::FocusIn, Qt::MouseFocusReason);
  QApplication::sendEvent(&grid_, &otherIn);
  EXPECT_EQ(std::make_pair(in, out), std::make_pair(1, 1));
}

// An input-method composition that starts on the grid reaches the closure
// first; when the closure opens an editor, the composition continues there.
TEST_F(GridTest, InputMethodStartReachesTheClosureBeforeTheGrid) {
  QLineEdit editor(&grid_);
  editor.hide();
  bool open = true;
  std::vector<std::string> log;
  grid_.SetOnImeStartComposition([&] {
    log.push_back(editor.isVisible() ? "visible" : "hidden");
    if (!open) return;
    editor.show();
    editor.setFocus();
  });
  QInputMethodEvent start(QStringLiteral("ka"), {});
  QApplication::sendEvent(&grid_, &start);
  EXPECT_EQ(log, std::vector<std::string>{"hidden"});
  EXPECT_TRUE(editor.hasFocus());
  QInputMethodEvent commit;
  commit.setCommitString(QString(QChar(0x304B)));
  QApplication::sendEvent(&editor, &commit);
  EXPECT_EQ(editor.text(), QString(QChar(0x304B)));

  // Without an editor the grid swallows the composition: one start for it.
  open = false;
  editor.hide();
  grid_.setFocus();
  QInputMethodEvent again(QStringLiteral("ka"), {});
  QApplication::sendEvent(&grid_, &again);
  QInputMethodEvent more(QStringLiteral("kak"), {});
  QApplication::sendEvent(&grid_, &more);
  QInputMethodEvent done;
  done.setCommitString(QStringLiteral("x"));
  QApplication::sendEvent(&grid_, &done);
  EXPECT_EQ(log.size(), 2u);
  // The next composition is a new start.
  QInputMethodEvent next(QStringLiteral("a"), {});
  QApplication::sendEvent(&grid_, &next);
  EXPECT_EQ(log.size(), 3u);
}

TEST_F(GridTest, TheMenuKeyAsksForTheContextMenuOnce) {
  int asked = 0;
  grid_.OnContextKey = [&] { ++asked; };
  QTest::keyClick(&grid_, Qt::Key_Menu);
  QContextMenuEvent keyboard(QContextMenuEvent::Keyboard, QPoint(0, 0), QPoint(0, 0));
  QApplication::sendEvent(grid_.viewport(), &keyboard);
  EXPECT_EQ(asked, 1);
  QContextMenuEvent mouse(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(5, 5));
  QApplication::sendEvent(grid_.viewport(), &mouse);
  EXPECT_EQ(asked, 1);
}

}  // namespace
