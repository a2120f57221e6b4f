// kw-test: link=kw_test_cells_support
// The menu cells, the warning-check items, the clone-information cells and
// the context-menu item states over the fixture image
// (support/model/CellFixtureImage.h).
#include "cells/MenuCheckCases.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "cells/names/CellNames.h"
#include "core/EventIds.h"
#include "core/cmcEvMan.h"
#include "model/ItemKinds.h"
#include "model/ListCounts.h"
#include "platform/LocaleInfo.h"
#include "sheet/ColWidthStore.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/cells/CellFrameRig.h"

namespace {

class MenuCheckCasesTest : public ::testing::Test {
 protected:
  MenuCheckCasesTest() { RegisterMenuCheckCases(rig_.table); }

  // Runs one cell as the warning check (and menus) do: a fresh capsule,
  // notify off; answers the state bits.
  std::uint8_t Run(std::int32_t cellId, std::int32_t key, const char* binding = nullptr) {
    cmcCellObj cell;
    cell.category = CT_None;
    cell.cellId = cellId;
    if (binding) cell.bindingText = binding;
    cmcCellCapsule capsule;
    capsule.cell = &cell;
    capsule.operation = key;
    rig_.frame.Handle(capsule, 0);
    return capsule.stateBits;
  }

  // A menu item's answer: user flags 0..4 and the caption or text.
  struct Item {
    bool checked, hidden, disabled, replaced;
    std::string caption;  // the cell's caption, or the output text
  };
  Item RunItem(std::int32_t cellId, std::int32_t key, std::int32_t index = 0) {
    cmcCellObj cell;
    cell.category = CT_Null;
    cell.cellId = cellId;
    cell.index = index;
    cell.SetCaption("item");
    cmcCellCapsule capsule;
    capsule.cell = &cell;
    capsule.operation = key;
    rig_.frame.Handle(capsule, 0);
    return {cell.UserFlag(userflag::kChecked), cell.UserFlag(userflag::kHidden),
            cell.UserFlag(userflag::kDisabled), cell.UserFlag(userflag::kCaptionReplaced),
            capsule.outputText.empty() ? std::string(cell.GetCaption()) : capsule.outputText};
  }
  bool Checked(std::int32_t cellId, std::int32_t index = 0) {
    return RunItem(cellId, cellop::kQuery, index).checked;
  }
  std::vector<int> EventIds() {
    rig_.Drain();
    std::vector<int> ids;
    for (const auto& e : rig_.events) ids.push_back(e.id);
    rig_.events.clear();
    return ids;
  }

