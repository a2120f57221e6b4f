#include "app/cuiPrinter.h"

#include <QApplication>
#include <QCoreApplication>
#include <QPagedPaintDevice>
#include <QWidget>
#include <charconv>

#include "app/OwnedWindow.h"
#include "app/PrintingDialog.h"
#include "app/cuiPreview.h"
#include "core/AppMessageBox.h"
#include "core/TextTableChoice.h"
#include "core/cmcGTex.h"
#include "core/indEnviron.h"
#include "platform/Clock.h"
#include "platform/MessageBoxService.h"
#include "platform/PrinterService.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiPainterCanvas.h"
#include "sheet/cuiSheet.h"

namespace {

constexpr int kPrintModeSheet = 0;
constexpr int kWaitMs = 10;

// Releases a sheet (its controls go with it) and then its hidden form.
struct PrintedSheet {
  std::unique_ptr<QWidget> form = std::make_unique<QWidget>();
  cuiSheet* sheet = nullptr;

  PrintedSheet() = default;
  PrintedSheet(const PrintedSheet&) = delete;
  PrintedSheet& operator=(const PrintedSheet&) = delete;
  ~PrintedSheet() { Drop(); }
  void Drop() {
    if (sheet) sheet->Release();
    sheet = nullptr;
  }
};

int PositiveOr(std::string_view text, int fallback) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && value > 0 ? value : fallback;
}

// The printer's cell font before a sheet is built: the printer font size in
// points, so stored screen widths scale to the printer.
QFont PointFont(int points) {
  QFont font;
  font.setPointSize(points);
  return font;
}

}  // namespace

cuiPrinter::cuiPrinter(QWidget* owner, indEnviron& settings, cmcGTex& texts, std::string version,
                       SheetFactory factory, const cuiImageList* images)
    : owner_(owner),
      settings_(settings),
      texts_(texts),
      version_(std::move(version)),
      factory_(std::move(factory)),
      images_(images),
      tick_(new cmcTask) {
  // The tick runs only while a print of all pages goes on: an idle program
  // wakes up for nothing.
  tick_->SetInterval(-1);
  tick_->SetHandler(this, &cuiPrinter::OnTick);
}

cuiPrinter::~cuiPrinter() {
  tick_.reset();
  if (documentOpen_) EndDocument();
  delete dialog_.data();
  if (busy_ && owner_) owner_->setEnabled(true);
}

PrintingDialog* cuiPrinter::Dialog() const { return dialog_.data(); }

cuiCanvas* cuiPrinter::PrinterCanvas() const { return canvas_.get(); }

void cuiPrinter::EnableHelpWindows() const {
  if (enableHelp_) enableHelp_();
}

int cuiPrinter::FramePoints() const {
  return PositiveOr(texts_.GetFirst("GI_Sys_Printer_FrameFont"), kFramePointsFallback);
}

cuiSheet* cuiPrinter::CreateSheet(QWidget* parent, const std::string& pageName) const {
  cuiSheet* sheet = factory_(parent, pageName);
  if (sheet) sheet->SetSettings(&settings_);
  return sheet;
}

printpage::FrameTexts cuiPrinter::FrameTextsOf(const cuiSheet& sheet) const {
  printpage::FrameTexts texts;
  texts.title = sheet.GetTitleText();
  texts.revision = texts_.GetFirst("GI_Sys_AppTitleRev");
  if (const std::size_t at = texts.revision.find("%s"); at != std::string::npos)
    texts.revision.replace(at, 2, version_);
  texts.maker = texts_.GetFirst("GI_Sys_Maker");
  return texts;
}

