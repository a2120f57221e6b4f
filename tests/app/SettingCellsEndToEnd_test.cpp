// kw-test: gui
// kw-test: link=kw_test_cells_support
// The set-mode and call cells in the program: the program's cell handler
// over a real main controller edits a new document of destination 0 as a
// user would on the settings pages (a popup pick, a typed comment, a typed
// bank letter), the document survives a data file written and read back,
// and the received-call columns answer the sheet's text queries of a
// history entry.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/ImagePasses.h"
#include "app/ProgramCellHandler.h"
#include "app/indMain.h"
#include "cells/CallCases.h"
#include "cells/names/CellNames.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "core/indEnviron.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/MemMapRevision.h"
#include "model/cmcIcfFile.h"
#include "model/indDestination.h"
#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellObj.h"
#include "support/ManualClock.h"
#include "support/ScratchDir.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/cells/FixtureSheet.h"
#include "support/cells/ScratchSettings.h"
#include "support/model/CellFixtureImage.h"

namespace {

QWidget* Grid() {
  static int grid;
  return reinterpret_cast<QWidget*>(&grid);
}

class SettingCellsEndToEnd : public ::testing::Test {
 protected:
  // A request of the page's grid: an owner control and no template parent.
  cmcCellCapsule OnPage(kwtest::FixtureSheet& sheet, cmcCellObj& cell) {
    cmcCellCapsule capsule = sheet.Prepare(cell);
    capsule.owner = capsule.owner2 = Grid();
    capsule.parent = nullptr;
    return capsule;
  }
  void Pick(kwtest::FixtureSheet& sheet, cmcCellObj& cell, int value) {
    cmcCellObj option;
    option.cellId = Flex0;
    option.index = value;
    cmcCellCapsule popup;
    popup.cell = &option;
    cmcCellCapsule capsule = OnPage(sheet, cell);
    capsule.parent = &popup;
    capsule.mode = cellmode::kChoice;
    cells_.Frame().Handle(capsule, 1);
  }
  void Type(kwtest::FixtureSheet& sheet, cmcCellObj& cell, const std::string& text) {
    cmcCellCapsule capsule = OnPage(sheet, cell);
    capsule.mode = cellmode::kCommit;
    capsule.inputText = text;
    cells_.Frame().Handle(capsule, 1);
  }
  void Key(kwtest::FixtureSheet& sheet, cmcCellObj& cell, int key) {
    cmcCellCapsule capsule = OnPage(sheet, cell);
    capsule.operation = key;
    cells_.Frame().Handle(capsule, 1);
  }

