// How a sheet reacts to the user: actions through the cell handler, cursor
// movement, selection, keys and mouse, the context menu, the input method
// and the in-place editor.
#include <QCoreApplication>
#include <QGuiApplication>
#include <QInputMethod>
#include <QMenu>
#include <algorithm>
#include <cstdlib>

#include "cells/names/CellNames.h"
#include "core/cmcEvMan.h"
#include "platform/Clock.h"
#include "platform/InputMethodSwitch.h"
#include "sheet/QtFontColor.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiMenu.h"
#include "sheet/cuiSheet.h"
#include "sheet/cuiSheetEditor.h"

namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

bool ShiftHeld() { return QGuiApplication::keyboardModifiers() & Qt::ShiftModifier; }

void ClearStatus() { EvMan().SendStr(ev::StatusMessage, color::kWindowText, color::kBtnFace, ""); }

}  // namespace

// --- actions -----------------------------------------------------------------

void cuiSheet::DoCellAction(int col, int row, int operation, int popupCommand,
                            const std::string* text) {
  if (!InTable(col, row)) return;
  ++actionDepth_;
  cmcCellCapsule capsule;
  int delay = kFollowUpDelayMs;
  for (int pass = 0; pass < kMaxActionPasses; ++pass) {
    PrepareCapsule(col, row, capsule);
    capsule.operation = operation;
    capsule.popupCommand = popupCommand;
    if (pass == 0 && text) {
      capsule.mode = cellmode::kCommit;
      capsule.operation = cellop::kQuery;
      capsule.inputText = *text;
    }
    if (IsReadOnly()) {
      // A choice list: Enter and clicks send the choice back to the cell
      // that opened the list; nothing else acts.
      if ((operation == cellop::kEnter || operation == cellop::kClick) && template_) {
        cmcCellCapsule choice = *template_;
        choice.parent = &capsule;
        choice.mode = cellmode::kChoice;
        capsule.operation = cellop::kQuery;
        handler_(choice, 1);
        if (owner_) owner_->hide();
      }
      break;
    }
    const int result = handler_(capsule, 1);
    if (capsule.followUpFlag) {
      FindCell(capsule.targetCategory, capsule.targetCellId, capsule.targetIndex);
      col = grid_->Col();
      row = grid_->Row();
    }
    if (result == kCellRedraw) {
      ClearSelectionMarks();
    } else if (result == kCellOpenEditor) {
      OpenEditor(col, row, capsule.maxLength, capsule.outputText, capsule.caretPos,
                 capsule.selLength);
    }
    if (capsule.followUpOperation == 0) break;
    operation = capsule.followUpOperation;
    if (delay > 0) {
      grid_->viewport()->repaint();
      platform::CurrentClock().SleepMs(static_cast<std::uint32_t>(delay));
      delay = std::max(delay - kFollowUpDelayStepMs, 0);
    }
  }
  if (multiSelect_ != MultiSelectMode::None && (capsule.selectionBits & cellselect::kSelectRows)) {
    ClearSelectionMarks();
    const int curCol = grid_->Col();
    const int curRow = grid_->Row();
    const cmcCellObj& current = GetCellSlot(curCol, curRow).cell;
    const int first = capsule.firstSelected;
    const int last = capsule.lastSelected;
    const int farEnd = current.index == first ? last : first;
    for (int r = 0; r < grid_->RowCount(); ++r)
      for (int c = 0; c < colCount_; ++c) {
        const cmcCellObj& cell = GetCellSlot(c, r).cell;
        if (!cell.IsDataCell() || cell.cellId != current.cellId) continue;
        if (cell.index >= first && cell.index <= last) SetEntrySelected(c, r, true);
        if (cell.index == farEnd) {
          anchorCol_ = c;
          anchorRow_ = r;
        }
      }
    interaction_ |= kMultiSelection;
    UpdateLineHighlights();
  } else {
    ClearSelectionMarks();
    SelectRange(grid_->Col(), grid_->Row());
  }
  --actionDepth_;
  EvMan().Send(ev::MenusRefresh);
  if (actionDepth_ == 0 && releasePending_) {
    // Ended from inside its own action: go once the caller is back in the
    // event loop, so nothing on the way out touches a freed sheet.
    releasePending_ = false;
    actionDepth_ = 1;  // refuses any further immediate release
    if (bodyPanel_) bodyPanel_->hide();
    if (titlePanel_) titlePanel_->hide();
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [this] { delete this; }, Qt::QueuedConnection);
  }
}

