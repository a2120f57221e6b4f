#pragma once
// Where a popup choice list opens: a pure function over screen rectangles
// (exclusive right and bottom edges). The list opens just below its cell,
// 8 pixels in; it goes above the cell, or to the bottom of the work area,
// when it would cross the bottom, and left of the cell or against the right
// edge when it would cross the right. A list larger than the work area is cut
// to it and scrolls. The result never starts left of or above the work area.
#include "platform/Monitors.h"

namespace placement {

struct FlectorPlace {
  platform::ScreenRect window;  // the popup window on the screen
  bool scrollBars = false;      // the list did not fit and scrolls
};

// cell: the cell's rectangle on the screen; full: the list's full width and
// height (left and top ignored); workArea: the work area of the cell's monitor.
FlectorPlace PlaceFlector(const platform::ScreenRect& cell, int fullWidth, int fullHeight,
                          const platform::ScreenRect& workArea);

}  // namespace placement
