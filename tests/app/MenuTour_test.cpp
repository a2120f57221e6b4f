// kw-test: gui
// kw-test: link=Qt6::Test
// A tour of the real main window (offscreen, the program's English table):
// every item of the menu bar with its shown, enabled, checked and caption
// state over one document, then each command once, its dialogs answered by
// script, and the tool-bar buttons.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "app/AboutBox.h"
#include "app/ComPortCombo.h"
#include "app/ComPortDialog.h"
#include "app/MainFrame.h"
#include "app/ModalRunner.h"
#include "app/PrintAllDialog.h"
#include "app/cuiHtmlHelp.h"
#include "app/cuiPreview.h"
#include "app/cuiPrinter.h"
#include "cells/names/CellNames.h"
#include "core/EventIds.h"
#include "core/TextTableChoice.h"
#include "core/cmcHelpGTex.h"
#include "model/BankTable.h"
#include "model/ItemKinds.h"
#include "model/ListCounts.h"
#include "model/ListEdit.h"
#include "model/cmcEeprom.h"
#include "model/datCh.h"
#include "sheet/ColWidthStore.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiMenu.h"
#include "sheet/cuiSheet.h"
#include "sheet/cuiToolBar.h"
#include "support/PdfText.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedPrinter.h"
#include "tests/app/MainWindowRig.h"

namespace {

constexpr char kMemory0[] = "[St_ColCut]GI_Sheet_MemoryCH,0,0";
constexpr char kMemory9[] = "[St_ColCut]GI_Sheet_MemoryCH,9,900";
const char* const kNames[] = {"TOURALFA", "TOURBRVO", "TOURCHRL"};

// One item of the menu bar as the user sees it.
struct Item {
  std::string caption;
  bool visible;
  bool enabled;
  bool checked;
  bool operator==(const Item&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Item& item) {
  return out << '"' << item.caption << "\" " << (item.visible ? "shown" : "hidden") << ' '
             << (item.enabled ? "enabled" : "disabled") << (item.checked ? " checked" : "");
}

// Every item below the menu, depth-first; separators skipped.
void Walk(const QWidget* menu, std::vector<Item>& items) {
  for (QAction* action : menu->actions()) {
    if (action->isSeparator()) continue;
    items.push_back({action->text().toStdString(), action->isVisible(), action->isEnabled(),
                     action->isChecked()});
    if (action->menu()) Walk(action->menu(), items);
  }
}

class MenuTourTest : public ::testing::Test {
 protected:
  MenuTourTest() {
    for (const char* folder : {"docs", "prog", "cwd", "other"})
      QDir().mkpath(QString::fromStdString(rig_.dir_.FileStd(folder)));
    rig_.Build(&kwres::kTextEnglish);
    // Help as the program registers it.
    topics_.SetSource(kwres::kHelpTopicMap);
    rig_.main->RegisterHelp(rig_.cells->Host(), topics_);
    MakeDocument();
    a_ = rig_.main->DefaultFolder() + "/a.icf";
    b_ = rig_.dir_.FileStd("other") + "/b.icf";
    rig_.env->Recent.AddTop(b_);
    rig_.env->Recent.AddTop(a_);
    ColWidthStore widths(*rig_.env, rig_.texts);
    widths.WriteColCut("memory", 7);
    widths.WriteColCut("rxcallrecord", 7);
    rig_.window->show();
    QApplication::processEvents();
    rig_.main->Printer()->Tick().SetInterval(-1);  // the test runs the print ticks
    rig_.Choose(rig_.NodeOf(kMemory0));
    Refresh();
  }

  ~MenuTourTest() override {
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (qobject_cast<AboutBox*>(widget)) delete widget;
  }

  // Channels 0-2 used and in bank A, two your-call signs.
  void MakeDocument() {
    cmcEeprom& image = rig_.main->Image();
    for (int i = 0; i < 3; ++i) {
      datCh ch(&image);
      ch.Load(itemkind::kChannel, static_cast<std::uint32_t>(i));
      ch.flags |= datCh::kUsed;
      ch.freq = 145010000u + 10000u * static_cast<std::uint32_t>(i);
      std::fill(ch.name.begin(), ch.name.end(), ' ');
      std::memcpy(ch.name.data(), kNames[i], std::strlen(kNames[i]));
      ch.bank = 0;
      ch.bankSlot = static_cast<std::uint32_t>(i);
      ASSERT_TRUE(ch.StoreSelf());
    }
    RebuildBankTable(image);
    for (const char* call : {"AB1CDE", "XY2ABC"}) {
      const int i = GetYourCallCount(image);
      ASSERT_TRUE(UrListInsert(image, i));
      datCh r(&image);
      r.Load(itemkind::kYourCall, static_cast<std::uint32_t>(i));
      SetText(r.urCall, call);
      ASSERT_TRUE(r.StoreSelf());
    }
    rig_.main->ClearModified();
  }

