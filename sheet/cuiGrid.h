#pragma once
// The drawn grid under every sheet: columns and rows of pixel sizes (down to
// 1; 0 hides one), fixed columns and rows that stay put while the rest
// scrolls a whole cell at a time, a current cell, mouse selection with a
// timed scroll past the edges, and column sizing by dragging the borders in
// the fixed rows.
//
// The grid draws nothing itself and draws no grid lines: every cell in the
// update region is painted by OnDrawCell through the grid's canvas. Each
// notification is a closure; an unset closure leaves the grid's own
// behaviour (arrows move the current cell, a timed scroll steps it). Key
// down closures may consume a key by setting it to 0.
//
// Positions outside the table are refused quietly: the current cell and the
// scroll position never leave the table, MouseCoord answers (-1, -1) off the
// cells and CellRect an empty rectangle for a cell that is not on screen.
#include <QAbstractScrollArea>
#include <QColor>
#include <QPoint>
#include <QRect>
#include <QTimer>
#include <functional>
#include <vector>

#include "sheet/cuiPainterCanvas.h"

class cuiGrid : public QAbstractScrollArea {
  Q_OBJECT
 public:
  // States passed to OnDrawCell.
  enum DrawState : int { kDrawSelected = 1, kDrawFocused = 2, kDrawFixed = 4 };
  // Directions of a timed scroll (the mouse is past these edges).
  enum ScrollDirection : int { kScrollLeft = 1, kScrollRight = 2, kScrollUp = 4, kScrollDown = 8 };
  enum class MouseMode { Normal, Selecting, ColSizing };
  // Distance from a column's right border within which the fixed rows offer
  // sizing.
  static constexpr int kSizingSlop = 3;
  // Interval of the timed scroll while the mouse is dragged past an edge.
  static constexpr int kTimedScrollMs = 60;

  using NotifyFn = std::function<void()>;
  using DrawCellFn = std::function<void(int col, int row, const QRect& rect, int state)>;
  using SelectCellFn = std::function<void(int col, int row, bool& canSelect)>;
  using TimedScrollFn = std::function<void(int directions)>;
  // Key is a Qt::Key; setting it to 0 consumes it.
  using KeyFn = std::function<void(int& key, Qt::KeyboardModifiers modifiers)>;
  // The character of a key press as the program counts it (see keyPressEvent).
  using KeyPressFn = std::function<void(int ch)>;
  using MouseFn =
      std::function<void(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos)>;
  // The keyboard's menu key asks for the context menu.
  using ContextKeyFn = std::function<void()>;

  explicit cuiGrid(QWidget* parent = nullptr);
  ~cuiGrid() override;

  // Window notifications, called before the grid's own handling. Focus moves
  // caused by a popup menu opening or closing are not reported.
  void SetOnSetFocus(NotifyFn fn) { onSetFocus_ = std::move(fn); }
  void SetOnKillFocus(NotifyFn fn) { onKillFocus_ = std::move(fn); }
  // The first input-method event of a composition; afterwards the event goes
  // on to whichever widget then holds the focus (an editor the closure
  // opened), else it is dropped.
  void SetOnImeStartComposition(NotifyFn fn) { onImeStart_ = std::move(fn); }
  void SetOnTimedScroll(TimedScrollFn fn) { onTimedScroll_ = std::move(fn); }

  // Grid notifications and control events, set directly.
  DrawCellFn OnDrawCell;
  SelectCellFn OnSelectCell;    // before a cell becomes current; can-select starts true
  NotifyFn OnColWidthsChanged;  // after widths changed (sizing, SetColWidth)
  NotifyFn OnTopLeftChanged;    // the left column or top row changed
  NotifyFn OnPaletteChange;     // the grid's palette (its system colours) changed
  KeyFn OnKeyDown;
  KeyPressFn OnKeyPress;
  KeyFn OnKeyUp;
  MouseFn OnMouseDown;  // after the grid's own handling of the press
  MouseFn OnMouseUp;
  MouseFn OnMouseMove;
  MouseFn OnDblClick;
  ContextKeyFn OnContextKey;

  // --- table shape -------------------------------------------------------
  int ColCount() const { return static_cast<int>(colWidths_.size()); }
  int RowCount() const { return static_cast<int>(rowHeights_.size()); }
  // At least 1; new columns and rows take the default size.
  void SetColCount(int count);
  void SetRowCount(int count);
  int FixedCols() const { return fixedCols_; }
  int FixedRows() const { return fixedRows_; }
  // Clamped to 0..count - 1.
  void SetFixedCols(int count);
  void SetFixedRows(int count);
  int DefaultColWidth() const { return defaultColWidth_; }
  int DefaultRowHeight() const { return defaultRowHeight_; }
  // Sets every column width (row height) as well.
  void SetDefaultColWidth(int width);
  void SetDefaultRowHeight(int height);
  // 0 for a position outside the table.
  int ColWidth(int col) const;
  int RowHeight(int row) const;
  // Negative sizes count as 0; positions outside the table are ignored.
  void SetColWidth(int col, int width);
  void SetRowHeight(int row, int height);
  int GridWidth() const;   // sum of the column widths
  int GridHeight() const;  // sum of the row heights
  int ClientWidth() const;
  int ClientHeight() const;

