// kw-test: gui
// Drawing a cell: background by state and colour, rule lines, the handler's
// text for cells with a cell id (one query, notify 0, the state bits of the
// cell) or the caption for the others, the grey tail past the normal
// length, wrapping and the markers on screen and on paper; and a sheet
// without a handler of its own takes the registered one, or ends the
// program when none is registered.
#include <gtest/gtest.h>

#include <QImage>
#include <QPalette>

#include "cells/names/CellNames.h"
#include "sheet/DefaultCellHandler.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiImageList.h"
#include "sheet/cuiSheet.h"
#include "tests/sheet/RecordedSheet.h"
#include "tests/sheet/RecordingCanvas.h"
#include "tests/sheet/SheetFixture.h"

namespace {

using kwtest::LoadTable;
using kwtest::RecordedSheet;
using kwtest::RecordingCanvas;
using kwtest::SheetHost;
using kwtest::TestSheetLines;
using Op = RecordingCanvas::Op;

// One header row over one body row: a number, a 'Q'-ruled frequency, a
// grey 'X'-ruled name, a wrapped mode, a silver-lettered step and a
// window-lettered offset; then a joined pair.
std::vector<std::string> DrawLines() {
  return {
      "#GI_Sheet_D_Style",
      "(FixedCols=1)(FixedRows=1)(ColorSelectLine)",
      "#GI_Sheet_D_BasicCell",
      "{($Basic)}",
      "#GI_Sheet_D_Cells",
      "{($iChN)}No|{($iChN)}F|{($iChN)}N|{($iChN)}M|{($iChN)}S|{($iChN)}O|{($iChN)}J|{($iChN)+}K",
      "{($iChN)(%CT_Conv.CL_Mch_No[0])}0|{($eWh)Q(%CT_Conv.CL_Mch_Freq[0])}99|"
      "{($eWh)X(Color=clGray)(%CT_Conv.CL_Mch_Name[0])}WW|{($eWh)=(%CT_Conv.CL_Mch_Mode[0])}WW|"
      "{($eWh)(Font=,,clSilver,,,,)(%CT_Conv.CL_Mch_TS_Pitch[0])}MMMMMMMM|"
      "{($eWh)(Font=,,clWindow,,,,)(%CT_Conv.CL_Mch_Offset_Freq[0])}WW|{($eWh)X}ab|{($eWh)X+}cd",
      "#",
  };
}

// Columns of the body row.
enum Col { kNo, kFreq, kName, kMode, kStep, kOffset, kJoinHead, kJoined };
constexpr int kBody = 1;

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
  // The paper is white already: a window-coloured cell is not filled; its
  // bottom rule is black.
  EXPECT_TRUE(printer.OfKind(Op::Fill).empty());
  ASSERT_EQ(printer.OfKind(Op::Line).size(), 1u);
  EXPECT_EQ(printer.OfKind(Op::Line)[0].points, (std::vector<QPoint>{{0, 17}, {95, 17}}));
  EXPECT_EQ(printer.OfKind(Op::Line)[0].color, QColor(Qt::black));
  const std::vector<Op> texts = printer.OfKind(Op::Text);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "145.500000");
  EXPECT_EQ(texts[0].color, QColor(Qt::black));
  EXPECT_EQ(texts[0].at, QPoint(4, 1));  // left-aligned, at the bottom of the row

  // A header cell has no cell id: its caption, no query.
  host.handler.calls.clear();
  printer.ops.clear();
  sheet->DrawCell(1, 1, QRect(0, 0, 96, 18), 0);
  EXPECT_TRUE(host.handler.calls.empty());
  EXPECT_EQ(printer.Texts(), std::vector<std::string>{"Frequency"});
  sheet->Release();
}