  kwtest::CellFrameRig rig_;
};

TEST_F(MenuCheckCasesTest, CheckItemsMarkTheirListsFaults) {
  const int groupOfFirst = GetRptGroupOfIndex(rig_.image, 0);
  int emptyGroup = 0;
  while (GetRptGroupCount(rig_.image, emptyGroup) > 0) ++emptyGroup;
  struct Case {
    std::int32_t cellId;
    std::uint8_t bits;
  };
  const Case cases[] = {
      // Channel 11 at 200 MHz warns, channel 12 at 600 MHz is an error.
      {CL_Check_MemoryCH0, cellstate::kWarning | cellstate::kError},
      {CL_Check_MemoryCH1, 0},
      {CL_Check_MemoryCH9, 0},
      // Bank A names channel 11 and holds a slot claimed twice.
      {CL_Check_BankCHA, cellstate::kWarning | cellstate::kError},
      {CL_Check_BankCHB, 0},
      {CL_Check_ScanEdge, cellstate::kWarning},
      {CL_Check_URList, cellstate::kWarning},
      {CL_Check_RPTList0 + groupOfFirst, cellstate::kWarning},
      {CL_Check_RPTList0 + emptyGroup, 0},
  };
  const cmcEeprom before = rig_.image;
  for (const Case& c : cases) {
    EXPECT_EQ(Run(c.cellId, cellop::kQuery), c.bits) << GetCellIdName(c.cellId);
  }
  EXPECT_EQ(rig_.image, before);
  EXPECT_EQ(rig_.host.checkDelayStarts, 0);
}

TEST_F(MenuCheckCasesTest, AnEmptyYourCallListLeavesItsItemUnmarked) {
  SetYourCallCount(rig_.image, 0);
  EXPECT_EQ(Run(CL_Check_URList, cellop::kQuery), 0);
}

TEST_F(MenuCheckCasesTest, ExitAndPageCellsActOnlyOnEnter) {
  Run(CL_Menu_File_Exit, cellop::kQuery);
  EXPECT_EQ(rig_.host.closeRequests, 0);
  Run(CL_Menu_File_Exit, cellop::kEnter);
  EXPECT_EQ(rig_.host.closeRequests, 1);

  Run(CallSheet, cellop::kQuery, "[St_ColCut]GI_Sheet_MemoryCH,0,0");
  Run(CallSheet, cellop::kEnter);  // no ':' text: nothing to open
  Run(CallSheet, cellop::kEnter, "[St_ColCut]GI_Sheet_MemoryCH,0,0");
  EXPECT_EQ(rig_.host.sheetsOpened, std::vector<std::string>{"[St_ColCut]GI_Sheet_MemoryCH,0,0"});
}

// The file and clone items run their command on Enter only; New, Open and
// Save not while the main form is hidden behind the setup dialog.
TEST_F(MenuCheckCasesTest, FileAndCloneItemsRunTheirCommandsOnEnter) {
  struct Case {
    std::int32_t cellId;
    const char* command;  // "" for an event instead of a command
    bool whileHidden;     // runs while the main form is hidden
  };
  const Case cases[] = {
      {CL_Menu_File_New, "new", false},   {CL_Menu_File_Open, "open", false},
      {CL_Menu_File_Save, "save", false}, {CL_Menu_File_SaveAs, "save as", true},
      {CL_Menu_Clone_Read, "read", true}, {CL_Menu_Clone_Write, "write", true},
      {CL_Menu_Clone_Info, "", true},
  };
  for (const bool visible : {true, false}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(GetCellIdName(c.cellId)) + (visible ? " shown" : " hidden"));
      rig_.host.mainFormVisible = visible;
      rig_.host.documentCommands.clear();
      rig_.events.clear();
      Run(c.cellId, cellop::kQuery);
      EXPECT_TRUE(rig_.host.documentCommands.empty());
      EXPECT_TRUE(rig_.events.empty());
      Run(c.cellId, cellop::kEnter);
      const bool runs = visible || c.whileHidden;
      const std::vector<std::string> expected =
          runs && *c.command ? std::vector<std::string>{c.command} : std::vector<std::string>{};
      EXPECT_EQ(rig_.host.documentCommands, expected);
      const bool infoSent = std::count_if(rig_.events.begin(), rig_.events.end(), [](auto& e) {
                              return e.id == ev::CloneInfoConfirmed;
                            }) == 1;
      EXPECT_EQ(infoSent, runs && !*c.command);
    }
  }
}

// Every command cell: a query runs nothing, sends nothing and restarts no
// check.
TEST_F(MenuCheckCasesTest, AQueryRunsNoCommand) {
  rig_.settings->Recent.AddTop("/d/a.icf");
  const std::int32_t ids[] = {
      CL_Menu_File_New,
      CL_Menu_File_Open,
      CL_Menu_File_Save,
      CL_Menu_File_SaveAs,
      CL_Menu_File_Import,
      CL_Menu_File_Export_SubMenu_All,
      CL_Menu_File_Print_Current,
      CL_Menu_File_Print_All,
      CL_Menu_File_Recent,
      CL_Menu_View_Tone_Cut,
      CL_Menu_View_FontSize,
      CL_Menu_View_Language,
      CL_Menu_View_ToolBar,
      CL_Menu_Port_Usb,
      CL_Menu_Clone_Read,
      CL_Menu_Clone_Write,
      CL_Menu_Clone_Info,
      CL_Menu_CallSign_RptDialog,
      CL_Menu_CallSign_AutoCorrect,
      CL_Help_About,
      CL_Help_Contents,
      CL_Menu_File_Exit,
  };
  const int font = rig_.settings->FontSizePercentage;
  for (const std::int32_t id : ids) {
    RunItem(id, cellop::kQuery, 1);
    EXPECT_TRUE(EventIds().empty()) << GetCellIdName(id);
  }
  EXPECT_TRUE(rig_.host.documentCommands.empty());
  EXPECT_TRUE(rig_.host.filesOpened.empty());
  EXPECT_TRUE(rig_.host.helpShown.empty());
  EXPECT_EQ(rig_.host.closeRequests, 0);
  EXPECT_EQ(rig_.host.checkDelayStarts, 0);
  EXPECT_EQ(rig_.settings->FontSizePercentage, font);
  EXPECT_EQ(rig_.settings->RepeaterDialog, 1);
  EXPECT_EQ(rig_.settings->AutoCorrect, 1);
  EXPECT_TRUE(rig_.host.toolBarVisible);
}