  // --- scrolling ---------------------------------------------------------
  int LeftCol() const { return leftCol_; }
  int TopRow() const { return topRow_; }
  // Clamped to FixedCols .. the last left column that still shows the last
  // column whole (rows likewise).
  void SetLeftCol(int col);
  void SetTopRow(int row);
  // Scrollable columns (rows) shown whole from the left column (top row).
  int VisibleColCount() const;
  int VisibleRowCount() const;
  // Scroll bars as needed, or none (popups sized to their sheet).
  void SetScrollBarsEnabled(bool on);

  // --- current cell ------------------------------------------------------
  int Col() const { return col_; }
  int Row() const { return row_; }
  // Move the current cell (asking OnSelectCell) and scroll it into view.
  void SetCol(int col) { MoveColRow(col, row_, true, true); }
  void SetRow(int row) { MoveColRow(col_, row, true, true); }
  // False when the position lies outside the table or OnSelectCell refused.
  bool MoveColRow(int col, int row, bool moveAnchor, bool show);

  // --- geometry ----------------------------------------------------------
  // The cell's rectangle in viewport coordinates; empty when it is scrolled
  // away or outside the table.
  QRect CellRect(int col, int row) const;
  // The cell under a viewport point; (-1, -1) off the cells.
  QPoint MouseCoord(int x, int y) const;
  void InvalidateCell(int col, int row);
  void InvalidateRow(int row);
  void InvalidateGrid();

  // --- behaviour ---------------------------------------------------------
  void SetColSizing(bool on) { colSizing_ = on; }
  bool ColSizing() const { return colSizing_; }
  MouseMode GetMouseMode() const { return mouseMode_; }
  // Ends a mouse selection or sizing in progress as a release would.
  void CancelMouseMode();
  // Background beyond the cells.
  void SetColor(const QColor& color);
  QColor Color() const { return color_; }
  // Measures outside painting; draws during OnDrawCell.
  cuiCanvas& Canvas() { return canvas_; }
  // True while a paint runs whose region covers the rectangle: the cell is
  // being drawn already and needs no invalidation.
  bool InPaintRegion(const QRect& rect) const;
  // Last mouse position seen over the viewport.
  QPoint LastMousePos() const { return lastMouse_; }
  // One tick of the timed scroll (the grid's timer calls it every
  // kTimedScrollMs while a mouse selection runs; tests call it directly).
  void TimedScrollTick();
  bool TimedScrollRunning() const { return scrollTimer_.isActive(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

 private:
  int ColLeft(int col) const;  // viewport x, or INT_MIN when scrolled away
  int RowTop(int row) const;
  int FixedWidth() const;
  int FixedHeight() const;
  int MaxLeftCol() const;
  int MaxTopRow() const;
  int LastFullVisibleCol() const;
  int LastFullVisibleRow() const;
  void ClampInView(int col, int row);
  void UpdateScrollBars();
  void ClampTopLeft();
  void NotifyColWidths();
  bool DefaultKey(int key, Qt::KeyboardModifiers modifiers);
  void DefaultTimedScroll(int directions);
  int SizingColumnAt(QPoint pos) const;  // -1 when none

  std::vector<int> colWidths_;
  std::vector<int> rowHeights_;
  int fixedCols_ = 0;
  int fixedRows_ = 0;
  int defaultColWidth_ = 64;
  int defaultRowHeight_ = 24;
  int leftCol_ = 0;
  int topRow_ = 0;
  int col_ = 0;
  int row_ = 0;
  bool colSizing_ = false;
  bool scrollBars_ = true;
  bool syncingBars_ = false;
  bool inColWidthsChanged_ = false;
  MouseMode mouseMode_ = MouseMode::Normal;
  int sizingCol_ = -1;
  QPoint lastMouse_;
  QTimer scrollTimer_;
  bool composing_ = false;
  bool menuKeyPopped_ = false;
  QColor color_;
  cuiPainterCanvas canvas_;
  const QRegion* paintRegion_ = nullptr;  // during paintEvent

  NotifyFn onSetFocus_;
  NotifyFn onKillFocus_;
  NotifyFn onImeStart_;
  TimedScrollFn onTimedScroll_;
};
