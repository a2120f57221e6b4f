// kw-test: gui
// Drawing a cell: the background fill, then the handler's text for cells
// with a cell id (one query, notify 0, the state bits of the cell) or the
// caption for the others; and a sheet without a handler of its own takes
// the registered one, or ends the program when none is registered.
#include <gtest/gtest.h>

#include "cells/names/CellNames.h"
#include "sheet/DefaultCellHandler.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiSheet.h"
#include "tests/sheet/RecordingCanvas.h"
#include "tests/sheet/SheetFixture.h"

namespace {

using kwtest::LoadTable;
using kwtest::RecordingCanvas;
using kwtest::SheetHost;
using kwtest::TestSheetLines;

TEST(SheetDraw, APrintedCellShowsTheHandlersTextInBlackOnWhite) {
  SheetHost host;
  LoadTable(host.gtex, TestSheetLines());
  host.handler.Cell(CL_Mch_Freq, 3).text = "145.500000";
  RecordingCanvas printer;
  auto* sheet = new cuiSheet(&host.window, nullptr, 0, 0, host.gtex, "GI_Sheet_Test", nullptr);
  sheet->SetCellHandler(host.handler.Handler());
  sheet->SetPrintMode(&printer, nullptr);
  sheet->Build();
  // Sized with the printer's metrics: 8 pixels a byte, 16 a line.
  EXPECT_EQ(sheet->Grid()->ColWidth(1), 11 * 8 + 8);  // "9999.999999"
  EXPECT_EQ(sheet->Grid()->ColWidth(2), 8 * 8 + 8);   // "WWWWWWWW"
  EXPECT_EQ(sheet->Grid()->RowHeight(8), 16 + 2);

  host.handler.calls.clear();
  printer.ops.clear();
  const QRect rect(0, 0, 96, 18);
  sheet->DrawCell(1, 8, rect, 0);
  ASSERT_EQ(host.handler.calls.size(), 1u);
  EXPECT_EQ(host.handler.calls[0].notify, 0);
  EXPECT_EQ(host.handler.calls[0].cell, (CellIdRecord{CT_Conv, CL_Mch_Freq, 3}));
  ASSERT_EQ(printer.ops.size(), 2u);
  EXPECT_EQ(printer.ops[0].kind, RecordingCanvas::Op::Fill);
  EXPECT_EQ(printer.ops[0].rect, rect);
  EXPECT_EQ(printer.ops[0].color, QColor(Qt::white));
  EXPECT_EQ(printer.ops[1].text, "145.500000");
  EXPECT_EQ(printer.ops[1].color, QColor(Qt::black));
  EXPECT_EQ(printer.ops[1].at, QPoint(4, 1));  // left-aligned, centred in the row

  // A header cell has no cell id: its caption, no query.
  host.handler.calls.clear();
  printer.ops.clear();
  sheet->DrawCell(1, 1, QRect(0, 0, 96, 18), 0);
  EXPECT_TRUE(host.handler.calls.empty());
  EXPECT_EQ(printer.Texts(), std::vector<std::string>{"Frequency"});
  sheet->Release();
}

TEST(SheetDraw, TheHandlerHearsWhichCellIsCurrent) {
  SheetHost host;
  LoadTable(host.gtex, TestSheetLines());
  cuiSheet* sheet = host.Build("GI_Sheet_Test");
  std::vector<std::uint8_t> states;
  host.handler.Cell(CL_Mch_Freq, 0).during = [&](cmcCellCapsule& c) {
    states.push_back(c.stateBits);
  };
  host.handler.Cell(CL_Mch_Freq, 1).during = [&](cmcCellCapsule& c) {
    states.push_back(c.stateBits);
  };
  sheet->Grid()->viewport()->repaint(sheet->Grid()->CellRect(1, 5));
  sheet->Grid()->viewport()->repaint(sheet->Grid()->CellRect(1, 6));
  EXPECT_EQ(states, (std::vector<std::uint8_t>{cellstate::kCurrent, 0}));
  sheet->Release();
}

TEST(SheetDraw, ASheetWithoutItsOwnHandlerTakesTheRegisteredOne) {
  SheetHost host;
  LoadTable(host.gtex, TestSheetLines());
  int calls = 0;
  ScopedDefaultCellHandler registered([&](cmcCellCapsule& c, int) {
    ++calls;
    c.outputText = "x";
    return kCellNothing;
  });
  auto* sheet = new cuiSheet(&host.window, nullptr, 0, 0, host.gtex, "GI_Sheet_Test", nullptr);
  sheet->Build();
  sheet->DoCellAction(1, 5, cellop::kF2, 0, nullptr);
  sheet->Grid()->viewport()->repaint();
  EXPECT_GT(calls, 1);
  sheet->Release();
}

using SheetDrawDeathTest = ::testing::Test;

TEST_F(SheetDrawDeathTest, BuildingWithoutAnyHandlerIsFatal) {
  EXPECT_EXIT(
      {
        SheetHost host;
        LoadTable(host.gtex, TestSheetLines());
        auto* sheet =
            new cuiSheet(&host.window, nullptr, 0, 0, host.gtex, "GI_Sheet_Test", nullptr);
        sheet->Build();
      },
      ::testing::ExitedWithCode(3), "No cell handler is registered.");
}

}  // namespace