void cuiSheet::FindCell(int category, int cellId, int index) {
  int foundCol = -1;
  int foundRow = -1;
  for (int r = 0; r < grid_->RowCount(); ++r)
    for (int c = 0; c < colCount_; ++c) {
      const cmcCellObj& cell = GetCellSlot(c, r).cell;
      if (cell.IsDataCell() && cell.category == category && cell.cellId == cellId &&
          cell.index == index) {
        foundCol = c;
        foundRow = r;
      }
    }
  if (foundCol >= 0) MakeCurrent(foundCol, foundRow);
}

void cuiSheet::MakeCurrent(int col, int row) {
  SelectRange(col, row);
  interaction_ |= kSheetMoving;
  grid_->MoveColRow(col, row, true, true);
  interaction_ &= static_cast<std::uint8_t>(~kSheetMoving);
  UpdateContextMenu(col, row, false);
  UpdateInputMethod(col, row);
}

// --- cursor --------------------------------------------------------------------

void cuiSheet::MoveCursor(int dx, int dy) {
  const int sx = Sign(dx);
  const int sy = dx != 0 ? 0 : Sign(dy);
  const int steps = dx != 0 ? std::abs(dx) : std::abs(dy);
  const int cols = colCount_;
  const int rows = grid_->RowCount();
  const bool wrap = std::abs(dx) < 2 && std::abs(dy) < 2 && IsReadOnly() &&
                    grid_->GetMouseMode() == cuiGrid::MouseMode::Normal;
  int col = grid_->Col();
  int row = grid_->Row();
  for (int step = 0; step < steps; ++step) {
    bool found = false;
    int c = col;
    int r = row;
    for (;;) {
      if (wrap) {
        c = (cols + c + sx) % cols;
        r = (rows + r + sy) % rows;
        if (c == col && r == row) break;
      } else {
        c += sx;
        r += sy;
        if (c < 0 || r < 0 || c >= cols || r >= rows) break;
      }
      if (IsDataCell(c, r)) {
        found = true;
        break;
      }
    }
    if (!found && !IsReadOnly()) {
      // Nothing straight on: the nearest data cell to the remembered row
      // (or column) in the next column (or row) that has one.
      if (sx != 0) {
        for (c = col + sx; c >= 0 && c < cols && !found; c += sx) {
          int best = -1;
          for (int rr = 0; rr < rows; ++rr)
            if (IsDataCell(c, rr) &&
                (best < 0 || std::abs(rr - rememberedRow_) < std::abs(best - rememberedRow_)))
              best = rr;
          if (best >= 0) {
            r = best;
            found = true;
            break;
          }
        }
      } else if (sy != 0) {
        for (r = row + sy; r >= 0 && r < rows && !found; r += sy) {
          int best = -1;
          for (int cc = 0; cc < cols; ++cc)
            if (IsDataCell(cc, r) &&
                (best < 0 || std::abs(cc - rememberedCol_) < std::abs(best - rememberedCol_)))
              best = cc;
          if (best >= 0) {
            c = best;
            found = true;
            break;
          }
        }
      }
    }
    if (!found) break;
    col = c;
    row = r;
    rememberedCol_ = col;
    rememberedRow_ = row;
  }
  if (col != grid_->Col() || row != grid_->Row()) MakeCurrent(col, row);
  if (col <= firstDataCol_) grid_->SetLeftCol(grid_->FixedCols());
  if (row <= firstDataRow_) grid_->SetTopRow(grid_->FixedRows());
}

// --- selection -------------------------------------------------------------------

