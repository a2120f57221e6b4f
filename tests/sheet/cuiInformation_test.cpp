// kw-test: gui
// kw-test: link=Qt6::Test
// The information dialog: a sheet shown whole above one OK button, the
// owner disabled while it shows; OK, Enter, Escape and the close box end
// it, enable and focus the owner and delete the dialog. A sheet wider than
// the screen starts at the work area's left edge.
#include "sheet/cuiInformation.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <string>
#include <vector>

#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "platform/Monitors.h"
#include "resources/text/TextTables.h"
#include "sheet/DefaultCellHandler.h"
#include "sheet/cmcCellCapsule.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiSheet.h"

namespace {

// A work area that does not start at the screen's left edge (a dock there).
constexpr platform::ScreenRect kScreen{0, 0, 1280, 1024};
constexpr platform::ScreenRect kWorkArea{40, 0, 1280, 1000};

std::vector<std::string> InformationLines() {
  std::vector<std::string> lines = {
      "",
      "#GI_Sheet_Info_Style",
      "(FixedCols=1)(FixedRows=1)(NoPrint)",
      "#GI_Sheet_Info_BasicCell",
      "{($Basic)}",
      "#GI_Sheet_Info_Cells",
      "{($ciDat)(Color=clTeal)(Font=,,clWhite,,,fsBold,)}Clone Information|{+}",
      "{H(Font=,,,7,,,)}",
      "{($ciInd)}SERIAL NO. :|{($ciDat)}9999999999999",
      "#",
      "#GI_Sheet_Wide_Style",
      "(FixedCols=1)(FixedRows=1)(NoPrint)",
      "#GI_Sheet_Wide_BasicCell",
      "{($Basic)}",
      "#GI_Sheet_Wide_Cells",
      "{($ciDat)}" + std::string(400, 'W'),
      "#",
  };
  for (std::size_t i = 1; i < kwres::kTextEnglish.count; ++i)
    lines.emplace_back(kwres::kTextEnglish.lines[i]);
  return lines;
}

class InformationDialog : public ::testing::Test {
 protected:
  InformationDialog() : monitors_({{kScreen, kWorkArea}}), scope_(&monitors_) {
    texts_.SetSource(InformationLines());
    owner_.setGeometry(200, 200, 640, 480);
    owner_.show();
    monitors_.SetWindowRect(&owner_, platform::ScreenRect::FromQRect(owner_.geometry()));
    QApplication::processEvents();
  }

  QPointer<cuiInformation> Open(const std::string& key) {
    QPointer<cuiInformation> dialog =
        cuiInformation::Open(&owner_, QStringLiteral("KW-3700"), texts_, key, nullptr);
    QApplication::processEvents();
    return dialog;
  }

  static void Gone() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
  }

  ScopedEvMan bus_;
  ScopedDefaultCellHandler handler_{[](cmcCellCapsule&, int) { return 0; }};
  platform::FixedMonitors monitors_;
  platform::ScopedMonitors scope_;
  cmcGTex texts_;
  QWidget owner_;
};

TEST_F(InformationDialog, ShowsTheSheetWholeWithTheOwnerDisabled) {
  QPointer<cuiInformation> dialog = Open("GI_Sheet_Info");
  ASSERT_TRUE(dialog);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(dialog->parentWidget(), nullptr);
  ASSERT_NE(dialog->windowHandle(), nullptr);
  EXPECT_EQ(dialog->windowHandle()->transientParent(), owner_.windowHandle());
  EXPECT_FALSE(dialog->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("KW-3700"));
  EXPECT_FALSE(owner_.isEnabled());
  EXPECT_TRUE(dialog->isEnabled());
  EXPECT_TRUE(dialog->OkButton()->isEnabled());
  EXPECT_TRUE(dialog->OkButton()->isDefault());
  EXPECT_TRUE(dialog->OkButton()->hasFocus());
  EXPECT_EQ(dialog->OkButton()->text(), QStringLiteral("OK"));
  // The whole sheet shows: no scroll bar, nothing cut off.
  cuiGrid* grid = dialog->Sheet()->Grid();
  EXPECT_EQ(grid->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_GE(grid->ClientWidth(), grid->GridWidth());
  EXPECT_GE(grid->ClientHeight(), grid->GridHeight());
  // Centred over the owner.
  EXPECT_NEAR(dialog->geometry().center().x(), owner_.geometry().center().x(), 3);
  dialog->close();
  Gone();
}

TEST_F(InformationDialog, EveryWayOutEnablesAndFocusesTheOwner) {
  enum class End { Ok, Enter, Escape, CloseBox };
  for (End end : {End::Ok, End::Enter, End::Escape, End::CloseBox}) {
    SCOPED_TRACE(static_cast<int>(end));
    QPointer<cuiInformation> dialog = Open("GI_Sheet_Info");
    ASSERT_TRUE(dialog);
    ASSERT_FALSE(owner_.isEnabled());
    switch (end) {
      case End::Ok: QTest::mouseClick(dialog->OkButton(), Qt::LeftButton); break;
      case End::Enter: QTest::keyClick(dialog.data(), Qt::Key_Return); break;
      case End::Escape: QTest::keyClick(dialog.data(), Qt::Key_Escape); break;
      case End::CloseBox: dialog->close(); break;
    }
    Gone();
    EXPECT_TRUE(dialog.isNull());
    EXPECT_TRUE(owner_.isEnabled());
    EXPECT_TRUE(owner_.isActiveWindow());
  }
}

// The owner may go first: the dialog then has nobody to give back to.
TEST_F(InformationDialog, OutlivesItsOwner) {
  auto* owner = new QWidget;
  owner->show();
  QPointer<cuiInformation> dialog =
      cuiInformation::Open(owner, QStringLiteral("KW-3700"), texts_, "GI_Sheet_Info", nullptr);
  delete owner;
  dialog->close();
  Gone();
  EXPECT_TRUE(dialog.isNull());
}

TEST_F(InformationDialog, AWideSheetStartsAtTheWorkAreasLeft) {
  QPointer<cuiInformation> dialog = Open("GI_Sheet_Wide");
  ASSERT_TRUE(dialog);
  EXPECT_GT(dialog->width(), kWorkArea.Width());
  EXPECT_EQ(dialog->x(), kWorkArea.left);
  EXPECT_GE(dialog->y(), kWorkArea.top);
  dialog->close();
  Gone();
}

}  // namespace
