// Where a popup choice list opens relative to its cell and the work area.
#include "sheet/FlectorPlacement.h"

#include <gtest/gtest.h>

namespace {

using platform::ScreenRect;

struct Case {
  const char* what;
  ScreenRect area;
  ScreenRect cell;
  int width, height;
  ScreenRect window;
  bool scrollBars;
};

const ScreenRect kArea{0, 0, 1920, 1040};

const Case kCases[] = {
    {"room below: just under the cell, 8 pixels in",
     kArea,
     {100, 100, 200, 120},
     200,
     300,
     {108, 120, 308, 420},
     false},
    {"bottom right: above the cell, right-aligned",
     kArea,
     {1800, 1000, 1900, 1020},
     200,
     300,
     {1720, 700, 1920, 1000},
     false},
    {"taller than the area: scrolls, the area's height, at its top",
     kArea,
     {100, 100, 200, 120},
     200,
     2000,
     {108, 0, 308, 1040},
     true},
    {"wider than the area: scrolls, the area's width",
     {0, 0, 600, 1040},
     {100, 100, 200, 120},
     900,
     300,
     {0, 120, 600, 420},
     true},
    {"near the bottom right, taller than the room above: at the bottom, left of the cell",
     kArea,
     {1800, 300, 1900, 320},
     400,
     900,
     {1400, 140, 1800, 1040},
     false},
    {"the same with no room left of the cell: right-aligned",
     {0, 0, 600, 1040},
     {350, 300, 450, 320},
     400,
     900,
     {200, 140, 600, 1040},
     false},
    {"a cell left of the work area: clamped to its left",
     {1920, 0, 3840, 1080},
     {1800, 100, 1950, 120},
     200,
     300,
     {1920, 120, 2120, 420},
     false},
    {"a cell above the work area: clamped to its top",
     kArea,
     {100, -100, 200, -80},
     200,
     300,
     {108, 0, 308, 300},
     false},
};

TEST(FlectorPlacement, PlacesTheListAtItsCell) {
  for (const Case& c : kCases) {
    const placement::FlectorPlace p = placement::PlaceFlector(c.cell, c.width, c.height, c.area);
    EXPECT_EQ(p.window, c.window) << c.what << ": got " << p.window.left << "," << p.window.top
                                  << " " << p.window.Width() << "x" << p.window.Height();
    EXPECT_EQ(p.scrollBars, c.scrollBars) << c.what;
  }
}

}  // namespace
