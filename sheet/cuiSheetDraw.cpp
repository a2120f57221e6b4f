// Drawing one cell: background by state, then the text the cell handler
// gives (or the caption), line by line.
#include <QMenu>
#include <QPalette>
#include <QWidget>

#include "cells/names/CellNames.h"
#include "core/TextExtent.h"
#include "sheet/QtFontColor.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiSheet.h"
#include "sheet/cuiSheetEditor.h"

namespace {

// (a + n * b + n / 2 ... ) per channel: a mix of the text and window colours.
QColor Mix(const QColor& text, const QColor& window, int weight, int total) {
  auto channel = [&](int t, int w) { return (t + weight * w + total / 2) / total; };
  return QColor(channel(text.red(), window.red()), channel(text.green(), window.green()),
                channel(text.blue(), window.blue()));
}

}  // namespace

const QFont& cuiSheet::QFontFor(const FontSpec& spec) {
  if (!fontSpec_ || !(*fontSpec_ == spec)) {
    font_ = ToQFont(spec);
    fontSpec_ = spec;
  }
  return font_;
}

void cuiSheet::DrawCell(int col, int row, const QRect& rect, int state) {
  if (cells_.empty() || building_ || rect.width() <= 0 || rect.height() <= 0) return;
  if (!InTable(col, row)) return;
  cuiCanvas& canvas = MeasureCanvas();
  const clsSheetCellId& entry = GetCellSlot(col, row);
  const cmcCellObj& cell = entry.cell;
  const bool current = col == grid_->Col() && row == grid_->Row();
  const bool selected =
      current || (cell.IsDataCell() &&
                  (entry.flags & (clsSheetCellId::kSelected | clsSheetCellId::kLineHighlight)));
  const QColor windowText = ToQColor(color::kWindowText);
  const QColor window = ToQColor(color::kWindow);
  const FontSpec spec = cell.EffectiveFont();
  QColor textColor = ToQColor(spec.color);
  QColor background;
  if (Printing()) {
    background = Qt::white;
    textColor = Qt::black;
  } else if (selected) {
    if (EditorVisible()) {
      background = Qt::white;
    } else if (grid_->hasFocus() || IsReadOnly()) {
      background = ToQColor(color::kHighlight);
      textColor = ToQColor(color::kHighlightText);
    } else {
      background = Mix(windowText, window, 3, 4);
    }
  } else if ((sheetFlags_ & kColorSelectLine) && row == grid_->Row() && col >= grid_->FixedCols() &&
             !IsReadOnly()) {
    background = Mix(windowText, window, 7, 8);
  } else {
    background = ToQColor(cell.color);
  }
  const QColor brush = canvas.BrushColor();
  const cuiCanvas::BrushStyle brushStyle = canvas.GetBrushStyle();
  canvas.SetBrushColor(background);
  canvas.FillRect(rect);

  std::string text(cell.GetCaption());
  if (cell.cellId != CL_None) {
    drawCapsule_.Clear();
    drawCapsule_.parent = template_.get();
    drawCapsule_.cell = const_cast<cmcCellObj*>(&cell);
    drawCapsule_.canvas = &canvas;
    drawCapsule_.cellRect = rect;
    drawCapsule_.imageList = images_;
    if (selected) drawCapsule_.stateBits |= cellstate::kCurrent;
    if (Printing()) drawCapsule_.stateBits |= cellstate::kPrinting;
    drawCapsule_.sheetTitle = title_;
    drawCapsule_.sheetName = name_;
    drawCapsule_.sheet = this;
    handler_(drawCapsule_, 0);
    text = drawCapsule_.outputText;
  }
  canvas.SetFont(QFontFor(spec));
  canvas.SetFontColor(textColor);
  canvas.SetBrushStyle(cuiCanvas::BrushStyle::Clear);
  const core::TextExtent extent = core::GetTextExtentLines(canvas, text);
  int y = rect.top() + (rect.height() + 1 - extent.height) / 2;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    const std::string_view line = std::string_view(text).substr(start, end - start);
    const QSize size = canvas.TextExtent(line);
    if (!line.empty()) {
      int x = rect.left() + static_cast<int>(4 * printScale_ + 0.5);
      if (cell.HorizontalAlign() == HAlign::Centre)
        x = rect.left() + (rect.width() + 1 - size.width()) / 2;
      else if (cell.HorizontalAlign() == HAlign::Right)
        x = rect.left() + rect.width() + 1 - size.width() - static_cast<int>(4 * printScale_ + 0.5);
      x = std::max(x, rect.left());
      canvas.TextRect(rect, x, y, line);
    }
    y += size.height();
    if (end >= text.size()) break;
    start = end + 1;
  }
  canvas.SetBrushColor(brush);
  canvas.SetBrushStyle(brushStyle);
}
