// Column widths of a sheet: fitting a column to its contents, the clamp on
// width changes, and the stored widths and column-cut mask of the sheet's
// group.
#include <QFont>
#include <algorithm>
#include <cmath>

#include "cells/names/CellNames.h"
#include "core/TextExtent.h"
#include "core/indEnviron.h"
#include "sheet/CellTextWrap.h"
#include "sheet/ColWidthStore.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiSheet.h"

int cuiSheet::WidthReferenceRow() const {
  return std::max(std::min(fixedRows_, static_cast<int>(rows_.size()) - 1), 0);
}

const std::string& cuiSheet::WidthGroup() {
  if (!widthGroup_) {
    widthGroup_ = settings_ ? ColWidthStore(*settings_, gtex_).GroupOf(key_) : std::string();
  }
  return *widthGroup_;
}

double cuiSheet::PrintWidthScale() {
  cuiCanvas& canvas = MeasureCanvas();
  const QFont font = canvas.Font();
  const int ppi = std::max(canvas.PixelsPerInchY(), 1);
  // The canvas font's size in whole points, as a font of pixel height
  // reports it.
  double points = font.pointSizeF();
  if (points <= 0) points = font.pixelSize() * 72.0 / ppi;
  points = std::round(points);
  const double percent = FontPercentage();
  return points * ppi / std::max(ScreenPixelsPerInch(), 1) * 16.0 / (16.0 * percent / 100.0) * 0.1;
}

void cuiSheet::LoadColWidths() {
  if (!settings_ || !grid_ || cells_.empty()) return;
  loadingWidths_ = true;
  settings_->ViewCutBits = ColWidthStore::kAllColumnsShown;
  const std::string& group = WidthGroup();
  if (!group.empty()) {
    const ColWidthStore store(*settings_, gtex_);
    const int ref = WidthReferenceRow();
    const double scale = Printing() ? PrintWidthScale() : 1.0;
    for (int c = 0; c < colCount_; ++c) {
      if (!IsDataCell(c, ref)) continue;
      const std::optional<int> stored = store.ReadWidth(group, c);
      if (!stored) continue;
      if (!Printing()) {
        grid_->SetColWidth(c, *stored);
      } else {
        // Printed columns only narrow: a stored width never widens a page.
        const int scaled = static_cast<int>(*stored * scale + 0.5);
        grid_->SetColWidth(c, std::min(grid_->ColWidth(c), scaled));
      }
    }
    if (const std::optional<int> cut = store.ReadColCut(group)) settings_->ViewCutBits = *cut;
  }
  loadingWidths_ = false;
}

void cuiSheet::SaveColWidths() {
  if (!settings_ || !grid_ || bodyPanel_.isNull() || cells_.empty() || Printing()) return;
  const std::string& group = WidthGroup();
  if (group.empty()) return;
  ColWidthStore store(*settings_, gtex_);
  const int ref = WidthReferenceRow();
  for (int c = 0; c < colCount_; ++c)
    if (IsDataCell(c, ref)) store.WriteWidth(group, c, grid_->ColWidth(c));
  store.WriteColCut(group, settings_->ViewCutBits);
}

void cuiSheet::ClampColWidths() {
  if (!grid_ || cells_.empty() || Printing()) return;
  int maximum = ColWidthStore::kMaxWidth;
  if (!loadingWidths_) {
    int fixed = 0;
    for (int c = 0; c < grid_->FixedCols(); ++c) fixed += grid_->ColWidth(c);
    const int available = grid_->ClientWidth() - fixed;
    if (available < maximum) maximum = std::max(available, ColWidthStore::kMinWidth);
  }
  const int ref = WidthReferenceRow();
  for (int c = 0; c < colCount_; ++c) {
    if (!IsDataCell(c, ref)) continue;
    const int width = grid_->ColWidth(c);
    if (width < ColWidthStore::kMinWidth)
      grid_->SetColWidth(c, ColWidthStore::kMinWidth);
    else if (width > maximum)
      grid_->SetColWidth(c, maximum);
  }
}

int cuiSheet::TextWidthIn(const cmcCellObj& cell, std::string_view text) {
  cuiCanvas& canvas = MeasureCanvas();
  const double margin = 8 * printScale_ + 0.5;
  canvas.SetFont(QFontFor(cell.EffectiveFont()));
  return static_cast<int>(core::GetTextExtentLines(canvas, text).width + margin);
}

std::string cuiSheet::DisplayText(int col, int row) {
  const cmcCellObj& cell = GetCellSlot(col, row).cell;
  if (cell.cellId == CL_None) return std::string(cell.GetCaption());
  QueryCell(cell, MeasureCanvas(), grid_->CellRect(col, row), false);
  return std::move(drawCapsule_.outputText);
}

int cuiSheet::DisplayTextWidth(int col, int row) {
  if (cells_.empty() || !InTable(col, row)) return 0;
  return TextWidthIn(GetCellSlot(col, row).cell, DisplayText(col, row));
}

int cuiSheet::DisplayTextHeight(int col, int row, int width) {
  if (cells_.empty() || !InTable(col, row)) return 0;
  const cmcCellObj& cell = GetCellSlot(col, row).cell;
  std::string text = DisplayText(col, row);
  cuiCanvas& canvas = MeasureCanvas();
  canvas.SetFont(QFontFor(cell.EffectiveFont()));
  if (cell.HasLayout(celllayout::kWrapped)) text = WrapCellText(canvas, text, WrapLimit(width));
  return static_cast<int>(core::GetTextExtentLines(canvas, text).height + 2 * printScale_ + 0.5);
}

void cuiSheet::FitColumn(int col) {
  if (cells_.empty() || col < 0 || col >= colCount_) return;
  const int headerRows = grid_->FixedRows();
  const int rowCount = static_cast<int>(rows_.size());
  int widest = 0;
  for (int r = 0; r < rowCount; ++r) {
    const cmcCellObj& cell = GetCellSlot(col, r).cell;
    int width = 0;
    if (r < headerRows) {
      // A header caption that runs on into the next column is not this
      // column's alone.
      if (col + 1 < colCount_ && GetCellSlot(col + 1, r).cell.HasLayout(celllayout::kJoinLeft))
        continue;
      width = TextWidthIn(cell, cell.GetCaption());
    } else {
      width = DisplayTextWidth(col, r);
    }
    widest = std::max(widest, width);
  }
  grid_->SetColWidth(col, widest);
}