TEST(SheetDraw, PrintedCellsAreFilledAndRuledByTheirColour) {
  SheetHost host;
  LoadTable(host.gtex, DrawLines());
  host.handler.Cell(CL_Mch_Name, 0).text = "NAME";
  host.handler.Cell(CL_Mch_Freq, 0).text = "145";
  RecordingCanvas printer;
  auto* sheet = new cuiSheet(&host.window, nullptr, 0, 0, host.gtex, "GI_Sheet_D", nullptr);
  sheet->SetCellHandler(host.handler.Handler());
  sheet->SetPrintMode(&printer, nullptr);
  sheet->Build();

  // A grey cell: filled dark, white text and white rules.
  printer.ops.clear();
  sheet->DrawCell(kName, kBody, QRect(0, 0, 40, 20), 0);
  ASSERT_EQ(printer.OfKind(Op::Fill).size(), 1u);
  EXPECT_EQ(printer.OfKind(Op::Fill)[0].color, QColor(0x60, 0x60, 0x60));
  EXPECT_EQ(printer.OfKind(Op::Fill)[0].rect, QRect(0, 0, 40, 20));
  const std::vector<Op> greyRules = printer.OfKind(Op::Line);
  ASSERT_EQ(greyRules.size(), 2u);
  EXPECT_EQ(greyRules[0].points, (std::vector<QPoint>{{0, 19}, {39, 19}}));
  EXPECT_EQ(greyRules[1].points, (std::vector<QPoint>{{39, 0}, {39, 19}}));
  EXPECT_EQ(greyRules[1].color, QColor(Qt::white));
  ASSERT_EQ(printer.OfKind(Op::Text).size(), 1u);
  EXPECT_EQ(printer.OfKind(Op::Text)[0].text, "NAME");
  EXPECT_EQ(printer.OfKind(Op::Text)[0].color, QColor(Qt::white));

  // A window cell: not filled; its 'Q' rule is the lower 30 %, black.
  printer.ops.clear();
  sheet->DrawCell(kFreq, kBody, QRect(0, 0, 40, 20), 0);
  EXPECT_TRUE(printer.OfKind(Op::Fill).empty());
  const std::vector<Op> rules = printer.OfKind(Op::Line);
  ASSERT_EQ(rules.size(), 2u);
  EXPECT_EQ(rules[1].points, (std::vector<QPoint>{{39, 14}, {39, 19}}));
  EXPECT_EQ(rules[1].color, QColor(Qt::black));
  EXPECT_EQ(printer.OfKind(Op::Text)[0].color, QColor(Qt::black));
  sheet->Release();
}

TEST(SheetDraw, RightRulesEndAJoinedSpanAndTheTable) {
  SheetHost host;
  LoadTable(host.gtex, DrawLines());
  auto* sheet = host.Build<RecordedSheet>("GI_Sheet_D");
  RecordingCanvas& canvas = sheet->canvas;
  const QRect rect(100, 0, 30, 20);

  // On screen a window cell's rules are grey.
  canvas.ops.clear();
  sheet->DrawCell(kFreq, kBody, rect, 0);
  ASSERT_EQ(canvas.OfKind(Op::Line).size(), 2u);
  EXPECT_EQ(canvas.OfKind(Op::Line)[1].points, (std::vector<QPoint>{{129, 14}, {129, 19}}));
  EXPECT_EQ(canvas.OfKind(Op::Line)[1].color, QColor(0x80, 0x80, 0x80));

  // The head of a joined pair has no right rule; the joined cell shows the
  // head's text from the head's left edge, clipped to itself, and, being
  // the last column, has no right rule either.
  canvas.ops.clear();
  sheet->DrawCell(kJoinHead, kBody, rect, 0);
  EXPECT_EQ(canvas.OfKind(Op::Line).size(), 1u);
  canvas.ops.clear();
  sheet->DrawCell(kJoined, kBody, rect, 0);
  EXPECT_EQ(canvas.OfKind(Op::Line).size(), 1u);
  ASSERT_EQ(canvas.OfKind(Op::Fill).size(), 1u);
  EXPECT_EQ(canvas.OfKind(Op::Fill)[0].rect, rect);
  const std::vector<Op> texts = canvas.OfKind(Op::Text);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "ab");
  EXPECT_EQ(texts[0].rect, rect);
  EXPECT_EQ(texts[0].at.x(), 100 - sheet->Grid()->ColWidth(kJoinHead) + 4);
  sheet->Release();
}

