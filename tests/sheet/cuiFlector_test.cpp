// kw-test: gui
// kw-test: link=Qt6::Test
// The popup choice list at a cell: where it opens, on which option, what a
// pick sends back, and every way it closes without sending anything -
// Escape, a lost activation, the popups' closing, and the opening sheet or
// its grid going away while it is open.
#include "sheet/cuiFlector.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <string>
#include <vector>

#include "core/cmcEvMan.h"
#include "platform/Monitors.h"
#include "sheet/cmcCellObj.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiSheet.h"
#include "tests/sheet/SheetFixture.h"

namespace {

// A list of three options in one column, one of two columns, a long one and
// one without options.
std::vector<std::string> ListLines() {
  std::vector<std::string> lines = {
      "#GI_Sys_AppTitle",
      "KW-3700",
      "#",
      "#GI_Sheet_Sel_Three_Style",
      "",
      "#GI_Sheet_Sel_Three_BasicCell",
      "{($Basic)($bMn)}",
      "#GI_Sheet_Sel_Three_Cells",
      "{S(%Flex0[2])}4800bps",
      "{S(%Flex0[3])}9600bps",
      "{S(%Flex0[5])}Auto",
      "#",
      "#GI_Sheet_Sel_None_Style",
      "",
      "#GI_Sheet_Sel_None_BasicCell",
      "{($Basic)($bMn)}",
      "#GI_Sheet_Sel_None_Cells",
      "{($bMn)}nothing",
      "#",
      "#GI_Sheet_Sel_Long_Style",
      "",
      "#GI_Sheet_Sel_Long_BasicCell",
      "{($Basic)($bMn)}",
      "#GI_Sheet_Sel_Long_Cells",
  };
  for (int v = 0; v < 200; ++v) lines.push_back("{S(%Flex0[" + std::to_string(v) + "])}Option");
  lines.push_back("#");
  const std::vector<std::string> sheet = kwtest::TestSheetLines("(FixedRows=5)", 3);
  lines.insert(lines.end(), sheet.begin(), sheet.end());
  return lines;
}

struct Pick {
  int mode;
  int chosenId;
  int chosenIndex;
  CellIdRecord cell;
};

class Flector : public ::testing::Test {
 public:
  Flector() {
    kwtest::LoadTable(host.gtex, ListLines());
    sheet = host.Build("GI_Sheet_Test");
    sheet->PrepareCapsule(1, 5, opening);  // the first body row's frequency cell
  }
  ~Flector() override {
    for (QPointer<QWidget>& w : windows)
      if (w) w->hide();
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (sheet) sheet->Release();
  }

  // Opens a popup on the opening cell; answers go to the log.
  cuiFlector* Open(const char* key, int value, int listId = Flex0) {
    auto* popup = new cuiFlector(
        opening, host.gtex, key, listId, value, [this](const cmcCellCapsule&) -> CellHandler {
          return [this](cmcCellCapsule& c, int notify) { return Answer(c, notify); };
        });
    windows.push_back(popup->Window());
    QApplication::processEvents();
    return popup;
  }
  int Answer(cmcCellCapsule& c, int notify) {
    if (c.parent && c.mode == cellmode::kChoice) {
      picks.push_back({c.mode, c.parent->cell->cellId, c.parent->cell->index, c.cell->GetCellId()});
      return kCellRedraw;
    }
    if (c.cell) c.outputText = std::string(c.cell->GetCaption());
    return kCellNothing;
  }
  // Runs the event loop until deferred deletions are done; true when the
  // popup's window is gone.
  static bool Gone(QPointer<QWidget> window) {
    for (int i = 0; i < 3 && window; ++i) {
      QApplication::processEvents();
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return window.isNull();
  }
  static cmcCellObj& Current(cuiFlector& popup) {
    cuiGrid* g = popup.Sheet()->Grid();
    return *popup.Sheet()->GetCell(g->Col(), g->Row());
  }

  kwtest::SheetHost host;
  cuiSheet* sheet = nullptr;
  cmcCellCapsule opening;
  std::vector<Pick> picks;
  std::vector<QPointer<QWidget>> windows;
};

TEST_F(Flector, OpensOnTheValuesOptionAndAPickGoesBackToTheCell) {
  cuiFlector* popup = Open("GI_Sheet_Sel_Three", 3);
  QPointer<QWidget> window = popup->Window();
  ASSERT_TRUE(window);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->parentWidget(), opening.owner) << "a child of the opening grid";
  EXPECT_TRUE(window->windowFlags() & Qt::Popup);
  EXPECT_EQ(window->windowTitle(), "KW-3700");
  EXPECT_EQ(Current(*popup).index, 3);
  // The whole list shows without scrolling.
  EXPECT_GE(popup->Sheet()->Grid()->ClientHeight(), popup->Sheet()->Grid()->GridHeight());

