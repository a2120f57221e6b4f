#pragma once
// A sheet: one table page of the program (a channel list, a settings page,
// an information page, a popup choice list), built entirely from three text
// table values named after its key, K + "_Style", K + "_BasicCell" and
// K + "_Cells", and shown on a drawn grid under an optional title bar. The
// cells hold no values: what they show and do comes from the cell handler,
// to which every key, click, menu command and committed edit travels as a
// command capsule (DoCellAction).
//
// Page classes derive from it: the build steps, the markup hooks, the
// capsule, the cursor and the drawing are virtual, and the layout state, the
// row and cell tables and the grid are open to them.
//
// A position outside the cell table is an internal failure ("Illegal Cell
// selection"), so is a cells key that yields no row or cell ("Illegal Cell
// assign"); both end the program. Mouse positions off the cells do nothing.
// Owners end a sheet with Release(): while the sheet's own action runs (a
// handler may close the page it was called from), the sheet goes only once
// that action has returned.
//
// With settings given, a sheet builds at the settings' font percentage and
// keeps its column widths and the column-cut mask per sheet group there
// (ColWidthStore); without, it builds at 100 % and stores nothing.
#include <QtCore/qnamespace.h>

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellObj.h"

class QFrame;
class QLabel;
class QMenu;
class QWidget;
struct cmcEvent;
class cmcGTex;
class cuiCanvas;
class cuiGrid;
class cuiImageList;
class cuiMenu;
class cuiSheetEditor;
class indEnviron;

// One entry of the cell table.
struct clsSheetCellId {
  enum : std::uint8_t {
    kRowMulti = 1,      // the row allows multi-selection
    kSelected = 2,      // selected
    kLineHighlight = 4  // highlighted as part of a selected line
  };
  cmcCellObj cell;
  std::uint8_t flags = kRowMulti;
};

// One grid row: the line of the cells key it comes from and whether it is
// selectable (the SelectON/SelectOFF state of its place in the markup).
struct SheetRowAttr {
  int sourceLine = 0;
  bool selectable = true;
  int cellCount = 0;  // cells parsed (or copied) into the row
};

class cuiSheet {
 public:
  // Sheet flags.
  enum : std::uint8_t {
    kReadOnly = 1,        // a choice list: Enter and clicks choose
    kNoPrint = 2,         // the page is not printed
    kColSizing = 4,       // columns are sized with the mouse
    kColorSelectLine = 8  // the current row is tinted
  };
  // Interaction flags.
  enum : std::uint8_t {
    kSheetMoving = 1,     // the sheet itself moves the cursor
    kMultiSelection = 2,  // a multi-cell selection exists
    kMouseSelecting = 4   // the mouse is selecting
  };
  enum class MultiSelectMode : int { None = 0, Cell = 1, Line = 2 };
  // Follow-up passes one action may run; a handler asking for more is
  // refused the rest (it would otherwise hold the program forever).
  static constexpr int kMaxActionPasses = 16;
  // First follow-up pause and its decrease per pass (milliseconds): the grid
  // repaints between passes so the user sees each step.
  static constexpr int kFollowUpDelayMs = 30;
  static constexpr int kFollowUpDelayStepMs = 6;
  // Rows a Page Up or Page Down moves.
  static constexpr int kPageRows = 10;

  // The capsule (when given) is copied; the owner, text table and images
  // must outlive the sheet.
  cuiSheet(QWidget* owner, const cmcCellCapsule* templateCapsule, int startCellId, int startIndex,
           cmcGTex& gtex, std::string key, cuiImageList* images);
  virtual ~cuiSheet();
  cuiSheet(const cuiSheet&) = delete;
  cuiSheet& operator=(const cuiSheet&) = delete;

  // Ends the sheet now, or, while its own DoCellAction runs, as soon as
  // that returns. The pointer must not be used afterwards.
  void Release();
  bool ReleasePending() const { return releasePending_; }

