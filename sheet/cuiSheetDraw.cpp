// Drawing one cell on the screen, the printer or the preview bitmap:
// background by state, rule lines, the handler's text (or the caption)
// line by line with its grey tail, and the warning and error markers.
//
// Rectangles here count their right and bottom edges exclusively, as the
// grid's geometry does: a cell of height 20 at top 0 owns pixel rows 0..19.
#include <QPalette>
#include <QWidget>
#include <algorithm>
#include <array>

#include "cells/names/CellNames.h"
#include "core/SjisBytes.h"
#include "core/TextExtent.h"
#include "sheet/CellTextWrap.h"
#include "sheet/QtFontColor.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiImageList.h"
#include "sheet/cuiSheet.h"
#include "sheet/cuiSheetEditor.h"

namespace {

// The dark fill of printed cells that are not window-coloured.
const QColor kPrintDark(0x60, 0x60, 0x60);
// Rule lines on window-coloured cells on screen; the grey tail of long texts.
const QColor kRuleGrey(0x80, 0x80, 0x80);
const QColor kSilver(0xC0, 0xC0, 0xC0);
// Marker images of the sheet's image list.
constexpr int kWarningImage = 4;
constexpr int kErrorImage = 5;

// Per channel (text + (total - 1) * window + total / 2) / total.
QColor Tint(const QColor& text, const QColor& window, int total) {
  auto channel = [&](int t, int w) { return (t + (total - 1) * w + total / 2) / total; };
  return QColor(channel(text.red(), window.red()), channel(text.green(), window.green()),
                channel(text.blue(), window.blue()));
}

bool IsWindowColoured(std::uint32_t color) {
  return color == color::kWindow || color == color::kWhite;
}

}  // namespace

const QFont& cuiSheet::QFontFor(const FontSpec& spec) {
  if (!fontSpec_ || !(*fontSpec_ == spec)) {
    font_ = ToQFont(spec);
    fontSpec_ = spec;
  }
  return font_;
}

QColor cuiSheet::SheetColor(std::uint32_t color) const {
  return grid_ ? ToQColor(color, grid_->palette()) : ToQColor(color);
}

void cuiSheet::UpdateTints() {
  const QColor text = SheetColor(color::kWindowText);
  const QColor window = SheetColor(color::kWindow);
  if (text == windowText_ && window == window_ && unfocusedTint_.isValid()) return;
  windowText_ = text;
  window_ = window;
  unfocusedTint_ = Tint(text, window, 4);
  currentRowTint_ = Tint(text, window, 8);
}

void cuiSheet::QueryCell(const cmcCellObj& cell, cuiCanvas& canvas, const QRect& textRect,
                         bool selected) {
  drawCapsule_.Clear();
  drawCapsule_.parent = template_.get();
  drawCapsule_.cell = const_cast<cmcCellObj*>(&cell);
  drawCapsule_.canvas = &canvas;
  drawCapsule_.cellRect = textRect;
  drawCapsule_.imageList = images_;
  if (selected) drawCapsule_.stateBits |= cellstate::kCurrent;
  if (Printing()) drawCapsule_.stateBits |= cellstate::kPrinting;
  drawCapsule_.sheetTitle = title_;
  drawCapsule_.sheetName = name_;
  drawCapsule_.sheet = this;
  handler_(drawCapsule_, 0);
}

