#include "app/PrintPage.h"

#include <QRect>
#include <algorithm>
#include <functional>

#include "core/FontSpec.h"
#include "sheet/QtFontColor.h"
#include "sheet/cmcCellObj.h"
#include "sheet/cuiCanvas.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiSheet.h"

namespace printpage {
namespace {

// The grid positions of one page along one direction: the fixed ones, then
// the band's.
std::vector<int> PagePositions(int fixed, int first, int count) {
  std::vector<int> positions;
  positions.reserve(static_cast<std::size_t>(std::max(fixed, 0) + std::max(count, 0)));
  for (int i = 0; i < fixed; ++i) positions.push_back(i);
  for (int i = first; i < first + count; ++i) positions.push_back(i);
  return positions;
}

// The bands along one direction: the sizes of every column (or row), the
// fixed ones' total, cut for the limit.
std::vector<int> Bands(int count, int fixed, const std::function<int(int)>& sizeOf, int limit,
                       const std::function<bool(int)>& mayStart) {
  std::vector<int> sizes(static_cast<std::size_t>(std::max(count, 0)));
  int fixedTotal = 0;
  for (int i = 0; i < count; ++i) {
    sizes[static_cast<std::size_t>(i)] = sizeOf(i);
    if (i < fixed) fixedTotal += sizes[static_cast<std::size_t>(i)];
  }
  return printgeom::CutBands(sizes, fixed, fixedTotal, limit, mayStart);
}

}  // namespace

QFont FrameFont(const cuiSheet& sheet, int height) {
  FontSpec spec = sheet.TitleFontSpec().value_or(sheet.BasicCell().EffectiveFont());
  spec.height = height;
  spec.styles = 0;
  return ToQFont(spec);
}

printgeom::Frame DrawFrame(cuiCanvas& canvas, const printgeom::Box& area, int t,
                           const FrameTexts& texts, bool draw) {
  const printgeom::Frame frame = printgeom::PageFrame(area, t);
  if (!draw) return frame;
  const QColor brush = canvas.BrushColor();
  const cuiCanvas::BrushStyle style = canvas.GetBrushStyle();
  canvas.SetFontColor(Qt::black);
  canvas.SetBrushStyle(cuiCanvas::BrushStyle::Clear);
  canvas.TextOut(area.left, frame.titleTop, texts.title);
  canvas.TextOut(frame.textRight - canvas.TextWidth(texts.revision), frame.titleTop,
                 texts.revision);
  canvas.TextOut(frame.textRight - canvas.TextWidth(texts.maker), frame.makerTop, texts.maker);
  canvas.SetBrushColor(Qt::black);
  for (const printgeom::Box& bar : {frame.topBar, frame.bottomBar})
    canvas.FillRect(QRect(bar.left, bar.top, bar.Width(), bar.Height()));
  canvas.SetBrushColor(brush);
  canvas.SetBrushStyle(style);
  return frame;
}

printgeom::Box PageCells(cuiSheet& sheet, QPoint origin, int c0, int r0, int m, int n, bool draw) {
  const cuiGrid& grid = *sheet.Grid();
  const std::vector<int> cols = PagePositions(grid.FixedCols(), c0, m);
  const std::vector<int> rows = PagePositions(grid.FixedRows(), r0, n);
  int width = 0;
  for (int c : cols) width += grid.ColWidth(c);
  int y = origin.y();
  for (int r : rows) {
    const int height = grid.RowHeight(r);
    if (draw) {
      int x = origin.x();
      for (int c : cols) {
        const int w = grid.ColWidth(c);
        sheet.DrawCell(c, r, QRect(x, y, w, height), 0);
        x += w;
      }
    }
    y += height;
  }
  return {origin.x(), origin.y(), origin.x() + width, y};
}

std::vector<int> ColumnBands(cuiSheet& sheet, int innerWidth) {
  const cuiGrid& grid = *sheet.Grid();
  const int fixedRows = grid.FixedRows();
  return Bands(grid.ColCount(), grid.FixedCols(), [&](int c) { return grid.ColWidth(c); },
               innerWidth, [&](int c) {
                 for (int r = 0; r < fixedRows; ++r)
                   if (sheet.GetCell(c, r)->HasLayout(celllayout::kJoinLeft)) return false;
                 return true;
               });
}

std::vector<int> RowBands(cuiSheet& sheet, int innerHeight) {
  const cuiGrid& grid = *sheet.Grid();
  const int fixedCols = grid.FixedCols();
  return Bands(grid.RowCount(), grid.FixedRows(), [&](int r) { return grid.RowHeight(r); },
               innerHeight, [&](int r) {
                 for (int c = 0; c < fixedCols; ++c)
                   if (sheet.GetCell(c, r)->combination[1] != 0) return false;
                 return true;
               });
}

}  // namespace printpage
