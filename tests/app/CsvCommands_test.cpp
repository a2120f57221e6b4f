// kw-test: gui
// The CSV commands as the user meets them (offscreen): export of the open
// repeater group to a file that matches the reviewed golden file, import of
// an edited copy (the question, the USE(FROM) question, the tree renamed,
// the sheet told to reopen) and a cancelled import that changes nothing.
#include <gtest/gtest.h>

#include <QFile>
#include <algorithm>

#include "app/CsvCommands.h"
#include "core/EventIds.h"
#include "model/csv/CsvContext.h"
#include "model/ItemKinds.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/ListEdit.h"
#include "model/cmcEeprom.h"
#include "model/datCh.h"
#include "sheet/cmcCellObj.h"
#include "cells/names/CellNames.h"
#include "platform/MessageBoxService.h"
#include "support/ScriptedFileDialogs.h"
#include "tests/app/MainWindowRig.h"

namespace {

// Group 03's page as the program's tree names it: the load parameter after
// the sheet number names the group the page shows.
constexpr char kGroupPage[] = "[St_RptList]GI_Sheet_RepeaterList,125,RptCH  2";

std::string ReadAll(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll().toStdString();
}

void WriteAll(const QString& path, const std::string& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

class CsvCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rig_.main = std::make_unique<indMain>(*rig_.env, rig_.texts);
    rig_.texts.Reset();
    std::vector<std::string> lines = kwtest::MainWindowTestLines();
    for (auto it = lines.begin(); it != lines.end(); ++it)
      if (*it == "#GI_Tree_Main_Body") {
        lines.insert(it + 1, std::string("+Group 03\t\t{(ImageIndex=1)(%CallSheet:") + kGroupPage +
                                 ")}");
        break;
      }
    rig_.texts.SetSource(lines);
    rig_.cells = std::make_unique<ProgramCellHandler>(*rig_.env, rig_.texts, *rig_.main);
    rig_.cellHandler =
        std::make_unique<ScopedDefaultCellHandler>(rig_.cells->Frame().Handler());
    rig_.window = std::make_unique<MainFrame>(*rig_.env, rig_.texts);
    rig_.main->BuildMainWindow(*rig_.window);
    rig_.boxes.SetDefaultAnswer(platform::mb::IdOk);
    AddRepeaters();
    rig_.main->NormalizeImage(rig_.main->Image());
    rig_.main->ClearModified();
    rig_.Choose(rig_.NodeOf(kGroupPage));
    ASSERT_EQ(rig_.main->GetCurrentSheetNumber(), 125);
  }

  // Group 3 (index 2): a DV repeater used as RPT1 and an FM repeater.
  void AddRepeaters() {
    cmcEeprom& image = rig_.main->Image();
    const char name[17] = "KANTO           ";
    image.SetBlock(layout::kRptGroupNames + 16 * 2, name, 16);
    struct Row {
      const char* call;
      const char* gateway;
      const char* name;
      std::uint32_t mode;
      std::uint32_t freq;
      std::uint32_t duplex;
      std::uint32_t offset;
      std::uint32_t useFrom;
      std::uint32_t utc;
    };
    const Row rows[] = {{"JR1VA  B", "JR1VA  G", "Tokyo 430", 0, 439010000, 1, 5000000, 1, 540},
                        {"        ", "        ", "Yokohama FM", 1, 439500000, 1, 5000000, 0, 32767}};
    int i = 0;
    for (const Row& r : rows) {
      ASSERT_TRUE(RptListInsert(image, 2, GetRptGroupFirst(image, 2) + i));
      datCh rec(&image);
      rec.Load(itemkind::kRepeater, static_cast<std::uint32_t>(GetRptGroupFirst(image, 2) + i));
      SetText(rec.rptCall, r.call);
      SetText(rec.gwCall, r.gateway);
      SetText(rec.name, r.name);
      rec.rptMode = r.mode;
      rec.freq = r.freq;
      rec.duplex = r.duplex;
      rec.offset = r.offset;
      rec.useFrom = r.useFrom;
      rec.rptToneMode = r.mode == 1 ? 1 : 0;
      rec.latitude = {35, 0x2E, 0xE0, 'N'};   // 12000
      rec.longitude = {139, 0x75, 0x30, 'E'};  // 30000
      rec.positionMode = 2;
      rec.utcOffset = r.utc;
      ASSERT_TRUE(rec.StoreSelf());
      ++i;
    }
  }

