// The arithmetic of printing and print preview on an A4 page at 600 dpi
// (4961 x 7016) and a 96 dpi screen.
#include <gtest/gtest.h>

#include <numeric>
#include <set>

#include "app/PrintGeometry.h"

namespace {

using printgeom::Box;

constexpr int kPageW = 4961;
constexpr int kPageH = 7016;
constexpr int kDpi = 600;
constexpr int kScreen = 96;

TEST(PrintGeometry, PrintableAreaFromTheMarginText) {
  struct Case {
    const char* margins;
    Box expected;
  } const cases[] = {
      {"15,10,5,5", {354, 236, 4842, 6897}},
      {"0,0,0,0", {0, 0, kPageW, kPageH}},
      {"", {0, 0, kPageW, kPageH}},             // no fields: no margins
      {"15, 10", {354, 236, kPageW, kPageH}},  // missing fields count as 0
      {"x,10,y,5", {0, 236, kPageW, 6897}},    // unreadable fields too
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.margins);
    EXPECT_EQ(printgeom::PrintableArea(c.margins, kPageW, kPageH, kDpi), c.expected);
  }
}

TEST(PrintGeometry, FrameOverTheDefaultArea) {
  const int t = printgeom::PrinterTextHeight(14, kDpi);
  EXPECT_EQ(t, 116);
  const printgeom::Frame f = printgeom::PageFrame({354, 236, 4842, 6897}, t);
  EXPECT_EQ(f.g, 12);
  EXPECT_EQ(f.topBar, (Box{354, 364, 4842, 376}));
  EXPECT_EQ(f.inner, (Box{354, 424, 4842, 6709}));
  EXPECT_EQ(f.bottomBar, (Box{354, 6757, 4842, 6769}));
  EXPECT_EQ(f.makerTop, 6780);
  EXPECT_EQ(f.titleTop, 236);
  EXPECT_EQ(f.textRight, 4841);
}

TEST(PrintGeometry, FrameOverAnAreaSmallerThanItselfLeavesNoInnerArea) {
  const printgeom::Frame f = printgeom::PageFrame({0, 0, 4961, 300}, 116);
  EXPECT_TRUE(f.inner.IsEmpty());
}

TEST(PrintGeometry, FontHeightsAndTheFit) {
  EXPECT_EQ(printgeom::FontHeight(8, kDpi), -66);
  EXPECT_EQ(printgeom::FontHeight(10, kDpi), -83);
  EXPECT_EQ(printgeom::FontHeight(12, kDpi), -100);

  const Box inner{354, 424, 4842, 6709};
  struct Case {
    int cellsWidth, cellsHeight;
    int expected;
  } const cases[] = {
      {5000, 3000, 74},
      {1000000, 3000, 1},  // would truncate to 0, which means "no fixed size"
      {0, 100000, 5},      // zero width counts as 1: the height ratio decides
      {4489, 10, 82},      // one pixel too wide
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cellsWidth);
    EXPECT_EQ(printgeom::FitFontHeight(-83, inner, c.cellsWidth, c.cellsHeight), c.expected);
  }
  // An empty inner area (margins and frame larger than the paper).
  EXPECT_EQ(printgeom::FitFontHeight(-83, Box{0, 500, 100, 400}, 50, 50), 1);

  EXPECT_TRUE(printgeom::CellsFit(inner, 4488, 6285));
  EXPECT_FALSE(printgeom::CellsFit(inner, 4489, 6285));
  EXPECT_FALSE(printgeom::CellsFit(inner, 4488, 6286));
  EXPECT_FALSE(printgeom::CellsFit(Box{0, 0, 0, 0}, 0, 0));  // zero counts as 1
}

