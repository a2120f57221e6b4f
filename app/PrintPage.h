#pragma once
// The parts of a printed page that the printer and the preview draw alike:
// the page frame (the sheet's title and the program's title at the top, the
// maker's name at the bottom, each over or under a black bar) and a page's
// cells (every fixed row and column, then the band's rows and columns), and
// the cut of a built sheet into column and row bands.
//
// Both work on any canvas: with `draw` off they only measure, so pages can
// be counted before a printer is opened.
#include <QFont>
#include <QPoint>
#include <string>
#include <vector>

#include "app/PrintGeometry.h"

class cuiCanvas;
class cuiSheet;

namespace printpage {

// The frame's three texts (code page 932).
struct FrameTexts {
  std::string title;     // the sheet's title text
  std::string revision;  // the program's title with its version
  std::string maker;
};

// The frame font: the face of the sheet's title font (its basic cell's
// font when it has none) at the given cell height, regular, black.
QFont FrameFont(const cuiSheet& sheet, int height);

// Lays the frame over the area for the text height t and, when `draw`,
// paints it in the canvas's current font: the texts on a clear background
// and the bars in black. The canvas's brush is left as it was found.
printgeom::Frame DrawFrame(cuiCanvas& canvas, const printgeom::Box& area, int t,
                           const FrameTexts& texts, bool draw);

// The rectangle one page's cells take with their top-left corner at the
// origin: the fixed rows then rows r0 .. r0 + n - 1, each with the fixed
// columns then columns c0 .. c0 + m - 1, each cell as wide as its column and
// as high as its row. With `draw` the sheet paints every cell there (the
// sheet's canvas must be open).
printgeom::Box PageCells(cuiSheet& sheet, QPoint origin, int c0, int r0, int m, int n, bool draw);

// The sheet's column bands for an inner width: a column may start a page
// only when none of its cells in the fixed rows is joined to its left.
std::vector<int> ColumnBands(cuiSheet& sheet, int innerWidth);
// The row bands for an inner height: a row may start a page only when none
// of its cells in the fixed columns spans the row above (a second
// combination value).
std::vector<int> RowBands(cuiSheet& sheet, int innerHeight);

}  // namespace printpage
