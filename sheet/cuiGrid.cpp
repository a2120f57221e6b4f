#include "sheet/cuiGrid.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <climits>

#include "platform/Cp932.h"

namespace {

constexpr int kNoChar = INT_MIN;

// The character a key press types, as the program's keyboard handling counts
// it: ASCII as its code (Backspace 8, Enter 13, Escape 27, Ctrl+letters 1 to
// 26, Ctrl+Backspace 127), a half-width katakana as its code page 932 byte,
// signed. The Delete key, Tab and Alt combinations type nothing; neither do
// characters code page 932 lacks or that take two bytes (those come through
// the input method).
int CharCode(const QKeyEvent& event) {
  const Qt::KeyboardModifiers mods = event.modifiers();
  if (mods & Qt::AltModifier) return kNoChar;
  const int key = event.key();
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Backspace: return (mods & Qt::ControlModifier) ? 127 : 8;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete: return kNoChar;
    default: break;
  }
  if (mods & Qt::ControlModifier)
    return key >= Qt::Key_A && key <= Qt::Key_Z ? key - Qt::Key_A + 1 : kNoChar;
  const QString text = event.text();
  if (text.size() != 1) return kNoChar;
  const char16_t u = text[0].unicode();
  if (u < 0x20 || u == 0x7F) return kNoChar;
  if (u < 0x80) return u;
  bool lossy = false;
  const std::string bytes = platform::UnicodeToCp932(text, &lossy);
  if (lossy || bytes.size() != 1) return kNoChar;
  return static_cast<signed char>(bytes[0]);
}

}  // namespace

cuiGrid::cuiGrid(QWidget* parent) : QAbstractScrollArea(parent), canvas_(viewport()) {
  colWidths_.assign(5, defaultColWidth_);
  rowHeights_.assign(5, defaultRowHeight_);
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setMouseTracking(true);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  color_ = palette().color(QPalette::Base);
  horizontalScrollBar()->setSingleStep(1);
  verticalScrollBar()->setSingleStep(1);
  scrollTimer_.setInterval(kTimedScrollMs);
  connect(&scrollTimer_, &QTimer::timeout, this, [this] { TimedScrollTick(); });
  UpdateScrollBars();
}

cuiGrid::~cuiGrid() = default;

// --- table shape -------------------------------------------------------

void cuiGrid::SetColCount(int count) {
  count = std::max(count, 1);
  colWidths_.resize(static_cast<std::size_t>(count), defaultColWidth_);
  fixedCols_ = std::min(fixedCols_, count - 1);
  col_ = std::min(col_, count - 1);
  ClampTopLeft();
  UpdateScrollBars();
  viewport()->update();
}

void cuiGrid::SetRowCount(int count) {
  count = std::max(count, 1);
  rowHeights_.resize(static_cast<std::size_t>(count), defaultRowHeight_);
  fixedRows_ = std::min(fixedRows_, count - 1);
  row_ = std::min(row_, count - 1);
  ClampTopLeft();
  UpdateScrollBars();
  viewport()->update();
}

void cuiGrid::SetFixedCols(int count) {
  fixedCols_ = std::clamp(count, 0, ColCount() - 1);
  ClampTopLeft();
  UpdateScrollBars();
  viewport()->update();
}

void cuiGrid::SetFixedRows(int count) {
  fixedRows_ = std::clamp(count, 0, RowCount() - 1);
  ClampTopLeft();
  UpdateScrollBars();
  viewport()->update();
}

void cuiGrid::SetDefaultColWidth(int width) {
  defaultColWidth_ = std::max(width, 0);
  std::fill(colWidths_.begin(), colWidths_.end(), defaultColWidth_);
  ClampTopLeft();
  UpdateScrollBars();
  viewport()->update();
  NotifyColWidths();
}

void cuiGrid::SetDefaultRowHeight(int height) {
  defaultRowHeight_ = std::max(height, 0);
  std::fill(rowHeights_.begin(), rowHeights_.end(), defaultRowHeight_);
  ClampTopLeft();
  UpdateScrollBars();
  viewport()->update();
}

int cuiGrid::ColWidth(int col) const {
  return col >= 0 && col < ColCount() ? colWidths_[static_cast<std::size_t>(col)] : 0;
}

