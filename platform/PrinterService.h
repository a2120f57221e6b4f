#pragma once
// The printer and its set-up dialog behind an interface, so that every
// print run can be answered by a script in tests (which print into a PDF
// file at a fixed resolution).
//
// The service keeps one printer for the program, made on first use, as the
// page size, resolution and destination the user chose last. "No printer"
// is the one case where the service can make none.
class QObject;
class QPagedPaintDevice;

namespace platform {

class PrinterService {
 public:
  virtual ~PrinterService() = default;
  // The program's printer; null when the system can make none.
  virtual QPagedPaintDevice* Printer() = 0;
  // Shows the printer set-up over the owner (a QWidget when there is one).
  // True when the user accepted; the printer then prints one copy. The
  // printer may be a new one afterwards: ask Printer() again.
  virtual bool Setup(QObject* owner) = 0;
};

// The process-wide service. Without an installed one there is no printer
// (no display, no person).
PrinterService& Printers();
void InstallPrinterService(PrinterService* service);

class ScopedPrinterService {
 public:
  explicit ScopedPrinterService(PrinterService* service);
  ~ScopedPrinterService();
  ScopedPrinterService(const ScopedPrinterService&) = delete;
  ScopedPrinterService& operator=(const ScopedPrinterService&) = delete;

 private:
  PrinterService* previous_;
};

}  // namespace platform