  kwtest::MainWindowRig rig_;
  kwtest::ScriptedFileDialogs dialogs_;
};

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

TEST_F(CsvCommandsTest, ExportMatchesTheGoldenFileAndAnEditedImportComesBack) {
  const QString exported = rig_.dir_.File("group3.csv");
  dialogs_.Choose(exported);
  EXPECT_FALSE(rig_.main->ExportCsvFile(false));
  EXPECT_EQ(dialogs_.Last().kind, platform::FileDialogRequest::Kind::Save);
  EXPECT_EQ(dialogs_.Last().filter, QStringLiteral("CSV files (*.csv)|*.csv|All files (*.*)|*.*"));
  const std::string golden =
      ReadAll(QStringLiteral(KW_TEST_DATA_DIR "/csv/repeater-group-3.csv"));
  ASSERT_FALSE(golden.empty());
  EXPECT_EQ(ReadAll(exported), golden);
  EXPECT_EQ(rig_.main->DefaultFolder() + "/", rig_.dir_.FileStd(""));
  EXPECT_FALSE(rig_.main->ModifiedFlag());

  // The edited copy: a new group name, another name, and USE(FROM) off.
  std::string edited = Replace(golden, "KANTO", "TOKYO AREA");
  edited = Replace(edited, "Tokyo 430", "Tokyo 439");
  edited = Replace(edited, ",YES,", ",NO,");
  const QString editedPath = rig_.dir_.File("edited.csv");
  WriteAll(editedPath, edited);
  std::vector<int> told;
  EvMan().AddListener(this, [&told](const cmcEvent& e) { told.push_back(e.id); });
  dialogs_.Choose(editedPath);
  rig_.boxes.Answer(platform::mb::IdOk);
  rig_.boxes.Answer(platform::mb::IdYes);
  rig_.boxes.Clear();
  EXPECT_FALSE(rig_.main->ImportCsvFile(false));
  ASSERT_EQ(rig_.boxes.Count(), 2u);
  EXPECT_TRUE(rig_.boxes.Shown()[0].text.contains(QStringLiteral("replaced")));
  EXPECT_EQ(rig_.boxes.Shown()[0].flags, platform::mb::OkCancel | platform::mb::IconWarning);
  EXPECT_TRUE(rig_.boxes.Shown()[1].text.contains(QStringLiteral("USE(FROM)")));
  EvMan().Drain();
  EvMan().RemoveListener(this);
  EXPECT_NE(std::find(told.begin(), told.end(), ev::ReopenSheet), told.end());
  EXPECT_EQ(rig_.NodeOf(kGroupPage)->text(0), QStringLiteral("03: TOKYO AREA      "));
  const cmcEeprom& image = rig_.main->Image();
  const int first = GetRptGroupFirst(image, 2);
  ASSERT_EQ(GetRptGroupCount(image, 2), 2);
  const datCh r = LoadDetached(image, itemkind::kRepeater, static_cast<std::uint32_t>(first));
  EXPECT_EQ(std::string(r.name.data(), 9), "Tokyo 439");
  EXPECT_EQ(r.useFrom, 1u);  // kept, though the file said NO
  EXPECT_TRUE(rig_.main->ModifiedFlag());
}

TEST_F(CsvCommandsTest, CancelledImportChangesNothing) {
  const cmcEeprom before = rig_.main->Image();
  const QString path = rig_.dir_.File("any.csv");
  WriteAll(path, "Group No,Repeater Call Sign\r\n1,JA1ZZZ\r\n");
  dialogs_.Choose(path);
  rig_.boxes.Answer(platform::mb::IdCancel);
  EXPECT_TRUE(rig_.main->ImportCsvFile(false));
  EXPECT_EQ(rig_.boxes.Count(), 1u);
  EXPECT_TRUE(rig_.main->Image() == before);
  EXPECT_FALSE(rig_.main->ModifiedFlag());

  // A file of another list: one error box, nothing changed.
  WriteAll(path, "CH No,Frequency\r\n00,145.0\r\n");
  dialogs_.Choose(path);
  rig_.boxes.Answer(platform::mb::IdOk);
  rig_.boxes.Clear();
  EXPECT_TRUE(rig_.main->ImportCsvFile(false));
  ASSERT_EQ(rig_.boxes.Count(), 2u);
  EXPECT_EQ(rig_.boxes.Last().text, QStringLiteral("File error.\nIllegal data."));
  EXPECT_TRUE(rig_.main->Image() == before);
}