int cuiGrid::RowHeight(int row) const {
  return row >= 0 && row < RowCount() ? rowHeights_[static_cast<std::size_t>(row)] : 0;
}

void cuiGrid::SetColWidth(int col, int width) {
  if (col < 0 || col >= ColCount()) return;
  width = std::max(width, 0);
  int& slot = colWidths_[static_cast<std::size_t>(col)];
  if (slot == width) return;
  slot = width;
  ClampTopLeft();
  UpdateScrollBars();
  viewport()->update();
  NotifyColWidths();
}

void cuiGrid::SetRowHeight(int row, int height) {
  if (row < 0 || row >= RowCount()) return;
  height = std::max(height, 0);
  int& slot = rowHeights_[static_cast<std::size_t>(row)];
  if (slot == height) return;
  slot = height;
  ClampTopLeft();
  UpdateScrollBars();
  viewport()->update();
}

int cuiGrid::GridWidth() const {
  int sum = 0;
  for (int w : colWidths_) sum += w;
  return sum;
}

int cuiGrid::GridHeight() const {
  int sum = 0;
  for (int h : rowHeights_) sum += h;
  return sum;
}

int cuiGrid::ClientWidth() const { return viewport()->width(); }
int cuiGrid::ClientHeight() const { return viewport()->height(); }

void cuiGrid::NotifyColWidths() {
  if (!OnColWidthsChanged || inColWidthsChanged_) return;
  inColWidthsChanged_ = true;
  OnColWidthsChanged();
  inColWidthsChanged_ = false;
}

// --- scrolling ---------------------------------------------------------

int cuiGrid::FixedWidth() const {
  int sum = 0;
  for (int c = 0; c < fixedCols_; ++c) sum += colWidths_[static_cast<std::size_t>(c)];
  return sum;
}

int cuiGrid::FixedHeight() const {
  int sum = 0;
  for (int r = 0; r < fixedRows_; ++r) sum += rowHeights_[static_cast<std::size_t>(r)];
  return sum;
}

int cuiGrid::MaxLeftCol() const {
  const int avail = ClientWidth() - FixedWidth();
  int left = ColCount() - 1;
  int sum = 0;
  for (int c = ColCount() - 1; c >= fixedCols_; --c) {
    sum += colWidths_[static_cast<std::size_t>(c)];
    if (sum > avail) break;
    left = c;
  }
  return std::max(left, fixedCols_);
}

int cuiGrid::MaxTopRow() const {
  const int avail = ClientHeight() - FixedHeight();
  int top = RowCount() - 1;
  int sum = 0;
  for (int r = RowCount() - 1; r >= fixedRows_; --r) {
    sum += rowHeights_[static_cast<std::size_t>(r)];
    if (sum > avail) break;
    top = r;
  }
  return std::max(top, fixedRows_);
}

int cuiGrid::LastFullVisibleCol() const {
  int x = FixedWidth();
  int last = leftCol_ - 1;
  for (int c = leftCol_; c < ColCount(); ++c) {
    x += colWidths_[static_cast<std::size_t>(c)];
    if (x > ClientWidth()) break;
    last = c;
  }
  return last;
}

int cuiGrid::LastFullVisibleRow() const {
  int y = FixedHeight();
  int last = topRow_ - 1;
  for (int r = topRow_; r < RowCount(); ++r) {
    y += rowHeights_[static_cast<std::size_t>(r)];
    if (y > ClientHeight()) break;
    last = r;
  }
  return last;
}

int cuiGrid::VisibleColCount() const { return LastFullVisibleCol() - leftCol_ + 1; }
int cuiGrid::VisibleRowCount() const { return LastFullVisibleRow() - topRow_ + 1; }

void cuiGrid::SetLeftCol(int col) {
  col = std::clamp(col, fixedCols_, MaxLeftCol());
  if (col == leftCol_) return;
  leftCol_ = col;
  UpdateScrollBars();
  viewport()->update();
  if (OnTopLeftChanged) OnTopLeftChanged();
}

void cuiGrid::SetTopRow(int row) {
  row = std::clamp(row, fixedRows_, MaxTopRow());
  if (row == topRow_) return;
  topRow_ = row;
  UpdateScrollBars();
  viewport()->update();
  if (OnTopLeftChanged) OnTopLeftChanged();
}