  // --- configuration before Build ---------------------------------------
  void SetCellHandler(CellHandler handler) { handler_ = std::move(handler); }
  // The handler the sheet's cells call (the registered one once built
  // without its own); the field dialogs answer through it.
  const CellHandler& GetCellHandler() const { return handler_; }
  void SetReadOnly(bool on);
  bool IsReadOnly() const { return (sheetFlags_ & kReadOnly) != 0; }
  // Printing on a printer canvas: the scale is the printer's vertical
  // resolution over the screen's (an integer quotient).
  void SetPrinterCanvas(cuiCanvas* printer);
  // Printing through a bitmap for print preview (scale 1).
  void SetPrintMode(cuiCanvas* printer, cuiCanvas* bitmap);
  void SetBitmapMode(bool on) { bitmapMode_ = on; }
  // A fixed font height for the basic cell (0: the global font percentage).
  void SetFontSize(int height) { fixedFontHeight_ = height; }
  // Start cell and scroll position (-1: none); forgotten when outside.
  void SetStartCell(int col, int row, int leftCol, int topRow);
  void SetTitle(std::string_view title) { title_ = std::string(title); }
  void SetResetWidths(bool on) { resetWidths_ = on; }
  // The settings the sheet reads and writes (null: none); they must outlive
  // the sheet.
  void SetSettings(indEnviron* settings) { settings_ = settings; }
  indEnviron* Settings() const { return settings_; }

  // --- the build steps (in slot order) -----------------------------------
  // Name text and sheet number (its first comma field; -1 when empty).
  virtual void SetName(std::string_view name);
  virtual void Build();
  virtual void SetStyleItem(std::string_view item);
  virtual void DoCommand(std::string_view item);
  virtual void BuildCells();
  virtual void BuildBasicCell();
  virtual void LayoutCells(const std::string& cellsKey);
  virtual void CreateCells(const std::string& cellsKey);
  virtual void OnBeginRow(int row) {}
  virtual void OnBeginCell(int col, int row) {}
  virtual void OnCellSelectHook(cmcCellObj* cell) {}
  virtual void PrepareCapsule(int col, int row, cmcCellCapsule& capsule);
  // Runs an operation on the cell at (col, row); with a text, the first
  // request carries it as a committed edit (mode 1, operation 0).
  virtual void DoCellAction(int col, int row, int operation, int popupCommand,
                            const std::string* text);
  virtual void MoveCursor(int dx, int dy);
  virtual void SelectRange(int col, int row);
  virtual std::string GetTitleText() const;
  virtual bool IsPrintable() const;
  virtual bool CanPrint() const { return IsPrintable(); }
  virtual void OnCellSelected(int col, int row, bool& canSelect);
  virtual void DrawCell(int col, int row, const QRect& rect, int state);
  // Stored widths of the data columns and the column-cut mask (127, then
  // the group's stored mask); when printing, stored widths only narrow.
  virtual void LoadColWidths();
  // The data columns' widths and the mask, on screen only.
  virtual void SaveColWidths();

  // --- queries -----------------------------------------------------------
  clsSheetCellId& GetCellSlot(int col, int row);
  cmcCellObj* GetCell(int col, int row) { return &GetCellSlot(col, row).cell; }
  bool InTable(int col, int row) const;
  bool IsDataCell(int col, int row) const;
  int GetFullWidth() const;
  int GetFullHeight() const;
  const std::string& GetName() const { return name_; }
  int GetNumber() const { return number_; }
  const std::string& GetTitle() const { return title_; }
  const std::string& GetKey() const { return key_; }
  cuiGrid* Grid() const { return grid_; }
  QWidget* Owner() const { return owner_; }
  QWidget* BodyPanel() const;
  QLabel* TitleLabel() const;
  cuiSheetEditor* Editor() const { return editor_; }
  bool EditorVisible() const;
  const cmcCellObj& BasicCell() const { return basicCell_; }
  const cmcCellCapsule* TemplateCapsule() const { return template_.get(); }
  MultiSelectMode GetMultiSelect() const { return multiSelect_; }
  int FixedColsStyle() const { return fixedCols_; }
  int FixedRowsStyle() const { return fixedRows_; }
  int PrintFontRatio() const { return printFontRatio_; }
  // The "TitleFont" style item (none: the sheet gave no title font).
  const std::optional<FontSpec>& TitleFontSpec() const { return titleFont_; }
  bool ColCutMenu() const { return colCutMenu_; }
  std::uint8_t SheetFlags() const { return sheetFlags_; }
  std::uint8_t InteractionFlags() const { return interaction_; }
  int FirstDataCol() const { return firstDataCol_; }
  int FirstDataRow() const { return firstDataRow_; }
  int IndexOffset() const { return indexOffset_; }
  void SetIndexOffset(int offset) { indexOffset_ = offset; }
  bool Printing() const { return printer_ != nullptr; }
  // The screen's vertical resolution (96 without a screen).
  static int ScreenPixelsPerInch();
  double PrintScale() const { return printScale_; }
  cuiMenu* ContextMenu() const { return contextMenu_.get(); }
  QMenu* ContextPopup() const;

