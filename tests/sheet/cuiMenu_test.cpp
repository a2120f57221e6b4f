// kw-test: gui
// kw-test: link=Qt6::Test
// Menus from the markup: structure, shortcuts, item states from the cell
// handler, the default click, the Edit menu mirroring a sheet's context
// menu, and what happens to the mirror when its sheet goes.
#include "sheet/cuiMenu.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "cells/names/CellNames.h"
#include "core/TextTableChoice.h"
#include "resources/text/TextTables.h"
#include "sheet/ShortcutText.h"
#include "sheet/cuiFBitsR.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiSheet.h"
#include "tests/sheet/SheetFixture.h"

namespace {

using kwtest::CellCall;
using kwtest::LoadTable;
using kwtest::SheetHost;
using kwtest::TestSheetLines;

std::vector<std::string> MainMenuLines() {
  return {
      "#GI_Menu_T_BasicCell",
      "{($Basic)}",
      "#GI_Menu_T_Body",
      "+&File\t\t{(%CL_Null)}",
      " +&New\t\t{(%CL_Menu_File_New:Ctrl+N)}",
      " +-",
      "a line without a plus is no item",
      " +Recent\t\t{(%CL_Menu_File_Recent[2])}",
      " +E&xit\t\t{(%CL_Menu_File_Exit:Alt+F4)}",
      "+&Edit\t\t{(%CL_Menu_Edit_Top)}",
      "+&Help\t\t{(%CL_Null)}",
      " +&Contents\t{(%CL_Help_Contents:F1)}",
      "#",
  };
}

std::vector<std::string> Concat(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

QStringList Texts(const QWidget* menu) {
  QStringList out;
  for (const QAction* a : menu->actions())
    out << (a->isSeparator() ? QStringLiteral("-") : a->text());
  return out;
}

class MenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LoadTable(host_.gtex, Concat(MainMenuLines(), TestSheetLines()));
    bar_ = new QMenuBar(&host_.window);
    menu_ = std::make_unique<cuiMenu>(&host_.window, bar_, host_.gtex, "GI_Menu_T");
    menu_->SetCellHandler(host_.handler.Handler());
    menu_->Build();
  }
  void TearDown() override {
    menu_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  QAction* Item(int cellId) { return menu_->FindItemByCellId(cellId); }
  QMenu* EditMenu() { return Item(CL_Menu_Edit_Top)->menu(); }

  SheetHost host_;
  QMenuBar* bar_ = nullptr;
  std::unique_ptr<cuiMenu> menu_;
};

TEST_F(MenuTest, ItemsSubmenusSeparatorsAndShortcutsComeFromTheMarkup) {
  EXPECT_EQ(Texts(bar_), (QStringList{"&File", "&Edit", "&Help"}));
  QAction* file = bar_->actions().at(0);
  ASSERT_NE(file->menu(), nullptr);
  EXPECT_EQ(Texts(file->menu()), (QStringList{"&New\tCtrl+N", "-", "Recent", "E&xit\tAlt+F4"}));
  EXPECT_EQ(Item(CL_Menu_File_New)->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
  EXPECT_EQ(Item(CL_Menu_File_Exit)->shortcut(), QKeySequence(QStringLiteral("Alt+F4")));
  EXPECT_EQ(Item(CL_Help_Contents)->shortcut(), QKeySequence(Qt::Key_F1));
  EXPECT_EQ(menu_->CellOf(Item(CL_Menu_File_Recent))->index, 2);
  EXPECT_EQ(Item(CL_Menu_Edit_Top)->menu(), nullptr);
  // Building again replaces the items.
  menu_->Build();
  EXPECT_EQ(bar_->actions().size(), 3);
}

TEST_F(MenuTest, ItemStatesFollowTheHandler) {
  auto& cell = host_.handler.Cell(CL_Menu_File_New, 0);
  cell.userFlags = 1 << userflag::kHidden;
  EvMan().Send(ev::MenusRefresh);
  EXPECT_FALSE(Item(CL_Menu_File_New)->isVisible());
  cell.userFlags = 0;
  EvMan().Send(ev::MenusRefresh);
  EXPECT_TRUE(Item(CL_Menu_File_New)->isVisible());

  cell.userFlags =
      (1 << userflag::kChecked) | (1 << userflag::kDisabled) | (1 << userflag::kCaptionReplaced);
  cell.caption = "&Fresh";
  menu_->Refresh();
  QAction* item = Item(CL_Menu_File_New);
  EXPECT_TRUE(item->isCheckable());
  EXPECT_TRUE(item->isChecked());
  EXPECT_FALSE(item->isEnabled());
  EXPECT_EQ(item->text(), QStringLiteral("&Fresh\tCtrl+N"));
  cell.userFlags = 0;
  menu_->Refresh();
  EXPECT_FALSE(item->isCheckable());
  EXPECT_TRUE(item->isEnabled());
  // Main-menu items belong to no sheet: no parent capsule.
  for (const CellCall& call : host_.handler.calls) EXPECT_FALSE(call.parentCell.has_value());
}

// With no event since the handler's answer changed (a recent file added at
// start), opening the menu still shows the answer.
TEST_F(MenuTest, AMenuOfTheBarShowsTheStatesOfTheMomentItOpens) {
  auto& cell = host_.handler.Cell(CL_Menu_File_Recent, 2);
  cell.userFlags = 1 << userflag::kCaptionReplaced;
  cell.caption = "&1 a.icf";
  QAction* recent = Item(CL_Menu_File_Recent);
  ASSERT_NE(recent, nullptr);
  QMenu* file = qobject_cast<QMenu*>(recent->parent());
  ASSERT_NE(file, nullptr);
  EXPECT_NE(recent->text(), QStringLiteral("&1 a.icf"));
  emit file->aboutToShow();
  EXPECT_EQ(recent->text(), QStringLiteral("&1 a.icf"));
}

TEST_F(MenuTest, TheDefaultClickSendsEnterThenRefreshes) {
  host_.handler.calls.clear();
  Item(CL_Menu_File_Exit)->trigger();
  ASSERT_GE(host_.handler.calls.size(), 2u);
  const CellCall click = host_.handler.calls.front();
  EXPECT_EQ(click.operation, cellop::kEnter);
  EXPECT_EQ(click.notify, 0);
  EXPECT_EQ(click.cell.cellId, CL_Menu_File_Exit);
  EXPECT_FALSE(click.parentCell.has_value());
  for (std::size_t i = 1; i < host_.handler.calls.size(); ++i)
    EXPECT_EQ(host_.handler.calls[i].operation, 0);
}

TEST_F(MenuTest, TheEditMenuMirrorsTheCurrentCellsContextMenu) {
  cuiSheet* sheet = host_.Build("GI_Sheet_Test");
  ASSERT_NE(sheet->ContextMenu(), nullptr);
  ASSERT_NE(EditMenu(), nullptr);
  EXPECT_EQ(Texts(EditMenu()), Texts(sheet->ContextPopup()));
  // The key is the context menu's; the mirror only shows it.
  QAction* mirrored = EditMenu()->actions().at(0);
  EXPECT_TRUE(mirrored->shortcuts().isEmpty());
  EXPECT_EQ(mirrored->text(), QStringLiteral("Edit...\tEnter"));
  EXPECT_FALSE(sheet->ContextPopup()->actions().at(0)->shortcuts().isEmpty());

  // States: the items see the sheet's current cell, name and title.
  host_.handler.calls.clear();
  EvMan().Send(ev::MenusRefresh);
  bool seen = false;
  for (const CellCall& call : host_.handler.calls)
    if (call.cell.cellId == CL_PMenu_Edit) {
      seen = true;
      ASSERT_TRUE(call.parentCell.has_value());
      EXPECT_EQ(*call.parentCell, (CellIdRecord{CT_Conv, CL_Mch_Freq, 0}));
      EXPECT_EQ(call.parentSheetName, "1,100");
    }
  EXPECT_TRUE(seen);

  // A click on the mirror acts on the sheet.
  host_.handler.calls.clear();
  mirrored->trigger();
  ASSERT_FALSE(host_.handler.Actions().empty());
  const CellCall action = host_.handler.Actions().front();
  EXPECT_EQ(action.operation, 0);
  EXPECT_EQ(action.popupCommand, CL_PMenu_Edit);
  EXPECT_EQ(action.cell, (CellIdRecord{CT_Conv, CL_Mch_Freq, 0}));

  // Event 10 clears the mirror.
  EvMan().Send(ev::SubmenuClear, 0, CL_Menu_Edit_Top);
  EXPECT_TRUE(EditMenu()->actions().isEmpty());
  sheet->Release();
}

// Only the sheet that owns a context menu answers for it, however many
// sheets listen (a choice list opened later included).
TEST_F(MenuTest, OnlyTheOwningSheetAnswersForItsContextMenu) {
  cuiSheet* first = host_.Build("GI_Sheet_Test");
  QWidget other;
  cuiSheet* second = host_.Build("GI_Sheet_Test", "2,200", nullptr, false, CL_Mch_Name, 7, &other);
  first->Grid()->setFocus();
  QApplication::processEvents();
  ASSERT_NE(first->ContextMenu(), nullptr);
  host_.handler.calls.clear();
  EvMan().Send(ev::MenusRefresh);
  int popupItems = 0;
  for (const CellCall& call : host_.handler.calls) {
    if (call.cell.category != CT_PopupMenu) continue;
    ++popupItems;
    ASSERT_TRUE(call.parentCell.has_value());
    EXPECT_EQ(*call.parentCell, (CellIdRecord{CT_Conv, CL_Mch_Freq, 0}));
    EXPECT_EQ(call.parentSheetName, "1,100");
  }
  EXPECT_GT(popupItems, 0);
  second->Release();
  first->Release();
}

TEST_F(MenuTest, ASheetThatGoesTakesItsMirrorAndClosesWhatItOpened) {
  std::vector<std::intptr_t> closed;
  int cleared = 0;
  EvMan().AddListener(&closed, [&](const cmcEvent& e) {
    if (e.id == ev::SheetDestroying) closed.push_back(e.p2);
    if (e.id == ev::SubmenuClear && e.p2 == CL_Menu_Edit_Top) ++cleared;
  });
  cuiSheet* sheet = host_.Build("GI_Sheet_Test");
  QWidget* grid = sheet->Grid();
  ASSERT_FALSE(EditMenu()->actions().isEmpty());
  cleared = 0;
  sheet->Release();
  EXPECT_EQ(closed, (std::vector<std::intptr_t>{reinterpret_cast<std::intptr_t>(&host_.window),
                                                reinterpret_cast<std::intptr_t>(grid)}));
  EXPECT_GE(cleared, 1);
  EXPECT_TRUE(EditMenu()->actions().isEmpty());
  EvMan().RemoveListener(&closed);
  // Nothing left calls into the sheet.
  EvMan().Send(ev::MenusRefresh);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A bit-selection dialog opened from a page takes the focus and gives it
// back before it goes: its sheet never owned the mirror the page rebuilt,
// so the main Edit menu keeps the page's items.
TEST_F(MenuTest, ClosingAFieldDialogLeavesThePagesEditMenu) {
  // The dialog's cells name their own context menu, which the Edit menu
  // mirrors while the dialog has the focus.
  LoadTable(host_.gtex, Concat(Concat(MainMenuLines(), TestSheetLines()),
                               {"#GI_PMenu_NoItem_BasicCell", "{($Basic)}",
                                "#GI_PMenu_NoItem_Body",
                                "+No item\t{(%CT_PopupMenu.CL_PMenu_NoItem)}"}));
  menu_->Build();
  cuiSheet* page = host_.Build("GI_Sheet_Test");
  const QStringList pageItems = Texts(EditMenu());
  ASSERT_FALSE(pageItems.isEmpty());

  cmcGTex dialogTexts;
  dialogTexts.SetSource(kwres::kTextEnglish);
  cmcCellCapsule owner;
  owner.owner = owner.owner2 = page->Grid();
  owner.cellRect = QRect(20, 30, 80, 18);
  auto* dialog = new cuiFBitsR(owner, dialogTexts, 0, 1, 10, 3, 0, 0, [](const cmcCellCapsule&) {
    return [](cmcCellCapsule&, int) { return 0; };
  });
  auto focus = [](QWidget* grid) {
    grid->activateWindow();
    grid->setFocus();
    QApplication::processEvents();
  };
  focus(dialog->Sheet()->Grid());
  ASSERT_EQ(Texts(EditMenu()), QStringList{QStringLiteral("No item")});
  focus(page->Grid());
  ASSERT_EQ(Texts(EditMenu()), pageItems);

  dialog->Cancel();
  QApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(Texts(EditMenu()), pageItems);
  page->Release();
}

TEST_F(MenuTest, AContextMenuWithoutAnAnsweringSheetHasNoParent) {
  QMenu popup;
  cuiMenu context(&host_.window, &popup, host_.gtex, "GI_PMenu_Edit");
  context.SetCellHandler(host_.handler.Handler());
  context.Build();
  host_.handler.calls.clear();
  context.Refresh();
  ASSERT_FALSE(host_.handler.calls.empty());
  for (const CellCall& call : host_.handler.calls) EXPECT_FALSE(call.parentCell.has_value());
  EXPECT_EQ(Texts(&popup), (QStringList{"Edit...\tEnter", "-", "Help"}));
}

// Every menu of the built-in tables has a '+' on each line and a shortcut
// the parser knows wherever an item names one.
TEST(MenuTables, EveryLineIsAnItemAndEveryShortcutParses) {
  for (const kwres::LineArray* table :
       {&kwres::kTextEnglish, &kwres::kTextJapanese, &kwres::kTextMixed}) {
    ScopedEvMan bus;
    cmcGTex gtex;
    gtex.SetSource(*table);
    std::vector<std::string> bodies;
    for (std::size_t i = 0; i < table->count; ++i) {
      const std::string line = table->lines[i];
      if ((line.rfind("#GI_Menu_", 0) == 0 || line.rfind("#GI_PMenu_", 0) == 0) &&
          line.size() > 6 && line.compare(line.size() - 5, 5, "_Body") == 0)
        bodies.push_back(line.substr(1, line.size() - 6));
    }
    EXPECT_FALSE(bodies.empty());
    for (const std::string& key : bodies) {
      cmcCellObj basic;
      basic.Parse(gtex.GetFirst(key + "_BasicCell"), gtex, nullptr, nullptr);
      for (int i = 0;; ++i) {
        const std::string line = gtex.GetText(key + "_Body", i);
        if (!line.empty() && line[0] == '#') break;
        const std::size_t plus = line.find('+');
        ASSERT_NE(plus, std::string::npos) << key << " line " << i;
        cmcCellObj cell;
        cell.Parse(std::string_view(line).substr(plus + 1), gtex, nullptr, &basic);
        if (cell.bindingText) {
          EXPECT_FALSE(TextToShortcuts(*cell.bindingText).isEmpty())
              << key << " line " << i << ": " << *cell.bindingText;
        }
      }
    }
  }
}

}  // namespace
