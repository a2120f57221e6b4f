#include "platform/Fatal.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "platform/MessageBoxService.h"

namespace platform {
namespace {

QString& Caption() {
  static QString caption = QStringLiteral("KW-3700");
  return caption;
}

std::atomic<bool> g_failing{false};

[[noreturn]] void Terminate() {
  std::fputs("Abnormal program termination\n", stderr);
  std::fflush(stderr);
  std::fflush(stdout);
  std::_Exit(3);
}

}  // namespace

void SetFatalCaption(const QString& caption) { Caption() = caption; }
QString FatalCaption() { return Caption(); }

void Fatal(const QString& text) {
  if (g_failing.exchange(true)) Terminate();
  ShowMessageBox(text, Caption(), mb::IconError);
  Terminate();
}

}  // namespace platform