TEST(SheetDraw, BytesPastTheNormalLengthAreSilver) {
  SheetHost host;
  LoadTable(host.gtex, DrawLines());
  auto* sheet = host.Build<RecordedSheet>("GI_Sheet_D");
  RecordingCanvas& canvas = sheet->canvas;
  const QColor silver(0xC0, 0xC0, 0xC0);
  struct Case {
    int col;
    std::string text;
    int normal;
    std::vector<std::pair<std::string, bool>> drawn;  // text, silver
  } const cases[] = {
      {kName,
       "12345678901234567890",
       16,
       {{"12345678901234567890", true}, {"1234567890123456", false}}},
      {kName, "1234567890", 16, {{"1234567890", false}}},
      {kName, "12345\n67890", 7, {{"12345", false}, {"67890", true}, {"67", false}}},
      {kName, "12345", 0, {{"12345", true}}},
      // -1 counts as 255.
      {kName, "12345", -1, {{"12345", false}}},
      // A double-byte pair is never cut in half.
      {kName, "A\x82\xA0Z", 2, {{"A\x82\xA0Z", true}, {"A", false}}},
      // Letters in the window colour are never greyed.
      {kOffset, "12345678901234567890", 16, {{"12345678901234567890", false}}},
  };
  for (const Case& c : cases) {
    auto& cell = host.handler.Cell(c.col == kName ? CL_Mch_Name : CL_Mch_Offset_Freq, 0);
    cell.text = c.text;
    cell.during = [&c](cmcCellCapsule& capsule) { capsule.normalLength = c.normal; };
    canvas.ops.clear();
    sheet->DrawCell(c.col, kBody, QRect(0, 0, 400, 40), 0);
    std::vector<std::pair<std::string, bool>> drawn;
    for (const Op& op : canvas.OfKind(Op::Text)) drawn.emplace_back(op.text, op.color == silver);
    EXPECT_EQ(drawn, c.drawn) << c.text << " " << c.normal;
  }
  sheet->Release();
}

TEST(SheetDraw, AWrappedCellTenPixelsWideFinishesPainting) {
  SheetHost host;
  LoadTable(host.gtex, DrawLines());
  auto* sheet = host.Build<RecordedSheet>("GI_Sheet_D");
  RecordingCanvas& canvas = sheet->canvas;
  host.handler.Cell(CL_Mch_Mode, 0).text = "AB\x82\xA0";
  canvas.ops.clear();
  sheet->DrawCell(kMode, kBody, QRect(0, 0, 10, 20), 0);
  // One character a line, the double-byte one whole; placed by the height
  // measured before the rebreak (one line, bottom-aligned).
  std::vector<std::pair<std::string, int>> lines;
  for (const Op& op : canvas.OfKind(Op::Text)) lines.emplace_back(op.text, op.at.y());
  EXPECT_EQ(lines,
            (std::vector<std::pair<std::string, int>>{{"A", 3}, {"B", 19}, {"\x82\xA0", 35}}));
  sheet->Release();
}

// Six marker images; the handler marks the frequency cell.
class MarkerTest : public ::testing::Test {
 protected:
  MarkerTest() {
    LoadTable(host_.gtex, DrawLines());
    for (int i = 0; i < 6; ++i) images_.Add(QImage(16, 16, QImage::Format_ARGB32));
    auto& freq = host_.handler.Cell(CL_Mch_Freq, 0);
    freq.text = "145";
    freq.during = [this](cmcCellCapsule& c) {
      c.stateBits |= bits_;
      c.markerPosition = position_;
    };
  }
  RecordedSheet* Make(RecordingCanvas* printer) {
    auto* sheet =
        new RecordedSheet(&host_.window, nullptr, 0, 0, host_.gtex, "GI_Sheet_D", &images_);
    sheet->SetCellHandler(host_.handler.Handler());
    if (printer) sheet->SetPrintMode(printer, nullptr);
    sheet->Build();
    return sheet;
  }

