#include "platform/Monitors.h"

namespace platform {
namespace {

FixedMonitors& NoMonitors() {
  static FixedMonitors none;
  return none;
}

Monitors* g_monitors = nullptr;

}  // namespace

Monitors& CurrentMonitors() { return g_monitors ? *g_monitors : NoMonitors(); }

void InstallMonitors(Monitors* monitors) { g_monitors = monitors; }

ScopedMonitors::ScopedMonitors(Monitors* monitors) : previous_(g_monitors) {
  g_monitors = monitors;
}

ScopedMonitors::~ScopedMonitors() { g_monitors = previous_; }

std::optional<ScreenRect> FixedMonitors::WindowRect(QObject* window) {
  for (const auto& [w, rect] : windows_)
    if (w == window) return rect;
  return std::nullopt;
}

void FixedMonitors::SetWindowRect(QObject* window, const ScreenRect& rect) {
  for (auto& [w, r] : windows_) {
    if (w == window) {
      r = rect;
      return;
    }
  }
  windows_.emplace_back(window, rect);
}

}  // namespace platform
