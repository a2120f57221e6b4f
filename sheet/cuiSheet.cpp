// Sheet construction, the build from the markup, the layout of the cell
// table, queries and the events a sheet answers.
#include "sheet/cuiSheet.h"

#include <QBoxLayout>
#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <algorithm>
#include <charconv>
#include <unordered_map>

#include "cells/names/CellNames.h"
#include "core/SjisBytes.h"
#include "core/TextExtent.h"
#include "core/TextFields.h"
#include "core/TextTableChoice.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "core/indEnviron.h"
#include "platform/Cp932.h"
#include "platform/Fatal.h"
#include "sheet/ColWidthStore.h"
#include "sheet/DefaultCellHandler.h"
#include "sheet/QtFontColor.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiMenu.h"
#include "sheet/cuiSheetEditor.h"

namespace {

// A style or command number: a decimal after optional blanks; anything
// else, and a negative number, counts as 0.
int StyleNumber(std::string_view text) {
  text = core::TrimBlanksView(text);
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < 0) return 0;
  return value;
}

// The leading integer of a text as atoi reads it (0 when there is none).
int LeadingInt(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9' && value < 100000000; ++i)
    value = value * 10 + (text[i] - '0');
  return static_cast<int>(negative ? -value : value);
}

}  // namespace

int cuiSheet::ScreenPixelsPerInch() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? static_cast<int>(screen->logicalDotsPerInchY()) : 96;
}

cuiSheet::cuiSheet(QWidget* owner, const cmcCellCapsule* templateCapsule, int startCellId,
                   int startIndex, cmcGTex& gtex, std::string key, cuiImageList* images)
    : owner_(owner),
      gtex_(gtex),
      key_(std::move(key)),
      template_(templateCapsule ? std::make_unique<cmcCellCapsule>(*templateCapsule) : nullptr),
      images_(images),
      startCellId_(startCellId),
      startIndex_(startIndex) {
  EvMan().AddListener(this, [this](const cmcEvent& event) { OnEvent(event); });
}

cuiSheet::~cuiSheet() {
  destroying_ = true;
  cmcEvMan* bus = EvManIfInstalled();
  if (bus) bus->RemoveListener(this);
  SaveColWidths();
  const bool controls = !bodyPanel_.isNull();
  if (bus) {
    // Popups and dialogs opened from a cell close with their owner: the
    // owner control, or the grid they were parented to.
    bus->Send(ev::SheetDestroying, 0, reinterpret_cast<std::intptr_t>(owner_));
    if (controls) bus->Send(ev::SheetDestroying, 0, reinterpret_cast<std::intptr_t>(grid_));
  }
  if (bus && contextMenu_) {
    // The main menu's mirror of the context menu calls into this sheet; a
    // mirror of another sheet's menu (the page under a field dialog) stays.
    bus->Send(ev::SubmenuClear, reinterpret_cast<std::intptr_t>(contextMenu_.get()),
              CL_Menu_Edit_Top);
  }
  contextMenu_.reset();
  if (bus) bus->Send(ev::MenusRefresh);
  if (controls) {
    grid_->OnDrawCell = {};
    grid_->OnSelectCell = {};
    grid_->OnColWidthsChanged = {};
    grid_->OnPaletteChange = {};
    grid_->OnTopLeftChanged = {};
    grid_->OnKeyDown = {};
    grid_->OnKeyPress = {};
    grid_->OnKeyUp = {};
    grid_->OnMouseDown = {};
    grid_->OnMouseUp = {};
    grid_->OnMouseMove = {};
    grid_->OnDblClick = {};
    grid_->OnContextKey = {};
    grid_->SetOnSetFocus({});
    grid_->SetOnKillFocus({});
    grid_->SetOnImeStartComposition({});
    grid_->SetOnTimedScroll({});
    if (editor_) {
      editor_->SetExitHookEnabled(false);
      editor_->OnKeyDown = {};
      editor_->OnExit = {};
    }
    bodyPanel_->hide();
    bodyPanel_->deleteLater();
  }
  if (titlePanel_) {
    titlePanel_->hide();
    titlePanel_->deleteLater();
  }
  if (contextPopup_) contextPopup_->deleteLater();
}

void cuiSheet::Release() {
  if (actionDepth_ > 0) {
    releasePending_ = true;
    return;
  }
  delete this;
}