  SheetHost host_;
  cuiImageList images_{16, 16};
  std::uint8_t bits_ = 0;
  int position_ = 0;
};

TEST_F(MarkerTest, OnScreenImagesFiveAndFourFollowTheTextOrTheRightEdge) {
  RecordedSheet* sheet = Make(nullptr);
  RecordingCanvas& canvas = sheet->canvas;
  struct Case {
    std::uint8_t bits;
    int position;
    int width;
    int images;
    int x;
  } const cases[] = {
      {0, 0, 60, 0, 0},
      {cellstate::kWarning, 0, 60, 1, 4 + 24},                      // after "145"
      {cellstate::kWarning | cellstate::kError, 3, 60, 2, 4 + 24},  // both, one place
      {cellstate::kError, 0, 40, 1, 40 - 16 - 1},                   // no room after the text
      {cellstate::kError, 1, 60, 1, 16 / 8},                        // left edge
      {cellstate::kError, 2, 60, 1, 60 - 16 - 1},                   // right edge
  };
  for (const Case& c : cases) {
    bits_ = c.bits;
    position_ = c.position;
    canvas.ops.clear();
    sheet->DrawCell(kFreq, kBody, QRect(0, 0, c.width, 20), 0);
    const std::vector<Op> drawn = canvas.OfKind(Op::Image);
    ASSERT_EQ(static_cast<int>(drawn.size()), c.images) << int(c.bits) << " " << c.position;
    for (const Op& op : drawn) EXPECT_EQ(op.at, QPoint(c.x, 20 - 16 - 1)) << c.position;
  }
  sheet->Release();
}

TEST_F(MarkerTest, OnPaperTheMarkersArePolygons) {
  RecordingCanvas printer;
  RecordedSheet* sheet = Make(&printer);
  bits_ = cellstate::kWarning | cellstate::kError;
  position_ = 1;
  // s = half the cell height = 16: h = 8, e = 2; the square's top-left
  // corner is (left + s / 8, bottom - s - e).
  sheet->DrawCell(kFreq, kBody, QRect(0, 0, 60, 32), 0);
  const QPoint origin(2, 32 - 16 - 2);
  const std::vector<Op> polygons = printer.OfKind(Op::Polygon);
  ASSERT_EQ(polygons.size(), 4u);
  auto relative = [&](const Op& op) {
    std::vector<std::pair<int, int>> out;
    for (const QPoint& p : op.points) out.emplace_back(p.x() - origin.x(), p.y() - origin.y());
    return out;
  };
  using Points = std::vector<std::pair<int, int>>;
  EXPECT_EQ(relative(polygons[0]), (Points{{2, 0},
                                           {8, 6},
                                           {13, 0},
                                           {15, 2},
                                           {10, 8},
                                           {15, 13},
                                           {13, 15},
                                           {8, 10},
                                           {2, 15},
                                           {0, 13},
                                           {6, 8},
                                           {0, 2}}));
  EXPECT_EQ(polygons[0].brush, QColor(Qt::black));
  EXPECT_EQ(polygons[0].penWidth, 1);
  EXPECT_EQ(relative(polygons[1]), (Points{{8, 0}, {15, 15}, {0, 15}}));
  EXPECT_EQ(polygons[1].brush, QColor(Qt::white));
  EXPECT_EQ(polygons[1].penWidth, 2);
  EXPECT_EQ(relative(polygons[2]), (Points{{6, 5}, {10, 5}, {9, 10}, {7, 10}}));
  EXPECT_EQ(relative(polygons[3]), (Points{{7, 12}, {9, 12}, {9, 14}, {7, 14}}));
  EXPECT_EQ(polygons[3].brush, QColor(Qt::black));
  for (const Op& op : polygons) EXPECT_EQ(op.color, QColor(Qt::black));
  EXPECT_TRUE(printer.OfKind(Op::Image).empty());
  sheet->Release();
}

