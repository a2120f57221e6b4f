#include "sheet/FlectorPlacement.h"

#include <algorithm>

namespace placement {
namespace {

constexpr int kIndent = 8;  // the list starts this far right of the cell's left edge

}  // namespace

FlectorPlace PlaceFlector(const platform::ScreenRect& cell, int fullWidth, int fullHeight,
                          const platform::ScreenRect& workArea) {
  FlectorPlace place;
  int width = fullWidth;
  int height = fullHeight;
  if (width > workArea.Width() || height > workArea.Height()) {
    place.scrollBars = true;
    width = std::min(width, workArea.Width());
    height = std::min(height, workArea.Height());
  }

  int x = cell.left + kIndent;
  int y = cell.bottom;
  bool overlapping = false;
  if (y + height > workArea.bottom) {
    if (height >= cell.top - workArea.top) {
      y = workArea.bottom - height;
      overlapping = true;
    } else {
      y = cell.top - height;
    }
  }
  if (x + width > workArea.right) {
    if (overlapping && width < cell.left - workArea.left)
      x = cell.left - width;
    else
      x = workArea.right - width;
  }
  // A cell partly left of or above the work area must not take the list
  // off the screen.
  x = std::max(x, workArea.left);
  y = std::max(y, workArea.top);
  place.window = platform::ScreenRect::FromSize(x, y, width, height);
  return place;
}

}  // namespace placement