  void Refresh() {
    rig_.window->Menu()->Refresh();
    rig_.window->Buttons()->Refresh();
  }

  std::vector<Item> MenuItems() {
    Refresh();
    std::vector<Item> items;
    Walk(rig_.window->menuBar(), items);
    return items;
  }

  // The menu bar's item of that caption (the first, depth-first).
  QAction* Action(const std::string& caption, const QWidget* menu = nullptr) {
    if (!menu) menu = rig_.window->menuBar();
    for (QAction* action : menu->actions()) {
      if (action->text().toStdString() == caption) return action;
      if (action->menu())
        if (QAction* found = Action(caption, action->menu())) return found;
    }
    return nullptr;
  }

  // Refreshes and triggers the item; fails the test when there is none.
  void Trigger(const std::string& caption) {
    Refresh();
    QAction* action = Action(caption);
    ASSERT_NE(action, nullptr) << caption;
    action->trigger();
    QApplication::processEvents();
  }

  // The same for the item of a cell id (the first one, depth-first).
  void Press(std::int32_t cellId) {
    Refresh();
    QAction* action = rig_.window->Menu()->FindItemByCellId(cellId);
    ASSERT_NE(action, nullptr) << GetCellIdName(cellId);
    action->trigger();
    QApplication::processEvents();
  }

  // Lets posted events and the page's reopening run.
  void Settle() {
    rig_.bus->Drain();
    QApplication::processEvents();
    if (!rig_.main->CurrentSheet()) rig_.main->TickTask().OnTick();
    QApplication::processEvents();
  }

  // The widths of the open page's columns that hold a cell of these ids.
  std::vector<int> ColumnWidths(std::int32_t firstId, std::int32_t lastId) {
    std::vector<int> widths;
    cuiSheet* sheet = rig_.main->CurrentSheet();
    if (!sheet) return widths;
    cuiGrid& grid = *sheet->Grid();
    for (int row = 0; row < grid.RowCount() && widths.empty(); ++row)
      for (int col = 0; col < grid.ColCount(); ++col) {
        const cmcCellObj* cell = sheet->GetCell(col, row);
        if (cell && cell->cellId >= firstId && cell->cellId <= lastId)
          widths.push_back(grid.ColWidth(col));
      }
    return widths;
  }

  AboutBox* RunningAbout() {
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (auto* box = qobject_cast<AboutBox*>(widget); box && box->isVisible()) return box;
    return nullptr;
  }