TEST_F(MenuCheckCasesTest, SimpleItemsRunTheirCommandOnEnter) {
  struct Case {
    std::int32_t cellId;
    const char* command;
  };
  const Case cases[] = {
      {CL_Menu_File_Print_Current, "print"},
      {CL_Menu_File_Print_All, "print all"},
      {CL_Menu_Port_Usb, "com port"},
      {CL_Help_About, "about"},
      {CL_Menu_File_Import, "import"},
      {CL_Menu_File_Import_SubMenu_Grp, "import"},
      {CL_Menu_File_Import_SubMenu_All, "import all"},
      {CL_Menu_File_Export_SubMenu_Bank, "export"},
      {CL_Menu_File_Export_SubMenu_All, "export all"},
  };
  for (const Case& c : cases) {
    rig_.host.documentCommands.clear();
    RunItem(c.cellId, cellop::kEnter);
    EXPECT_EQ(rig_.host.documentCommands, std::vector<std::string>{c.command})
        << GetCellIdName(c.cellId);
  }
  RunItem(CL_Help_Contents, cellop::kEnter);
  EXPECT_EQ(rig_.host.helpShown, std::vector<int>{-1});
  // The sub-menu heads have no command.
  rig_.host.documentCommands.clear();
  RunItem(CL_Menu_File_Import_SubMenu, cellop::kEnter);
  RunItem(CL_Menu_File_Export_SubMenu, cellop::kEnter);
  EXPECT_TRUE(rig_.host.documentCommands.empty());
}

// The CSV items take the open sheet's states; a hidden or disabled item
// runs nothing. Print current is disabled without a printable sheet.
TEST_F(MenuCheckCasesTest, CsvAndPrintItemsFollowTheOpenSheet) {
  rig_.host.csvHidden = true;
  const Item hidden = RunItem(CL_Menu_File_Export_SubMenu_Grp, cellop::kEnter);
  EXPECT_TRUE(hidden.hidden);
  rig_.host.csvHidden = false;
  rig_.host.csvDisabled = true;
  const Item disabled = RunItem(CL_Menu_File_Import, cellop::kEnter);
  EXPECT_FALSE(disabled.hidden);
  EXPECT_TRUE(disabled.disabled);
  rig_.host.printable = false;
  EXPECT_TRUE(RunItem(CL_Menu_File_Print_Current, cellop::kEnter).disabled);
  EXPECT_TRUE(rig_.host.documentCommands.empty());
  rig_.host.printable = true;
  EXPECT_FALSE(RunItem(CL_Menu_File_Print_Current, cellop::kQuery).disabled);
}