  // --- interaction -------------------------------------------------------
  // Makes current the data cell with exactly these values (the last such in
  // row order); none: the cursor stays.
  void FindCell(int category, int cellId, int index);
  // The capsule's redraw closure: redraws the visible cells that match the
  // capsule's cell under any bit of the mask.
  void InvalidateMatching(const cmcCellCapsule& capsule, int mask);
  // The data cell a position belongs to: itself, or for a trailing cell the
  // nearest data cell on its left. False when there is none.
  bool FindOwnerDataCell(int& col, int& row) const;
  // Opens the in-place editor on (col, row); nothing when the cell is off
  // screen or too small.
  void OpenEditor(int col, int row, int maxLength, std::string_view text, int caret, int selLength);
  // Commits an open editor once: takes its text, hides it, then runs the
  // cell's action with it. Nothing when no editor shows.
  void CommitEditor();
  // Hides the editor without committing (Escape); refocus: back to the grid.
  void CancelEditor(bool refocus);
  // Commits (when one shows) and gives the grid the focus when asked.
  void HideEditor(bool refocus);
  // Rebuilds the context menu for a cell (force: even when unchanged).
  void UpdateContextMenu(int col, int row, bool force);
  void UpdateInputMethod(int col, int row);
  // Shows the context menu at a global position (the mouse) or, without one,
  // under the current cell.
  void PopupContextMenu(std::optional<QPoint> globalPos);
  // The grid's key and mouse reactions, open to page classes.
  virtual void OnGridKeyDown(int& key, Qt::KeyboardModifiers modifiers);
  virtual void OnGridKeyPress(int ch);
  virtual void OnGridMouseDown(Qt::MouseButton button, QPoint pos);
  virtual void OnGridMouseUp(Qt::MouseButton button, QPoint pos);
  virtual void OnGridMouseMove(QPoint pos);
  virtual void OnGridDblClick(QPoint pos);
  // Fits a column to its contents (double click on a header border): the
  // widest header caption or display text plus the margins.
  virtual void FitColumn(int col);
  // The column width the cell needs to show its display text (a data cell
  // asks the handler; any other shows its caption) in full: the text's
  // extent in the cell's font plus the margins.
  int DisplayTextWidth(int col, int row);
  // The row height the cell needs to show its display text in full in a
  // text rectangle of the given width: the text's height as drawn (a
  // wrapped cell breaks its lines at that width as drawing does) plus the
  // margins, as a sample of as many lines sizes its row.
  int DisplayTextHeight(int col, int row, int width);
  // Keeps data columns between the minimum width and the maximum (650, or
  // the width left beside the fixed columns when that is less); the grid
  // calls it whenever widths change.
  void ClampColWidths();
  // The unfocused-selection and current-row tints (from the grid palette's
  // text and base colours).
  QColor UnfocusedTint() const { return unfocusedTint_; }
  QColor CurrentRowTint() const { return currentRowTint_; }

 protected:
  // Parenthesised items of a markup value, '(' to the next ')' (double-byte
  // aware).
  static std::vector<std::string_view> SplitItems(std::string_view text);
  void OnEvent(const cmcEvent& event);
  void ConnectGrid();
  void MakeCurrent(int col, int row);
  void ClearSelectionMarks();
  void SetEntrySelected(int col, int row, bool on);
  void UpdateLineHighlights();
  void RedrawSelection();
  void InvalidateRowFromFixed(int row);
  void OnEditorKeyDown(int& key, Qt::KeyboardModifiers modifiers);
  void EditorClosure(const cmcCellCapsule& capsule, int flag);
  // The canvas cells are measured and drawn on: the grid's, or when
  // printing the printer's (the bitmap's in bitmap mode).
  virtual cuiCanvas& MeasureCanvas();
  // The global font percentage of the settings (100 without settings).
  int FontPercentage() const;
  // A system or fixed colour as drawn on this sheet's grid.
  QColor SheetColor(std::uint32_t color) const;
  // Recomputes the tints from the grid's palette.
  void UpdateTints();
  // Asks the handler for a cell's display text and marks through the
  // drawing capsule (notify 0).
  void QueryCell(const cmcCellObj& cell, cuiCanvas& canvas, const QRect& textRect, bool selected);
  // A text's extent in the cell's font plus the margins.
  int TextWidthIn(const cmcCellObj& cell, std::string_view text);
  // What the cell shows: the handler's text for a data cell, else its
  // caption.
  std::string DisplayText(int col, int row);
  // The row whose cells say which columns are data columns.
  int WidthReferenceRow() const;
  // The sheet's group in the width list (empty: none); looked up once.
  const std::string& WidthGroup();
  // Stored screen widths -> printer pixels.
  double PrintWidthScale();
  void DrawPrintedMarkers(cuiCanvas& canvas, int x, int bottom, int size, std::uint8_t bits);
  // The Qt font of a cell font, remembered for the next cell (most cells
  // share one).
  const QFont& QFontFor(const FontSpec& spec);
  void PlacePanels();