// --- configuration ---------------------------------------------------------

void cuiSheet::SetReadOnly(bool on) {
  sheetFlags_ = static_cast<std::uint8_t>(on ? sheetFlags_ | kReadOnly : sheetFlags_ & ~kReadOnly);
}

void cuiSheet::SetPrinterCanvas(cuiCanvas* printer) {
  printer_ = printer;
  bitmap_ = nullptr;
  printScale_ = 1.0;
  if (printer)
    printScale_ = std::max(printer->PixelsPerInchY() / std::max(ScreenPixelsPerInch(), 1), 1);
}

void cuiSheet::SetPrintMode(cuiCanvas* printer, cuiCanvas* bitmap) {
  printer_ = printer;
  bitmap_ = bitmap;
  printScale_ = 1.0;
}

void cuiSheet::SetStartCell(int col, int row, int leftCol, int topRow) {
  startCol_ = col;
  startRow_ = row;
  startLeftCol_ = leftCol;
  startTopRow_ = topRow;
}

void cuiSheet::SetName(std::string_view name) {
  name_ = std::string(name);
  const std::string_view first = name.substr(0, name.find(','));
  number_ = core::TrimBlanksView(first).empty() ? -1 : LeadingInt(first);
}

// --- build -------------------------------------------------------------------

std::vector<std::string_view> cuiSheet::SplitItems(std::string_view text) {
  std::vector<std::string_view> items;
  std::size_t open = std::string_view::npos;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = core::SjisCharLength(text, i);
    if (n == 1 && text[i] == '(' && open == std::string_view::npos) {
      open = i + 1;
    } else if (n == 1 && text[i] == ')' && open != std::string_view::npos) {
      items.push_back(text.substr(open, i - open));
      open = std::string_view::npos;
    }
    i += n;
  }
  return items;
}

void cuiSheet::Build() {
  if (!handler_) handler_ = DefaultCellHandler();
  building_ = true;
  const std::string style = gtex_.GetFirst(key_ + "_Style");
  for (std::string_view item : SplitItems(style)) SetStyleItem(item);
  PlacePanels();
  UpdateTints();
  BuildCells();

  grid_->SetColSizing((sheetFlags_ & kColSizing) != 0);
  grid_->SetFixedCols(std::min(fixedCols_, grid_->ColCount() - 1));
  grid_->SetFixedRows(std::min(fixedRows_, grid_->RowCount() - 1));
  grid_->SetScrollBarsEnabled(true);
  contextPopup_ = new QMenu(grid_);
  grid_->MoveColRow(0, 0, true, true);
  bool found = false;
  for (int r = 0; r < grid_->RowCount() && !found; ++r)
    for (int c = 0; c < colCount_ && !found; ++c)
      if (IsDataCell(c, r)) found = grid_->MoveColRow(c, r, true, true);
  MoveCursor(0, 0);
  ConnectGrid();

  if (startCol_ >= colCount_ || startRow_ >= grid_->RowCount() || startCol_ < 0 || startRow_ < 0) {
    startCol_ = startRow_ = -1;
  }
  if (startCol_ < 0) {
    if (startCellId_ != 0) {
      bool done = false;
      for (int r = 0; r < grid_->RowCount() && !done; ++r)
        for (int c = 0; c < colCount_ && !done; ++c) {
          const cmcCellObj& cell = GetCellSlot(c, r).cell;
          if (cell.IsDataCell() && cell.cellId == startCellId_ && cell.index == startIndex_) {
            MakeCurrent(c, r);
            done = true;
          }
        }
    }
  } else if (IsDataCell(startCol_, startRow_)) {
    grid_->SetLeftCol(startLeftCol_);
    grid_->SetTopRow(startTopRow_);
    MakeCurrent(startCol_, startRow_);
  }

  if (!IsDataCell(grid_->Col(), grid_->Row())) grid_->setEnabled(false);
  // The opening cell anchors the first Shift selection.
  SelectRange(grid_->Col(), grid_->Row());
  building_ = false;
  grid_->InvalidateGrid();
  UpdateContextMenu(grid_->Col(), grid_->Row(), false);
  UpdateInputMethod(grid_->Col(), grid_->Row());
}