// The sheet painted into an image, unfocused, over a palette of its own.
class PaintedSheetTest : public ::testing::Test {
 protected:
  PaintedSheetTest() {
    LoadTable(host_.gtex, DrawLines());
    sheet_ = new cuiSheet(&host_.window, nullptr, 0, 0, host_.gtex, "GI_Sheet_D", nullptr);
    sheet_->SetCellHandler(host_.handler.Handler());
    sheet_->Build();
    QApplication::processEvents();
    host_.window.setFocus();
    sheet_->Grid()->clearFocus();
    QApplication::processEvents();
    SetPalette(Qt::black, Qt::white);
  }
  ~PaintedSheetTest() override { sheet_->Release(); }

  void SetPalette(const QColor& text, const QColor& base) {
    QPalette palette = sheet_->Grid()->palette();
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Base, base);
    sheet_->Grid()->setPalette(palette);
  }
  QImage Paint() {
    QWidget* viewport = sheet_->Grid()->viewport();
    QImage image(viewport->size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    viewport->render(&image);
    return image;
  }
  // A background pixel of a cell: left of its text, above its rules.
  QRgb Background(const QImage& image, int col, int row) {
    const QRect rect = sheet_->Grid()->CellRect(col, row);
    return image.pixel(rect.left() + 1, rect.top() + 1) & 0xFFFFFF;
  }

  SheetHost host_;
  cuiSheet* sheet_ = nullptr;
};

TEST_F(PaintedSheetTest, TintsComeFromTheGridPalette) {
  ASSERT_FALSE(sheet_->Grid()->hasFocus());
  ASSERT_EQ(std::make_pair(sheet_->Grid()->Col(), sheet_->Grid()->Row()),
            std::make_pair(int(kFreq), kBody));
  QImage image = Paint();
  EXPECT_EQ(Background(image, kFreq, kBody), 0xBFBFBFu);  // unfocused selection
  EXPECT_EQ(Background(image, kMode, kBody), 0xDFDFDFu);  // the rest of the current row
  EXPECT_EQ(Background(image, kMode, 0), 0x808000u);      // a header keeps its olive

  // A new palette gives new tints.
  SetPalette(Qt::white, Qt::black);
  EXPECT_EQ(sheet_->UnfocusedTint(), QColor(0x40, 0x40, 0x40));
  EXPECT_EQ(sheet_->CurrentRowTint(), QColor(0x20, 0x20, 0x20));
  image = Paint();
  EXPECT_EQ(Background(image, kFreq, kBody), 0x404040u);
  EXPECT_EQ(Background(image, kMode, kBody), 0x202020u);
}

TEST_F(PaintedSheetTest, SilverLettersOnTheUnfocusedTintTurnWindowColoured) {
  host_.handler.Cell(CL_Mch_TS_Pitch, 0).text = "MMMMMMMM";
  ASSERT_TRUE(sheet_->Grid()->MoveColRow(kStep, kBody, true, true));
  ASSERT_FALSE(sheet_->Grid()->hasFocus());
  const QImage image = Paint();
  const QRect rect = sheet_->Grid()->CellRect(kStep, kBody);
  ASSERT_FALSE(rect.isEmpty());
  EXPECT_EQ(Background(image, kStep, kBody), 0xBFBFBFu);
  int white = 0;
  for (int y = rect.top(); y < rect.bottom(); ++y)
    for (int x = rect.left(); x < rect.right(); ++x)
      white += (image.pixel(x, y) & 0xFFFFFF) == 0xFFFFFFu;
  EXPECT_GT(white, 0);  // silver would never reach white
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