void cuiGrid::ClampTopLeft() {
  const int left = std::clamp(leftCol_, fixedCols_, MaxLeftCol());
  const int top = std::clamp(topRow_, fixedRows_, MaxTopRow());
  if (left == leftCol_ && top == topRow_) return;
  leftCol_ = left;
  topRow_ = top;
  if (OnTopLeftChanged) OnTopLeftChanged();
}

void cuiGrid::ClampInView(int col, int row) {
  if (col >= fixedCols_) {
    int left = leftCol_;
    if (col < left) {
      left = col;
    } else {
      const int saved = leftCol_;
      while (leftCol_ < col && LastFullVisibleCol() < col) ++leftCol_;
      left = leftCol_;
      leftCol_ = saved;
    }
    SetLeftCol(left);
  }
  if (row >= fixedRows_) {
    int top = topRow_;
    if (row < top) {
      top = row;
    } else {
      const int saved = topRow_;
      while (topRow_ < row && LastFullVisibleRow() < row) ++topRow_;
      top = topRow_;
      topRow_ = saved;
    }
    SetTopRow(top);
  }
}

void cuiGrid::SetScrollBarsEnabled(bool on) {
  scrollBars_ = on;
  const Qt::ScrollBarPolicy policy = on ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
  setHorizontalScrollBarPolicy(policy);
  setVerticalScrollBarPolicy(policy);
  UpdateScrollBars();
}

void cuiGrid::UpdateScrollBars() {
  syncingBars_ = true;
  QScrollBar* h = horizontalScrollBar();
  h->setRange(fixedCols_, MaxLeftCol());
  h->setPageStep(std::max(VisibleColCount(), 1));
  h->setValue(leftCol_);
  QScrollBar* v = verticalScrollBar();
  v->setRange(fixedRows_, MaxTopRow());
  v->setPageStep(std::max(VisibleRowCount(), 1));
  v->setValue(topRow_);
  syncingBars_ = false;
}

void cuiGrid::scrollContentsBy(int, int) {
  if (syncingBars_) return;
  const int left = horizontalScrollBar()->value();
  const int top = verticalScrollBar()->value();
  if (left != leftCol_) SetLeftCol(left);
  if (top != topRow_) SetTopRow(top);
}

void cuiGrid::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  ClampTopLeft();
  UpdateScrollBars();
}

// --- current cell ------------------------------------------------------

bool cuiGrid::MoveColRow(int col, int row, bool, bool show) {
  if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount()) return false;
  bool canSelect = true;
  if (OnSelectCell) OnSelectCell(col, row, canSelect);
  if (!canSelect) return false;
  const int oldCol = col_;
  const int oldRow = row_;
  col_ = col;
  row_ = row;
  if (show) ClampInView(col, row);
  InvalidateCell(oldCol, oldRow);
  InvalidateCell(col_, row_);
  return true;
}

// --- geometry ----------------------------------------------------------

int cuiGrid::ColLeft(int col) const {
  if (col < 0 || col >= ColCount()) return INT_MIN;
  int x = 0;
  if (col < fixedCols_) {
    for (int c = 0; c < col; ++c) x += colWidths_[static_cast<std::size_t>(c)];
    return x;
  }
  if (col < leftCol_) return INT_MIN;
  x = FixedWidth();
  for (int c = leftCol_; c < col; ++c) {
    x += colWidths_[static_cast<std::size_t>(c)];
    if (x >= ClientWidth()) return INT_MIN;
  }
  return x;
}

int cuiGrid::RowTop(int row) const {
  if (row < 0 || row >= RowCount()) return INT_MIN;
  int y = 0;
  if (row < fixedRows_) {
    for (int r = 0; r < row; ++r) y += rowHeights_[static_cast<std::size_t>(r)];
    return y;
  }
  if (row < topRow_) return INT_MIN;
  y = FixedHeight();
  for (int r = topRow_; r < row; ++r) {
    y += rowHeights_[static_cast<std::size_t>(r)];
    if (y >= ClientHeight()) return INT_MIN;
  }
  return y;
}

QRect cuiGrid::CellRect(int col, int row) const {
  const int x = ColLeft(col);
  const int y = RowTop(row);
  if (x == INT_MIN || y == INT_MIN) return {};
  return QRect(x, y, colWidths_[static_cast<std::size_t>(col)],
               rowHeights_[static_cast<std::size_t>(row)]);
}

