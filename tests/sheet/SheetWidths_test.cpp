// kw-test: gui
// Column widths of sheets with settings: stored widths load clamped, the
// column-cut mask comes with them (127 for sheets without a group), saving
// writes the data columns only, a reset keeps the masks, printing scales
// stored widths and only narrows, widths survive a reopen, width changes
// are clamped, and a column fits its widest text.
#include <gtest/gtest.h>

#include <QFont>

#include "cells/names/CellNames.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiSheet.h"
#include "tests/sheet/RecordedSheet.h"
#include "tests/sheet/SheetFixture.h"
#include "tests/sheet/SheetSettings.h"

namespace {

using platform::RegRoot;

class SheetWidthsTest : public ::testing::Test {
 protected:
  SheetWidthsTest() {
    std::vector<std::string> lines = kwtest::TestSheetLines();
    for (const std::string& line : kwtest::TestSheetLines()) {
      std::string other = line;
      if (other.starts_with("#GI_Sheet_Test")) other.replace(0, 14, "#GI_Sheet_Other");
      lines.push_back(other);
    }
    for (const std::string& line : kwtest::WidthListLines({"GI_Sheet_Test:memory"}))
      lines.push_back(line);
    kwtest::LoadTable(host_.gtex, lines);
  }

  template <class Sheet = cuiSheet>
  Sheet* Build(const std::string& key, bool withSettings = true, cuiCanvas* printer = nullptr,
               bool reset = false) {
    auto* sheet = new Sheet(&host_.window, nullptr, 0, 0, host_.gtex, key, nullptr);
    sheet->SetCellHandler(host_.handler.Handler());
    if (withSettings) sheet->SetSettings(&settings_.Get());
    if (printer) sheet->SetPrinterCanvas(printer);
    sheet->SetResetWidths(reset);
    sheet->SetName("0,0");
    sheet->Build();
    return sheet;
  }
  std::vector<int> Widths(cuiSheet* sheet) {
    std::vector<int> out;
    for (int c = 0; c < sheet->Grid()->ColCount(); ++c) out.push_back(sheet->Grid()->ColWidth(c));
    return out;
  }
  std::vector<int> BuiltWidths(const std::string& key) {
    cuiSheet* sheet = Build(key, false);
    const std::vector<int> widths = Widths(sheet);
    sheet->Release();
    return widths;
  }
  void Store(const std::string& name, int value) {
    ASSERT_TRUE(
        settings_->RegWriteInt(RegRoot::CurrentUser, settings_.WidthsKey("memory"), name, value));
  }
  void StoreColCut(int value) {
    ASSERT_TRUE(settings_->RegWriteInt(RegRoot::CurrentUser, settings_.GroupKey("memory"), "colcut",
                                       value));
  }
  int Stored(const std::string& name) {
    return settings_->RegReadInt(RegRoot::CurrentUser, settings_.WidthsKey("memory"), name);
  }

