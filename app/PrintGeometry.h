#pragma once
// The arithmetic of printing and print preview, free of widgets and
// painters: the printable area from the margin text, font heights, the page
// frame, the font fit of a page that is too big, the cut of a sheet into
// column and row bands, the preview's scale from printer to screen pixels,
// the preview's column and row adjustment and the page box's number.
//
// Rectangles are edge boxes (left, top, right, bottom; right and bottom are
// the first pixel outside), in printer pixels unless a function says
// otherwise. Every function is total: odd input (an empty area, zero sizes,
// a negative distance) gives a usable answer, never a division by zero or a
// loop that does not end.
#include <QSize>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

namespace printgeom {

struct Box {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool operator==(const Box&) const = default;
};

// The page inside the margins: the text holds left, top, right and bottom
// in whole millimetres, comma-separated ("15,10,5,5"); a missing or
// unreadable field counts as 0. Each edge is truncated toward zero.
Box PrintableArea(std::string_view margins, int pageWidth, int pageHeight, int dpi);

// The cell font height of a point size on a device: -(points x dpi / 72)
// (integer division; negative = character height).
int FontHeight(int points, int dpi);
// The frame's text height on the printer: points x dpi / 72.
int PrinterTextHeight(int points, int dpi);

// The page frame over a rectangle for a text height t: g = trunc(t x 0.1 + 1).
struct Frame {
  int t = 0;
  int g = 0;
  Box topBar;     // black bar under the title line
  Box bottomBar;  // black bar over the maker line
  Box inner;      // where the cells go (may be empty for a tiny area)
  int titleTop = 0;
  int makerTop = 0;
  int textRight = 0;  // right-aligned texts end here (one pixel inside)
};
Frame PageFrame(const Box& area, int t);

// True when cells of this size, drawn at the inner area's top-left corner,
// stay inside it. A zero width or height counts as 1.
bool CellsFit(const Box& inner, int cellsWidth, int cellsHeight);
// The reduced cell height for cells that do not fit: trunc(|h| x the smaller
// of the two ratios inner / cells), at least 1 (a height of 0 would mean "no
// fixed size" and print the page at full size). A zero cell size counts as 1.
int FitFontHeight(int h, const Box& inner, int cellsWidth, int cellsHeight);

// The bands of a sheet's columns (or rows). sizes[i] is the width of column
// i; bands start at `first` (the first column after the fixed ones) and
// cover every column to the end. A band grows column by column, adding each
// width to fixedTotal; `mayStart(i)` tells whether column i may start a new
// page. The band stops once the total passes `limit` and a column after its
// first may start a page; its size is then the offset of the last such
// column. A band that runs out of columns without stopping takes them all.
// Every band has at least one column.
std::vector<int> CutBands(std::span<const int> sizes, int first, int fixedTotal, int limit,
                          const std::function<bool(int index)>& mayStart);
// Bands as the two-byte entries (high byte first) a page list keeps.
std::vector<std::uint8_t> BandBytes(const std::vector<int>& bands);

// Printer pixels to screen pixels: value x s / d (integer division).
int ToScreen(int value, int s, int d);
Box ToScreen(const Box& box, int s, int d);
// The preview's page bitmap: the page at screen resolution.
QSize PreviewBitmapSize(int pageWidth, int pageHeight, int s, int d);
// The preview window for a bitmap: 50 pixels wider, and 50 pixels higher
// than bitmap, tool panel and status bar together.
QSize PreviewWindowSize(QSize bitmap, int toolPanelHeight, int statusBarHeight);

// How far the preview's cells must move their right edge: the distance
// between the recorded and the measured edge, less a tenth of the space
// between the recorded edge and the page's right edge when the cells came
// out too wide. Not below 0.
int ColumnAdjustDistance(int recordedRight, int measuredRight, int pageRight);
// Spreads `distance` pixels over the widths of a band in proportion to
// each width (each step at least 1), narrowing when `narrower`. Widths of 0
// stay 0, no width above 0 goes below 1; a band whose widths add up to 0
// stays as it is, and a pass that changes nothing ends the adjustment.
void AdjustColumns(std::span<int> widths, int distance, bool narrower);
// The same for row heights with one step for every row: max(1, distance /
// row count).
void AdjustRows(std::span<int> heights, int distance, bool narrower);

// The page index a typed page number goes to: characters other than digits
// are dropped; empty or 0 is the first page, a number past the end the last.
int PageIndexOfText(std::string_view text, int pageCount);

}  // namespace printgeom
