#include "app/EscapedExceptions.h"

#include <exception>

#include "core/AppMessageBox.h"
#include "platform/Fatal.h"
#include "platform/MessageBoxService.h"

namespace escape {
namespace {

bool g_escaped = false;
bool g_showing = false;

void Show(const QString& text) {
  const bool first = !g_escaped;
  g_escaped = true;
  QCoreApplication::exit(kExitCode);
  if (!first || g_showing) return;
  g_showing = true;
  AppMessageBox(nullptr, text, platform::FatalCaption(), platform::mb::IconError);
  g_showing = false;
  // A loop the box's own loop ran inside still has to end.
  QCoreApplication::exit(kExitCode);
}

}  // namespace

bool RunGuarded(const std::function<bool()>& call) {
  try {
    return call();
  } catch (const std::exception& e) {
    Show(QString::fromLocal8Bit(e.what()));
  } catch (...) {
    Show(QStringLiteral("Unknown exception."));
  }
  return false;
}

int RunLoop(const std::function<int()>& exec) {
  int result = 0;
  RunGuarded([&] {
    result = exec();
    return true;
  });
  return g_escaped ? kExitCode : result;
}

bool Escaped() { return g_escaped; }

}  // namespace escape

bool ProgramApplication::notify(QObject* receiver, QEvent* event) {
  return escape::RunGuarded([&] { return QApplication::notify(receiver, event); });
}