// Captions "&<n> <name>", bare in the document's folder, '&' doubled on the
// UTF-8 bytes; items past the list's end are hidden, disabled and inert.
TEST_F(MenuCheckCasesTest, RecentItemsShowAndOpenTheirFiles) {
  rig_.host.dataFolder = "/home/u/";
  cmcRecent& recent = rig_.settings->Recent;
  recent.AddTop("/home/u/R&D/b.icf");
  recent.AddTop("/home/u/無線.icf");
  recent.AddTop("/home/u/ぁ&.icf");
  struct Case {
    int index;
    const char* caption;
  };
  const Case cases[] = {
      {0, "&1 ぁ&&.icf"},
      {1, "&2 無線.icf"},
      {2, "&3 /home/u/R&&D/b.icf"},
  };
  for (const Case& c : cases) {
    const Item item = RunItem(CL_Menu_File_Recent, cellop::kQuery, c.index);
    EXPECT_EQ(item.caption, c.caption);
    EXPECT_TRUE(item.replaced);
    EXPECT_FALSE(item.hidden || item.disabled) << c.index;
  }
  const Item past = RunItem(CL_Menu_File_Recent, cellop::kEnter, 3);
  EXPECT_TRUE(past.hidden);
  EXPECT_TRUE(past.disabled);
  EXPECT_TRUE(rig_.host.filesOpened.empty());
  RunItem(CL_Menu_File_Recent, cellop::kEnter, 2);
  EXPECT_EQ(rig_.host.filesOpened, std::vector<std::string>{"/home/u/R&D/b.icf"});

  // Opening a, then b: b first, and item 2 opens a.
  recent.Clear();
  recent.AddTop("/home/u/a.icf");
  recent.AddTop("/home/u/b.icf");
  EXPECT_EQ(RunItem(CL_Menu_File_Recent, cellop::kQuery, 0).caption, "&1 b.icf");
  EXPECT_EQ(RunItem(CL_Menu_File_Recent, cellop::kQuery, 1).caption, "&2 a.icf");
  RunItem(CL_Menu_File_Recent, cellop::kEnter, 1);
  EXPECT_EQ(rig_.host.filesOpened.back(), "/home/u/a.icf");
}

// View cuts, font size and language end cell editing before the sheet goes.
TEST_F(MenuCheckCasesTest, ViewItemsEndEditingBeforeTheSheetChanges) {
  rig_.texts.SetSource(kwtest::WidthListTable());
  rig_.settings->ViewCutBits = 7;
  for (int bit = 0; bit < 7; ++bit) {
    EXPECT_EQ(Checked(CL_Menu_View_Tone_Cut + bit), bit < 3) << bit;
    EXPECT_EQ(Checked(CL_PMenu_Tone_Cut + bit), bit < 3) << bit;
  }
  EXPECT_FALSE(RunItem(CL_Menu_View_Tone_Cut, cellop::kEnter).checked);
  EXPECT_EQ(rig_.settings->ViewCutBits, 6);
  EXPECT_EQ(ColWidthStore(rig_.settings.Get(), rig_.texts).ReadColCut("memory"), 0x7E);
  EXPECT_EQ(EventIds(), (std::vector<int>{ev::EndCellEditing, ev::ReopenSheet}));
  EXPECT_TRUE(RunItem(CL_Menu_View_WX_Cut, cellop::kEnter).checked);
  EXPECT_EQ(rig_.settings->ViewCutBits, 0x46);
  EventIds();

  EXPECT_TRUE(Checked(CL_Menu_View_FontSize, 100));
  EXPECT_FALSE(Checked(CL_Menu_View_FontSize, 120));
  EXPECT_TRUE(RunItem(CL_Menu_View_FontSize, cellop::kEnter, 120).checked);
  EXPECT_EQ(rig_.settings->FontSizePercentage, 120);
  EXPECT_FALSE(Checked(CL_Menu_View_FontSize, 100));
  EXPECT_EQ(EventIds(), std::vector<int>{ev::EndCellEditing});
  EXPECT_EQ(rig_.host.documentCommands, std::vector<std::string>{"release sheet"});
  // The size in force: nothing to rebuild.
  RunItem(CL_Menu_View_FontSize, cellop::kEnter, 120);
  EXPECT_EQ(rig_.host.documentCommands.size(), 1u);
}