QPoint cuiGrid::MouseCoord(int x, int y) const {
  auto find = [](int pos, const std::vector<int>& sizes, int fixed, int first, int limit) {
    if (pos < 0 || pos >= limit) return -1;
    int edge = 0;
    for (int i = 0; i < fixed; ++i) {
      edge += sizes[static_cast<std::size_t>(i)];
      if (pos < edge) return i;
    }
    for (int i = first; i < static_cast<int>(sizes.size()); ++i) {
      edge += sizes[static_cast<std::size_t>(i)];
      if (pos < edge) return i;
    }
    return -1;
  };
  const int col = find(x, colWidths_, fixedCols_, leftCol_, ClientWidth());
  const int row = find(y, rowHeights_, fixedRows_, topRow_, ClientHeight());
  if (col < 0 || row < 0) return {-1, -1};
  return {col, row};
}

void cuiGrid::InvalidateCell(int col, int row) {
  const QRect rect = CellRect(col, row);
  if (!rect.isEmpty()) viewport()->update(rect);
}

void cuiGrid::InvalidateRow(int row) {
  const int y = RowTop(row);
  if (y != INT_MIN) viewport()->update(QRect(0, y, ClientWidth(), RowHeight(row)));
}

void cuiGrid::InvalidateGrid() { viewport()->update(); }

void cuiGrid::SetColor(const QColor& color) {
  color_ = color;
  viewport()->update();
}

// --- painting ----------------------------------------------------------

void cuiGrid::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  painter.fillRect(event->rect(), color_);
  if (!OnDrawCell) return;
  const QRegion& region = event->region();
  const int width = ClientWidth();
  const int height = ClientHeight();
  struct Span {
    int index, start, size;
  };
  auto spans = [](const std::vector<int>& sizes, int fixed, int first, int limit) {
    std::vector<Span> out;
    int pos = 0;
    for (int i = 0; i < fixed && pos < limit; ++i) {
      out.push_back({i, pos, sizes[static_cast<std::size_t>(i)]});
      pos += sizes[static_cast<std::size_t>(i)];
    }
    for (int i = first; i < static_cast<int>(sizes.size()) && pos < limit; ++i) {
      out.push_back({i, pos, sizes[static_cast<std::size_t>(i)]});
      pos += sizes[static_cast<std::size_t>(i)];
    }
    return out;
  };
  const std::vector<Span> cols = spans(colWidths_, fixedCols_, leftCol_, width);
  const std::vector<Span> rows = spans(rowHeights_, fixedRows_, topRow_, height);
  const bool focused = hasFocus();
  canvas_.Attach(&painter);
  paintRegion_ = &region;
  for (const Span& r : rows) {
    if (r.size <= 0) continue;
    const QRect rowRect(0, r.start, width, r.size);
    if (!region.intersects(rowRect)) continue;
    for (const Span& c : cols) {
      if (c.size <= 0) continue;
      const QRect rect(c.start, r.start, c.size, r.size);
      if (!region.intersects(rect)) continue;
      int state = 0;
      if (c.index < fixedCols_ || r.index < fixedRows_) {
        state = kDrawFixed;
      } else if (c.index == col_ && r.index == row_) {
        state = kDrawSelected | (focused ? kDrawFocused : 0);
      }
      OnDrawCell(c.index, r.index, rect, state);
    }
  }
  paintRegion_ = nullptr;
  canvas_.Attach(nullptr);
}

bool cuiGrid::InPaintRegion(const QRect& rect) const {
  return paintRegion_ && paintRegion_->contains(rect);
}

void cuiGrid::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::PaletteChange && OnPaletteChange) OnPaletteChange();
}

// --- keys --------------------------------------------------------------

