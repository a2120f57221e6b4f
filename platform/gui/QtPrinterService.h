#pragma once
// The printer as a QPrinter at the printer's own resolution, set up with
// QPrintDialog. Qt can always print to a PDF file, so there is always a
// printer here.
#include <memory>

#include "platform/PrinterService.h"

class QPrinter;

namespace platform {

class QtPrinterService final : public PrinterService {
 public:
  QtPrinterService();
  ~QtPrinterService() override;

  QPagedPaintDevice* Printer() override;
  bool Setup(QObject* owner) override;

 private:
  std::unique_ptr<QPrinter> printer_;
};

}  // namespace platform
