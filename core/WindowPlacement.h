#pragma once
// Placement of forms on the monitors' work areas. Pure functions over
// exclusive-edge rectangles and a monitor list; the *Current* shorthands read
// the installed platform::Monitors. With no monitors every form stays put.
#include <optional>
#include <vector>

#include "platform/Monitors.h"

class QObject;

namespace placement {

using platform::MonitorInfo;
using platform::ScreenRect;
using MonitorList = std::vector<MonitorInfo>;

// Work area of the monitor nearest to a point: the one containing it, else
// the closest one.
std::optional<ScreenRect> GetPointMonitorWorkArea(const MonitorList& monitors, int x, int y);

// Work area of the monitor nearest to a rectangle: the one with the largest
// overlap, else the closest one.
std::optional<ScreenRect> GetRectMonitorWorkArea(const MonitorList& monitors,
                                                 const ScreenRect& rect);

// With a window: the work area of the monitor nearest to it; without (or for
// an object with no rectangle): the desktop work area (the primary monitor's).
std::optional<ScreenRect> GetMonitorWorkArea(QObject* window);

// Centred over the parent (integer division toward zero), then fitted to the
// form's monitor.
ScreenRect CenterForm(const ScreenRect& form, const ScreenRect& parent,
                      const MonitorList& monitors);

// Moved into the work area of the window's monitor (the form's own when there
// is no window): right and left, then bottom and top, so the top-left corner
// wins for a form larger than the area.
ScreenRect FitFormToMonitor(const ScreenRect& form, const std::optional<ScreenRect>& window,
                            const MonitorList& monitors);

// A form's stored corner and size as a rectangle, held to the virtual
// desktop (the box around all monitors) before any sum is taken: a size of
// at least 1 and at most the desktop's, a corner at most one form size
// outside the desktop. Whatever int32 values a hand-edited settings file
// holds, no edge or later sum overflows; values already in that range come
// back as they were. Without monitors the desktop is taken as 2^24 pixels
// either way of 0.
ScreenRect StoredFormRect(int left, int top, int width, int height, const MonitorList& monitors);

// Moved so that every corner lies on some monitor's work area.
ScreenRect KeepFormOnScreen(const ScreenRect& form, const MonitorList& monitors);

// Width and height cut to those of the work area of the window's (or the
// form's own) monitor.
ScreenRect LimitFormSize(const ScreenRect& form, const std::optional<ScreenRect>& window,
                         const MonitorList& monitors);

}  // namespace placement