void cuiSheet::PlacePanels() {
  QLayout* layout = owner_->layout();
  if (!layout) {
    auto* box = new QVBoxLayout(owner_);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    layout = box;
  }
  if (titleString_) {
    titlePanel_ = new QFrame(owner_);
    titlePanel_->setAutoFillBackground(true);
    QPalette palette = titlePanel_->palette();
    palette.setColor(QPalette::Window, ToQColor(titleColor_));
    titleLabel_ = new QLabel(titlePanel_);
    titleLabel_->setTextFormat(Qt::PlainText);
    titleLabel_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    if (titleFont_) {
      titleLabel_->setFont(ToQFont(*titleFont_));
      palette.setColor(QPalette::WindowText, ToQColor(titleFont_->color));
    }
    titlePanel_->setPalette(palette);
    titleLabel_->setText(ToDisplayText(GetTitleText()));
    auto* box = new QHBoxLayout(titlePanel_);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(titleLabel_);
    titlePanel_->setFixedHeight(titleLabel_->fontMetrics().height() + 8);
    layout->addWidget(titlePanel_);
    titlePanel_->show();
  }
  bodyPanel_ = new QFrame(owner_);
  auto* box = new QVBoxLayout(bodyPanel_);
  box->setContentsMargins(2, 2, 2, 2);
  box->setSpacing(0);
  grid_ = new cuiGrid(bodyPanel_);
  box->addWidget(grid_);
  if (auto* ownerBox = qobject_cast<QBoxLayout*>(layout))
    ownerBox->addWidget(bodyPanel_, 1);
  else
    layout->addWidget(bodyPanel_);
  bodyPanel_->show();
}

void cuiSheet::SetStyleItem(std::string_view item) {
  const std::size_t eq = item.find('=');
  const std::string_view name = item.substr(0, eq);
  const std::string_view value = eq == std::string_view::npos ? "" : item.substr(eq + 1);
  if (name == "TitleString") {
    if (!value.empty()) titleString_ = std::string(value);
  } else if (name == "TitleColor") {
    ColorNameToColor(core::TrimBlanksView(value), titleColor_);
  } else if (name == "TitleFont") {
    FontSpec font = DefaultFontSpec();
    ParseFontSpec(value, font);
    titleFont_ = font;
  } else if (name == "FixedCols") {
    fixedCols_ = StyleNumber(value);
  } else if (name == "FixedRows") {
    fixedRows_ = StyleNumber(value);
  } else if (item == "NoPrint") {
    sheetFlags_ |= kNoPrint;
  } else if (name == "PrintFontRatio") {
    printFontRatio_ = StyleNumber(value);
  } else if (name == "MultiSelect") {
    const std::string_view mode = core::TrimBlanksView(value);
    multiSelect_ = mode == "Cell"   ? MultiSelectMode::Cell
                   : mode == "Line" ? MultiSelectMode::Line
                                    : MultiSelectMode::None;
  } else if (item == "ColCutMenu") {
    colCutMenu_ = true;
  } else if (item == "ColSizing") {
    sheetFlags_ |= kColSizing;
  } else if (item == "ColorSelectLine") {
    sheetFlags_ |= kColorSelectLine;
  }
}

void cuiSheet::DoCommand(std::string_view item) {
  if (item.substr(0, 8) == "LoopFrom") {
    loopFrom_ = currentLine_;
    loopCount_ = std::max(StyleNumber(item.substr(8)), 1);
    loopBodyStart_ = rows_.size();
  } else if (item.substr(0, 6) == "LoopTo") {
    loopTo_ = currentLine_;
  } else if (item == "SelectON") {
    selectOn_ = true;
  } else if (item == "SelectOFF") {
    selectOn_ = false;
  }
}

void cuiSheet::BuildCells() {
  BuildBasicCell();
  LayoutCells(key_ + "_Cells");
  cells_.assign(static_cast<std::size_t>(colCount_) * rows_.size(), clsSheetCellId{});
  const int unit = Printing() && !bitmapMode_ ? std::max(static_cast<int>(printScale_), 1) : 1;
  grid_->SetDefaultColWidth(unit);
  grid_->SetDefaultRowHeight(unit);
  firstDataCol_ = colCount_;
  firstDataRow_ = static_cast<int>(rows_.size());
  CreateCells(key_ + "_Cells");
  for (clsSheetCellId& entry : cells_) entry.cell.index += indexOffset_;
  basicCell_.index += indexOffset_;
}