  kwtest::SheetHost host_;
  kwtest::SheetSettings settings_;
};

TEST_F(SheetWidthsTest, StoredWidthsLoadClampedWithTheirMask) {
  const std::vector<int> built = BuiltWidths("GI_Sheet_Test");
  Store("0", 50);  // not a data column: never applied
  Store("1", 900);
  Store("2", 3);
  StoreColCut(0x1F5);
  cuiSheet* sheet = Build("GI_Sheet_Test");
  EXPECT_EQ(Widths(sheet), (std::vector<int>{built[0], 650, 10}));
  EXPECT_EQ(settings_->ViewCutBits, 0x75);
  sheet->Release();

  // A sheet without a group keeps its built widths and shows every column.
  const std::vector<int> builtOther = BuiltWidths("GI_Sheet_Other");
  cuiSheet* other = Build("GI_Sheet_Other");
  EXPECT_EQ(Widths(other), builtOther);
  EXPECT_EQ(settings_->ViewCutBits, 127);
  other->Release();
}

TEST_F(SheetWidthsTest, SavingWritesTheDataColumnsAndTheMask) {
  cuiSheet* sheet = Build("GI_Sheet_Test");
  settings_->ViewCutBits = 0x7D;
  sheet->Release();
  EXPECT_EQ(settings_->RegGetValueNames(RegRoot::CurrentUser, settings_.WidthsKey("memory")),
            (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(settings_->RegReadInt(RegRoot::CurrentUser, settings_.GroupKey("memory"), "colcut"),
            0x7D);
  // Nothing for a sheet without a group, nor for one without settings.
  Build("GI_Sheet_Other")->Release();
  Build("GI_Sheet_Test", false)->Release();
  EXPECT_EQ(settings_->RegGetValueNames(RegRoot::CurrentUser,
                                        std::string(indEnviron::kKeyPath) + "\\Display"),
            (std::vector<std::string>{}));
}

TEST_F(SheetWidthsTest, AResetDropsTheWidthsAndKeepsTheMask) {
  const std::vector<int> built = BuiltWidths("GI_Sheet_Test");
  Store("1", 300);
  StoreColCut(5);
  cuiSheet* sheet = Build<cuiSheet>("GI_Sheet_Test", true, nullptr, true);
  EXPECT_EQ(Widths(sheet), built);
  EXPECT_EQ(settings_->ViewCutBits, 5);
  EXPECT_EQ(Stored("1"), built[1]);  // saved again as built
  sheet->Release();
}

TEST_F(SheetWidthsTest, WidthsSurviveAReopen) {
  cuiSheet* sheet = Build("GI_Sheet_Test");
  sheet->Grid()->SetColWidth(2, 200);
  sheet->Release();
  settings_.Reopen();
  sheet = Build("GI_Sheet_Test");
  EXPECT_EQ(sheet->Grid()->ColWidth(2), 200);
  sheet->Release();
}

TEST_F(SheetWidthsTest, WidthChangesStayBetweenTenAndTheRoomLeft) {
  cuiSheet* sheet = Build("GI_Sheet_Test");
  cuiGrid* grid = sheet->Grid();
  const int col0 = grid->ColWidth(0);
  grid->SetColWidth(1, 3);
  EXPECT_EQ(grid->ColWidth(1), 10);
  grid->SetColWidth(2, 2000);
  EXPECT_EQ(grid->ColWidth(2), std::max(std::min(650, grid->ClientWidth() - col0), 10));
  EXPECT_EQ(grid->ColWidth(0), col0);  // not a data column
  grid->SetColWidth(0, 2);
  EXPECT_EQ(grid->ColWidth(0), 2);
  sheet->Release();
}

TEST_F(SheetWidthsTest, PrintingScalesStoredWidthsAndNeverWidens) {
  ASSERT_EQ(cuiSheet::ScreenPixelsPerInch(), 96);
  // 600 pixels an inch, font 10 points, 100 %: 80 stored pixels are 500.
  kwtest::RecordingCanvas printer;
  printer.pixelsPerInch = 600;
  printer.byteWidth = 48;
  printer.lineHeight = 96;
  QFont font;
  font.setPointSize(10);
  printer.SetFont(font);
  Store("1", 80);
  Store("2", 80);
  cuiSheet* sheet = Build("GI_Sheet_Test", true, &printer);
  EXPECT_EQ(sheet->PrintScale(), 6);
  // Built: 11 bytes x 48 + 8 x 6 = 576 and 8 x 48 + 48 = 432.
  EXPECT_EQ(sheet->Grid()->ColWidth(1), 500);
  EXPECT_EQ(sheet->Grid()->ColWidth(2), 432);
  sheet->Release();
  EXPECT_EQ(Stored("1"), 80);  // printing stores nothing
  EXPECT_EQ(Stored("2"), 80);
}

TEST_F(SheetWidthsTest, AColumnFitsItsWidestText) {
  host_.handler.Cell(CL_Mch_Freq, 0).text = "145.000000000000";  // 16 bytes
  host_.handler.Cell(CL_Mch_Freq, 7).text = "1.5";
  auto* sheet = Build<kwtest::RecordedSheet>("GI_Sheet_Test", false);
  sheet->FitColumn(1);
  EXPECT_EQ(sheet->Grid()->ColWidth(1), 16 * 8 + 8);
  // Without display texts the header's caption is the widest.
  sheet->FitColumn(2);
  EXPECT_EQ(sheet->Grid()->ColWidth(2), 4 * 8 + 8);  // "Name"
  sheet->Release();
}

}  // namespace