  kwtest::MainWindowRig rig_;
  cmcHelpGTex topics_;
  kwtest::ScriptedFileDialogs files_;
  kwtest::ScratchDir out_;
  kwtest::ScriptedPrinter pdf_{out_.Path()};
  QObject context_;  // a test's pending answers go with it
  std::string a_;
  std::string b_;
};

TEST_F(MenuTourTest, EveryMenuItemShowsItsState) {
  const std::string b = "&2 " + b_;
  const std::vector<Item> want = {
      {"&File", true, true, false},
      {"&New\tCtrl+N", true, true, false},
      {"&Open...\tCtrl+O", true, true, false},
      {"&Save\tCtrl+S", true, true, false},
      {"Save &As...", true, true, false},
      {"&Import...", true, true, false},
      {"&Export...", true, true, false},
      {"&Import", false, false, false},
      {"&Group...", false, false, false},
      {"&Bank...", false, false, false},
      {"&All...", false, false, false},
      {"&Export", false, false, false},
      {"&Group...", false, false, false},
      {"&Bank...", false, false, false},
      {"&All...", false, false, false},
      {"&Print", true, true, false},
      {"&Current Sheet...", true, true, false},
      {"&All...", true, true, false},
      {"&1 a.icf", true, true, false},
      {b, true, true, false},
      {"Recent File", false, false, false},
      {"Recent File", false, false, false},
      {"E&xit\tAlt+F4", true, true, false},
      {"&View", true, true, false},
      {"&Memory CH", true, true, false},
      {"&Tone/TSQL/DTCS", true, true, true},
      {"&Digital", true, true, true},
      {"&Call Sign", true, true, true},
      {"&Received Call Record", true, true, false},
      {"&NMEA/Mobile Station", true, true, false},
      {"&Fixed Station", true, true, false},
      {"&Object/Item Station", true, true, false},
      {"&Weather Station", true, true, false},
      {"Font &Size", true, true, false},
      {"&1   60% (Small)", true, true, false},
      {"&2   80%", true, true, false},
      {"&3  100% (Standard)", true, true, true},
      {"&4  120%", true, true, false},
      {"&5  150% (Big)", true, true, false},
      {"&Language", true, true, false},
      {"&English", true, true, true},
      {"&Japanese", true, true, false},
      {"Toolbar", true, true, true},
      {"COM &Port", true, true, false},
      {"&Setting...", true, true, false},
      {"&Clone", true, true, false},
      {"&Read <- TR", true, true, false},
      {"&Write -> TR", true, true, false},
      {"&Information", true, true, false},
      {"&Option", true, true, false},
      {"&Call Sign Input", true, true, false},
      {"&Repeater Setting Window Display", true, true, true},
      {"&Auto Correct", true, true, true},
      {"&Help", true, true, false},
      {"&Contents\tF1", true, true, false},
      {"&About KW-3700", true, true, false},
  };
  const std::vector<Item> items = MenuItems();
  ASSERT_EQ(items.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i) EXPECT_EQ(items[i], want[i]) << i;
}

TEST_F(MenuTourTest, PrintCurrentNeedsAPrintablePage) {
  EXPECT_TRUE(Action("&Current Sheet...")->isEnabled());
  rig_.Choose(rig_.NodeOf(kMemory9));
  Refresh();
  EXPECT_FALSE(Action("&Current Sheet...")->isEnabled());
  rig_.Choose(rig_.window->Tree()->topLevelItem(0));
  Refresh();
  EXPECT_FALSE(Action("&Current Sheet...")->isEnabled());
}

TEST_F(MenuTourTest, ViewItemsChangeTheOpenPage) {
  ASSERT_FALSE(ColumnWidths(CL_Mch_Decode, CL_Mch_DTCS_Polarity).empty());
  for (int width : ColumnWidths(CL_Mch_Decode, CL_Mch_DTCS_Polarity)) EXPECT_GT(width, 0);
  std::vector<int> reopened;
  rig_.bus->AddListener(&context_, [&reopened](const cmcEvent& event) {
    if (event.id == ev::ReopenSheet) reopened.push_back(static_cast<int>(event.p1));
  });
  Press(CL_Menu_View_Tone_Cut);
  Settle();
  rig_.bus->RemoveListener(&context_);
  EXPECT_EQ(reopened, std::vector<int>{1});
  EXPECT_FALSE(MenuItems()[25].checked);
  for (int width : ColumnWidths(CL_Mch_Decode, CL_Mch_DTCS_Polarity)) EXPECT_EQ(width, 0);

  Trigger("&4  120%");
  Settle();
  EXPECT_EQ(rig_.env->FontSizePercentage, 120);
  ASSERT_NE(rig_.main->CurrentSheet(), nullptr);
  EXPECT_EQ(rig_.main->CurrentSheet()->GetTitle(), kMemory0);
  std::vector<std::string> checkedSizes;
  for (const Item& item : MenuItems())
    if (item.checked && item.caption.find('%') != std::string::npos)
      checkedSizes.push_back(item.caption);
  EXPECT_EQ(checkedSizes, std::vector<std::string>{"&4  120%"});

  Press(CL_Menu_View_ToolBar);
  EXPECT_FALSE(rig_.window->ToolBar()->isVisible());
  EXPECT_EQ(rig_.env->ToolbarVisible, 0);
  EXPECT_FALSE(Action("Toolbar")->isChecked());

  Press(CL_Menu_CallSign_RptDialog);
  Press(CL_Menu_CallSign_AutoCorrect);
  EXPECT_EQ(rig_.env->RepeaterDialog, 0);
  EXPECT_EQ(rig_.env->AutoCorrect, 0);
  Refresh();
  EXPECT_FALSE(Action("&Repeater Setting Window Display")->isChecked());
  EXPECT_FALSE(Action("&Auto Correct")->isChecked());
  EXPECT_EQ(rig_.boxes.Count(), 0u);
}

TEST_F(MenuTourTest, ComPortDialogTakesOnlyAPortNumber) {
  rig_.env->ComPort = 7;
  struct Attempt {
    const char* text;
    bool taken;
  };
  const Attempt attempts[] = {{"0", false},    {"300", false}, {"abc", false}, {"", false},
                              {"COM7", false}, {"3.5", false}, {" 12 ", true}};
  QString preset;
  int boxesWhileOpen = 0;
  ScopedModalRunner runner([&](QDialog& form) {
    auto* dialog = qobject_cast<ComPortDialog*>(&form);
    if (!dialog) return static_cast<int>(QDialog::Rejected);
    preset = dialog->PortBox()->currentText();
    for (const Attempt& a : attempts) {
      dialog->PortBox()->setEditText(QString::fromLatin1(a.text));
      dialog->OkButton()->click();
      EXPECT_EQ(dialog->result() == QDialog::Accepted, a.taken) << a.text;
      if (!a.taken) {
        EXPECT_EQ(rig_.boxes.Last().text.toStdString(),
                  "The numerical value is outside the range.");
      }
    }
    boxesWhileOpen = static_cast<int>(rig_.boxes.Count());
    return form.result();
  });
  rig_.boxes.SetDefaultAnswer(platform::mb::IdOk);
  Press(CL_Menu_Port_Usb);
  EXPECT_EQ(preset, QStringLiteral("7"));
  EXPECT_EQ(boxesWhileOpen, 6);
  EXPECT_EQ(rig_.env->ComPort, 12);
}

// Japanese on an English system asks first and takes the mixed table (the
// menus stay English); on a Japanese system it asks nothing.
TEST_F(MenuTourTest, LanguageSwitchRebuildsTheWindow) {
  rig_.boxes.Answer(platform::mb::IdCancel);
  Trigger("&English");  // the setting in force: nothing to do
  EXPECT_EQ(rig_.boxes.Count(), 0u);
  Trigger("&Japanese");
  Settle();
  EXPECT_EQ(rig_.boxes.Count(), 1u);
  EXPECT_EQ(rig_.env->Language, 0);
  EXPECT_EQ(CurrentTextTable(), TextTable::English);

  rig_.boxes.Answer(platform::mb::IdOk);
  Trigger("&Japanese");
  Settle();
  EXPECT_EQ(rig_.boxes.Count(), 2u);
  EXPECT_EQ(rig_.env->Language, 1);
  EXPECT_EQ(CurrentTextTable(), TextTable::Mixed);
  EXPECT_EQ(rig_.window->menuBar()->actions().front()->text(), QStringLiteral("&File"));
  ASSERT_NE(rig_.main->CurrentSheet(), nullptr);

  Trigger("&English");
  Settle();
  EXPECT_EQ(rig_.env->Language, 0);
  platform::LocaleInfo japanese;
  japanese.languageId = 0x0411;
  platform::ScopedLocaleInfo onJapanese{japanese};
  Trigger("&Japanese");
  Settle();
  EXPECT_EQ(rig_.boxes.Count(), 2u);
  EXPECT_EQ(CurrentTextTable(), TextTable::Japanese);
  EXPECT_EQ(rig_.window->menuBar()->actions().front()->text(), QStringLiteral("ファイル(&F)"));
}

TEST_F(MenuTourTest, AboutShowsTheVersionAndGivesTheFormBack) {
  Press(CL_Help_About);
  AboutBox* box = RunningAbout();
  ASSERT_NE(box, nullptr);
  const QString text = box->Label()->text();
  EXPECT_TRUE(text.contains(QStringLiteral("1.20"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("2014-2015"))) << text.toStdString();
  EXPECT_FALSE(rig_.window->isEnabled());
  EXPECT_EQ(box->parentWidget(), nullptr);
  box->Button()->click();
  QApplication::processEvents();
  EXPECT_EQ(RunningAbout(), nullptr);
  EXPECT_TRUE(rig_.window->isEnabled());
  EXPECT_TRUE(rig_.window->isActiveWindow() || QApplication::activeWindow() == nullptr);
}

TEST_F(MenuTourTest, ContentsOpenTheHelpOfTheLanguage) {
  const std::filesystem::path prog = rig_.dir_.FileStd("prog");
  std::filesystem::copy(KW_SOURCE_DIR "/resources/help/en", prog / "KW3700_ENG.chm",
                        std::filesystem::copy_options::recursive);
  Press(CL_Help_Contents);
  EXPECT_EQ(rig_.boxes.Count(), 0u);

  ASSERT_FALSE(rig_.main->Help().TopicWindow().isNull()) << rig_.main->HelpFile().toStdString();
  EXPECT_TRUE(rig_.main->HelpFile().endsWith(QStringLiteral("/prog/KW3700_ENG.chm")));
  rig_.env->Language = 1;
  EXPECT_TRUE(rig_.main->HelpFile().endsWith(QStringLiteral("/prog/KW3700_JPN.chm")));
}

TEST_F(MenuTourTest, RecentItemOpensByItsFullPath) {
  ASSERT_EQ(rig_.main->SaveToFile(a_, 3), 0);
  rig_.main->NewFile();
  ASSERT_TRUE(rig_.main->IsUntitled());
  const QString before = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(rig_.dir_.FileStd("cwd"))));
  Trigger("&1 a.icf");
  QDir::setCurrent(before);
  EXPECT_EQ(rig_.main->FileName(), a_);
  EXPECT_EQ(rig_.boxes.Count(), 0u);
}

// The page's context menu over its current row: Up and Down stop at the
// page's hundred-block, Paste needs entries in the copy buffer.
TEST_F(MenuTourTest, ContextMenuFollowsTheCurrentRow) {
  rig_.Choose(rig_.NodeOf("[St_ColCut]GI_Sheet_MemoryCH,2,200"));
  cuiSheet& sheet = *rig_.main->CurrentSheet();
  rig_.window->activateWindow();
  QApplication::setActiveWindow(rig_.window.get());
  sheet.Grid()->setFocus();
  QApplication::processEvents();
  const auto states = [&](int row) {
    sheet.Grid()->SetRow(row);
    sheet.UpdateContextMenu(sheet.Grid()->Col(), row, true);
    std::map<std::int32_t, bool> enabled;
    for (QAction* action : sheet.ContextPopup()->actions())
      if (const cmcCellObj* cell = sheet.ContextMenu()->CellOf(action))
        enabled[cell->cellId] = action->isEnabled();
    return enabled;
  };
  const int first = sheet.Grid()->FixedRows();
  const int last = sheet.Grid()->RowCount() - 1;
  std::map<std::int32_t, bool> top = states(first);
  std::map<std::int32_t, bool> middle = states(first + 50);
  std::map<std::int32_t, bool> bottom = states(last);
  EXPECT_FALSE(top[CL_PMenu_CarryUp]);
  EXPECT_TRUE(top[CL_PMenu_CarryDown]);
  EXPECT_TRUE(middle[CL_PMenu_CarryUp]);
  EXPECT_TRUE(middle[CL_PMenu_CarryDown]);
  EXPECT_TRUE(bottom[CL_PMenu_CarryUp]);
  EXPECT_FALSE(bottom[CL_PMenu_CarryDown]);
  EXPECT_FALSE(middle[CL_PMenu_Paste]);
  EXPECT_TRUE(middle[CL_PMenu_Copy]);
  EXPECT_TRUE(middle[CL_PMenu_Delete]);
  rig_.main->CloseSheet();
  QApplication::processEvents();
}

TEST_F(MenuTourTest, PrintCurrentGoesThroughThePreview) {
  QTimer::singleShot(0, &context_, [] {
    if (cuiPreview* preview = cuiPreview::Running()) preview->ChoosePrint();
  });
  Press(CL_Menu_File_Print_Current);
  pdf_.Drop();
  const QString path = pdf_.LastPath();
  ASSERT_FALSE(path.isEmpty());
  bool named = false;
  for (const QString& page : kwtest::PdfPageTexts(path))
    named = named || page.contains(QString::fromLatin1(kNames[0]));
  EXPECT_TRUE(named);
  EXPECT_EQ(rig_.boxes.Count(), 0u);
}

TEST_F(MenuTourTest, PrintAllWithBothBoxesClearedLeavesOutChannelPages) {
  bool bankEnabled = false;
  ScopedModalRunner runner([&bankEnabled](QDialog& form) {
    auto* dialog = qobject_cast<PrintAllDialog*>(&form);
    if (!dialog) return static_cast<int>(QDialog::Rejected);
    bankEnabled = dialog->BankBox()->isEnabled();
    EXPECT_TRUE(dialog->MemoryBox()->isChecked());
    EXPECT_TRUE(dialog->BankBox()->isChecked());
    dialog->MemoryBox()->setChecked(false);
    dialog->BankBox()->setChecked(false);
    dialog->OkButton()->click();
    return form.result();
  });
  QTimer::singleShot(0, &context_, [] {
    if (cuiPreview* preview = cuiPreview::Running()) preview->ChoosePrint();
  });
  Press(CL_Menu_File_Print_All);
  cuiPrinter& printer = *rig_.main->Printer();
  for (int i = 0; i < 400 && printer.Busy(); ++i) printer.Tick().OnTick();
  EXPECT_FALSE(printer.Busy());
  pdf_.Drop();
  EXPECT_TRUE(bankEnabled);
  EXPECT_FALSE(rig_.main->PrintChoiceMemory());
  EXPECT_FALSE(rig_.main->PrintChoiceBank());
  const QString path = pdf_.LastPath();
  ASSERT_FALSE(path.isEmpty());
  for (const QString& page : kwtest::PdfPageTexts(path))
    for (const char* name : kNames) EXPECT_FALSE(page.contains(QString::fromLatin1(name))) << name;
}

TEST_F(MenuTourTest, ExitOfAModifiedDocumentCanBeCancelled) {
  rig_.main->SetModified();
  rig_.boxes.Answer(platform::mb::IdCancel);
  Press(CL_Menu_File_Exit);
  EXPECT_EQ(rig_.boxes.Count(), 1u);
  EXPECT_TRUE(rig_.window->isVisible());
}

TEST_F(MenuTourTest, FileItemsWorkOnTheDocument) {
  const std::string saved = rig_.dir_.FileStd("docs") + "/saved.icf";
  files_.Choose(QString::fromStdString(saved));
  Press(CL_Menu_File_SaveAs);
  ASSERT_TRUE(QFile::exists(QString::fromStdString(saved)));
  EXPECT_EQ(rig_.main->FileName(), saved);
  rig_.main->SetModified();
  Press(CL_Menu_File_Save);
  EXPECT_FALSE(rig_.main->IsModified());
  Press(CL_Menu_File_New);
  EXPECT_TRUE(rig_.main->IsUntitled());
  EXPECT_FALSE(rig_.main->IsModified());
  files_.Choose(QString::fromStdString(saved));
  Press(CL_Menu_File_Open);
  EXPECT_EQ(rig_.main->FileName(), saved);
  EXPECT_EQ(rig_.boxes.Count(), 0u);
}

// Behind the initial setup dialog (the main form hidden) New, Open and Save
// do nothing.
TEST_F(MenuTourTest, FileItemsWaitForTheSetup) {
  rig_.window->hide();
  rig_.main->SetModified();
  for (const std::int32_t id : {CL_Menu_File_New, CL_Menu_File_Open, CL_Menu_File_Save}) {
    QAction* action = rig_.window->Menu()->FindItemByCellId(id);
    ASSERT_NE(action, nullptr);
    action->trigger();
  }
  EXPECT_TRUE(files_.Requests().empty());
  EXPECT_EQ(rig_.boxes.Count(), 0u);
  EXPECT_TRUE(rig_.main->ModifiedFlag());
}

TEST_F(MenuTourTest, ToolBarButtonsRunTheMenuCommands) {
  const std::vector<QAction*> buttons = [this] {
    std::vector<QAction*> list;
    for (QAction* action : rig_.window->Buttons()->Actions())
      if (!action->isSeparator()) list.push_back(action);
    return list;
  }();
  ASSERT_EQ(buttons.size(), 6u);
  files_.Cancel();
  buttons[1]->trigger();  // Open: the file dialog, cancelled
  EXPECT_EQ(files_.Requests().size(), 1u);
  files_.Cancel();
  buttons[2]->trigger();  // Save of an untitled document: the save dialog
  EXPECT_EQ(files_.Requests().size(), 2u);
  rig_.main->SetModified();
  rig_.boxes.Answer(platform::mb::IdNo);
  buttons[0]->trigger();  // New asks about the changes
  EXPECT_EQ(rig_.boxes.Count(), 1u);
  EXPECT_FALSE(rig_.main->IsModified());
}

}  // namespace
