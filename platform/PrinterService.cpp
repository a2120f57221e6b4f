#include "platform/PrinterService.h"

#include <cstdio>

namespace platform {
namespace {

class HeadlessPrinters final : public PrinterService {
 public:
  QPagedPaintDevice* Printer() override { return nullptr; }
  bool Setup(QObject*) override {
    std::fprintf(stderr, "[printer set-up, cancelled]\n");
    std::fflush(stderr);
    return false;
  }
};

HeadlessPrinters& HeadlessPrinterService() {
  static HeadlessPrinters headless;
  return headless;
}

PrinterService* g_printers = nullptr;

}  // namespace

PrinterService& Printers() { return g_printers ? *g_printers : HeadlessPrinterService(); }
void InstallPrinterService(PrinterService* service) { g_printers = service; }

ScopedPrinterService::ScopedPrinterService(PrinterService* service) : previous_(g_printers) {
  g_printers = service;
}
ScopedPrinterService::~ScopedPrinterService() { g_printers = previous_; }

}  // namespace platform
