// kw-test: gui
// A sheet builds its rows, columns, loops, styles and start cell from the
// markup; a markup or position the table cannot hold is fatal.
#include <gtest/gtest.h>

#include <QLabel>

#include "cells/names/CellNames.h"
#include "sheet/QtFontColor.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiSheet.h"
#include "tests/sheet/SheetFixture.h"

namespace {

using kwtest::LoadTable;
using kwtest::SheetHost;
using kwtest::TestSheetLines;

std::vector<int> DataIndexes(cuiSheet& sheet, int col) {
  std::vector<int> out;
  for (int r = 0; r < sheet.Grid()->RowCount(); ++r)
    if (sheet.IsDataCell(col, r)) out.push_back(sheet.GetCell(col, r)->index);
  return out;
}

// A page class that shows its page from an index offset, as list pages do.
class OffsetSheet : public cuiSheet {
 public:
  using cuiSheet::cuiSheet;
  void SetName(std::string_view name) override {
    cuiSheet::SetName(name);
    const std::size_t comma = name.find(',');
    SetIndexOffset(
        comma == std::string_view::npos ? 0 : std::stoi(std::string(name.substr(comma + 1))));
  }
};

TEST(SheetBuild, ALoopedPageHas105RowsIndexedFromItsOffset) {
  SheetHost host;
  LoadTable(host.gtex, TestSheetLines());
  cuiSheet* sheet = host.Build("GI_Sheet_Test", "0,0");
  EXPECT_EQ(sheet->Grid()->RowCount(), 105);
  EXPECT_EQ(sheet->Grid()->ColCount(), 3);
  EXPECT_EQ(sheet->Grid()->FixedRows(), 5);
  EXPECT_EQ(sheet->Grid()->FixedCols(), 1);
  std::vector<int> expected(100);
  for (int i = 0; i < 100; ++i) expected[static_cast<std::size_t>(i)] = i;
  EXPECT_EQ(DataIndexes(*sheet, 1), expected);
  EXPECT_EQ(sheet->GetCell(2, 104)->cellId, CL_Mch_Name);
  EXPECT_EQ(sheet->GetCell(0, 6)->index, 1);  // the row label follows the loop too
  EXPECT_EQ(sheet->FirstDataRow(), 5);
  EXPECT_EQ(sheet->FirstDataCol(), 1);
  // The first data cell is current.
  EXPECT_EQ(sheet->Grid()->Col(), 1);
  EXPECT_EQ(sheet->Grid()->Row(), 5);
  sheet->Release();

  auto* page = new OffsetSheet(&host.window, nullptr, 0, 0, host.gtex, "GI_Sheet_Test", nullptr);
  page->SetCellHandler(host.handler.Handler());
  page->SetName("1,100");
  page->Build();
  for (int& i : expected) i += 100;
  EXPECT_EQ(DataIndexes(*page, 1), expected);
  EXPECT_EQ(page->BasicCell().index, 100);
  page->Release();
}

TEST(SheetBuild, LoopCountsAndUnclosedLoops) {
  struct Case {
    std::vector<std::string> cells;
    int rows;
  } const cases[] = {
      {{"{S(%Flex0[@ch0])(@ch0=0)}a", ":(LoopFrom 0)", "{S(%Flex0[@ch0])}b", ":(LoopTo)", "#"}, 2},
      {{"{S(%Flex0[0])}a", ":(LoopFrom 5)", "{S(%Flex0[1])}b", "#"}, 2},
      {{"{S(%Flex0[0])}a", ":(LoopFrom 3)", "{S(%Flex0[1])}b", "c|d", ":(LoopTo)", "#"}, 7},
      {{"{S(%Flex0[0])}a", ":(LoopFrom x)", "{S(%Flex0[1])}b", ":(LoopTo)", "#"}, 2},
  };
  for (const Case& c : cases) {
    SheetHost host;
    std::vector<std::string> lines{"#GI_Sheet_L_Style", "", "#GI_Sheet_L_BasicCell", "{($Basic)}",
                                   "#GI_Sheet_L_Cells"};
    lines.insert(lines.end(), c.cells.begin(), c.cells.end());
    LoadTable(host.gtex, lines);
    cuiSheet* sheet = host.Build("GI_Sheet_L");
    EXPECT_EQ(sheet->Grid()->RowCount(), c.rows) << c.cells[1];
    sheet->Release();
  }
}

TEST(SheetBuild, AMultiRowLoopBodyRepeatsWhole) {
  SheetHost host;
  LoadTable(host.gtex, {"#GI_Sheet_L_Style", "", "#GI_Sheet_L_BasicCell", "{($Basic)}",
                        "#GI_Sheet_L_Cells", "{(@ch0=0)}", ":(LoopFrom 3)", "{S(%Flex0[@ch0])}a",
                        "{S(%FlexSpace[@ch0])(@ch0++)}b", ":(LoopTo)", "#"});
  cuiSheet* sheet = host.Build("GI_Sheet_L");
  ASSERT_EQ(sheet->Grid()->RowCount(), 7);
  // Rows of a two-line body are parsed again each time: the variable counts on.
  EXPECT_EQ(sheet->GetCell(0, 1)->cellId, Flex0);
  EXPECT_EQ(sheet->GetCell(0, 2)->cellId, FlexSpace);
  EXPECT_EQ(sheet->GetCell(0, 3)->cellId, Flex0);
  EXPECT_EQ(sheet->GetCell(0, 3)->index, 1);
  EXPECT_EQ(sheet->GetCell(0, 6)->index, 2);
  sheet->Release();
}

TEST(SheetBuild, ASheetWithoutDataCellsDisablesItsGrid) {
  SheetHost host;
  LoadTable(host.gtex, {"#GI_Sheet_L_Style", "", "#GI_Sheet_L_BasicCell", "{($Basic)}",
                        "#GI_Sheet_L_Cells", "a|b", "c", "#"});
  cuiSheet* sheet = host.Build("GI_Sheet_L");
  EXPECT_FALSE(sheet->Grid()->isEnabled());
  EXPECT_EQ(sheet->Grid()->ColCount(), 2);
  sheet->Release();
}

TEST(SheetBuild, StartCellByIdOrPosition) {
  SheetHost host;
  LoadTable(host.gtex, TestSheetLines());
  struct Case {
    int cellId, index;
    int col, row;
  } const cases[] = {
      {CL_Mch_Name, 7, 2, 12},
      {CL_Mch_Name, 700, 1, 5},  // unknown index: the first data cell
      {CL_Menu_File_New, 0, 1, 5},
  };
  for (const Case& c : cases) {
    cuiSheet* sheet = host.Build("GI_Sheet_Test", "0,0", nullptr, false, c.cellId, c.index);
    EXPECT_EQ(sheet->Grid()->Col(), c.col) << c.index;
    EXPECT_EQ(sheet->Grid()->Row(), c.row) << c.index;
    sheet->Release();
  }

  // A saved start inside the sheet scrolls there; outside a shrunk sheet it
  // is forgotten.
  auto build = [&](int col, int row, int left, int top) {
    auto* sheet = new cuiSheet(&host.window, nullptr, 0, 0, host.gtex, "GI_Sheet_Test", nullptr);
    sheet->SetCellHandler(host.handler.Handler());
    sheet->SetStartCell(col, row, left, top);
    sheet->Build();
    return sheet;
  };
  cuiSheet* inside = build(2, 90, 1, 80);
  EXPECT_EQ(inside->Grid()->Col(), 2);
  EXPECT_EQ(inside->Grid()->Row(), 90);
  EXPECT_LE(inside->Grid()->TopRow(), 90);
  inside->Release();
  cuiSheet* outside = build(2, 300, 1, 290);
  EXPECT_EQ(outside->Grid()->Row(), 5);
  EXPECT_EQ(outside->Grid()->TopRow(), 5);
  outside->Release();
}

TEST(SheetBuild, NameGivesTheSheetNumber) {
  struct Case {
    const char* name;
    int number;
  } const cases[] = {{"1,100", 1}, {"", -1}, {"123,RptCH  0", 123}, {",5", -1}, {"x", 0}};
  SheetHost host;
  LoadTable(host.gtex, TestSheetLines());
  cuiSheet sheet(&host.window, nullptr, 0, 0, host.gtex, "GI_Sheet_Test", nullptr);
  for (const Case& c : cases) {
    sheet.SetName(c.name);
    EXPECT_EQ(sheet.GetNumber(), c.number) << c.name;
    EXPECT_EQ(sheet.GetName(), c.name);
  }
}

TEST(SheetBuild, StyleItems) {
  SheetHost host;
  LoadTable(host.gtex,
            TestSheetLines("(TitleColor=clNavy)(TitleFont=DEFAULT_CHARSET,,clYellow,16,,fsBold,)"
                           "(TitleString= Memory CH)(FixedCols=3)(FixedRows=5)(MultiSelect=Line)"
                           "(ColSizing)(ColorSelectLine)(ColCutMenu)"));
  cuiSheet* sheet = host.Build("GI_Sheet_Test");
  EXPECT_EQ(sheet->GetTitleText(), " Memory CH");
  ASSERT_NE(sheet->TitleLabel(), nullptr);
  EXPECT_EQ(sheet->TitleLabel()->text(), QStringLiteral(" Memory CH"));
  EXPECT_TRUE(sheet->TitleLabel()->font().bold());
  EXPECT_EQ(sheet->FixedColsStyle(), 3);
  EXPECT_EQ(sheet->Grid()->FixedCols(), 2);  // three columns: at most two fixed
  EXPECT_EQ(sheet->FixedRowsStyle(), 5);
  EXPECT_EQ(sheet->GetMultiSelect(), cuiSheet::MultiSelectMode::Line);
  EXPECT_TRUE(sheet->ColCutMenu());
  EXPECT_TRUE(sheet->SheetFlags() & cuiSheet::kColSizing);
  EXPECT_TRUE(sheet->SheetFlags() & cuiSheet::kColorSelectLine);
  EXPECT_TRUE(sheet->Grid()->ColSizing());
  // Not in the example: printable, full print font.
  EXPECT_TRUE(sheet->IsPrintable());
  EXPECT_TRUE(sheet->CanPrint());
  EXPECT_EQ(sheet->PrintFontRatio(), 100);
  sheet->Release();

  struct Case {
    const char* style;
    int fixedCols;
    cuiSheet::MultiSelectMode multi;
    bool printable;
    int ratio;
  } const cases[] = {
      {"(MultiSelect=Cells)", 0, cuiSheet::MultiSelectMode::None, true, 100},
      {"(MultiSelect=Cell)(NoPrint)", 0, cuiSheet::MultiSelectMode::Cell, false, 100},
      {"(FixedCols=x)(PrintFontRatio=80)", 0, cuiSheet::MultiSelectMode::None, true, 80},
      {"(FixedCols=-2)(PrintFontRatio=-1)(NoPrint=1)", 0, cuiSheet::MultiSelectMode::None, true, 0},
      {"(FixedCols= 1)(Unknown=3)", 1, cuiSheet::MultiSelectMode::None, true, 100},
  };
  for (const Case& c : cases) {
    LoadTable(host.gtex, TestSheetLines(c.style));
    cuiSheet* s = host.Build("GI_Sheet_Test");
    EXPECT_EQ(s->FixedColsStyle(), c.fixedCols) << c.style;
    EXPECT_EQ(s->GetMultiSelect(), c.multi) << c.style;
    EXPECT_EQ(s->IsPrintable(), c.printable) << c.style;
    EXPECT_EQ(s->PrintFontRatio(), c.ratio) << c.style;
    EXPECT_EQ(s->TitleLabel(), nullptr);
    s->Release();
  }
}

TEST(SheetBuild, WidthAndHeightFromTextSizeColumnsAndRows) {
  SheetHost host;
  LoadTable(host.gtex,
            {"#GI_Sheet_L_Style", "", "#GI_Sheet_L_BasicCell", "{($Basic)}", "#GI_Sheet_L_Cells",
             "{W}ab|{S(%Flex0[0])}x|{WH}abc\\nabcdef", "{W}abcd", "#"});
  cuiSheet* sheet = host.Build("GI_Sheet_L");
  cuiCanvas& canvas = sheet->Grid()->Canvas();
  canvas.SetFont(ToQFont(sheet->GetCell(0, 0)->EffectiveFont()));
  EXPECT_EQ(sheet->Grid()->ColWidth(0), canvas.TextWidth("abcd") + 8);
  EXPECT_EQ(sheet->Grid()->ColWidth(1), 1);  // nothing sizes it
  EXPECT_EQ(sheet->Grid()->ColWidth(2), canvas.TextWidth("abcdef") + 8);
  EXPECT_EQ(sheet->Grid()->RowHeight(0), 2 * canvas.TextHeight("a") + 2);
  EXPECT_EQ(sheet->Grid()->RowHeight(1), 1);
  sheet->Release();
}

using SheetBuildDeathTest = ::testing::Test;

TEST_F(SheetBuildDeathTest, ACellsKeyWithoutRowsOrCellsIsFatal) {
  EXPECT_EXIT(
      {
        SheetHost host;
        LoadTable(host.gtex, {"#GI_Sheet_L_Style", "", "#GI_Sheet_L_BasicCell", "{($Basic)}",
                              "#GI_Sheet_L_Cells", ":(SelectOFF)", "#"});
        host.Build("GI_Sheet_L");
      },
      ::testing::ExitedWithCode(3), "Illegal Cell assign");
}

TEST_F(SheetBuildDeathTest, APositionOutsideTheTableIsFatal) {
  for (const auto& [col, row] :
       {std::pair{-1, 0}, std::pair{0, -1}, std::pair{3, 0}, std::pair{0, 105}}) {
    EXPECT_EXIT(
        {
          SheetHost host;
          LoadTable(host.gtex, TestSheetLines());
          cuiSheet* sheet = host.Build("GI_Sheet_Test");
          sheet->GetCellSlot(col, row);
        },
        ::testing::ExitedWithCode(3), "Illegal Cell selection")
        << col << "," << row;
  }
}

}  // namespace
