#include "app/iuiSh_ChNew.h"

#include <QLabel>
#include <algorithm>
#include <vector>

#include "core/EventIds.h"
#include "core/ListRangeAnswer.h"
#include "core/TextTableChoice.h"
#include "core/cmcEvMan.h"
#include "sheet/cuiGrid.h"

namespace {

// Rows the cell table keeps room for beyond the built ones, so that the
// first inserts after a build do not move the whole table.
constexpr int kSpareRows = 16;

}  // namespace

iuiSh_ChNew::iuiSh_ChNew(QWidget* owner, cmcGTex& texts, std::string key, cuiImageList* images,
                         cuiMain& main)
    : iuiSh_ColCut(owner, texts, std::move(key), images, main) {}

void iuiSh_ChNew::TakeSpan(int group) {
  group_ = group;
  const Span span = ReadSpan();
  first_ = span.first;
  count_ = span.count;
  SetIndexOffset(first_);
}

void iuiSh_ChNew::SetStyleItem(std::string_view item) {
  iuiSh_ColCut::SetStyleItem(item);
  if (item.substr(0, item.find('=')) == "TitleString") titleString_ = BuildTitle();
}

void iuiSh_ChNew::DoCommand(std::string_view item) {
  iuiSh_ColCut::DoCommand(item);
  if (item.substr(0, 8) == "LoopFrom") {
    loopCount_ = count_ + kTrailingRows;
    loopRow_ = static_cast<int>(rows_.size());
  }
}

void iuiSh_ChNew::LayoutCells(const std::string& cellsKey) {
  loopRow_ = -1;
  iuiSh_ColCut::LayoutCells(cellsKey);
  MarkEntryRows();
  // Room for the spare rows before the cell table is made, so that it is
  // made once.
  rows_.reserve(rows_.size() + kSpareRows);
  cells_.clear();
  cells_.reserve((rows_.size() + kSpareRows) * static_cast<std::size_t>(colCount_));
}

bool iuiSh_ChNew::IsPrintable() const {
  return iuiSh_ColCut::IsPrintable() && ReadSpan().count > 0;
}

void iuiSh_ChNew::MarkEntryRows() {
  if (loopRow_ < 0) return;
  const int loopRows = std::min(count_ + kTrailingRows, static_cast<int>(rows_.size()) - loopRow_);
  const bool tableBuilt = cells_.size() == rows_.size() * static_cast<std::size_t>(colCount_);
  for (int k = 0; k < loopRows; ++k) {
    const int r = loopRow_ + k;
    const bool entry = k < count_;
    rows_[static_cast<std::size_t>(r)].selectable = entry;
    if (!tableBuilt) continue;
    const bool multi = multiSelect_ != MultiSelectMode::None && entry;
    for (int c = 0; c < colCount_; ++c) {
      clsSheetCellId& slot = GetCellSlot(c, r);
      slot.flags = multi ? static_cast<std::uint8_t>(slot.flags | clsSheetCellId::kRowMulti) : 0;
    }
  }
}

void iuiSh_ChNew::ResizeLoop(int count) {
  const int oldRows = count_ + kTrailingRows;
  const int newRows = count + kTrailingRows;
  const int loopEnd = loopRow_ + oldRows;
  const int total = static_cast<int>(rows_.size());
  const auto width = static_cast<std::size_t>(colCount_);
  // Heights of the rows after the loop move with them.
  std::vector<int> after;
  for (int r = loopEnd; r < total; ++r) after.push_back(grid_->RowHeight(r));
  if (newRows > oldRows) {
    const int added = newRows - oldRows;
    const int height = grid_->RowHeight(loopEnd - 1);
    std::vector<SheetRowAttr> newAttrs;
    std::vector<clsSheetCellId> newCells;
    newCells.reserve(width * static_cast<std::size_t>(added));
    for (int k = 0; k < added; ++k) {
      newAttrs.push_back(rows_[static_cast<std::size_t>(loopEnd - 1)]);
      for (std::size_t c = 0; c < width; ++c) {
        clsSheetCellId slot = k == 0 ? GetCellSlot(static_cast<int>(c), loopEnd - 1)
                                     : newCells[newCells.size() - width];
        slot.flags = 0;
        ++slot.cell.index;
        newCells.push_back(std::move(slot));
      }
    }
    rows_.insert(rows_.begin() + loopEnd, newAttrs.begin(), newAttrs.end());
    cells_.insert(cells_.begin() + static_cast<std::ptrdiff_t>(width * loopEnd),
                  std::make_move_iterator(newCells.begin()),
                  std::make_move_iterator(newCells.end()));
    grid_->SetRowCount(total + added);
    for (int k = 0; k < added; ++k) grid_->SetRowHeight(loopEnd + k, height);
    for (std::size_t i = 0; i < after.size(); ++i)
      grid_->SetRowHeight(loopEnd + added + static_cast<int>(i), after[i]);
  } else {
    const int removed = oldRows - newRows;
    const int from = loopEnd - removed;
    rows_.erase(rows_.begin() + from, rows_.begin() + loopEnd);
    cells_.erase(cells_.begin() + static_cast<std::ptrdiff_t>(width * from),
                 cells_.begin() + static_cast<std::ptrdiff_t>(width * loopEnd));
    grid_->SetRowCount(total - removed);
    for (std::size_t i = 0; i < after.size(); ++i)
      grid_->SetRowHeight(from + static_cast<int>(i), after[i]);
  }
  rowCount_ = static_cast<int>(rows_.size());
  // A selection anchored on a row that went starts afresh.
  if (anchorRow_ >= rowCount_) anchorCol_ = anchorRow_ = -1;
  if (anchorRow2_ >= rowCount_) anchorRow2_ = -1;
  count_ = count;
  MarkEntryRows();
}

void iuiSh_ChNew::Resync() {
  if (!grid_ || cells_.empty()) return;
  const Span span = ReadSpan();
  const int shift = span.first - first_;
  const bool resized = span.count != count_ && loopRow_ >= 0;
  if (shift != 0) {
    for (clsSheetCellId& slot : cells_) slot.cell.index += shift;
    basicCell_.index += shift;
    first_ = span.first;
    SetIndexOffset(first_);
  }
  if (resized) ResizeLoop(span.count);
  if (shift != 0 || resized) grid_->InvalidateGrid();
}

void iuiSh_ChNew::RefreshTitle() {
  std::string title = BuildTitle();
  titleString_ = title;
  if (!titleLabel_) return;
  const QString text = ToDisplayText(title);
  if (titleLabel_->text() != text) titleLabel_->setText(text);
}

void iuiSh_ChNew::OnPageEvent(const cmcEvent& event) {
  switch (event.id) {
    case ev::ListChanged: RefreshTitle(); break;
    case ev::QueryListRange: EvMan().AnswerData(ListRangeAnswer{group_, first_, count_}); break;
    case ev::ListRowInserted:
    case ev::ListRowDeleted: Resync(); break;
    default: break;
  }
}