void cuiSheet::BuildBasicCell() {
  std::string markup = gtex_.GetFirst(key_ + "_BasicCell");
  if (fixedFontHeight_ != 0)
    markup += "{(Font=,,," + std::to_string(fixedFontHeight_) + ",,,)}";
  else
    markup += "{(Font=,,,%" + std::to_string(FontPercentage()) + ",,,)}";
  if (Printing() && printFontRatio_ != 100)
    markup += "{(Font=,,,%" + std::to_string(printFontRatio_) + ",,,)}";
  basicCell_ = cmcCellObj();
  basicCell_.Parse(markup, gtex_, nullptr, nullptr);
  grid_->SetColor(ToQColor(basicCell_.color));
  bodyPanel_->setFont(ToQFont(basicCell_.EffectiveFont()));
}

void cuiSheet::LayoutCells(const std::string& cellsKey) {
  rows_.clear();
  rowCount_ = 0;
  widestRow_ = 0;
  loopFrom_ = loopTo_ = loopCount_ = -1;
  selectOn_ = true;
  skipLines_ = 0;
  for (int line = 0;; ++line) {
    const std::string text = gtex_.GetText(cellsKey, line);
    if (!text.empty() && text[0] == '#') break;
    if (skipLines_ > 0) {
      --skipLines_;
      continue;
    }
    currentLine_ = line;
    if (!text.empty() && text[0] == ':') {
      for (std::string_view item : SplitItems(text)) DoCommand(item);
      if (loopFrom_ >= 0 && loopTo_ >= 0 && loopCount_ >= 0) {
        const std::vector<SheetRowAttr> body(
            rows_.begin() + static_cast<std::ptrdiff_t>(std::min(loopBodyStart_, rows_.size())),
            rows_.end());
        for (int k = 1; k < loopCount_; ++k)
          for (SheetRowAttr row : body) {
            row.selectable = selectOn_;
            rows_.push_back(row);
          }
        loopFrom_ = loopTo_ = loopCount_ = -1;
      }
      continue;
    }
    int cells = 0;
    std::string_view rest = text;
    do {
      rest = cmcCellObj::SkipCell(rest);
      ++cells;
    } while (!rest.empty());
    widestRow_ = std::max(widestRow_, cells);
    rows_.push_back({line, selectOn_, 0});
  }
  rowCount_ = static_cast<int>(rows_.size());
  colCount_ = widestRow_;
  if (colCount_ <= 0 || rowCount_ <= 0) platform::Fatal(QStringLiteral("Illegal Cell assign"));
  grid_->SetColCount(colCount_);
  grid_->SetRowCount(rowCount_);
}

cuiCanvas& cuiSheet::MeasureCanvas() {
  if (printer_) return bitmapMode_ && bitmap_ ? *bitmap_ : *printer_;
  return grid_->Canvas();
}