void cuiSheet::SetEntrySelected(int col, int row, bool on) {
  clsSheetCellId& entry = GetCellSlot(col, row);
  if (!entry.cell.IsDataCell()) return;
  const bool was = (entry.flags & clsSheetCellId::kSelected) != 0;
  if (was == on) return;
  entry.flags = static_cast<std::uint8_t>(on ? entry.flags | clsSheetCellId::kSelected
                                             : entry.flags & ~clsSheetCellId::kSelected);
  grid_->InvalidateCell(col, row);
}

void cuiSheet::UpdateLineHighlights() {
  const bool lines = (interaction_ & kMultiSelection) && multiSelect_ == MultiSelectMode::Line;
  const int fixed = grid_->FixedCols();
  for (int r = 0; r < grid_->RowCount(); ++r) {
    bool any = false;
    if (lines)
      for (int c = 0; c < colCount_ && !any; ++c)
        any = (GetCellSlot(c, r).flags & clsSheetCellId::kSelected) != 0;
    for (int c = 0; c < colCount_; ++c) {
      clsSheetCellId& entry = GetCellSlot(c, r);
      const bool on = any && c >= fixed;
      const bool was = (entry.flags & clsSheetCellId::kLineHighlight) != 0;
      if (on == was) continue;
      entry.flags = static_cast<std::uint8_t>(on ? entry.flags | clsSheetCellId::kLineHighlight
                                                 : entry.flags & ~clsSheetCellId::kLineHighlight);
      grid_->InvalidateCell(c, r);
    }
  }
}

void cuiSheet::ClearSelectionMarks() {
  if (!(interaction_ & kMultiSelection)) return;
  for (int r = 0; r < grid_->RowCount(); ++r)
    for (int c = 0; c < colCount_; ++c) SetEntrySelected(c, r, false);
  interaction_ &= static_cast<std::uint8_t>(~kMultiSelection);
  UpdateLineHighlights();
}

void cuiSheet::SelectRange(int col, int row) {
  if (!InTable(col, row)) return;
  const int curCol = grid_->Col();
  const int curRow = grid_->Row();
  const bool extend = ShiftHeld() || (interaction_ & kMouseSelecting);
  const bool multi = (interaction_ & kMultiSelection) != 0;
  const bool keep =
      ((multiSelect_ != MultiSelectMode::None && (col != curCol || row != curRow)) || multi) &&
      InTable(curCol, curRow) && (GetCellSlot(curCol, curRow).flags & clsSheetCellId::kRowMulti) &&
      (GetCellSlot(col, row).flags & clsSheetCellId::kRowMulti);
  if (!keep || !extend || anchorCol_ < 0 || anchorRow_ < 0 || !InTable(anchorCol_, anchorRow_)) {
    anchorCol_ = col;
    anchorRow_ = row;
  }
  if (extend && keep) {
    const int left = std::min({anchorCol_, curCol, col});
    const int right = std::min(std::max({anchorCol_, curCol, col}), colCount_ - 1);
    const int top = std::min({anchorRow_, curRow, row});
    const int bottom = std::min(std::max({anchorRow_, curRow, row}), grid_->RowCount() - 1);
    const int c0 = std::min(anchorCol_, col), c1 = std::max(anchorCol_, col);
    const int r0 = std::min(anchorRow_, row), r1 = std::max(anchorRow_, row);
    for (int r = top; r <= bottom; ++r)
      for (int c = left; c <= right; ++c)
        SetEntrySelected(c, r, c >= c0 && c <= c1 && r >= r0 && r <= r1);
    interaction_ |= kMultiSelection;
  } else if (!multi) {
    if (InTable(curCol, curRow)) {
      SetEntrySelected(curCol, curRow, false);
      clsSheetCellId& entry = GetCellSlot(curCol, curRow);
      if (entry.flags & clsSheetCellId::kLineHighlight) {
        entry.flags &= static_cast<std::uint8_t>(~clsSheetCellId::kLineHighlight);
        grid_->InvalidateCell(curCol, curRow);
      }
    }
  } else {
    ClearSelectionMarks();
  }
  SetEntrySelected(col, row, true);
  UpdateLineHighlights();
}

