// kw-test: gui
// The main window as the controller builds it (offscreen): its parts, the
// tree's pages and their remembered positions, the node renames, the marks
// of the warning check and the close rules.
#include <gtest/gtest.h>

#include <QLabel>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTreeWidget>
#include <algorithm>
#include <limits>
#include <vector>

#include "app/ImagePasses.h"
#include "app/MainFrame.h"
#include "core/EventIds.h"
#include "core/cmcTask.h"
#include "model/ItemKinds.h"
#include "model/datCh.h"
#include "platform/MessageBoxService.h"
#include "platform/Monitors.h"
#include "sheet/cmcCellCapsule.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiSheet.h"
#include "tests/app/MainWindowRig.h"

namespace {

constexpr char kPage0[] = "[St_ColCut]GI_Sheet_P,0,0";
constexpr char kPage1[] = "[St_ColCut]GI_Sheet_P,1,100";
constexpr char kMemoryFolder[] = "GI_Sheet_P,1";

class MainWindowTest : public ::testing::Test {
 protected:
  void Show() {
    rig_.window->show();
    QApplication::processEvents();
  }

  // Channel `index` used at `hz` with a duplex offset.
  void SetChannel(int index, std::uint32_t hz, std::uint32_t offset) {
    datCh ch(&rig_.main->Image());
    ch.Load(itemkind::kChannel, static_cast<std::uint32_t>(index));
    ch.flags |= datCh::kUsed;
    ch.freq = hz;
    ch.duplex = offset ? 1 : 0;
    ch.offset = offset;
    ASSERT_TRUE(ch.StoreSelf());
  }