void cuiSheet::DrawCell(int col, int row, const QRect& rect, int) {
  if (cells_.empty() || building_ || rect.width() <= 0 || rect.height() <= 0) return;
  if (!InTable(col, row) || grid_->ColWidth(col) <= 0 || grid_->RowHeight(row) <= 0) return;
  const bool printing = Printing();
  cuiCanvas& canvas = MeasureCanvas();
  const QColor savedBrush = canvas.BrushColor();
  const cuiCanvas::BrushStyle savedStyle = canvas.GetBrushStyle();
  const int right = rect.left() + rect.width();
  const int bottom = rect.top() + rect.height();

  // The right rule goes to the end of a joined span, and not past the last
  // visible column.
  bool rightRule = false;
  for (int c = col + 1; c < colCount_ && !rightRule; ++c) rightRule = grid_->ColWidth(c) > 0;
  if (col + 1 < colCount_ && GetCellSlot(col + 1, row).cell.HasLayout(celllayout::kJoinLeft))
    rightRule = false;

  // A joined cell shows the text of the first cell on its left that is not
  // joined, over the whole span; it paints only its own grid cell.
  QRect textRect = rect;
  int ownerCol = col;
  while (ownerCol > 0 && GetCellSlot(ownerCol, row).cell.HasLayout(celllayout::kJoinLeft)) {
    --ownerCol;
    textRect.setLeft(textRect.left() - grid_->ColWidth(ownerCol));
  }
  const cmcCellObj& cell = GetCellSlot(ownerCol, row).cell;

  const clsSheetCellId& entry = GetCellSlot(col, row);
  const int curCol = grid_->Col();
  const int curRow = grid_->Row();
  auto isSelected = [&](int c, int r) {
    const clsSheetCellId& e = GetCellSlot(c, r);
    return (c == curCol && r == curRow) ||
           ((e.flags & clsSheetCellId::kRowMulti) &&
            (e.flags & (clsSheetCellId::kSelected | clsSheetCellId::kLineHighlight)));
  };
  bool selected = isSelected(col, row);
  if (!selected && row == curRow && entry.cell.HasRule(cellrule::kTrailing)) {
    // A trailing cell shows as part of its data cell.
    int c = col;
    int r = row;
    selected = FindOwnerDataCell(c, r) && isSelected(c, r);
  }

  // Background.
  enum class Ground { Plain, Highlight, Tint } ground = Ground::Plain;
  bool dark = false;
  bool fill = true;
  QColor background;
  if (printing) {
    if (IsWindowColoured(cell.color)) {
      fill = false;  // the paper is white already
    } else {
      background = kPrintDark;
      dark = true;
    }
  } else if (selected) {
    if (EditorVisible()) {
      background = Qt::white;
    } else if (grid_->hasFocus() || IsReadOnly()) {
      background = SheetColor(color::kHighlight);
      ground = Ground::Highlight;
    } else {
      background = unfocusedTint_;
      ground = Ground::Tint;
    }
  } else if ((sheetFlags_ & kColorSelectLine) && row == curRow && col >= grid_->FixedCols() &&
             !IsReadOnly()) {
    background = currentRowTint_;
  } else {
    background = SheetColor(cell.color);
  }
  if (fill) {
    canvas.SetBrushColor(background);
    canvas.FillRect(rect);
  }

  // Rule lines.
  canvas.SetPenWidth(1);
  canvas.SetPenColor(IsWindowColoured(cell.color) ? (printing ? QColor(Qt::black) : kRuleGrey)
                                                  : QColor(Qt::white));
  if (cell.HasRule(cellrule::kBottomRule))
    canvas.Line(QPoint(rect.left(), bottom - 1), QPoint(right - 1, bottom - 1));
  if (rightRule) {
    if (cell.GetRightRule() == RightRule::Full)
      canvas.Line(QPoint(right - 1, rect.top()), QPoint(right - 1, bottom - 1));
    else if (cell.GetRightRule() == RightRule::LowerPart)
      canvas.Line(QPoint(right - 1, rect.top() + (bottom - rect.top()) * 7 / 10),
                  QPoint(right - 1, bottom - 1));
  }

  // Text colour.
  const FontSpec spec = cell.EffectiveFont();
  std::uint32_t fontColor = spec.color;
  if (ground == Ground::Highlight) fontColor = color::kHighlightText;
  QColor textColor = SheetColor(fontColor);
  if (printing) {
    fontColor = dark ? color::kWhite : color::kBlack;
    textColor = dark ? Qt::white : Qt::black;
  } else if (ground == Ground::Tint &&
             (fontColor == color::kBtnFace || fontColor == color::kSilver ||
              fontColor == color::kGrayText || textColor == unfocusedTint_)) {
    fontColor = color::kWindow;
    textColor = SheetColor(color::kWindow);
  }

  // Text: the caption, or what the handler shows in its place.
  std::string text(cell.GetCaption());
  const bool asked = cell.cellId != CL_None;
  // Bytes drawn in the font colour; a caption has the cleared capsule's.
  int normal = cmcCellCapsule().NormalLengthBytes();
  if (asked) {
    QueryCell(cell, canvas, textRect, selected);
    text = drawCapsule_.outputText;
    normal = drawCapsule_.NormalLengthBytes();
  }
  canvas.SetFont(QFontFor(spec));
  canvas.SetFontColor(textColor);
  canvas.SetBrushStyle(cuiCanvas::BrushStyle::Clear);

  const double scale = printScale_;
  const int textRight = textRect.left() + textRect.width();
  const core::TextExtent extent = core::GetTextExtentLines(canvas, text);
  int y = 0;
  switch (cell.VerticalAlign()) {
    case VAlign::Top: y = static_cast<int>(rect.top() + 1 * scale + 0.5); break;
    case VAlign::Middle: y = rect.top() + (bottom - rect.top() + 1 - extent.height) / 2; break;
    case VAlign::Bottom:
      y = static_cast<int>(rect.top() + (bottom - rect.top() + 1 - extent.height) - 1 * scale - 1 +
                           0.5);
      break;
  }
  if (cell.HasLayout(celllayout::kWrapped))
    text = WrapCellText(canvas, text, WrapLimit(textRect.width()));

  int textEnd = textRect.left();
  bool drewText = false;
  auto draw = [&](int x, std::string_view line, bool plain) {
    if (plain)
      canvas.TextOut(x, y, line);
    else
      canvas.TextRect(rect, x, y, line);
  };
  const std::string_view all(text);
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = std::min(all.find('\n', start), all.size());
    const std::string_view line = all.substr(start, end - start);
    const QSize size = canvas.TextExtent(line);
    if (!line.empty()) {
      int x = static_cast<int>(textRect.left() + 4 * scale + 0.5);
      if (cell.HorizontalAlign() == HAlign::Centre)
        x = textRect.left() + (textRight - textRect.left() + 1 - size.width()) / 2;
      else if (cell.HorizontalAlign() == HAlign::Right)
        x = static_cast<int>(textRect.left() + (textRight - textRect.left() + 1 - size.width()) -
                             4 * scale + 0.5);
      x = std::max(x, textRect.left());
      // A line that fits its own grid cell is drawn plainly; the rest are
      // clipped to the cell (a joined cell draws only its share of the span).
      const bool plain = x >= rect.left() && x + size.width() + 1 < textRight;
      if (!printing && fontColor != color::kWindow &&
          line.size() > static_cast<std::size_t>(normal)) {
        canvas.SetFontColor(kSilver);
        draw(x, line, plain);
        canvas.SetFontColor(textColor);
        const std::string_view head = core::CutSjisText(line, static_cast<std::size_t>(normal));
        if (!head.empty()) draw(x, head, plain);
      } else {
        draw(x, line, plain);
      }
      textEnd = std::max(textEnd, x + size.width());
      drewText = true;
    }
    normal = std::max(normal - static_cast<int>(line.size()), 0);
    y += size.height();
    if (end >= all.size()) break;
    start = end + 1;
  }

  // Markers.
  const std::uint8_t marks =
      asked ? drawCapsule_.stateBits & (cellstate::kWarning | cellstate::kError) : 0;
  if (images_ && marks) {
    const int size = printing ? rect.height() / 2 : images_->Width();
    int position = drawCapsule_.markerPosition;
    if (position == 0) position = cell.HorizontalAlign() == HAlign::Right ? 1 : 3;
    int x = std::max(textRight - size - 1, textRect.left());
    if (position == 1)
      x = textRect.left() + size / 8;
    else if (position == 3 && drewText && textEnd < textRight - size - 1)
      x = textEnd;
    if (printing) {
      DrawPrintedMarkers(canvas, x, bottom, size, marks);
    } else {
      const int imageY = bottom - images_->Height() - 1;
      if (marks & cellstate::kError) images_->Draw(canvas, x, imageY, kErrorImage);
      if (marks & cellstate::kWarning) images_->Draw(canvas, x, imageY, kWarningImage);
    }
    drawCapsule_.stateBits &= static_cast<std::uint8_t>(~(cellstate::kWarning | cellstate::kError));
  }

  // A trailing cell on the right repaints with this one.
  if (!printing && col + 1 < colCount_ &&
      GetCellSlot(col + 1, row).cell.HasRule(cellrule::kTrailing)) {
    const QRect next = grid_->CellRect(col + 1, row);
    if (!next.isEmpty() && !grid_->InPaintRegion(next)) grid_->InvalidateCell(col + 1, row);
  }

  canvas.SetBrushColor(savedBrush);
  canvas.SetBrushStyle(savedStyle);
}