TEST_F(MenuCheckCasesTest, JapaneseOnAnotherSystemAsksFirst) {
  kwtest::ScriptedMessageBoxes boxes;
  platform::ScopedLocaleInfo english{platform::LocaleInfo{}};
  rig_.texts.SetSource({"", "#GI_Mess_Language_Change", "Switch?", "Sure?", "#", "#GI_Sys_AppTitle",
                        "KW-3700", "#End_Of_Ovl"});
  EXPECT_TRUE(Checked(CL_Menu_View_Language, 0));
  boxes.Answer(platform::mb::IdCancel);
  EXPECT_FALSE(RunItem(CL_Menu_View_Language, cellop::kEnter, 1).checked);
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Last().text, QStringLiteral("Switch?\nSure?"));
  EXPECT_EQ(boxes.Last().flags,
            platform::mb::OkCancel | platform::mb::IconWarning | platform::mb::DefButton2);
  EXPECT_EQ(rig_.settings->Language, 0);
  EXPECT_TRUE(EventIds().empty());
  EXPECT_TRUE(rig_.host.documentCommands.empty());

  boxes.Answer(platform::mb::IdOk);
  EXPECT_TRUE(RunItem(CL_Menu_View_Language, cellop::kEnter, 1).checked);
  EXPECT_EQ(rig_.settings->Language, 1);
  EXPECT_EQ(EventIds(), std::vector<int>{ev::EndCellEditing});
  EXPECT_EQ(rig_.host.documentCommands, std::vector<std::string>{"language"});
  // Back to English asks nothing.
  RunItem(CL_Menu_View_Language, cellop::kEnter, 0);
  EXPECT_EQ(rig_.settings->Language, 0);
  EXPECT_EQ(boxes.Count(), 2u);

  platform::LocaleInfo japanese;
  japanese.languageId = 0x0411;
  platform::ScopedLocaleInfo onJapanese{japanese};
  RunItem(CL_Menu_View_Language, cellop::kEnter, 1);
  EXPECT_EQ(rig_.settings->Language, 1);
  EXPECT_EQ(boxes.Count(), 2u);
}

TEST_F(MenuCheckCasesTest, SwitchItemsFlipTheirSettingAndCheck) {
  struct Case {
    std::int32_t cellId;
    std::int32_t indEnviron::*setting;
  };
  const Case cases[] = {{CL_Menu_CallSign_RptDialog, &indEnviron::RepeaterDialog},
                        {CL_Menu_CallSign_AutoCorrect, &indEnviron::AutoCorrect}};
  for (const Case& c : cases) {
    EXPECT_TRUE(Checked(c.cellId));
    EXPECT_FALSE(RunItem(c.cellId, cellop::kEnter).checked);
    EXPECT_EQ(rig_.settings.Get().*c.setting, 0);
    EXPECT_TRUE(RunItem(c.cellId, cellop::kEnter).checked);
    EXPECT_EQ(rig_.settings.Get().*c.setting, 1);
  }
  EXPECT_TRUE(Checked(CL_Menu_View_ToolBar));
  EXPECT_FALSE(RunItem(CL_Menu_View_ToolBar, cellop::kEnter).checked);
  EXPECT_FALSE(rig_.host.toolBarVisible);

  // The adjustment item shows only with its switch on.
  const Item adjustOff = RunItem(CL_Menu_Clone_Adj, cellop::kEnter);
  EXPECT_TRUE(adjustOff.hidden && adjustOff.disabled);
  rig_.settings->AdjustSwitch = 1;
  const Item adjustOn = RunItem(CL_Menu_Clone_Adj, cellop::kQuery);
  EXPECT_FALSE(adjustOn.hidden || adjustOn.disabled);
  EXPECT_TRUE(rig_.host.documentCommands.empty());
}

TEST_F(MenuCheckCasesTest, TheEditMenuShowsTheNoItemEntryWhenEmpty) {
  rig_.host.editMenuCellId = CL_Menu_Edit_Top;
  rig_.host.mainMenuHandle = 0x1234;
  rig_.host.editMenuEntries = 3;
  RunItem(CL_Menu_Edit_Top, cellop::kQuery);
  EXPECT_TRUE(EventIds().empty());
  EXPECT_TRUE(RunItem(CL_PMenu_NoItem, cellop::kQuery).hidden);
  rig_.host.editMenuEntries = 0;
  RunItem(CL_Menu_Edit_Top, cellop::kQuery);
  rig_.Drain();
  ASSERT_EQ(rig_.events.size(), 1u);
  EXPECT_EQ(rig_.events[0], (kwtest::CellFrameRig::Event{ev::SubmenuRebuild, cmcEvent::Posted,
                                                         0x1234, CL_Menu_Edit_Top}));
  rig_.host.editMenuEntries = 1;
  const Item only = RunItem(CL_PMenu_NoItem, cellop::kQuery);
  EXPECT_FALSE(only.hidden);
  EXPECT_TRUE(only.disabled);
}