void cuiPrinter::Print(int mode, cuiSheet* sheet) {
  if (!sheet || busy_ || preview_) return;
  sheet->CommitEditor();
  sheet->SaveColWidths();
  // Asked now: the screen's sheet may be rebuilt while the preview runs.
  const bool sheetCanPrint = sheet->CanPrint();
  const std::string title = texts_.GetFirst("GI_Sys_AppTitle");

  platform::PrinterService& printers = platform::Printers();
  if (!printers.Printer()) {
    MessageBoxCp932(QApplication::activeWindow(), GetGTexLines(texts_, "GI_Sys_Printer_NoPrinter"),
                    title, platform::mb::IconError);
    return;
  }
  if (!printers.Setup(owner_)) return;
  device_ = printers.Printer();
  if (!device_) return;

  if (owner_) owner_->setEnabled(false);
  cancel_ = false;
  failed_ = false;
  dialog_ = new PrintingDialog(texts_, [this] { cancel_ = true; });
  ownedwindow::Attach(dialog_, owner_);
  ownedwindow::CenterOver(dialog_, owner_);

  UseDevice(device_);

  const std::vector<std::string> names =
      mode == kPrintModeSheet ? std::vector<std::string>{sheet->GetTitle()} : pageNames_;
  bool chosen = false;
  {
    cuiPreview preview(owner_, ToDisplayText(title), images_, mode != kPrintModeSheet, *this);
    preview_ = &preview;
    int total = 0;
    for (const std::string& name : names) total += PrintSheet(name, area_, false, nullptr);
    preview.Prepare(total);
    for (const std::string& name : names) PrintSheet(name, area_, false, &preview);
    chosen = preview.Run();
    preview_ = nullptr;
  }

  if (!chosen) {
    FinishRun(false);
    return;
  }
  ShowPrintingDialog();
  WaitBriefly();
  if (mode == kPrintModeSheet) {
    if (sheetCanPrint) PrintSheet(names.front(), area_, true, nullptr);
    FinishRun(failed_);
    return;
  }
  nextIndex_ = 0;
  busy_ = true;
  tick_->SetInterval(kTickMs);
}

void cuiPrinter::UseDevice(QPagedPaintDevice* device) {
  if (documentOpen_) EndDocument();
  device_ = device;
  canvas_.reset();
  if (!device_) return;
  dpi_ = device_->logicalDpiY();
  area_ = printgeom::PrintableArea(texts_.GetFirst("GI_Sys_Printer_Margins"), device_->width(),
                                   device_->height(), dpi_);
  canvas_ = std::make_unique<cuiPainterCanvas>(device_);
  documentOpen_ = false;
  pagePrinted_ = false;
}

void cuiPrinter::OnTick(cmcTask&) {
  if (!busy_) return;
  if (nextIndex_ < pageNames_.size()) {
    if (!cancel_) PrintSheet(pageNames_[nextIndex_], area_, true, nullptr);
    ++nextIndex_;
    if (failed_) {
      FinishRun(true);
      return;
    }
  }
  if (nextIndex_ >= pageNames_.size() || cancel_) FinishRun(false);
}

void cuiPrinter::FinishRun(bool failed) {
  if (!EndDocument()) failed = true;
  canvas_.reset();
  device_ = nullptr;
  delete dialog_.data();
  if (busy_ || failed) pageNames_.clear();
  busy_ = false;
  nextIndex_ = 0;
  tick_->SetInterval(-1);
  // The owner first: a box over a disabled owner could not be answered.
  if (owner_) owner_->setEnabled(true);
  if (failed) {
    MessageBoxCp932(owner_, GetGTexLines(texts_, "GI_Sys_Printer_Error"),
                    texts_.GetFirst("GI_Sys_AppTitle"), platform::mb::IconError);
  }
  failed_ = false;
  if (owner_) {
    owner_->activateWindow();
    owner_->setFocus();
  }
}

void cuiPrinter::ShowPrintingDialog() {
  if (!dialog_) return;
  dialog_->show();
  dialog_->raise();
}

void cuiPrinter::WaitBriefly() {
  QCoreApplication::processEvents();
  platform::CurrentClock().SleepMs(kWaitMs);
}

void cuiPrinter::PumpEvents() { QCoreApplication::processEvents(); }

