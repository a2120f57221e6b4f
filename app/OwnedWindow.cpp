#include "app/OwnedWindow.h"

#include <QWidget>
#include <QWindow>

#include "core/WindowPlacement.h"

namespace ownedwindow {
namespace {

platform::ScreenRect FrameOf(QWidget* window) {
  if (const std::optional<platform::ScreenRect> rect = platform::CurrentMonitors().WindowRect(window))
    return *rect;
  return platform::ScreenRect::FromQRect(window->frameGeometry());
}

void MoveTo(QWidget* window, const platform::ScreenRect& rect) {
  window->move(rect.left, rect.top);
  window->resize(rect.Width(), rect.Height());
}

}  // namespace

void Attach(QWidget* window, QWidget* owner) {
  if (!window || !owner) return;
  QWidget* top = owner->window();
  if (!window->windowHandle()) window->winId();
  if (!top->windowHandle()) top->winId();
  if (window->windowHandle() && top->windowHandle())
    window->windowHandle()->setTransientParent(top->windowHandle());
}

void CenterOver(QWidget* window, QWidget* owner) {
  if (!window || !owner) return;
  const placement::MonitorList monitors = platform::CurrentMonitors().List();
  const platform::ScreenRect form =
      platform::ScreenRect::FromSize(0, 0, window->width(), window->height());
  MoveTo(window, placement::CenterForm(form, FrameOf(owner->window()), monitors));
}

void CenterInWorkArea(QWidget* window, QWidget* owner) {
  if (!window) return;
  const placement::MonitorList monitors = platform::CurrentMonitors().List();
  const std::optional<platform::ScreenRect> area =
      placement::GetMonitorWorkArea(owner ? owner->window() : nullptr);
  platform::ScreenRect rect = platform::ScreenRect::FromSize(0, 0, window->width(), window->height());
  if (!area) return;
  rect = placement::LimitFormSize(rect, area, monitors);
  rect = placement::CenterForm(rect, *area, monitors);
  rect = placement::FitFormToMonitor(rect, area, monitors);
  MoveTo(window, rect);
}

}  // namespace ownedwindow