void cuiSheet::DrawPrintedMarkers(cuiCanvas& canvas, int x, int bottom, int s, std::uint8_t bits) {
  const int h = s / 2;
  const int e = s / 8;
  const QPoint origin(x, bottom - s - e);
  auto polygon = [&](std::initializer_list<QPoint> points) {
    std::array<QPoint, 12> moved{};
    std::size_t n = 0;
    for (const QPoint& p : points) moved[n++] = origin + p;
    canvas.Polygon(std::span<const QPoint>(moved.data(), n));
  };
  const QColor pen = canvas.PenColor();
  const int penWidth = canvas.PenWidth();
  canvas.SetBrushStyle(cuiCanvas::BrushStyle::Solid);
  canvas.SetPenColor(Qt::black);
  if (bits & cellstate::kError) {
    canvas.SetPenWidth(1);
    canvas.SetBrushColor(Qt::black);
    polygon({{e, 0},
             {h, h - e},
             {s - 1 - e, 0},
             {s - 1, e},
             {h + e, h},
             {s - 1, s - 1 - e},
             {s - 1 - e, s - 1},
             {h, h + e},
             {e, s - 1},
             {0, s - 1 - e},
             {h - e, h},
             {0, e}});
  }
  if (bits & cellstate::kWarning) {
    canvas.SetPenWidth(s / 16 + 1);
    canvas.SetBrushColor(Qt::white);
    polygon({{h, 0}, {s - 1, s - 1}, {0, s - 1}});
    canvas.SetPenWidth(1);
    canvas.SetBrushColor(Qt::black);
    polygon({{h - e, s / 3}, {h + e, s / 3}, {h + s / 10, 2 * s / 3}, {h - s / 10, 2 * s / 3}});
    polygon({{h - s / 10, 3 * s / 4},
             {h + s / 10, 3 * s / 4},
             {h + s / 10, 3 * s / 4 + s / 6},
             {h - s / 10, 3 * s / 4 + s / 6}});
  }
  canvas.SetPenColor(pen);
  canvas.SetPenWidth(penWidth);
}
