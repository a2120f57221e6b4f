// kw-test: gui
// kw-test: link=Qt6::Test
// The print preview as the user drives it: paging by buttons, page box and
// keys, zoom, the font-size setting, and help windows that stay usable.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>
#include <QWindow>

#include "PrintRig.h"

namespace {

using kwtest::PrintRig;

class PreviewTest : public ::testing::Test {
 protected:
  // Runs `act` in the preview of a print of the sheet, then closes it.
  void InPreview(const std::string& name, std::function<void(cuiPreview&)> act) {
    bool ran = false;
    rig_.WhenPreviewRuns([&](cuiPreview& preview) {
      ran = true;
      act(preview);
      preview.Form()->close();
    });
    rig_.printer->Print(0, rig_.OpenSheet(name));
    EXPECT_TRUE(ran);
  }
  static std::vector<bool> NavigationEnabled(const cuiPreview& p) {
    return {p.TopButton()->isEnabled(), p.PreviousButton()->isEnabled(),
            p.NextButton()->isEnabled(), p.LastButton()->isEnabled()};
  }
  // Answers the font-size dialog once it runs: the choice, then OK or Cancel.
  static void AnswerSetting(cuiPreview& preview, int index, bool ok) {
    QTimer::singleShot(0, [&preview, index, ok] {
      ASSERT_NE(preview.SettingForm(), nullptr);
      preview.SizeBox()->setCurrentIndex(index);
      if (ok)
        preview.SettingForm()->accept();
      else
        preview.SettingForm()->reject();
    });
  }

