#include "core/WindowPlacement.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace placement {
namespace {

std::int64_t Gap(int lo, int hi, int v) {  // distance of v from [lo, hi)
  if (v < lo) return static_cast<std::int64_t>(lo) - v;
  if (v >= hi) return static_cast<std::int64_t>(v) - hi + 1;
  return 0;
}

std::int64_t Overlap(const ScreenRect& a, const ScreenRect& b) {
  const std::int64_t w = std::min(a.right, b.right) - std::max(a.left, b.left);
  const std::int64_t h = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
  return w > 0 && h > 0 ? w * h : 0;
}

std::int64_t RectGap(const ScreenRect& a, const ScreenRect& b) {
  const std::int64_t dx = std::max<std::int64_t>(
      {0, std::int64_t{b.left} - a.right + 1, std::int64_t{a.left} - b.right + 1});
  const std::int64_t dy = std::max<std::int64_t>(
      {0, std::int64_t{b.top} - a.bottom + 1, std::int64_t{a.top} - b.bottom + 1});
  return dx * dx + dy * dy;
}

}  // namespace

std::optional<ScreenRect> GetPointMonitorWorkArea(const MonitorList& monitors, int x, int y) {
  const MonitorInfo* best = nullptr;
  std::int64_t bestGap = std::numeric_limits<std::int64_t>::max();
  for (const MonitorInfo& m : monitors) {
    if (m.geometry.Contains(x, y)) return m.workArea;
    const std::int64_t dx = Gap(m.geometry.left, m.geometry.right, x);
    const std::int64_t dy = Gap(m.geometry.top, m.geometry.bottom, y);
    if (dx * dx + dy * dy < bestGap) {
      bestGap = dx * dx + dy * dy;
      best = &m;
    }
  }
  if (!best) return std::nullopt;
  return best->workArea;
}

std::optional<ScreenRect> GetRectMonitorWorkArea(const MonitorList& monitors,
                                                 const ScreenRect& rect) {
  const MonitorInfo* best = nullptr;
  std::int64_t bestOverlap = 0;
  for (const MonitorInfo& m : monitors) {
    const std::int64_t o = Overlap(m.geometry, rect);
    if (o > bestOverlap) {
      bestOverlap = o;
      best = &m;
    }
  }
  if (best) return best->workArea;
  std::int64_t bestGap = std::numeric_limits<std::int64_t>::max();
  for (const MonitorInfo& m : monitors) {
    const std::int64_t g = RectGap(m.geometry, rect);
    if (g < bestGap) {
      bestGap = g;
      best = &m;
    }
  }
  if (!best) return std::nullopt;
  return best->workArea;
}

std::optional<ScreenRect> GetMonitorWorkArea(QObject* window) {
  platform::Monitors& current = platform::CurrentMonitors();
  const MonitorList monitors = current.List();
  if (monitors.empty()) return std::nullopt;
  if (window) {
    if (const auto rect = current.WindowRect(window))
      return GetRectMonitorWorkArea(monitors, *rect);
  }
  return monitors.front().workArea;
}

ScreenRect CenterForm(const ScreenRect& form, const ScreenRect& parent,
                      const MonitorList& monitors) {
  const int left = parent.left + (parent.Width() - form.Width()) / 2;
  const int top = parent.top + (parent.Height() - form.Height()) / 2;
  return FitFormToMonitor(form.MovedTo(left, top), std::nullopt, monitors);
}

ScreenRect FitFormToMonitor(const ScreenRect& form, const std::optional<ScreenRect>& window,
                            const MonitorList& monitors) {
  const auto area = GetRectMonitorWorkArea(monitors, window ? *window : form);
  if (!area) return form;
  int left = form.left;
  int top = form.top;
  if (left + form.Width() > area->right) left = area->right - form.Width();
  if (left < area->left) left = area->left;
  if (top + form.Height() > area->bottom) top = area->bottom - form.Height();
  if (top < area->top) top = area->top;
  return form.MovedTo(left, top);
}

ScreenRect StoredFormRect(int left, int top, int width, int height, const MonitorList& monitors) {
  constexpr int kFar = 1 << 24;
  ScreenRect desktop{-kFar, -kFar, kFar, kFar};
  if (!monitors.empty()) {
    desktop = monitors.front().geometry;
    for (const MonitorInfo& m : monitors) {
      desktop.left = std::min(desktop.left, m.geometry.left);
      desktop.top = std::min(desktop.top, m.geometry.top);
      desktop.right = std::max(desktop.right, m.geometry.right);
      desktop.bottom = std::max(desktop.bottom, m.geometry.bottom);
    }
  }
  // One axis: the size within [1, extent], the start within one size of
  // the desktop's edges.
  auto hold = [](int start, int size, int lo, int hi, int* outStart, int* outSize) {
    const std::int64_t extent = std::max<std::int64_t>(std::int64_t{hi} - lo, 1);
    const std::int64_t s = std::clamp<std::int64_t>(size, 1, extent);
    *outSize = static_cast<int>(s);
    *outStart = static_cast<int>(std::clamp<std::int64_t>(start, lo - s, hi));
  };
  int x = 0, y = 0, w = 0, h = 0;
  hold(left, width, desktop.left, desktop.right, &x, &w);
  hold(top, height, desktop.top, desktop.bottom, &y, &h);
  return ScreenRect::FromSize(x, y, w, h);
}

ScreenRect KeepFormOnScreen(const ScreenRect& form, const MonitorList& monitors) {
  if (monitors.empty()) return form;
  struct Corner {
    int x, y;
    bool right, bottom;
  };
  const Corner corners[] = {
      {form.right, form.bottom, true, true},
      {form.left, form.bottom, false, true},
      {form.right, form.top, true, false},
      {form.left, form.top, false, false},
  };
  int dx = 0;
  int dy = 0;
  for (const Corner& c : corners) {
    const auto area = GetPointMonitorWorkArea(monitors, c.x, c.y);
    if (!area) continue;
    const int x = c.x - dx;
    const int y = c.y - dy;
    if (c.right && x >= area->right) dx = c.x - area->right;
    if (c.bottom && y >= area->bottom) dy = c.y - area->bottom;
    if (!c.right && x <= area->left) dx = c.x - area->left;
    if (!c.bottom && y <= area->top) dy = c.y - area->top;
  }
  return form.MovedTo(form.left - dx, form.top - dy);
}

ScreenRect LimitFormSize(const ScreenRect& form, const std::optional<ScreenRect>& window,
                         const MonitorList& monitors) {
  const auto area = GetRectMonitorWorkArea(monitors, window ? *window : form);
  if (!area) return form;
  return ScreenRect::FromSize(form.left, form.top, std::min(form.Width(), area->Width()),
                              std::min(form.Height(), area->Height()));
}

}  // namespace placement