bool cuiPrinter::PrintPage(cuiSheet& sheet, const printgeom::Frame& frame, int c0, int r0, int m,
                           int n) {
  if (!documentOpen_) {
    if (!canvas_ || !canvas_->Begin()) return false;
    documentOpen_ = true;
    pagePrinted_ = false;
  }
  if (pagePrinted_ && !device_->newPage()) return false;
  const int size = printgeom::FontHeight(FramePoints(), dpi_);
  canvas_->SetFont(printpage::FrameFont(sheet, size));
  printpage::DrawFrame(*canvas_, area_, printgeom::PrinterTextHeight(FramePoints(), dpi_),
                       FrameTextsOf(sheet), true);
  printpage::PageCells(sheet, QPoint(frame.inner.left, frame.inner.top), c0, r0, m, n, true);
  pagePrinted_ = true;
  return true;
}

bool cuiPrinter::EndDocument() {
  if (!documentOpen_) return true;
  documentOpen_ = false;
  return canvas_->End();
}

int cuiPrinter::PrintSheet(const std::string& pageName, const printgeom::Box& area, bool toPrinter,
                           cuiPreview* preview) {
  if (!canvas_ || failed_) return 0;
  const std::int32_t savedCut = settings_.ViewCutBits;
  const int points = settings_.FontSizePrinter;
  int h = printgeom::FontHeight(points, dpi_);
  PrintedSheet printed;
  auto build = [&] {
    printed.Drop();
    canvas_->SetFont(PointFont(points));
    printed.sheet = CreateSheet(printed.form.get(), pageName);
    if (!printed.sheet) return;
    printed.sheet->SetPrinterCanvas(canvas_.get());
    printed.sheet->SetFontSize(h);
    printed.sheet->Build();
  };
  build();

  int count = 0;
  const int t = printgeom::PrinterTextHeight(FramePoints(), dpi_);
  const printgeom::Frame frame = printgeom::PageFrame(area, t);
  if (printed.sheet && !frame.inner.IsEmpty()) {
    const std::vector<int> colBands = printpage::ColumnBands(*printed.sheet, frame.inner.Width());
    const std::vector<int> rowBands = printpage::RowBands(*printed.sheet, frame.inner.Height());
    const QPoint origin(frame.inner.left, frame.inner.top);
    bool dropped = false;
    bool stop = false;
    int r0 = printed.sheet->Grid()->FixedRows();
    for (std::size_t rb = 0; rb < rowBands.size() && !stop; ++rb) {
      int c0 = printed.sheet->Grid()->FixedCols();
      for (std::size_t cb = 0; cb < colBands.size() && !stop; ++cb) {
        const int m = colBands[cb];
        const int n = rowBands[rb];
        printgeom::Box cells;
        for (int attempt = 0; attempt < 3; ++attempt) {
          if (dropped) build();
          dropped = false;
          if (!printed.sheet || !printed.sheet->CanPrint() || cancel_) {
            stop = true;
            break;
          }
          cells = printpage::PageCells(*printed.sheet, origin, c0, r0, m, n, false);
          if (printgeom::CellsFit(frame.inner, cells.Width(), cells.Height())) break;
          h = printgeom::FitFontHeight(h, frame.inner, cells.Width(), cells.Height());
          dropped = true;
        }
        if (!stop && dropped) {
          build();
          dropped = false;
          if (!printed.sheet || !printed.sheet->CanPrint() || cancel_) stop = true;
          if (!stop) cells = printpage::PageCells(*printed.sheet, origin, c0, r0, m, n, false);
        }
        if (stop) break;
        if (toPrinter) {
          if (!PrintPage(*printed.sheet, frame, c0, r0, m, n)) {
            failed_ = true;
            stop = true;
            break;
          }
          PumpEvents();
        }
        if (preview) preview->AddPage(pageName, area, c0, r0, m, n, cells);
        ++count;
        c0 += m;
      }
      r0 += rowBands[rb];
    }
  }
  printed.Drop();
  settings_.ViewCutBits = savedCut;
  return count;
}
