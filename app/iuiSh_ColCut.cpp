#include "app/iuiSh_ColCut.h"

#include <algorithm>
#include <cstdint>

#include "core/cmcEvMan.h"
#include "sheet/cuiGrid.h"

namespace {

constexpr int kSeparatorWidth = 1;  // a column this narrow only separates others

}  // namespace

iuiSh_ColCut::iuiSh_ColCut(QWidget* owner, cmcGTex& texts, std::string key, cuiImageList* images,
                           cuiMain& main)
    : cuiSheet(owner, nullptr, 0, 0, texts, std::move(key), images), main_(main) {
  EvMan().AddListener(&listenerKey_, [this](const cmcEvent& event) { OnPageEvent(event); });
}

iuiSh_ColCut::~iuiSh_ColCut() {
  if (cmcEvMan* bus = EvManIfInstalled()) bus->RemoveListener(&listenerKey_);
}

bool iuiSh_ColCut::IsCutColumn(const cmcCellObj&) const { return false; }

void iuiSh_ColCut::OnPageEvent(const cmcEvent&) {}

void iuiSh_ColCut::CreateCells(const std::string& cellsKey) {
  cuiSheet::CreateCells(cellsKey);
  CutColumns();
}

void iuiSh_ColCut::CutColumns() {
  const int rows = static_cast<int>(rows_.size());
  const int last = colCount_ - 1;
  const auto isCut = [this](int col, int row) { return IsCutColumn(*GetCell(col, row)); };
  for (int c = 0; c <= last; ++c) {
    int cutRow = -1;
    for (int r = 0; r < rows && cutRow < 0; ++r)
      if (isCut(c, r)) cutRow = r;
    if (cutRow < 0) continue;
    // The nearest column on the left that still shows in that row takes
    // the hidden column's right rule, in every row.
    if (c > 0) {
      int t = c - 1;
      while (t > 0 && isCut(t, cutRow)) --t;
      for (int r = 0; r < rows; ++r) {
        cmcCellObj& target = *GetCell(t, r);
        target.ruleFlags =
            static_cast<std::uint8_t>((target.ruleFlags & ~cellrule::kRightRuleMask) |
                                      (GetCell(c, r)->ruleFlags & cellrule::kRightRuleMask));
      }
    }
    if (c < last)
      for (int r = 0; r < rows; ++r)
        if (!GetCell(c + 1, r)->HasLayout(celllayout::kJoinLeft))
          GetCell(c, r)->layoutFlags &= static_cast<std::uint8_t>(~celllayout::kJoinLeft);
    grid_->SetColWidth(c, 0);
    if (c - 1 > 0 && grid_->ColWidth(c - 1) == kSeparatorWidth) grid_->SetColWidth(c - 1, 0);
  }
  bool dropped = false;
  for (int c = 0; c <= last; ++c) {
    if (grid_->ColWidth(c) != 0) continue;
    for (int r = 0; r < rows; ++r) {
      cmcCellObj& cell = *GetCell(c, r);
      dropped = dropped || cell.IsDataCell();
      cell.ruleFlags &= static_cast<std::uint8_t>(~cellrule::kDataCell);
    }
  }
  if (!dropped) return;
  // The first data column and row count shown data cells only.
  firstDataCol_ = colCount_;
  firstDataRow_ = rows;
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c <= last; ++c)
      if (IsDataCell(c, r)) {
        firstDataCol_ = std::min(firstDataCol_, c);
        firstDataRow_ = std::min(firstDataRow_, r);
      }
}
