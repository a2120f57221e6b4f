#pragma once
// The monitors of the desktop and the screen rectangle of a window, behind an
// interface so that placement rules run on any monitor layout in tests.
// Rectangles have exclusive right and bottom edges, like the classic RECT.
#include <QRect>
#include <optional>
#include <vector>

class QObject;

namespace platform {

struct ScreenRect {
  int left = 0;
  int top = 0;
  int right = 0;   // exclusive
  int bottom = 0;  // exclusive

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  ScreenRect MovedTo(int x, int y) const { return {x, y, x + Width(), y + Height()}; }
  QRect ToQRect() const { return QRect(left, top, Width(), Height()); }
  static ScreenRect FromQRect(const QRect& r) {
    return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
  }
  static ScreenRect FromSize(int x, int y, int width, int height) {
    return {x, y, x + width, y + height};
  }
  friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

struct MonitorInfo {
  ScreenRect geometry;
  ScreenRect workArea;  // the geometry less task bars and docks
};

class Monitors {
 public:
  virtual ~Monitors() = default;
  // Every monitor, the primary first. Empty when there is no display.
  virtual std::vector<MonitorInfo> List() = 0;
  // The frame rectangle of a window (a QWidget); nullopt for none or a
  // non-window object.
  virtual std::optional<ScreenRect> WindowRect(QObject* window) = 0;
};

// The monitors in force: an installed implementation (the application installs
// the screen one), else none at all (no display: forms stay where they are).
Monitors& CurrentMonitors();
void InstallMonitors(Monitors* monitors);

class ScopedMonitors {
 public:
  explicit ScopedMonitors(Monitors* monitors);
  ~ScopedMonitors();
  ScopedMonitors(const ScopedMonitors&) = delete;
  ScopedMonitors& operator=(const ScopedMonitors&) = delete;

 private:
  Monitors* previous_;
};

// A fixed layout, for tests and for callers that know their monitors.
class FixedMonitors final : public Monitors {
 public:
  explicit FixedMonitors(std::vector<MonitorInfo> monitors = {}) : monitors_(std::move(monitors)) {}
  std::vector<MonitorInfo> List() override { return monitors_; }
  std::optional<ScreenRect> WindowRect(QObject* window) override;
  // Gives a window object a rectangle.
  void SetWindowRect(QObject* window, const ScreenRect& rect);

 private:
  std::vector<MonitorInfo> monitors_;
  std::vector<std::pair<QObject*, ScreenRect>> windows_;
};

}  // namespace platform
