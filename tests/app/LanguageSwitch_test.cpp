// kw-test: gui
// The language switch (event 31, posted): one bus tick later the menu, the
// tool bar, the tree and the title speak the new language, the document is
// untouched, the first page is open again and the choice cells read the
// new option cache.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenuBar>
#include <QToolBar>
#include <QTreeWidget>

#include "app/MainFrame.h"
#include "app/cuiMain.h"
#include "core/EventIds.h"
#include "model/cmcEeprom.h"
#include "sheet/choices/cmcFCache.h"
#include "sheet/cuiSheet.h"
#include "sheet/cuiToolBar.h"
#include "tests/app/MainWindowRig.h"

namespace {

constexpr std::uint16_t kJapaneseSystem = 0x0411;

// True when the text holds a character of the Japanese scripts.
bool HasJapanese(const QString& text) {
  for (QChar c : text)
    if (c.unicode() >= 0x3000) return true;
  return false;
}

struct Captions {
  QString menu;
  QString button;
  QString node;
};

class LanguageSwitchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::LocaleInfo japanese;
    japanese.languageId = kJapaneseSystem;
    system_ = std::make_unique<platform::ScopedLocaleInfo>(japanese);
    rig_.env->Language = 0;
    rig_.Build(kwtest::RealTableLines());
    rig_.window->show();
    QApplication::processEvents();
    rig_.main->RunSelectedNode();
  }

  // The rig's own locale goes after ours: ours must be gone first.
  void TearDown() override { system_.reset(); }

  Captions Read() const {
    Captions c;
    c.menu = rig_.window->menuBar()->actions().value(0)->text();
    for (QAction* action : rig_.window->Buttons()->Actions())
      if (!action->isSeparator()) {
        c.button = action->toolTip();
        break;
      }
    c.node = rig_.window->Tree()->Node0()->child(0)->text(0);
    return c;
  }

  // One tick of the bus, then the objects left for deletion go.
  void Tick() {
    EvMan().Drain();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  std::unique_ptr<platform::ScopedLocaleInfo> system_;
  kwtest::MainWindowRig rig_;
};

TEST_F(LanguageSwitchTest, OneTickRebuildsTheWindowInTheNewLanguage) {
  cuiMain& main = *rig_.main;
  main.Image().SetByte(0x100, 0x5A);
  main.SetFileName("/tmp/a.icf");
  main.SetModified();
  const cmcEeprom image = main.Image();
  const Captions before = Read();
  ASSERT_FALSE(HasJapanese(before.menu));
  ASSERT_FALSE(HasJapanese(before.node));
  const cmcFCache* oldCache = &rig_.cells->Frame().ChoiceCache();
  ASSERT_NE(main.CurrentSheet(), nullptr);

  rig_.env->Language = 1;
  rig_.main->PostEvent31();
  EXPECT_EQ(CurrentTextTable(), TextTable::English) << "posted, not sent";
  Tick();

  EXPECT_EQ(CurrentTextTable(), TextTable::Japanese);
  const Captions after = Read();
  EXPECT_TRUE(HasJapanese(after.menu)) << after.menu.toStdString();
  EXPECT_TRUE(HasJapanese(after.button)) << after.button.toStdString();
  EXPECT_TRUE(HasJapanese(after.node)) << after.node.toStdString();
  EXPECT_EQ(rig_.window->windowTitle(), QStringLiteral("a.icf - KW-3700"));
  EXPECT_TRUE(main.Image() == image);
  EXPECT_EQ(main.FileName(), "/tmp/a.icf");
  EXPECT_TRUE(main.ModifiedFlag());
  // The selected node's page is open again within the same tick.
  ASSERT_NE(main.CurrentSheet(), nullptr);
  EXPECT_EQ(rig_.window->Tree()->currentItem(), rig_.window->Tree()->Node0());
  EXPECT_EQ(&rig_.cells->Frame().ChoiceCache(), &main.Choices());
  EXPECT_NE(&main.Choices(), oldCache);
  EXPECT_TRUE(rig_.window->ToolBar()->isVisible());

  // Untitled, the title takes the new table's name for a new file.
  main.SetFileName("");
  EXPECT_TRUE(HasJapanese(rig_.window->windowTitle()));
}

TEST_F(LanguageSwitchTest, AHiddenToolBarStaysHiddenAndTwoSwitchesInOneTickAreClean) {
  rig_.env->ToolbarVisible = 0;
  rig_.window->ToolBar()->setVisible(false);
  rig_.env->Language = 1;
  rig_.main->PostEvent31();
  rig_.main->PostEvent31();
  Tick();
  QApplication::processEvents();
  EXPECT_FALSE(rig_.window->ToolBar()->isVisible());
  EXPECT_EQ(CurrentTextTable(), TextTable::Japanese);
  ASSERT_NE(rig_.window->Tree(), nullptr);
  EXPECT_EQ(rig_.window->findChildren<QTreeWidget*>().size(), 1);
  EXPECT_TRUE(HasJapanese(Read().menu));
  EXPECT_NE(rig_.main->CurrentSheet(), nullptr);

  // And back: the English table again.
  rig_.env->Language = 0;
  rig_.main->PostEvent31();
  Tick();
  EXPECT_EQ(CurrentTextTable(), TextTable::English);
  EXPECT_FALSE(HasJapanese(Read().menu));
}

}  // namespace