  QTest::keyClick(popup->Sheet()->Grid(), Qt::Key_Down);
  EXPECT_EQ(Current(*popup).index, 5);
  QTest::keyClick(popup->Sheet()->Grid(), Qt::Key_Return);
  ASSERT_EQ(picks.size(), 1u);
  EXPECT_EQ(picks[0].chosenId, Flex0);
  EXPECT_EQ(picks[0].chosenIndex, 5);
  EXPECT_EQ(picks[0].cell.cellId, opening.cell->cellId) << "the opening request comes back";
  EXPECT_TRUE(Gone(window));
}

TEST_F(Flector, AValueOutsideTheListOpensOnTheFirstOption) {
  cuiFlector* popup = Open("GI_Sheet_Sel_Three", 77);
  EXPECT_EQ(Current(*popup).index, 2);
  popup->Release();
}

// Every way of closing other than a pick sends nothing.
TEST_F(Flector, ClosesWithoutSending) {
  struct Case {
    const char* how;
    std::function<void(Flector&, cuiFlector&)> close;
  } cases[] = {
      {"Escape",
       [](Flector&, cuiFlector& p) { QTest::keyClick(p.Sheet()->Grid(), Qt::Key_Escape); }},
      {"Release", [](Flector&, cuiFlector& p) { p.Release(); }},
      {"lost activation",
       [](Flector&, cuiFlector& p) {
         QEvent deactivate(QEvent::WindowDeactivate);
         QApplication::sendEvent(p.Window(), &deactivate);
       }},
      {"popups closed", [](Flector&, cuiFlector&) { EvMan().Send(ev::EndCellEditing); }},
      {"grid's sheet goes",
       [](Flector& f, cuiFlector&) {
         EvMan().Send(ev::SheetDestroying, 0, reinterpret_cast<std::intptr_t>(f.opening.owner));
       }},
      {"sheet's owner control goes",
       [](Flector& f, cuiFlector&) {
         EvMan().Send(ev::SheetDestroying, 0,
                      reinterpret_cast<std::intptr_t>(f.opening.sheet->Owner()));
       }},
  };
  for (const Case& c : cases) {
    cuiFlector* popup = Open("GI_Sheet_Sel_Three", 2);
    QPointer<QWidget> window = popup->Window();
    cuiGrid* grid = popup->Sheet()->Grid();
    c.close(*this, *popup);
    EXPECT_TRUE(popup->Released()) << c.how;
    // A pick that still reaches the popup's sheet sends nothing.
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_TRUE(Gone(window)) << c.how;
    EXPECT_TRUE(picks.empty()) << c.how;
  }
}

TEST_F(Flector, AnotherSheetGoingLeavesItOpen) {
  cuiFlector* popup = Open("GI_Sheet_Sel_Three", 2);
  QWidget other;
  EvMan().Send(ev::SheetDestroying, 0, reinterpret_cast<std::intptr_t>(&other));
  EXPECT_FALSE(popup->Released());
  popup->Release();
  popup->Release();  // a second release does nothing
}

// The opening sheet is destroyed while its popup is open: the popup closes
// at once and nothing reaches the freed sheet afterwards.
TEST_F(Flector, TheOpeningSheetGoingClosesThePopup) {
  cuiFlector* popup = Open("GI_Sheet_Sel_Three", 2);
  QPointer<QWidget> window = popup->Window();
  QPointer<cuiGrid> list = popup->Sheet()->Grid();
  sheet->Release();
  sheet = nullptr;
  // A pick now would hand the freed sheet's cell back to its handler.
  if (list) QTest::keyClick(list, Qt::Key_Return);
  EXPECT_TRUE(Gone(window));
  EXPECT_TRUE(picks.empty());
}

// The grid is freed under the popup without any event: the popup goes with
// it, as its child.
TEST_F(Flector, TheGridGoingTakesThePopupWithIt) {
  auto* grid = new QWidget(&host.window);
  grid->setGeometry(10, 10, 200, 100);
  grid->show();
  cmcCellCapsule lone;
  cmcCellObj cell;
  lone.cell = &cell;
  lone.owner = lone.owner2 = grid;
  lone.cellRect = QRect(5, 5, 60, 18);
  auto* popup = new cuiFlector(lone, host.gtex, "GI_Sheet_Sel_Three", Flex0, 2, {});
  QPointer<QWidget> window = popup->Window();
  delete grid;
  EXPECT_TRUE(window.isNull());
  QApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(Flector, AListWithoutOptionsOpensDisabled) {
  cuiFlector* popup = Open("GI_Sheet_Sel_None", 0);
  EXPECT_FALSE(popup->Sheet()->Grid()->isEnabled());
  QTest::keyClick(popup->Window(), Qt::Key_Return);
  EXPECT_TRUE(picks.empty());
  popup->Release();
}

TEST_F(Flector, PlacedInTheWorkArea) {
  const QPoint origin = opening.owner->mapToGlobal(opening.cellRect.topLeft());
  const QRect cell(origin, opening.cellRect.size());
  {
    // Room below: under the cell, 8 pixels in.
    const platform::ScreenRect area{-5000, -5000, 5000, 5000};
    platform::FixedMonitors monitors(std::vector<platform::MonitorInfo>{{area, area}});
    platform::ScopedMonitors scope(&monitors);
    cuiFlector* popup = Open("GI_Sheet_Sel_Three", 2);
    EXPECT_EQ(popup->Window()->geometry().topLeft(), QPoint(cell.left() + 8, cell.bottom() + 1));
    popup->Release();
  }
  {
    // The cell at the work area's bottom right: above it, right-aligned.
    const platform::ScreenRect area{cell.left() - 1000, cell.top() - 1000, cell.left() + 20,
                                    cell.bottom() + 1};
    platform::FixedMonitors monitors(std::vector<platform::MonitorInfo>{{area, area}});
    platform::ScopedMonitors scope(&monitors);
    cuiFlector* popup = Open("GI_Sheet_Sel_Three", 2);
    const QRect g = popup->Window()->geometry();
    EXPECT_EQ(g.right() + 1, area.right);
    EXPECT_EQ(g.bottom() + 1, cell.top());
    popup->Release();
  }
  {
    // Longer than the work area: the area's height, scrolling.
    const platform::ScreenRect area{cell.left() - 100, cell.top() - 100, cell.left() + 2000,
                                    cell.top() + 300};
    platform::FixedMonitors monitors(std::vector<platform::MonitorInfo>{{area, area}});
    platform::ScopedMonitors scope(&monitors);
    cuiFlector* popup = Open("GI_Sheet_Sel_Long", 150);
    const QRect g = popup->Window()->geometry();
    EXPECT_EQ(g.height(), area.Height());
    EXPECT_EQ(g.top(), area.top);
    EXPECT_LT(popup->Sheet()->Grid()->ClientHeight(), popup->Sheet()->Grid()->GridHeight());
    EXPECT_EQ(Current(*popup).index, 150);
    popup->Release();
  }
}

}  // namespace