void cuiSheet::CreateCells(const std::string& cellsKey) {
  cuiCanvas& canvas = MeasureCanvas();
  const double scale = printScale_;
  const int rowCount = static_cast<int>(rows_.size());
  std::vector<int> widths(static_cast<std::size_t>(colCount_), grid_->DefaultColWidth());
  std::vector<int> heights(static_cast<std::size_t>(rowCount), grid_->DefaultRowHeight());
  std::optional<FontSpec> extentFont;
  // Measuring borrows the canvas font; the printer's own font comes back
  // for the stored widths' scale and whatever it draws next.
  const QFont canvasFont = canvas.Font();
  std::unordered_map<std::string, core::TextExtent> extents;
  for (int r = 0; r < rowCount; ++r) {
    OnBeginRow(r);
    SheetRowAttr& row = rows_[static_cast<std::size_t>(r)];
    if (r > 0 && row.sourceLine == rows_[static_cast<std::size_t>(r - 1)].sourceLine) {
      // A loop repetition: the row above, one index on.
      row.cellCount = rows_[static_cast<std::size_t>(r - 1)].cellCount;
      for (int c = 0; c < row.cellCount; ++c) {
        cmcCellObj& cell = GetCellSlot(c, r).cell;
        cell = GetCellSlot(c, r - 1).cell;
        ++cell.index;
      }
      heights[static_cast<std::size_t>(r)] = heights[static_cast<std::size_t>(r - 1)];
    } else {
      const std::string text = gtex_.GetText(cellsKey, row.sourceLine);
      std::string_view rest = text;
      int c = 0;
      do {
        if (c >= colCount_) break;
        OnBeginCell(c, r);
        cmcCellObj& cell = GetCellSlot(c, r).cell;
        rest = cell.Parse(rest, gtex_, &variables_, &basicCell_);
        const bool w = cell.HasLayout(celllayout::kWidthFromText);
        const bool h = cell.HasLayout(celllayout::kHeightFromText);
        if (w || h) {
          // Sample captions repeat down a page: each is measured once per font.
          FontSpec spec = cell.EffectiveFont();
          if (!extentFont || !(*extentFont == spec)) {
            canvas.SetFont(QFontFor(spec));
            extentFont = std::move(spec);
            extents.clear();
          }
          const std::string caption(cell.GetCaption());
          auto known = extents.find(caption);
          if (known == extents.end())
            known = extents.emplace(caption, core::GetTextExtentLines(canvas, caption)).first;
          const core::TextExtent extent = known->second;
          const int width = static_cast<int>(extent.width + 8 * scale + 0.5);
          const int height = static_cast<int>(extent.height + 2 * scale + 0.5);
          if (w)
            widths[static_cast<std::size_t>(c)] =
                std::max(widths[static_cast<std::size_t>(c)], width);
          if (h)
            heights[static_cast<std::size_t>(r)] =
                std::max(heights[static_cast<std::size_t>(r)], height);
        }
        if (cell.IsDataCell()) {
          firstDataCol_ = std::min(firstDataCol_, c);
          firstDataRow_ = std::min(firstDataRow_, r);
        }
        ++c;
      } while (!rest.empty());
      row.cellCount = c;
    }
    const bool multi = multiSelect_ != MultiSelectMode::None && row.selectable;
    for (int c = 0; c < colCount_; ++c) {
      clsSheetCellId& entry = GetCellSlot(c, r);
      entry.flags = multi ? clsSheetCellId::kRowMulti : 0;
    }
  }
  canvas.SetFont(canvasFont);
  for (int c = 0; c < colCount_; ++c) grid_->SetColWidth(c, widths[static_cast<std::size_t>(c)]);
  for (int r = 0; r < rowCount; ++r) grid_->SetRowHeight(r, heights[static_cast<std::size_t>(r)]);
  if (!Printing() && !IsReadOnly()) {
    if (resetWidths_ && settings_) ColWidthStore(*settings_, gtex_).ResetWidths();
    LoadColWidths();
    SaveColWidths();
  } else if (Printing()) {
    LoadColWidths();
  }
  resetWidths_ = false;
}

// --- queries -----------------------------------------------------------------

bool cuiSheet::InTable(int col, int row) const {
  return !cells_.empty() && col >= 0 && row >= 0 && col < colCount_ &&
         static_cast<std::size_t>(row) * static_cast<std::size_t>(colCount_) +
                 static_cast<std::size_t>(col) <
             cells_.size();
}

clsSheetCellId& cuiSheet::GetCellSlot(int col, int row) {
  if (!InTable(col, row)) platform::Fatal(QStringLiteral("Illegal Cell selection"));
  return cells_[static_cast<std::size_t>(row) * static_cast<std::size_t>(colCount_) +
                static_cast<std::size_t>(col)];
}

bool cuiSheet::IsDataCell(int col, int row) const {
  if (!InTable(col, row)) return false;
  return cells_[static_cast<std::size_t>(row) * static_cast<std::size_t>(colCount_) +
                static_cast<std::size_t>(col)]
      .cell.IsDataCell();
}

int cuiSheet::GetFullWidth() const {
  return grid_ ? grid_->GridWidth() + owner_->width() - grid_->ClientWidth() : 0;
}

int cuiSheet::GetFullHeight() const {
  return grid_ ? grid_->GridHeight() + owner_->height() - grid_->ClientHeight() : 0;
}

QWidget* cuiSheet::BodyPanel() const { return bodyPanel_; }
QLabel* cuiSheet::TitleLabel() const { return titleLabel_; }
QMenu* cuiSheet::ContextPopup() const { return contextPopup_; }

int cuiSheet::FontPercentage() const {
  if (!settings_ || settings_->FontSizePercentage < 1) return 100;
  return settings_->FontSizePercentage;
}

bool cuiSheet::EditorVisible() const { return editor_ && !editor_->isHidden(); }