void cuiSheet::RedrawSelection() {
  for (int r = 0; r < grid_->RowCount(); ++r)
    for (int c = 0; c < colCount_; ++c)
      if (GetCellSlot(c, r).flags & (clsSheetCellId::kSelected | clsSheetCellId::kLineHighlight))
        grid_->InvalidateCell(c, r);
  grid_->InvalidateCell(grid_->Col(), grid_->Row());
}

void cuiSheet::InvalidateRowFromFixed(int row) {
  for (int c = grid_->FixedCols(); c < colCount_; ++c) grid_->InvalidateCell(c, row);
}

void cuiSheet::OnCellSelected(int col, int row, bool& canSelect) {
  ClearStatus();
  if (interaction_ & kSheetMoving) return;
  const clsSheetCellId& entry = GetCellSlot(col, row);
  canSelect = entry.cell.IsDataCell() &&
              (!(interaction_ & kMultiSelection) || (entry.flags & clsSheetCellId::kRowMulti));
  OnCellSelectHook(GetCell(col, row));
  const int curCol = grid_->Col();
  const int curRow = grid_->Row();
  if (col != curCol || row != curRow) {
    const CellIdRecord record = entry.cell.GetCellId();
    EvMan().PostData(ev::CellSelected, 0, 0, record);
  }
  if (row != curRow && canSelect && !IsReadOnly()) {
    InvalidateRowFromFixed(curRow);
    InvalidateRowFromFixed(row);
  }
  if (canSelect) {
    UpdateContextMenu(col, row, false);
    UpdateInputMethod(col, row);
    SelectRange(col, row);
  }
  HideEditor(false);
}

// --- keys and mouse ----------------------------------------------------------------

void cuiSheet::OnGridKeyDown(int& key, Qt::KeyboardModifiers modifiers) {
  ClearStatus();
  CommitEditor();
  const Qt::KeyboardModifiers mods = modifiers & ~Qt::KeypadModifier;
  const int col = grid_->Col();
  const int row = grid_->Row();
  switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
      if (mods != Qt::ControlModifier) MoveCursor(0, key == Qt::Key_Up ? -1 : 1);
      key = 0;
      break;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      MoveCursor(0, key == Qt::Key_PageUp ? -kPageRows : kPageRows);
      key = 0;
      break;
    case Qt::Key_Home:
    case Qt::Key_End: key = 0; break;
    case Qt::Key_Left:
    case Qt::Key_Right: {
      const bool left = key == Qt::Key_Left;
      key = 0;
      MoveCursor(left ? -1 : 1, 0);
      if (grid_->Col() == col && grid_->Row() == row)
        DoCellAction(col, row, left ? cellop::kLeftAtEdge : cellop::kRightAtEdge, 0, nullptr);
      break;
    }
    default:
      if (key >= Qt::Key_F1 && key <= Qt::Key_F12) {
        const int n = key - Qt::Key_F1 + 1;
        key = 0;
        DoCellAction(col, row, cellop::FunctionKey(n), 0, nullptr);
      }
      break;
  }
}

void cuiSheet::OnGridKeyPress(int ch) { DoCellAction(grid_->Col(), grid_->Row(), ch, 0, nullptr); }

bool cuiSheet::FindOwnerDataCell(int& col, int& row) const {
  if (!InTable(col, row)) return false;
  int c = col;
  auto at = [&](int cc) -> const cmcCellObj& {
    return cells_[static_cast<std::size_t>(row) * static_cast<std::size_t>(colCount_) +
                  static_cast<std::size_t>(cc)]
        .cell;
  };
  while (c > 0 && !at(c).IsDataCell() && at(c).HasRule(cellrule::kTrailing)) --c;
  if (!at(c).IsDataCell()) return false;
  col = c;
  return true;
}

