#pragma once
// Printing: puts sheets on paper as they are laid out on screen, cut into
// pages along column and row bands, the fixed rows and columns repeated on
// every page, each page in a frame (the sheet's title and the program's
// title with its version at the top, the maker's name at the bottom). A page
// whose cells do not fit is printed with a smaller font, and the rest of
// that sheet keeps it. Every run shows its pages in the print preview first.
//
// Print(0, sheet) prints the sheet on screen; Print(1, sheet) prints every
// page of the page-name list, one sheet per 50 ms tick, so that the Cancel
// button of the "Now Printing" window stays responsive. The owner is
// disabled from the set-up dialog's OK to the end of the run.
//
// The printer comes from platform::Printers(): no printer shows the
// "No Printer" box and nothing else. A run begins its document with its
// first page, so a run without pages sends nothing. A printer that fails
// (cannot begin, cannot start a page, cannot finish) stops the run with one
// error box; the owner is enabled again and nothing stays busy.
//
// Printed sheets are built on hidden forms of their own with the settings
// (stored column widths only narrow printed columns); the shared column-cut
// mask is put back after each one.
#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/PrintGeometry.h"
#include "app/PrintPage.h"
#include "core/cmcTask.h"

class QPagedPaintDevice;
class QWidget;
class cmcGTex;
class cuiCanvas;
class cuiImageList;
class cuiPainterCanvas;
class cuiPreview;
class cuiSheet;
class indEnviron;
class PrintingDialog;

class cuiPrinter {
 public:
  // Builds the sheet a page name names on the parent (not yet built).
  using SheetFactory = std::function<cuiSheet*(QWidget* parent, const std::string& pageName)>;

  static constexpr int kTickMs = 50;
  static constexpr int kFramePointsFallback = 14;

  // Owner, settings and texts must outlive the printer; `version` is the
  // program's version text ("1.20"); `images` the tool-bar pictures the
  // preview's buttons show (null: the program's own).
  cuiPrinter(QWidget* owner, indEnviron& settings, cmcGTex& texts, std::string version,
             SheetFactory factory, const cuiImageList* images = nullptr);
  ~cuiPrinter();
  cuiPrinter(const cuiPrinter&) = delete;
  cuiPrinter& operator=(const cuiPrinter&) = delete;

  // Mode 0: the sheet; mode 1: every name of the page-name list. Without a
  // sheet, or while a print-all run is still going, nothing happens.
  void Print(int mode, cuiSheet* sheet);

  // The page names of a print-all run.
  void ClearPageNames() { pageNames_.clear(); }
  void AddPageName(const std::string& name) { pageNames_.push_back(name); }
  const std::vector<std::string>& PageNames() const { return pageNames_; }

  // Called when a modal window of printing shows (the preview), so that the
  // program's help windows stay usable.
  void SetHelpEnabler(std::function<void()> enabler) { enableHelp_ = std::move(enabler); }
  void EnableHelpWindows() const;

  bool Busy() const { return busy_; }
  bool Cancelled() const { return cancel_; }
  void Cancel() { cancel_ = true; }
  cmcTask& Tick() { return *tick_; }
  // The "Now Printing" window while it exists.
  PrintingDialog* Dialog() const;
  // The preview while it runs.
  cuiPreview* Preview() const { return preview_; }
  QWidget* Owner() const { return owner_; }

  // Puts a printer in use: its resolution, the printable area inside the
  // margins and a canvas over it (Print does this after the set-up; counting
  // outside a run, as benchmarks do, needs it first). Nothing is begun.
  void UseDevice(QPagedPaintDevice* device);

  // --- what the preview asks of the printer -------------------------------
  // Prints (toPrinter), hands to the preview (preview) or only counts the
  // pages of one sheet over the printable area; returns the page count (0
  // for a sheet that cannot print or finds no room inside the frame).
  int PrintSheet(const std::string& pageName, const printgeom::Box& area, bool toPrinter,
                 cuiPreview* preview);
  // The sheet of a page name on the parent, with the settings, not built.
  cuiSheet* CreateSheet(QWidget* parent, const std::string& pageName) const;
  // The frame's texts for a sheet.
  printpage::FrameTexts FrameTextsOf(const cuiSheet& sheet) const;
  // The frame font's size in points ("GI_Sys_Printer_FrameFont").
  int FramePoints() const;
  indEnviron& Settings() const { return settings_; }
  cmcGTex& Texts() const { return texts_; }
  const cuiImageList* Images() const { return images_; }
  // The printer of the run (null outside a run) and its canvas.
  QPagedPaintDevice* Device() const { return device_; }
  cuiCanvas* PrinterCanvas() const;
  int PrinterDpi() const { return dpi_; }
  const printgeom::Box& Area() const { return area_; }

 private:
  void OnTick(cmcTask& task);
  // One page to the printer: begins the document before its first page and
  // starts a new paper page after the first. False when the printer failed.
  bool PrintPage(cuiSheet& sheet, const printgeom::Frame& frame, int c0, int r0, int m, int n);
  // Ends the document when one was begun; false when the printer failed.
  bool EndDocument();
  // The end of a run: the window goes, the list is cleared, nothing is busy,
  // the owner is enabled and focused; with `failed` one error box first.
  void FinishRun(bool failed);
  void ShowPrintingDialog();
  void WaitBriefly();
  // Lets the Cancel button answer between printed pages.
  void PumpEvents();

  QWidget* owner_;
  indEnviron& settings_;
  cmcGTex& texts_;
  std::string version_;
  SheetFactory factory_;
  const cuiImageList* images_;
  std::function<void()> enableHelp_;

  bool pagePrinted_ = false;
  bool documentOpen_ = false;
  bool cancel_ = false;
  bool busy_ = false;
  bool failed_ = false;
  printgeom::Box area_;
  int dpi_ = 0;
  std::size_t nextIndex_ = 0;
  QPagedPaintDevice* device_ = nullptr;
  std::unique_ptr<cuiPainterCanvas> canvas_;
  QPointer<PrintingDialog> dialog_;
  std::vector<std::string> pageNames_;
  cmcTaskPtr tick_;
  cuiPreview* preview_ = nullptr;
};