  kwtest::ManualClock clock_;
  kwtest::ScriptedMessageBoxes boxes_;
  kwtest::ScratchSettings settings_;
  cmcGTex texts_;
  ScopedEvMan bus_;
  ScopedDestination destination_{indDestination(0)};
  std::unique_ptr<indMain> controller_ = std::make_unique<indMain>(settings_.Get(), texts_);
  ProgramCellHandler cells_{settings_.Get(), texts_, *controller_};
};

TEST_F(SettingCellsEndToEnd, EditsOfANewDocumentSurviveADataFile) {
  cmcEeprom& image = controller_->Image();
  image = imagepass::BuildInitialImage(indDestination(0), false);
  controller_->ClearModified();
  const cmcEeprom fresh = image;

  kwtest::FixtureSheet common(cells_.Frame().Handler(), "250", bus_.Bus());
  cmcCellObj& baudRate = common.Cell(CT_Null, CL_Common_CIV_BaudRate, 0);
  cmcCellObj& comment = common.Cell(CT_Null, CL_Common_CloneComment, 0);
  kwtest::FixtureSheet bands(cells_.Frame().Handler(), "251", bus_.Bus());
  cmcCellObj& bankLinksA = bands.Cell(CT_Null, CL_Common_BankLink_A_J, 0);

  EXPECT_EQ(cells_.Frame().GetCellText(&baudRate, 0, "250"), "Auto");
  Pick(common, baudRate, 2);
  Type(common, comment, "Field Day");
  Key(bands, bankLinksA, 'C');
  EXPECT_EQ(cells_.Frame().GetCellText(&baudRate, 0, "250"), "4800bps");
  EXPECT_EQ(cells_.Frame().GetCellText(&comment, 0, "250"), "Field Day");
  EXPECT_EQ(cells_.Frame().GetCellText(&bankLinksA, 0, "251"), "__C_______");

  cmcEeprom expected = fresh;
  expected.SetByte(0x29AB2, 2);
  expected.SetBlock(0xC9C0, "Field Day       ", 16);
  expected.SetByte(0x2A290, static_cast<std::uint8_t>(fresh.GetByte(0x2A290) ^ 0x04));
  EXPECT_EQ(image, expected);
  EXPECT_TRUE(controller_->ModifiedFlag());

  // Written and read back as a data file, with the comment as its comment line.
  kwtest::ScratchDir dir;
  const std::string path = dir.FileStd("field-day.icf");
  const MemRangeList& blocks = MemMapRevisionOf(3).MemMapBlockList();
  {
    cmcIcfFile writer;
    writer.SetImage(&image);
    writer.SetMapRev(3);
    dst_EtcData etc;
    etc.destination = 0;
    writer.SetEtcData(indEnviron::EncodeEtcData(etc));
    writer.SetComment(cells_.Frame().GetCellText(&comment, 0, "250"));
    ASSERT_EQ(writer.Write(path, blocks), 0);
  }
  QFile file(QString::fromStdString(path));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().contains("#Comment=Field Day\r\n"));
  cmcEeprom reopened = fresh;
  cmcIcfFile reader;
  reader.SetImage(&reopened);
  reader.SetMapRevCheck([](int revision) { return revision == 3; });
  reader.SetEtcDataCheck([](std::uint32_t value, std::uint32_t&) {
    dst_EtcData record;
    return indEnviron::DecodeEtcData(value, record) && record.destination == 0;
  });
  ASSERT_EQ(reader.Read(path, &MemMapRevisionOf(3).MemMapRangeList()), 0);
  EXPECT_EQ(reopened, image);
}

TEST_F(SettingCellsEndToEnd, TheReceivedCallColumnsAnswerTheSheetsTextQueries) {
  cmcEeprom& image = controller_->Image();
  image = kwtest::MakeCellFixtureImage();
  for (int k = 0; k < layout::kRxEntries; ++k) image.SetByte(layout::kRxOrderTable + k, 0xFF);
  image.SetByte(layout::kRxOrderTable + 2, 0);  // row 0 shows entry 2
  image.SetBlock(layout::kRxRecords + 2 * layout::kRxRecordSize, "AB1CDE  ", 8);
  image.SetByte(layout::kRxStatusBytes + 2, 0x41);

  kwtest::FixtureSheet page(cells_.Frame().Handler(), "215", bus_.Bus());
  const struct {
    int id;
    int row;
    const char* shown;
  } cases[] = {
      {CL_Received_Callsign_Caller, 0, "AB1CDE"},
      {CL_Received_Callsign_Status, 0, "RPT?"},
      {CL_Received_Callsign_Caller, 1, ""},
      {CL_Received_Callsign_Altitude, 1, "------"},
  };
  for (const auto& c : cases) {
    cmcCellObj& cell = page.Cell(CT_RXCall, c.id, c.row);
    EXPECT_EQ(cells_.Frame().GetCellText(&cell, 0, "215"), c.shown) << c.id << " row " << c.row;
  }
  EXPECT_FALSE(controller_->ModifiedFlag());
}

TEST_F(SettingCellsEndToEnd, TheProgramRegistersEveryCallAndSetModeCell) {
  for (int id = 306; id <= 577; ++id) EXPECT_TRUE(cells_.Table().IsFilled(id)) << id;
}

}  // namespace