void cuiSheet::OnGridMouseDown(Qt::MouseButton button, QPoint pos) {
  if (mouseSuppress_) {
    // A dialog of the handler is closing: no drag, selection or menu from
    // the press that closed it.
    grid_->CancelMouseMode();
    return;
  }
  if (button != Qt::RightButton) {
    interaction_ |= kMouseSelecting;
    return;
  }
  const QPoint cell = grid_->MouseCoord(pos.x(), pos.y());
  if (cell.x() < 0 || cell.y() < 0) return;
  bool show = (interaction_ & kMultiSelection) != 0;
  if (!show) {
    int c = cell.x();
    int r = cell.y();
    if (FindOwnerDataCell(c, r)) show = grid_->MoveColRow(c, r, true, true);
  }
  if (!show && colCutMenu_ && cell.y() < grid_->FixedRows()) show = true;
  if (!show) return;
  popupFromMouse_ = true;
  PopupContextMenu(grid_->viewport()->mapToGlobal(pos));
}

void cuiSheet::OnGridMouseUp(Qt::MouseButton button, QPoint pos) {
  interaction_ &= static_cast<std::uint8_t>(~kMouseSelecting);
  if (IsReadOnly() && button == Qt::LeftButton && !mouseSuppress_) OnGridDblClick(pos);
}

void cuiSheet::OnGridMouseMove(QPoint pos) {
  if (!IsReadOnly() || EditorVisible()) return;
  const QPoint cell = grid_->MouseCoord(pos.x(), pos.y());
  if (cell.x() == lastHoverCol_ && cell.y() == lastHoverRow_) return;
  lastHoverCol_ = cell.x();
  lastHoverRow_ = cell.y();
  if (IsDataCell(cell.x(), cell.y()) && (cell.x() != grid_->Col() || cell.y() != grid_->Row()))
    MakeCurrent(cell.x(), cell.y());
}

void cuiSheet::OnGridDblClick(QPoint pos) {
  const QPoint cell = grid_->MouseCoord(pos.x(), pos.y());
  constexpr int kBorder = 4;
  if (sheetFlags_ & kColSizing) {
    if (cell.x() >= grid_->FixedCols() && cell.y() >= 0 && cell.y() < grid_->FixedRows()) {
      const QRect rect = grid_->CellRect(cell.x(), cell.y());
      if (pos.x() - rect.left() <= kBorder) {
        for (int c = cell.x() - 1; c >= 0; --c)
          if (grid_->ColWidth(c) > 0) {
            FitColumn(c);
            break;
          }
      } else if (rect.left() + rect.width() - pos.x() <= kBorder) {
        FitColumn(cell.x());
      }
    } else if (cell.x() < 0) {
      // Right of the last column, near its right border, in a fixed row.
      int last = -1;
      for (int c = colCount_ - 1; c >= 0 && last < 0; --c)
        if (grid_->ColWidth(c) > 0) last = c;
      const QPoint left = grid_->MouseCoord(std::max(pos.x() - kBorder, 0), pos.y());
      if (last >= 0 && left.x() == last && left.y() >= 0 && left.y() < grid_->FixedRows())
        FitColumn(last);
    }
  }
  if (cell.x() < 0 || cell.y() < 0) return;
  int c = cell.x();
  int r = cell.y();
  if (!FindOwnerDataCell(c, r)) return;
  if (c == grid_->Col() && r == grid_->Row()) DoCellAction(c, r, cellop::kClick, 0, nullptr);
}