  kwtest::MainWindowRig rig_;
};

TEST_F(MainWindowTest, PartsTitleStatusAndAnEmptyTreePanelWidth) {
  rig_.env->SplitterV = 0;
  rig_.Build();
  // Before it shows: once shown, the tick may open the first page at once.
  EXPECT_EQ(rig_.main->GetCurrentSheetNumber(), MainFrame::kNoSheetNumber);
  Show();
  MainFrame& w = *rig_.window;
  EXPECT_EQ(w.menuBar()->actions().size(), 6);
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Untitled - KW-3700"));
  EXPECT_EQ(w.TreePanelWidth(), MainFrame::kMinTreeWidth);
  EXPECT_EQ(w.Splitter()->handleWidth(), MainFrame::kSplitterHandle);
  EXPECT_GE(w.minimumWidth(), MainFrame::kMinWidth);
  EXPECT_GE(w.minimumHeight(), MainFrame::kMinHeight);

  EvMan().SendStr(ev::StatusMessage, 0, 0, "Reading...");
  EXPECT_EQ(w.StatusPanel(0)->text(), QStringLiteral("Reading..."));
  EXPECT_EQ(w.StatusPanel(1)->width(), w.statusBar()->height());

  // Node 0 carries the radio's name.
  EXPECT_EQ(w.Tree()->Node0()->text(0), QStringLiteral("TR-3700"));
}

TEST_F(MainWindowTest, AHugeTreeWidthStillLeavesTheSheetVisible) {
  rig_.env->SplitterV = 100000;
  rig_.Build();
  Show();
  EXPECT_GE(rig_.window->SheetPanel()->width(), MainFrame::kMinSheetWidth);
}

TEST_F(MainWindowTest, EveryNodeOpensItsPageAndReselectingKeepsIt) {
  rig_.Build();
  Show();
  for (QTreeWidgetItem* node : rig_.window->Tree()->Nodes()) {
    rig_.Choose(node);
    const cuiSheet* sheet = rig_.main->CurrentSheet();
    ASSERT_NE(sheet, nullptr);
    const cmcCellObj* cell = rig_.window->Tree()->CellOf(node);
    EXPECT_EQ(sheet->GetTitle(), *cell->bindingText);
    rig_.main->OnTreeChange();
    EXPECT_EQ(rig_.main->CurrentSheet(), sheet) << "reselecting rebuilt the page";
  }
  EXPECT_EQ(rig_.main->GetCurrentSheetNumber(), 23);
  EXPECT_EQ(rig_.boxes.Count(), 0u);
}

TEST_F(MainWindowTest, TheTickOpensTheSelectedPageWhenNoneIsOpen) {
  rig_.Build();
  Show();
  rig_.main->CloseSheet();  // the real 50 ms timer may have been first
  ASSERT_EQ(rig_.main->CurrentSheet(), nullptr);
  rig_.main->TickTask().OnTick();
  ASSERT_NE(rig_.main->CurrentSheet(), nullptr);
  EXPECT_EQ(rig_.main->CurrentSheet()->GetTitle(), "GI_Sheet_P");
}

// The tick wakes the program only while it has work: a page to open or a
// delayed check to run (opening a page by its tree node is a key on the
// node, which starts a check too).
TEST_F(MainWindowTest, TheTickRunsOnlyWhileAPageIsMissingOrACheckIsPending) {
  rig_.Build();
  cmcTask& tick = rig_.main->TickTask();
  // Ticks every 50 ms on the manual clock until the task stops itself.
  auto tickUntilIdle = [&] {
    int ticks = 0;
    for (; tick.TimerActive() && ticks < 40; ++ticks) {
      rig_.clock.Advance(50);
      tick.OnTick();
    }
    return ticks;
  };
  tickUntilIdle();  // the check the build asked for
  EXPECT_FALSE(tick.TimerActive()) << "hidden, nothing to do";
  EXPECT_EQ(rig_.main->CurrentSheet(), nullptr);
  rig_.window->show();
  EXPECT_TRUE(tick.TimerActive()) << "shown without a page";
  QApplication::processEvents();
  const int first = tickUntilIdle();
  EXPECT_LE(first, 7) << "the page and its check take a few ticks";
  ASSERT_NE(rig_.main->CurrentSheet(), nullptr);
  EXPECT_EQ(rig_.main->CheckDelay(), nullptr);
  EXPECT_FALSE(tick.TimerActive()) << "the first page is open, no check pending";

  // An edit arms it; it stops once the delayed check has run.
  cuiSheet* sheet = rig_.main->CurrentSheet();
  const std::string name = "ABC";
  sheet->DoCellAction(1, 1, cellop::kQuery, 0, &name);
  EXPECT_TRUE(tick.TimerActive()) << "edited";
  rig_.clock.Advance(200);
  tick.OnTick();
  EXPECT_NE(rig_.main->CheckDelay(), nullptr);
  EXPECT_TRUE(tick.TimerActive()) << "the check is still pending";
  rig_.clock.Advance(100);
  tick.OnTick();
  EXPECT_EQ(rig_.main->CheckDelay(), nullptr);
  EXPECT_FALSE(tick.TimerActive()) << "the check has run";

  // A closed page arms it until the page is back; a hidden window does not.
  rig_.main->CloseSheet();
  EXPECT_TRUE(tick.TimerActive());
  tickUntilIdle();
  EXPECT_NE(rig_.main->CurrentSheet(), nullptr);
  EXPECT_FALSE(tick.TimerActive());
  rig_.window->hide();
  rig_.main->CloseSheet();
  EXPECT_FALSE(tick.TimerActive());
}

TEST_F(MainWindowTest, PagesKeepTheirOwnRowAndScrollPosition) {
  rig_.Build();
  Show();
  rig_.Choose(rig_.NodeOf(kPage0));
  cuiGrid* grid = rig_.main->CurrentSheet()->Grid();
  ASSERT_TRUE(grid->MoveColRow(1, 57, true, true));
  const int top = grid->TopRow();
  ASSERT_GT(top, 1) << "row 57 lies below the first screen";
  rig_.Choose(rig_.NodeOf(kPage1));
  rig_.main->CurrentSheet()->Grid()->MoveColRow(1, 10, true, true);
  rig_.Choose(rig_.NodeOf(kPage0));
  grid = rig_.main->CurrentSheet()->Grid();
  EXPECT_EQ(grid->Row(), 57);
  EXPECT_EQ(grid->TopRow(), top);
  rig_.Choose(rig_.NodeOf(kPage1));
  EXPECT_EQ(rig_.main->CurrentSheet()->Grid()->Row(), 10);
  // One record per page (the first page, which the tick may have opened
  // before, has its own).
  const auto& positions = rig_.window->SheetPositions();
  for (const char* page : {kPage0, kPage1})
    EXPECT_EQ(std::count_if(positions.begin(), positions.end(),
                            [&](const MainFrame::SheetPosition& p) { return p.reference == page; }),
              1)
        << page;
  EXPECT_LE(positions.size(), 3u);
}

TEST_F(MainWindowTest, GroupNodesTakeTheirListsNames) {
  rig_.Build();
  QTreeWidgetItem* bankC = rig_.NodeOf("[St_CCBank]GI_Sheet_P,23");
  EvMan().SendStr(ev::RenameTreeNode, 0, 23, "C: Mountains");
  EXPECT_EQ(bankC->text(0), QStringLiteral("C: Mountains"));
  // A folder with the same number is no group node.
  EXPECT_EQ(rig_.NodeOf(kMemoryFolder)->text(0), QStringLiteral("Memory CH"));
  // English on a system that is not Japanese: double-byte characters show as
  // "=" (byte for byte), half-width katakana as "_".
  EvMan().SendStr(ev::RenameTreeNode, 0, 23, "C: \x8E\x52\xB1");
  EXPECT_EQ(bankC->text(0), QStringLiteral("C: ==_"));
}

TEST_F(MainWindowTest, WarningMarksFollowTheChecksAndCollapsedFolders) {
  rig_.Build();
  iuiTree& tree = *rig_.window->Tree();
  QTreeWidgetItem* page1 = rig_.NodeOf(kPage1);
  QTreeWidgetItem* folder = rig_.NodeOf(kMemoryFolder);
  int errors = -1, warnings = -1;
  rig_.main->RunWarningCheck(&errors, &warnings);
  EXPECT_EQ(errors, 0);
  EXPECT_EQ(warnings, 0);
  EXPECT_EQ(tree.Overlay(page1), iuiTree::kNoOverlay);

  // 145 MHz with an offset off the grid: a warning on "100 - 199".
  SetChannel(150, 145000000, 8333);
  folder->setExpanded(true);
  rig_.main->RunWarningCheck(&errors, &warnings);
  EXPECT_EQ(errors, 0);
  EXPECT_EQ(warnings, 1);
  EXPECT_EQ(tree.Overlay(page1), iuiTree::kWarningOverlay);
  EXPECT_EQ(tree.Overlay(folder), iuiTree::kNoOverlay) << "an open folder shows its children";
  EXPECT_EQ(tree.Overlay(rig_.NodeOf(kPage0)), iuiTree::kNoOverlay);

  // Above 550 MHz on the same page: the error wins.
  SetChannel(160, 600000000, 0);
  rig_.main->RunWarningCheck(&errors, &warnings);
  EXPECT_EQ(errors, 1);
  EXPECT_EQ(tree.Overlay(page1), iuiTree::kErrorOverlay);

  // Collapsing the folder reruns the check and marks it.
  folder->setExpanded(false);
  EXPECT_EQ(tree.Overlay(folder), iuiTree::kErrorOverlay);
}

TEST_F(MainWindowTest, NoTreeMeansNoCheck) {
  rig_.main = std::make_unique<indMain>(*rig_.env, rig_.texts);
  int errors = -1, warnings = -1;
  rig_.main->RunWarningCheck(&errors, &warnings);
  EXPECT_EQ(errors, 0);
  EXPECT_EQ(warnings, 0);
}

TEST_F(MainWindowTest, CloseRulesAndWhatIsStored) {
  rig_.Build();
  Show();
  MainFrame& w = *rig_.window;
  bool closed = false;
  QObject::connect(&w, &MainFrame::Closed, [&] { closed = true; });
  w.resize(700, 500);

  // Disabled (a clone run): refused without a question.
  w.setEnabled(false);
  EXPECT_FALSE(w.close());
  EXPECT_EQ(rig_.boxes.Count(), 0u);
  w.setEnabled(true);

  // Modified, then Cancel: still running, nothing stored.
  rig_.main->SetModified();
  rig_.boxes.Answer(platform::mb::IdCancel);
  EXPECT_FALSE(w.close());
  EXPECT_EQ(rig_.boxes.Count(), 1u);
  EXPECT_EQ(rig_.boxes.Last().text, QStringLiteral("Save changes to Untitled?"));
  EXPECT_EQ(rig_.env->WindowWidth, 800);
  EXPECT_FALSE(closed);

  // No: closes, stores placement and splitter.
  rig_.boxes.Answer(platform::mb::IdNo);
  const int treeWidth = w.TreePanelWidth();
  EXPECT_TRUE(w.close());
  EXPECT_TRUE(closed);
  EXPECT_EQ(rig_.env->WindowWidth, 700);
  EXPECT_EQ(rig_.env->WindowHeight, 500);
  EXPECT_EQ(rig_.env->SplitterV, treeWidth);
  EXPECT_EQ(rig_.main->Window(), nullptr);
  EXPECT_EQ(rig_.main->TickTask().Interval(), -1);
}

TEST_F(MainWindowTest, AMaximisedWindowStoresItsNormalRectangle) {
  rig_.Build();
  Show();
  MainFrame& w = *rig_.window;
  w.resize(700, 500);
  QApplication::processEvents();
  w.showMaximized();
  QApplication::processEvents();
  ASSERT_TRUE(w.isMaximized());
  ASSERT_NE(w.size(), QSize(700, 500));
  EXPECT_TRUE(w.close());
  EXPECT_EQ(rig_.env->WindowWidth, 700);
  EXPECT_EQ(rig_.env->WindowHeight, 500);
}

// A hand-edited settings file may hold any int32 in the four placement
// values: the window still lands on a monitor's work area.
TEST_F(MainWindowTest, AnyStoredPlacementLandsOnAMonitor) {
  rig_.Build();  // the table the window takes its title and font from
  using platform::ScreenRect;
  const std::vector<platform::MonitorInfo> layout = {
      {ScreenRect::FromSize(0, 0, 1280, 1024), ScreenRect::FromSize(0, 0, 1280, 984)},
      {ScreenRect::FromSize(1280, 0, 1024, 768), ScreenRect::FromSize(1280, 0, 1024, 768)}};
  platform::FixedMonitors monitors(layout);
  platform::ScopedMonitors scope(&monitors);
  constexpr int kMin = std::numeric_limits<int>::min();
  constexpr int kMax = std::numeric_limits<int>::max();
  const struct Case {
    int left, top, width, height;
  } cases[] = {
      {10, 10, kMax, 600},   {10, 10, 800, kMax}, {kMax, kMax, kMax, kMax}, {kMin, kMin, kMin, kMin},
      {kMin, kMax, 800, 600}, {kMax, kMin, 800, 600}, {0, 0, 0, 0},        {-500, -500, -1, -1},
      {2000, 100, kMin, 600}, {kMax - 5, 0, 10, 10},
  };
  for (const Case& c : cases) {
    rig_.env->WindowLeft = c.left;
    rig_.env->WindowTop = c.top;
    rig_.env->WindowWidth = c.width;
    rig_.env->WindowHeight = c.height;
    const MainFrame frame(*rig_.env, rig_.texts);
    const QRect placed(frame.pos(), frame.size());
    const bool onMonitor = std::any_of(layout.begin(), layout.end(), [&](const auto& m) {
      return m.workArea.ToQRect().contains(placed);
    });
    EXPECT_TRUE(onMonitor) << c.left << " " << c.top << " " << c.width << " " << c.height
                           << " placed at " << placed.x() << " " << placed.y() << " "
                           << placed.width() << " " << placed.height();
  }
}

TEST_F(MainWindowTest, YesCannotSaveYetAndKeepsTheProgramRunning) {
  rig_.Build();
  Show();
  rig_.main->SetModified();
  rig_.boxes.Answer(platform::mb::IdYes);
  EXPECT_FALSE(rig_.window->close());
  EXPECT_TRUE(rig_.window->isVisible());
}

}  // namespace
