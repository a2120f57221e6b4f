#include "platform/gui/QtMonitors.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace platform {

std::vector<MonitorInfo> QtMonitors::List() {
  std::vector<MonitorInfo> out;
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return out;
  QScreen* primary = QGuiApplication::primaryScreen();
  if (primary)
    out.push_back({ScreenRect::FromQRect(primary->geometry()),
                   ScreenRect::FromQRect(primary->availableGeometry())});
  for (QScreen* screen : QGuiApplication::screens()) {
    if (screen == primary) continue;
    out.push_back({ScreenRect::FromQRect(screen->geometry()),
                   ScreenRect::FromQRect(screen->availableGeometry())});
  }
  return out;
}

std::optional<ScreenRect> QtMonitors::WindowRect(QObject* window) {
  auto* widget = qobject_cast<QWidget*>(window);
  if (!widget) return std::nullopt;
  return ScreenRect::FromQRect(widget->window()->frameGeometry());
}

}  // namespace platform