TEST(PrintGeometry, PageBreaks) {
  // Fixed width 100, inner width 700; `joined` marks the columns joined to
  // their left neighbour (they cannot start a page).
  struct Case {
    std::vector<int> widths;
    std::set<int> joined;
    std::vector<int> bands;
  } const cases[] = {
      {{300, 300, 300, 300}, {}, {2, 2}},
      {{300, 300, 300, 300}, {2}, {1, 2, 1}},
      {{800, 300}, {}, {1, 1}},
      {{300, 300, 300}, {}, {2, 1}},  // stopping on the last column is not running out
      {{300}, {}, {1}},
      {{100, 100}, {}, {2}},
      {{900, 900, 900}, {1, 2}, {3}},  // nothing may start a page: one band
      {{0, 0, 0}, {}, {3}},            // hidden columns fit anywhere
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.widths));
    // Column 0 is the fixed column.
    std::vector<int> sizes{100};
    sizes.insert(sizes.end(), c.widths.begin(), c.widths.end());
    const auto mayStart = [&](int i) { return c.joined.count(i - 1) == 0; };
    const std::vector<int> bands = printgeom::CutBands(sizes, 1, 100, 700, mayStart);
    EXPECT_EQ(bands, c.bands);
    EXPECT_EQ(std::accumulate(bands.begin(), bands.end(), 0), static_cast<int>(c.widths.size()));
  }
  EXPECT_EQ(printgeom::BandBytes({2, 2}), (std::vector<std::uint8_t>{0, 2, 0, 2}));
  EXPECT_EQ(printgeom::BandBytes({300}), (std::vector<std::uint8_t>{1, 44}));
  EXPECT_TRUE(printgeom::CutBands(std::vector<int>{100}, 1, 100, 700, [](int) { return true; })
                  .empty());  // no column after the fixed ones: no band
}

TEST(PrintGeometry, PreviewScale) {
  EXPECT_EQ(printgeom::PreviewBitmapSize(kPageW, kPageH, kScreen, kDpi), QSize(793, 1122));
  EXPECT_EQ(printgeom::ToScreen(Box{354, 236, 4842, 6897}, kScreen, kDpi), (Box{56, 37, 774, 1103}));
  EXPECT_EQ(printgeom::PreviewWindowSize(QSize(793, 1122), 25, 20), QSize(843, 1122 + 25 + 20 + 50));
}

TEST(PrintGeometry, ColumnDistance) {
  // Too narrow: the whole distance; too wide: less a tenth of the room to
  // the page's right edge; never below 0.
  EXPECT_EQ(printgeom::ColumnAdjustDistance(700, 650, 774), 50);
  EXPECT_EQ(printgeom::ColumnAdjustDistance(700, 750, 774), 43);
  EXPECT_EQ(printgeom::ColumnAdjustDistance(100, 102, 774), 0);
}

TEST(PrintGeometry, AdjustmentEndsAndKeepsEverySizeAboveZero) {
  struct Case {
    const char* name;
    std::vector<int> sizes;
    int distance;
    bool narrower;
    bool rows;
    std::vector<int> expected;
  } const cases[] = {
      {"all zero, wider", {0, 0, 0}, 30, false, false, {0, 0, 0}},
      {"ones, too wide by 3", {1, 1}, 3, true, false, {1, 1}},
      {"ones, too wide by 50", {1, 1, 1}, 50, true, false, {1, 1, 1}},
      {"all-zero rows", {0, 0}, 10, false, true, {0, 0}},
      {"proportional wider", {100, 300}, 40, false, false, {110, 330}},
      {"proportional narrower", {100, 300}, 40, true, false, {90, 270}},
      {"narrowing stops at 1", {2, 10}, 30, true, false, {1, 1}},
      {"a hidden column stays hidden", {0, 50, 50}, 10, false, false, {0, 55, 55}},
      {"rows by equal steps", {20, 20, 20}, 9, false, true, {23, 23, 23}},
      {"rows, the last steps use up the rest", {20, 20, 20}, 10, true, true, {16, 17, 17}},
      {"nothing to do", {5, 5}, 0, true, false, {5, 5}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<int> sizes = c.sizes;
    if (c.rows)
      printgeom::AdjustRows(sizes, c.distance, c.narrower);
    else
      printgeom::AdjustColumns(sizes, c.distance, c.narrower);
    EXPECT_EQ(sizes, c.expected);
    for (std::size_t i = 0; i < sizes.size(); ++i) {
      if (c.sizes[i] > 0) {
        EXPECT_GE(sizes[i], 1);
      }
    }
  }
}

TEST(PrintGeometry, PageBoxNumber) {
  struct Case {
    const char* text;
    int expected;
  } const cases[] = {
      {"2", 1}, {"99", 2}, {"", 0}, {"0", 0}, {"x", 0}, {"2x", 1}, {"003", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(printgeom::PageIndexOfText(c.text, 3), c.expected);
  }
  EXPECT_EQ(printgeom::PageIndexOfText("5", 0), 0);
}

}  // namespace