TEST_F(CsvCommandsTest, ExportToAFolderThatCannotHoldTheFileSaysSo) {
  dialogs_.Choose(rig_.dir_.File("missing/folder/x.csv"));
  EXPECT_TRUE(rig_.main->ExportCsvFile(false));
  ASSERT_EQ(rig_.boxes.Count(), 1u);
  EXPECT_EQ(rig_.boxes.Last().text, QStringLiteral("File error.\n\nThe file cannot be opened."));
}

TEST_F(CsvCommandsTest, AnImportThatChangesNoByteLeavesTheDocumentUnmodified) {
  const QString path = rig_.dir_.File("same.csv");
  dialogs_.Choose(path);
  ASSERT_FALSE(rig_.main->ExportCsvFile(false));
  const cmcEeprom before = rig_.main->Image();
  dialogs_.Choose(path);
  rig_.boxes.Answer(platform::mb::IdOk);
  rig_.boxes.Answer(platform::mb::IdYes);
  EXPECT_FALSE(rig_.main->ImportCsvFile(false));
  EXPECT_TRUE(rig_.main->Image() == before);
  EXPECT_FALSE(rig_.main->ModifiedFlag());
}

TEST(CsvImportResultBoxes, TextsInOrder) {
  cmcGTex texts;
  texts.SetSource(kwres::kTextEnglish);
  kwtest::ScriptedMessageBoxes boxes;
  boxes.SetDefaultAnswer(platform::mb::IdOk);
  struct Case {
    bool grouped;
    bool noSpace;
    int stored;
    int discarded;
    int corrected;
    std::vector<const char*> first;  // the first line of each box
  };
  const Case cases[] = {
      {false, false, 0, 3, 1, {"No channel data was found."}},
      {false, true, 1, 1, 1,
       {"Channel overflow.", "Some channels are read as blank due to invalid value/setting.",
        "Some settings are changed to the valid value."}},
      {true, false, 5, 1, 0, {"Some channels cannot be read due to invalid value/setting."}},
      {true, false, 5, 0, 0, {}},
      {true, false, 0, 0, 0, {"No channel data was found."}},
  };
  for (const Case& c : cases) {
    boxes.Clear();
    CsvImportResult r;
    r.grouped = c.grouped;
    r.noSpace = c.noSpace;
    r.stored = c.stored;
    r.discarded = c.discarded;
    r.corrected = c.corrected;
    ShowCsvImportResult(nullptr, texts, r);
    ASSERT_EQ(boxes.Count(), c.first.size());
    for (std::size_t i = 0; i < c.first.size(); ++i) {
      EXPECT_TRUE(boxes.Shown()[i].text.startsWith(QString::fromUtf8(c.first[i])))
          << boxes.Shown()[i].text.toStdString();
      EXPECT_EQ(boxes.Shown()[i].flags, platform::mb::Ok | platform::mb::IconWarning);
    }
  }
}

TEST_F(CsvCommandsTest, MenuStateOfAGroupSheet) {
  struct Case {
    CellId id;
    bool hidden;
    bool disabled;
  };
  const Case cases[] = {
      {CL_Menu_File_Import, true, true},
      {CL_Menu_File_Import_SubMenu_Grp, false, false},
      {CL_Menu_File_Import_SubMenu_All, false, false},
      {CL_Menu_File_Import_SubMenu_Bank, true, false},
      {CL_Menu_File_Export_SubMenu_Grp, false, false},
      {CL_Menu_File_Export, true, true},
      {CL_Menu_File_Exit, false, false},
  };
  for (const Case& c : cases) {
    cmcCellObj cell;
    cell.cellId = c.id;
    cell.SetUserFlag(userflag::kHidden, true);
    cell.SetUserFlag(userflag::kDisabled, true);
    rig_.main->UpdateCsvMenuState(cell);
    EXPECT_EQ(cell.UserFlag(userflag::kHidden), c.hidden) << c.id;
    EXPECT_EQ(cell.UserFlag(userflag::kDisabled), c.disabled) << c.id;
  }
}

}  // namespace
