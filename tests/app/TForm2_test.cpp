// kw-test: gui
// The setup dialog's shell: it opens over the hidden main window, switches
// between COM port and data file, and Cancel shows the main window without
// marking the setup done.
#include "app/TForm2.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

#include "tests/app/MainWindowRig.h"

namespace {

TEST(TForm2Test, CancelShowsTheMainWindowAndLeavesSetupUndone) {
  kwtest::MainWindowRig rig;
  rig.env->ComPort = 7;
  rig.Build();
  ASSERT_FALSE(rig.window->isVisible());
  QPointer<TForm2> setup = new TForm2(rig.window.get(), rig.texts, *rig.env);
  setup->show();
  EXPECT_EQ(setup->CurrentMode(), TForm2::kComPort);
  EXPECT_EQ(setup->cbComm->currentText(), QStringLiteral("7"));
  EXPECT_TRUE(setup->cbComm->isEnabled());
  EXPECT_FALSE(setup->btIcfSel->isEnabled());
  setup->rbIcf->click();
  EXPECT_EQ(setup->CurrentMode(), TForm2::kDataFile);
  EXPECT_FALSE(setup->cbComm->isEnabled());
  EXPECT_TRUE(setup->btIcfSel->isEnabled());
  EXPECT_TRUE(setup->lbIcfName->isEnabled());

  setup->Button2->click();
  EXPECT_TRUE(rig.window->isVisible());
  EXPECT_EQ(rig.env->SetupDone, 0);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(setup.isNull());
}

}  // namespace