void cuiSheet::ConnectGrid() {
  grid_->OnDrawCell = [this](int c, int r, const QRect& rect, int state) {
    DrawCell(c, r, rect, state);
  };
  grid_->OnSelectCell = [this](int c, int r, bool& can) { OnCellSelected(c, r, can); };
  grid_->OnColWidthsChanged = [this] { ClampColWidths(); };
  grid_->OnPaletteChange = [this] {
    UpdateTints();
    grid_->InvalidateGrid();
  };
  grid_->OnKeyDown = [this](int& key, Qt::KeyboardModifiers mods) { OnGridKeyDown(key, mods); };
  grid_->OnKeyPress = [this](int ch) { OnGridKeyPress(ch); };
  grid_->OnMouseDown = [this](Qt::MouseButton b, Qt::KeyboardModifiers, QPoint p) {
    OnGridMouseDown(b, p);
  };
  grid_->OnMouseUp = [this](Qt::MouseButton b, Qt::KeyboardModifiers, QPoint p) {
    OnGridMouseUp(b, p);
  };
  grid_->OnMouseMove = [this](Qt::MouseButton, Qt::KeyboardModifiers, QPoint p) {
    OnGridMouseMove(p);
  };
  grid_->OnDblClick = [this](Qt::MouseButton, Qt::KeyboardModifiers, QPoint p) {
    OnGridDblClick(p);
  };
  grid_->OnContextKey = [this] { PopupContextMenu(std::nullopt); };
  grid_->SetOnSetFocus([this] {
    UpdateContextMenu(grid_->Col(), grid_->Row(), true);
    UpdateInputMethod(grid_->Col(), grid_->Row());
    RedrawSelection();
  });
  grid_->SetOnKillFocus([this] {
    // Only this sheet's own mirror goes: the grid that took the focus may
    // have mirrored its menu already.
    if (contextMenu_)
      EvMan().Send(ev::SubmenuClear, reinterpret_cast<std::intptr_t>(contextMenu_.get()),
                   CL_Menu_Edit_Top);
    contextMenu_.reset();
    lastContextCell_ = nullptr;
    lastContextMenuName_.clear();
    EvMan().Send(ev::MenusRefresh);
    RedrawSelection();
  });
  grid_->SetOnImeStartComposition(
      [this] { DoCellAction(grid_->Col(), grid_->Row(), cellop::kImeStart, 0, nullptr); });
  grid_->SetOnTimedScroll([this](int d) {
    const int dx = ((d & cuiGrid::kScrollRight) ? 1 : 0) - ((d & cuiGrid::kScrollLeft) ? 1 : 0);
    const int dy = ((d & cuiGrid::kScrollDown) ? 1 : 0) - ((d & cuiGrid::kScrollUp) ? 1 : 0);
    MoveCursor(dx, dy);
  });
}

// --- context menu and input method ---------------------------------------------------

void cuiSheet::UpdateContextMenu(int col, int row, bool force) {
  if (Printing() || !grid_ || !grid_->hasFocus() || !InTable(col, row)) return;
  const cmcCellObj* cell = GetCell(col, row);
  if (cell == lastContextCell_ && !force) return;
  lastContextCell_ = cell;
  const std::string name(cell->GetPopupMenuName(row < grid_->FixedRows() ? 1 : 0));
  cmcEvMan& bus = EvMan();
  if (force || (!name.empty() && name != lastContextMenuName_)) {
    contextMenu_.reset();
    bus.Send(ev::SubmenuClear, 0, CL_Menu_Edit_Top);
    if (!name.empty() && contextPopup_) {
      contextMenu_ = std::make_unique<cuiMenu>(
          grid_, contextPopup_, gtex_, name, [this](const cmcCellObj& item) {
            DoCellAction(grid_->Col(), grid_->Row(), cellop::kQuery, item.cellId, nullptr);
          });
      contextMenu_->SetCellHandler(handler_);
      contextMenu_->SetImageList(images_);
      contextMenu_->Build();
      if (!IsReadOnly()) contextMenu_->AddShortcutsTo(grid_);
      bus.SendStr(ev::SubmenuRebuild, reinterpret_cast<std::intptr_t>(contextMenu_.get()),
                  CL_Menu_Edit_Top, name);
    }
    lastContextMenuName_ = name;
  }
  bus.Send(ev::MenusRefresh);
}