  QWidget* owner_;
  cmcGTex& gtex_;
  std::string key_;
  std::unique_ptr<cmcCellCapsule> template_;
  cuiImageList* images_;
  CellHandler handler_;
  int startCellId_;
  int startIndex_;
  std::string name_;
  int number_ = -1;
  int indexOffset_ = 0;
  std::intptr_t mouseSuppress_ = 0;
  bool building_ = false;
  int lastHoverCol_ = -1;
  int lastHoverRow_ = -1;
  cuiCanvas* printer_ = nullptr;
  cuiCanvas* bitmap_ = nullptr;
  bool bitmapMode_ = false;
  double printScale_ = 1.0;
  int fixedFontHeight_ = 0;
  int startCol_ = -1;
  int startRow_ = -1;
  int startLeftCol_ = -1;
  int startTopRow_ = -1;
  std::string title_;

  // Style values.
  std::optional<std::string> titleString_;
  std::optional<FontSpec> titleFont_;
  std::uint32_t titleColor_ = color::kGrayText;
  int fixedCols_ = 0;
  int fixedRows_ = 0;
  int printFontRatio_ = 100;
  MultiSelectMode multiSelect_ = MultiSelectMode::None;
  bool colCutMenu_ = false;
  std::uint8_t sheetFlags_ = 0;

  int firstDataCol_ = 0;
  int firstDataRow_ = 0;

  // Controls (Qt parents own them; the pointers go null when they do).
  QPointer<QFrame> titlePanel_;
  QPointer<QLabel> titleLabel_;
  QPointer<QFrame> bodyPanel_;
  cuiGrid* grid_ = nullptr;
  cuiSheetEditor* editor_ = nullptr;
  int editorCol_ = -1;
  int editorRow_ = -1;
  QPointer<QMenu> contextPopup_;
  std::unique_ptr<cuiMenu> contextMenu_;
  const cmcCellObj* lastContextCell_ = nullptr;
  std::string lastContextMenuName_;
  bool editorWrap_ = false;
  bool popupFromMouse_ = false;

  // Layout state.
  std::vector<SheetRowAttr> rows_;
  int currentLine_ = -1;
  int rowCount_ = -1;
  int widestRow_ = -1;
  int loopFrom_ = -1;
  int loopTo_ = -1;
  int loopCount_ = -1;
  std::size_t loopBodyStart_ = 0;  // first row record of the open loop
  bool selectOn_ = true;
  int skipLines_ = 0;  // lines of the cells key the layout passes over (page classes)
  bool resetWidths_ = false;
  bool loadingWidths_ = false;
  indEnviron* settings_ = nullptr;
  std::optional<std::string> widthGroup_;
  QColor windowText_;
  QColor window_;
  QColor unfocusedTint_;
  QColor currentRowTint_;
  CellVariables variables_{};
  cmcCellObj basicCell_;
  std::vector<clsSheetCellId> cells_;  // ColCount x RowCount, row-major
  int colCount_ = 0;
  cmcCellCapsule drawCapsule_;
  std::optional<FontSpec> fontSpec_;
  QFont font_;
  QRect cellRect_;

  int rememberedCol_ = 0;
  int rememberedRow_ = 0;
  int anchorCol_ = -1;
  int anchorRow_ = -1;
  int anchorRow2_ = -1;
  std::uint8_t interaction_ = 0;
  bool imeDisabled_ = false;

 private:
  int actionDepth_ = 0;
  bool releasePending_ = false;
  bool destroying_ = false;
};
