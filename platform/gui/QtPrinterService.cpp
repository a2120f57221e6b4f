#include "platform/gui/QtPrinterService.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

namespace platform {

QtPrinterService::QtPrinterService() = default;
QtPrinterService::~QtPrinterService() = default;

QPagedPaintDevice* QtPrinterService::Printer() {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return printer_.get();
}

bool QtPrinterService::Setup(QObject* owner) {
  auto* printer = static_cast<QPrinter*>(Printer());
  QWidget* parent =
      owner && owner->isWidgetType() ? static_cast<QWidget*>(owner) : nullptr;
  QPrintDialog dialog(printer, parent);
  dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
  // Pages are chosen in the preview, not here.
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  if (dialog.exec() != QDialog::Accepted) return false;
  printer->setCopyCount(1);
  printer->setPrintRange(QPrinter::AllPages);
  return true;
}

}  // namespace platform