void cuiSheet::PopupContextMenu(std::optional<QPoint> globalPos) {
  if (!grid_ || !contextPopup_) return;
  std::optional<QPoint> mouseCell;
  if (globalPos) {
    const QPoint local = grid_->viewport()->mapFromGlobal(*globalPos);
    const QPoint cell = grid_->MouseCoord(local.x(), local.y());
    if (cell.x() >= 0) mouseCell = cell;
  }
  if (popupFromMouse_ && colCutMenu_ && mouseCell && mouseCell->y() < grid_->FixedRows())
    UpdateContextMenu(mouseCell->x(), mouseCell->y(), true);
  else
    UpdateContextMenu(grid_->Col(), grid_->Row(), true);
  popupFromMouse_ = false;
  if (!contextMenu_ || contextPopup_->actions().isEmpty()) return;
  QPoint at;
  if (globalPos) {
    at = *globalPos;
  } else {
    const QRect rect = grid_->CellRect(grid_->Col(), grid_->Row());
    at = grid_->viewport()->mapToGlobal(rect.isEmpty() ? QPoint(0, 0) : rect.bottomLeft());
  }
  contextPopup_->popup(at);
}

void cuiSheet::UpdateInputMethod(int col, int row) {
  if (IsReadOnly() || !IsDataCell(col, row)) return;
  const bool on =
      GetCellSlot(col, row).cell.HasRule(cellrule::kInputMethod) && platform::InputMethodsAllowed();
  imeDisabled_ = !on;
  if (grid_->testAttribute(Qt::WA_InputMethodEnabled) == on) return;
  grid_->setAttribute(Qt::WA_InputMethodEnabled, on);
  if (grid_->hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImEnabled);
}

// --- redraw --------------------------------------------------------------------------

void cuiSheet::InvalidateMatching(const cmcCellCapsule& capsule, int mask) {
  if (!capsule.cell || !grid_ || cells_.empty()) return;
  const cmcCellObj& ref = *capsule.cell;
  const bool refCategory = ref.category != CT_None;
  const int lastCol = std::min(grid_->LeftCol() + grid_->VisibleColCount() + 1, colCount_ - 1);
  const int lastRow =
      std::min(grid_->TopRow() + grid_->VisibleRowCount() + 1, grid_->RowCount() - 1);
  for (int r = 0; r <= lastRow; ++r)
    for (int c = 0; c <= lastCol; ++c) {
      const cmcCellObj& cell = GetCellSlot(c, r).cell;
      const bool hasId = cell.cellId != CL_None;
      const bool match = ((mask & 1) && cell.cellId == ref.cellId && cell.index == ref.index) ||
                         ((mask & 2) && cell.category == ref.category) ||
                         ((mask & 4) && cell.cellId == ref.cellId) ||
                         ((mask & 8) && cell.index == ref.index && refCategory && hasId) ||
                         ((mask & 16) && cell.category == ref.category &&
                          std::abs(cell.index - ref.index) <= 1 && hasId) ||
                         ((mask & 32) && hasId) ||
                         ((mask & 64) && cell.index >= ref.index && refCategory && hasId) ||
                         ((mask & 128) && cell.index <= ref.index && refCategory && hasId);
      if (match) grid_->InvalidateCell(c, r);
    }
}

// --- in-place editor -------------------------------------------------------------------