TEST(CloneInformationText, SerialNumberPartsAreShownAsDecimals) {
  struct Case {
    const char* serial;  // 14 characters
    const char* shown;
  };
  const Case cases[] = {
      {"000102000F4240", "000102000000"},
      {"FFFFFFFFFFFFFF", "65535255967295"},
      {"00G1020000000A", " "},
      {"0001 200000000", " "},
      {"abcd0100000001", "4398101000001"},
  };
  for (const Case& c : cases) {
    RadioInformation info{};
    std::copy_n(c.serial, kRadioInfoSerialSize, info.begin() + kRadioInfoSerialByte);
    EXPECT_EQ(FormatSerialNumber(info), c.shown) << c.serial;
  }
  EXPECT_EQ(DestinationName(0), "USA_A_0000");
  EXPECT_EQ(DestinationName(5), "EUR_0101");
  EXPECT_EQ(DestinationName(15), "JPN_1111");
  EXPECT_EQ(DestinationName(16), "Unknown");
  EXPECT_EQ(DestinationName(255), "Unknown");
}

TEST_F(MenuCheckCasesTest, CloneInformationCellsReadTheRadioInformation) {
  RadioInformation& info = rig_.host.radioInfo;
  const std::string comment = "MY RADIO        ";
  std::copy(comment.begin(), comment.end(), info.begin() + kRadioInfoCommentByte);
  const std::string serial = "000102000F4240";
  std::copy(serial.begin(), serial.end(), info.begin() + kRadioInfoSerialByte);
  info[kRadioInfoDestinationByte] = 5;
  info[19] = 0x04;
  info[20] = 0x08;
  info[22] = 0x03;
  struct Case {
    std::int32_t cellId;
    const char* text;
  };
  const Case cases[] = {
      {CL_CloneInfo_Esn, "000102000000"},      {CL_CloneInfo_Comment, "MY RADIO"},
      {CL_CloneInfo_Destination, "EUR_0101"},  {CL_CloneInfo_Rx_Expansion, "Expansion"},
      {CL_CloneInfo_VTx_Expansion, "Inhibit"}, {CL_CloneInfo_UTx_Expansion, "Expansion"},
      {CL_CloneInfo_FccInh, "Inhibit"},        {CL_CloneInfo_DvInh, "Inhibit"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(RunItem(c.cellId, cellop::kQuery).caption, c.text) << GetCellIdName(c.cellId);
  info[19] = 0x08;
  info[20] = 0;
  info[22] = 0;
  info[kRadioInfoDestinationByte] = 16;
  EXPECT_EQ(RunItem(CL_CloneInfo_VTx_Expansion, 0).caption, "Expansion");
  EXPECT_EQ(RunItem(CL_CloneInfo_UTx_Expansion, 0).caption, "Inhibit");
  EXPECT_EQ(RunItem(CL_CloneInfo_Rx_Expansion, 0).caption, "Inhibit");
  EXPECT_EQ(RunItem(CL_CloneInfo_FccInh, 0).caption, "Normal");
  EXPECT_EQ(RunItem(CL_CloneInfo_DvInh, 0).caption, "Normal");
  EXPECT_EQ(RunItem(CL_CloneInfo_Destination, 0).caption, "Unknown");
}

// Context-menu item states over the row the menu was opened on.
TEST_F(MenuCheckCasesTest, PopupItemsFollowTheirRow) {
  struct Case {
    const char* sheet;
    std::int32_t category;
    std::int32_t cellId;
    std::int32_t index;
    std::int32_t item;
    bool disabled;
  };
  const Case cases[] = {
      // Page 200-299: Up at its first row, Down at its last.
      {"2,200", CT_Conv, CL_Mch_Name, 200, CL_PMenu_CarryUp, true},
      {"2,200", CT_Conv, CL_Mch_Name, 200, CL_PMenu_CarryDown, false},
      {"2,200", CT_Conv, CL_Mch_Name, 250, CL_PMenu_CarryUp, false},
      {"2,200", CT_Conv, CL_Mch_Name, 299, CL_PMenu_CarryDown, true},
      {"47", CT_Conv, CL_Mch_Name, 1000, CL_PMenu_CarryUp, true},
      {"47", CT_Conv, CL_Mch_Name, 1003, CL_PMenu_CarryDown, true},
      {"47", CT_Conv, CL_Mch_Name, 1003, CL_PMenu_Delete, false},
      // Select: an unused channel, a bank channel above 550 MHz.
      {"0,0", CT_Conv, CL_Mch_Name, 5, CL_PMenu_Rpt_Set, false},
      {"0,0", CT_Conv, CL_Mch_Name, 6, CL_PMenu_Rpt_Set, true},
      {"21", CT_BankCh, CL_Mch_Name, 0, CL_PMenu_Rpt_Set, false},
      {"21", CT_BankCh, CL_Mch_Name, 1, CL_PMenu_Rpt_Set, true},
      {"21", CT_BankCh, CL_Mch_Name, 3, CL_PMenu_Rpt_Set, true},
      {"21", CT_BankCh, CL_Mch_Name, 0, CL_PMenu_CarryUp, true},
      {"21", CT_BankCh, CL_Mch_Name, 99, CL_PMenu_CarryDown, true},
      // Your calls: three entries, row 3 is past the end.
      {"14", CT_Urlist, CL_You_Callsign_Name, 0, CL_PMenu_Copy, false},
      {"14", CT_Urlist, CL_You_Callsign_Name, 2, CL_PMenu_Delete, false},
      {"14", CT_Urlist, CL_You_Callsign_Name, 3, CL_PMenu_Copy, true},
      {"14", CT_Urlist, CL_You_Callsign_Name, 3, CL_PMenu_Paste, true},
      {"14", CT_Urlist, CL_You_Callsign_Name, 3, CL_PMenu_Delete, true},
      {"14", CT_Urlist, CL_You_Callsign_Name, 3, CL_PMenu_Clear, true},
      {"14", CT_Urlist, CL_You_Callsign_Name, 3, CL_PMenu_Insert, false},
      {"14", CT_Urlist, CL_You_Callsign_Name, 0, CL_PMenu_CarryUp, true},
      {"14", CT_Urlist, CL_You_Callsign_Name, 2, CL_PMenu_CarryDown, true},
      // Scan links: the first row of each link is its head.
      {"51", CT_Prog_Link, CL_Mch_Name, 0, CL_PMenu_Clear, true},
      {"51", CT_Prog_Link, CL_Mch_Name, 26, CL_PMenu_Delete, true},
      {"51", CT_Prog_Link, CL_Mch_Name, 26, CL_PMenu_Insert, true},
      {"51", CT_Prog_Link, CL_Mch_Name, 27, CL_PMenu_Insert, false},
  };
  for (const Case& c : cases) {
    auto sheet = rig_.Sheet(c.sheet);
    cmcCellObj& row = sheet->Cell(c.category, c.cellId, c.index);
    cmcCellCapsule source = sheet->Prepare(row);
    cmcCellObj item;
    item.category = CT_PopupMenu;
    item.cellId = c.item;
    cmcCellCapsule capsule;
    capsule.cell = &item;
    capsule.parent = &source;
    rig_.frame.Handle(capsule, 0);
    EXPECT_EQ(item.UserFlag(userflag::kDisabled), c.disabled)
        << GetCellIdName(c.item) << " on " << GetCategoryName(c.category) << " " << c.index;
  }
}

TEST_F(MenuCheckCasesTest, PasteNeedsEntriesForTheRowsKind) {
  auto sheet = rig_.Sheet("0,0");
  cmcCellCapsule source = sheet->Prepare(sheet->Cell(CT_Conv, CL_Mch_Name, 5));
  const auto pasteDisabled = [&] {
    cmcCellObj item;
    item.category = CT_PopupMenu;
    item.cellId = CL_PMenu_Paste;
    cmcCellCapsule capsule;
    capsule.cell = &item;
    capsule.parent = &source;
    rig_.frame.Handle(capsule, 0);
    return item.UserFlag(userflag::kDisabled);
  };
  EXPECT_TRUE(pasteDisabled());
  rig_.host.pasteKind = itemkind::kYourCall;
  EXPECT_TRUE(pasteDisabled());
  rig_.host.pasteKind = itemkind::kChannel;
  EXPECT_FALSE(pasteDisabled());
}

}  // namespace