bool cuiGrid::DefaultKey(int key, Qt::KeyboardModifiers modifiers) {
  const bool ctrl = modifiers & Qt::ControlModifier;
  int col = col_;
  int row = row_;
  switch (key) {
    case Qt::Key_Up: --row; break;
    case Qt::Key_Down: ++row; break;
    case Qt::Key_Left: --col; break;
    case Qt::Key_Right: ++col; break;
    case Qt::Key_PageUp: row -= std::max(VisibleRowCount(), 1); break;
    case Qt::Key_PageDown: row += std::max(VisibleRowCount(), 1); break;
    case Qt::Key_Home:
      if (ctrl)
        row = fixedRows_;
      else
        col = fixedCols_;
      break;
    case Qt::Key_End:
      if (ctrl)
        row = RowCount() - 1;
      else
        col = ColCount() - 1;
      break;
    default: return false;
  }
  col = std::clamp(col, fixedCols_, ColCount() - 1);
  row = std::clamp(row, fixedRows_, RowCount() - 1);
  if (col != col_ || row != row_) MoveColRow(col, row, true, true);
  return true;
}

void cuiGrid::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Menu) {
    event->accept();
    return;
  }
  menuKeyPopped_ = false;
  int key = event->key();
  if (OnKeyDown) OnKeyDown(key, event->modifiers());
  bool handled = key == 0;
  if (!handled) handled = DefaultKey(key, event->modifiers());
  const int ch = CharCode(*event);
  if (ch != kNoChar && OnKeyPress) {
    OnKeyPress(ch);
    // Escape goes on to the window (a dialog or popup closes on it).
    if (ch != 27) handled = true;
  }
  event->setAccepted(handled);
}

void cuiGrid::keyReleaseEvent(QKeyEvent* event) {
  int key = event->key();
  if (key == Qt::Key_Menu && !event->isAutoRepeat()) {
    if (OnContextKey) OnContextKey();
    menuKeyPopped_ = true;
  }
  if (OnKeyUp) OnKeyUp(key, event->modifiers());
  event->setAccepted(key == 0 || event->key() == Qt::Key_Menu);
}

void cuiGrid::contextMenuEvent(QContextMenuEvent* event) {
  event->accept();
  // Mouse requests are the right button's business (OnMouseDown); a
  // keyboard request that follows the menu key's own release was served.
  if (event->reason() != QContextMenuEvent::Keyboard) return;
  if (menuKeyPopped_) {
    menuKeyPopped_ = false;
    return;
  }
  if (OnContextKey) OnContextKey();
}

// --- mouse -------------------------------------------------------------

int cuiGrid::SizingColumnAt(QPoint pos) const {
  if (pos.y() < 0 || pos.y() >= FixedHeight()) return -1;
  int found = -1;
  for (int c = 0; c < ColCount(); ++c) {
    const int left = ColLeft(c);
    if (left == INT_MIN || ColWidth(c) <= 0) continue;
    const int right = left + ColWidth(c);
    if (std::abs(pos.x() - right) <= kSizingSlop) found = c;
  }
  return found;
}

void cuiGrid::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  lastMouse_ = pos;
  if (focusPolicy() & Qt::ClickFocus) setFocus(Qt::MouseFocusReason);
  if (event->button() == Qt::LeftButton) {
    const int sizing = colSizing_ ? SizingColumnAt(pos) : -1;
    if (sizing >= 0) {
      mouseMode_ = MouseMode::ColSizing;
      sizingCol_ = sizing;
      return;
    }
    const QPoint cell = MouseCoord(pos.x(), pos.y());
    if (cell.x() >= fixedCols_ && cell.y() >= fixedRows_) {
      MoveColRow(cell.x(), cell.y(), true, true);
      mouseMode_ = MouseMode::Selecting;
      scrollTimer_.start();
    }
  }
  if (OnMouseDown) OnMouseDown(event->button(), event->modifiers(), pos);
}

void cuiGrid::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  lastMouse_ = pos;
  switch (mouseMode_) {
    case MouseMode::Selecting: {
      const QPoint cell = MouseCoord(pos.x(), pos.y());
      if (cell.x() >= fixedCols_ && cell.y() >= fixedRows_ &&
          cell.x() <= LastFullVisibleCol() + 1 && cell.y() <= LastFullVisibleRow() + 1 &&
          (cell.x() != col_ || cell.y() != row_))
        MoveColRow(cell.x(), cell.y(), true, true);
      break;
    }
    case MouseMode::ColSizing: {
      const int left = ColLeft(sizingCol_);
      if (left != INT_MIN) {
        colWidths_[static_cast<std::size_t>(sizingCol_)] = std::max(pos.x() - left, 1);
        ClampTopLeft();
        UpdateScrollBars();
        viewport()->update();
      }
      break;
    }
    case MouseMode::Normal:
      if (colSizing_)
        viewport()->setCursor(SizingColumnAt(pos) >= 0 ? Qt::SplitHCursor : Qt::ArrowCursor);
      break;
  }
  if (OnMouseMove) OnMouseMove(event->button(), event->modifiers(), pos);
}