void cuiSheet::OpenEditor(int col, int row, int maxLength, std::string_view text, int caret,
                          int selLength) {
  if (!InTable(col, row) || !bodyPanel_) return;
  if (!editor_) {
    editor_ = new cuiSheetEditor(bodyPanel_);
    editor_->OnKeyDown = [this](int& key, Qt::KeyboardModifiers mods) {
      OnEditorKeyDown(key, mods);
    };
    editor_->OnExit = [this] { CommitEditor(); };
  }
  editor_->setAttribute(Qt::WA_InputMethodEnabled,
                        !imeDisabled_ && platform::InputMethodsAllowed());
  editor_->SetMaxBytes(maxLength);
  ClearSelectionMarks();
  MakeCurrent(col, row);
  QRect rect = grid_->CellRect(col, row);
  if (rect.isEmpty()) return;
  rect.translate(grid_->viewport()->mapTo(bodyPanel_, QPoint(0, 0)));
  const int left = rect.x();
  int top = rect.y();
  const int bottom = rect.y() + rect.height();
  const int width = rect.width();
  int height = rect.height() - 1;
  if (width < 1 || height < 1) return;
  const cmcCellObj& cell = GetCellSlot(col, row).cell;
  editorWrap_ = cell.HasLayout(celllayout::kWrapped);
  const QFont font = ToQFont(cell.EffectiveFont());
  editor_->setFont(font);
  grid_->Canvas().SetFont(font);
  const int line = grid_->Canvas().TextHeight("A");
  if (!editorWrap_ && height > line) {
    switch (cell.VerticalAlign()) {
      case VAlign::Middle: top += (height - line) / 2; break;
      case VAlign::Bottom: top = bottom - line - 1; break;
      case VAlign::Top: break;
    }
    height = line;
  }
  const int above = cell.combination[1];
  const int below = cell.combination[2];
  if (above != 0 || below != 0) {
    const int h = rect.height();
    height += (above + below) * h + above + below;
    top -= above * (h + 1);
  }
  QRect bounds =
      editorWrap_ ? QRect(left, top + 1, width, height - 1) : QRect(left, top, width, height);
  if (cell.GetRightRule() != RightRule::None) bounds.setWidth(bounds.width() - 1);
  editor_->SetWrapped(editorWrap_);
  editor_->setGeometry(bounds);
  editor_->SetBytes(text, caret, selLength);
  editor_->SetExitHookEnabled(true);
  editorCol_ = col;
  editorRow_ = row;
  editor_->raise();
  editor_->show();
  editor_->setFocus(Qt::OtherFocusReason);
}

void cuiSheet::CommitEditor() {
  if (!EditorVisible()) return;
  std::string text = editor_->Bytes();
  if (editorWrap_) {
    // Wrapped lines are one text.
    std::string joined;
    for (char ch : text)
      if (ch != '\r' && ch != '\n') joined += ch;
    text = std::move(joined);
  }
  const int col = editorCol_;
  const int row = editorRow_;
  editorWrap_ = false;
  // Hidden before the action: a commit asked for again meanwhile (a box of
  // the handler draining event 24) finds nothing to commit, and an editor
  // the handler reopens stays open.
  editor_->SetExitHookEnabled(false);
  editor_->hide();
  editor_->SetExitHookEnabled(true);
  DoCellAction(col, row, cellop::kEnter, 0, &text);
}

void cuiSheet::CancelEditor(bool refocus) {
  if (!EditorVisible()) return;
  editorWrap_ = false;
  editor_->SetExitHookEnabled(false);
  editor_->hide();
  editor_->SetExitHookEnabled(true);
  if (refocus && grid_->isVisible()) grid_->setFocus(Qt::OtherFocusReason);
}

void cuiSheet::HideEditor(bool refocus) {
  if (!EditorVisible()) return;
  CommitEditor();
  if (refocus && grid_->isVisible() && !EditorVisible()) grid_->setFocus(Qt::OtherFocusReason);
}

void cuiSheet::OnEditorKeyDown(int& key, Qt::KeyboardModifiers modifiers) {
  ClearStatus();
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      key = 0;
      HideEditor(true);
      break;
    case Qt::Key_Up:
    case Qt::Key_Down:
      if (!editorWrap_) {
        const int dy = key == Qt::Key_Up ? -1 : 1;
        key = 0;
        HideEditor(true);
        MoveCursor(0, dy);
      }
      break;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
      int gridKey = key;
      key = 0;
      HideEditor(true);
      OnGridKeyDown(gridKey, modifiers);
      break;
    }
    case Qt::Key_Escape:
      key = 0;
      CancelEditor(true);
      break;
    default: break;
  }
}

void cuiSheet::EditorClosure(const cmcCellCapsule& capsule, int flag) {
  if (flag != 0 || !InTable(grid_->Col(), grid_->Row())) return;
  if (capsule.cell != GetCell(grid_->Col(), grid_->Row())) return;
  OpenEditor(grid_->Col(), grid_->Row(), capsule.maxLength, capsule.outputText, capsule.caretPos,
             capsule.selLength);
}