  PrintRig rig_;
};

TEST_F(PreviewTest, OnePageDisablesEveryNavigationButton) {
  InPreview("GI_Sheet_T1", [](cuiPreview& p) {
    EXPECT_EQ(NavigationEnabled(p), (std::vector<bool>{false, false, false, false}));
    EXPECT_EQ(p.StatusPanel()->text(), QStringLiteral(" 1 / 1"));
    EXPECT_EQ(p.CountLabel()->text(), QStringLiteral(" / 1"));
    EXPECT_EQ(p.PageBox()->text(), QStringLiteral("1"));
    EXPECT_TRUE(p.PrintButton()->isEnabled());
    // An A4 page at 600 dpi on a 96 dpi screen, the default margins.
    EXPECT_EQ(p.Bitmap().size(), QSize(793, 1122));
    EXPECT_EQ(p.Pages()[0].page, (printgeom::Box{56, 37, 774, 1103}));
    EXPECT_EQ(p.Form()->size(),
              printgeom::PreviewWindowSize(QSize(793, 1122), cuiPreview::kToolPanelHeight,
                                           p.StatusBar()->sizeHint().height()));
    EXPECT_EQ(p.ToolPanel()->height(), cuiPreview::kToolPanelHeight);
    EXPECT_EQ(p.Form()->windowModality(), Qt::WindowModal);
    EXPECT_EQ(p.Form()->parentWidget(), nullptr);
    // The paper shows ink inside its frame.
    const QImage& paper = p.Bitmap();
    int dark = 0;
    for (int y = 10; y < paper.height() - 10; y += 2)
      for (int x = 10; x < paper.width() - 10; x += 2) dark += qGray(paper.pixel(x, y)) < 128;
    EXPECT_GT(dark, 100);
  });
}

TEST_F(PreviewTest, ThreePagesByButtonsPageBoxAndKeys) {
  InPreview("GI_Sheet_T3", [](cuiPreview& p) {
    ASSERT_EQ(p.PageCount(), 3);
    EXPECT_EQ(NavigationEnabled(p), (std::vector<bool>{false, false, true, true}));
    p.LastButton()->click();
    EXPECT_EQ(p.CurrentPage(), 2);
    EXPECT_EQ(NavigationEnabled(p), (std::vector<bool>{true, true, false, false}));
    p.TopButton()->click();
    EXPECT_EQ(p.CurrentPage(), 0);

    QLineEdit* box = p.PageBox();
    box->setFocus();
    box->clear();
    QTest::keyClicks(box, QStringLiteral("99"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(p.CurrentPage(), 2);
    EXPECT_EQ(p.StatusPanel()->text(), QStringLiteral(" 3 / 3"));
    EXPECT_EQ(box->text(), QStringLiteral("3"));
    QTest::keyClicks(box, QStringLiteral("x"));  // dropped
    EXPECT_EQ(box->text(), QStringLiteral("3"));
    box->clear();
    QTest::keyClick(box, Qt::Key_Return);  // empty: page 1
    EXPECT_EQ(p.CurrentPage(), 0);

    QTest::keyClick(box, Qt::Key_PageDown);
    EXPECT_EQ(p.CurrentPage(), 1);
    QTest::keyClick(box, Qt::Key_PageUp);
    EXPECT_EQ(p.CurrentPage(), 0);
    QTest::keyClick(box, Qt::Key_Down);
    EXPECT_EQ(p.CurrentPage(), 1);
    QTest::keyClick(box, Qt::Key_Up);
    EXPECT_EQ(p.CurrentPage(), 0);
    QTest::keyClick(box, Qt::Key_Up);  // already on the first page
    EXPECT_EQ(p.CurrentPage(), 0);

    // Zoomed, Up and Down scroll the page instead.
    p.Form()->resize(400, 300);
    p.ZoomButton()->click();
    ASSERT_TRUE(p.Zoomed());
    QCoreApplication::processEvents();
    QScrollBar* bar = p.ScrollBox()->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    QTest::keyClick(box, Qt::Key_Down);
    EXPECT_EQ(p.CurrentPage(), 0);
    EXPECT_GT(bar->value(), 0);
    QTest::keyClick(box, Qt::Key_Up);
    EXPECT_EQ(bar->value(), 0);
    QTest::keyClick(box, Qt::Key_PageDown);  // Page Down still turns the page
    EXPECT_EQ(p.CurrentPage(), 1);
  });
}

TEST_F(PreviewTest, FontSettingLaysThePagesOutAgainAndCancelChangesNothing) {
  rig_.env->FontSizePrinter = 8;
  InPreview("GI_Sheet_Wide", [&](cuiPreview& p) {
    const int before = p.PageCount();
    p.GoTo(1);
    AnswerSetting(p, 4, false);
    p.RunSetting();
    EXPECT_EQ(rig_.env->FontSizePrinter, 8);
    EXPECT_EQ(p.PageCount(), before);
    EXPECT_EQ(p.CurrentPage(), 1);
    EXPECT_EQ(p.Form()->focusWidget(), p.PageBox());

    AnswerSetting(p, 4, true);
    p.RunSetting();
    EXPECT_EQ(rig_.env->FontSizePrinter, 12);
    EXPECT_EQ(p.PageCount(),
              rig_.printer->PrintSheet("GI_Sheet_Wide", rig_.printer->Area(), false, nullptr));
    EXPECT_EQ(p.CurrentPage(), 0);
    EXPECT_EQ(p.StatusPanel()->text(), QStringLiteral(" 1 / %1").arg(p.PageCount()));
    EXPECT_EQ(p.Form()->focusWidget(), p.PageBox());
  });
}

TEST_F(PreviewTest, TheSettingDialogOffersFiveSizesFromTheCurrentOne) {
  rig_.env->FontSizePrinter = 10;
  InPreview("GI_Sheet_T1", [&](cuiPreview& p) {
    QTimer::singleShot(0, [&p] {
      ASSERT_NE(p.SettingForm(), nullptr);
      EXPECT_EQ(p.SettingForm()->windowTitle(), QStringLiteral("Setting"));
      EXPECT_EQ(p.SizeBox()->count(), 5);
      EXPECT_EQ(p.SizeBox()->currentText(), QStringLiteral("3"));
      p.SettingForm()->reject();
    });
    p.RunSetting();
  });
}

TEST_F(PreviewTest, AHelpWindowOpenedEarlierStaysUsable) {
  QLineEdit help;  // stands for the help viewer: a window of its own
  help.setWindowTitle(QStringLiteral("help"));
  help.show();
  int enabled = 0;
  rig_.printer->SetHelpEnabler([&] {
    ++enabled;
    help.setEnabled(true);
  });
  InPreview("GI_Sheet_T1", [&](cuiPreview& p) {
    EXPECT_GT(enabled, 0);
    EXPECT_FALSE(rig_.owner.isEnabled());
    ASSERT_NE(help.windowHandle(), nullptr);
    // Keys reach the help window through the window system: the preview
    // blocks only its owner.
    help.setFocus();
    QTest::keyClick(help.windowHandle(), Qt::Key_A);
    EXPECT_EQ(help.text(), QStringLiteral("a"));
    EXPECT_EQ(p.Form()->windowHandle()->transientParent(), rig_.owner.windowHandle());
  });
}

}  // namespace