void cuiGrid::CancelMouseMode() {
  const MouseMode mode = mouseMode_;
  mouseMode_ = MouseMode::Normal;
  scrollTimer_.stop();
  if (mode == MouseMode::ColSizing) NotifyColWidths();
}

void cuiGrid::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  lastMouse_ = pos;
  if (event->button() == Qt::LeftButton) CancelMouseMode();
  if (OnMouseUp) OnMouseUp(event->button(), event->modifiers(), pos);
}

void cuiGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  lastMouse_ = pos;
  if (focusPolicy() & Qt::ClickFocus) setFocus(Qt::MouseFocusReason);
  if (event->button() == Qt::LeftButton && OnDblClick)
    OnDblClick(event->button(), event->modifiers(), pos);
  if (OnMouseDown) OnMouseDown(event->button(), event->modifiers(), pos);
}

void cuiGrid::TimedScrollTick() {
  if (mouseMode_ != MouseMode::Selecting) {
    scrollTimer_.stop();
    return;
  }
  int directions = 0;
  int right = FixedWidth();
  for (int c = leftCol_; c <= LastFullVisibleCol(); ++c) right += ColWidth(c);
  int bottom = FixedHeight();
  for (int r = topRow_; r <= LastFullVisibleRow(); ++r) bottom += RowHeight(r);
  if (lastMouse_.x() < FixedWidth())
    directions |= kScrollLeft;
  else if (lastMouse_.x() > right)
    directions |= kScrollRight;
  if (lastMouse_.y() < FixedHeight())
    directions |= kScrollUp;
  else if (lastMouse_.y() > bottom)
    directions |= kScrollDown;
  if (directions == 0) return;
  if (onTimedScroll_)
    onTimedScroll_(directions);
  else
    DefaultTimedScroll(directions);
}

void cuiGrid::DefaultTimedScroll(int directions) {
  int col = col_;
  int row = row_;
  if ((directions & kScrollLeft) && col > fixedCols_) --col;
  if ((directions & kScrollRight) && col < ColCount() - 1) ++col;
  if ((directions & kScrollUp) && row > fixedRows_) --row;
  if ((directions & kScrollDown) && row < RowCount() - 1) ++row;
  if (col != col_ || row != row_) MoveColRow(col, row, true, true);
}

// --- focus and input method ----------------------------------------------

void cuiGrid::focusInEvent(QFocusEvent* event) {
  if (event->reason() != Qt::PopupFocusReason && onSetFocus_) onSetFocus_();
  QAbstractScrollArea::focusInEvent(event);
  InvalidateCell(col_, row_);
}

void cuiGrid::focusOutEvent(QFocusEvent* event) {
  composing_ = false;
  if (event->reason() != Qt::PopupFocusReason && onKillFocus_) onKillFocus_();
  QAbstractScrollArea::focusOutEvent(event);
  InvalidateCell(col_, row_);
}

void cuiGrid::inputMethodEvent(QInputMethodEvent* event) {
  event->accept();
  const bool preedit = !event->preeditString().isEmpty();
  if (composing_) {
    composing_ = preedit;
    return;
  }
  if (!preedit && event->commitString().isEmpty()) return;
  composing_ = preedit;
  if (onImeStart_) onImeStart_();
  QWidget* target = QApplication::focusWidget();
  if (target && target != this && target->testAttribute(Qt::WA_InputMethodEnabled)) {
    composing_ = false;
    QCoreApplication::sendEvent(target, event);
  }
}

QVariant cuiGrid::inputMethodQuery(Qt::InputMethodQuery query) const {
  switch (query) {
    case Qt::ImEnabled: return testAttribute(Qt::WA_InputMethodEnabled);
    case Qt::ImCursorRectangle: return CellRect(col_, row_);
    default: return QAbstractScrollArea::inputMethodQuery(query);
  }
}