std::string cuiSheet::GetTitleText() const { return titleString_.value_or(std::string()); }

bool cuiSheet::IsPrintable() const { return (sheetFlags_ & kNoPrint) == 0; }

// --- capsule -----------------------------------------------------------------

void cuiSheet::PrepareCapsule(int col, int row, cmcCellCapsule& capsule) {
  capsule.Clear();
  capsule.owner = grid_;
  capsule.owner2 = grid_;
  capsule.cell = GetCell(col, row);
  cellRect_ = grid_->CellRect(col, row);
  capsule.cellRect = cellRect_;
  capsule.imageList = images_;
  capsule.parent = template_.get();
  capsule.redrawClosure = [this](const cmcCellCapsule& c, int mask) {
    InvalidateMatching(c, mask);
  };
  capsule.editorClosure = [this](const cmcCellCapsule& c, int flag) { EditorClosure(c, flag); };
  if (col == grid_->Col() && row == grid_->Row()) capsule.stateBits |= cellstate::kCurrent;
  if (Printing()) capsule.stateBits |= cellstate::kPrinting;
  capsule.sheetTitle = title_;
  capsule.sheetName = name_;
  capsule.sheet = this;
  if (interaction_ & kMultiSelection) {
    capsule.selectionBits |= cellselect::kHasSelection;
    const int fixed = grid_->FixedCols();
    const int anchorRow = anchorRow_ >= 0 ? anchorRow_ : grid_->Row();
    if (InTable(fixed, anchorRow) && InTable(fixed, grid_->Row())) {
      const int a = GetCellSlot(fixed, anchorRow).cell.index;
      const int b = GetCellSlot(fixed, grid_->Row()).cell.index;
      capsule.firstSelected = std::min(a, b);
      capsule.lastSelected = std::max(a, b);
    }
  }
}

// --- events ------------------------------------------------------------------

void cuiSheet::OnEvent(const cmcEvent& event) {
  if (destroying_ || !grid_) return;
  const bool mine = contextMenu_ && event.p1 == reinterpret_cast<std::intptr_t>(contextMenu_.get());
  switch (event.id) {
    case ev::QueryCurrentCell:
      if (mine && InTable(grid_->Col(), grid_->Row())) {
        // A copy that needs nothing of this sheet once the sheet is gone.
        cmcCellObj copy = GetCellSlot(grid_->Col(), grid_->Row()).cell;
        copy.font = copy.EffectiveFont();
        const std::string_view menu = copy.GetPopupMenuName(0);
        const std::string_view colCut = copy.GetPopupMenuName(1);
        copy.popupMenuName = menu.empty() ? std::nullopt : std::optional<std::string>(menu);
        copy.colCutPopupMenuName =
            colCut.empty() ? std::nullopt : std::optional<std::string>(colCut);
        copy.base = nullptr;
        EvMan().AnswerData(std::move(copy));
      }
      break;
    case ev::QuerySheetName:
      if (mine) EvMan().AnswerStr(name_);
      break;
    case ev::QuerySheetTitle:
      if (mine) EvMan().AnswerStr(title_);
      break;
    case ev::CellsRefreshAll:
    case ev::CellsRefreshCategory:
    case ev::CellsRefreshCellId:
    case ev::CellsRefreshIndex:
    case ev::CellsRefreshIndex2:
    case ev::CellsRefreshIndex3: {
      static constexpr int kMasks[] = {32, 2, 4, 8, 128, 64};
      const int v = static_cast<int>(event.p2);
      cmcCellObj reference;
      reference.index = -1;
      switch (event.id) {
        case ev::CellsRefreshCategory: reference.category = v; break;
        case ev::CellsRefreshCellId: reference.cellId = v; break;
        case ev::CellsRefreshIndex:
        case ev::CellsRefreshIndex2:
        case ev::CellsRefreshIndex3:
          reference.index = v;
          // The masks of these events compare indexes only for a reference
          // with a category: stand in one, or no row would ever redraw.
          reference.category = CT_Null;
          break;
        default: break;
      }
      cmcCellCapsule capsule;
      capsule.cell = &reference;
      InvalidateMatching(capsule, kMasks[event.id - ev::CellsRefreshAll]);
      break;
    }
    case ev::SheetFlag: mouseSuppress_ = event.p2; break;
    case ev::EndCellEditing: CommitEditor(); break;
    default: break;
  }
}
