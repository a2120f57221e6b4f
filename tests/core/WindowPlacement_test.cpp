// kw-test: label=texts
#include "core/WindowPlacement.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <limits>

namespace {

using platform::MonitorInfo;
using platform::ScreenRect;

ScreenRect Box(int x, int y, int w, int h) { return ScreenRect::FromSize(x, y, w, h); }

// One 1920x1080 monitor with a 40-pixel task bar at the bottom.
const placement::MonitorList kOne{{Box(0, 0, 1920, 1080), Box(0, 0, 1920, 1040)}};
// Two side by side; the second has its task bar on the left.
const placement::MonitorList kTwo{{Box(0, 0, 1920, 1080), Box(0, 0, 1920, 1040)},
                                  {Box(1920, 0, 1920, 1080), Box(1980, 0, 1860, 1080)}};

TEST(WindowPlacement, CenterFormDividesTowardZero) {
  struct Case {
    int formWidth, parentLeft, parentWidth, left;
  } cases[] = {{300, 0, 301, 0}, {303, 10, 300, 9}, {200, 100, 400, 200}};
  for (const Case& c : cases) {
    const ScreenRect r = placement::CenterForm(Box(0, 0, c.formWidth, 100),
                                               Box(c.parentLeft, 50, c.parentWidth, 100), kOne);
    EXPECT_EQ(r.left, c.left) << c.formWidth << " over " << c.parentWidth;
    EXPECT_EQ(r.top, 50);
    EXPECT_EQ(r.Width(), c.formWidth);
  }
}

TEST(WindowPlacement, FitFormToMonitor) {
  struct Case {
    const char* what;
    ScreenRect form;
    ScreenRect expected;
  } cases[] = {
      {"twice as wide: the left edge wins", Box(500, 100, 3840, 200), Box(0, 100, 3840, 200)},
      {"past the right and bottom", Box(1800, 1000, 400, 300), Box(1520, 740, 400, 300)},
      {"before the left and top", Box(-50, -30, 400, 300), Box(0, 0, 400, 300)},
      {"inside stays", Box(10, 10, 400, 300), Box(10, 10, 400, 300)},
  };
  for (const Case& c : cases)
    EXPECT_EQ(placement::FitFormToMonitor(c.form, std::nullopt, kOne), c.expected) << c.what;
  // With a window: that window's monitor, not the form's.
  EXPECT_EQ(placement::FitFormToMonitor(Box(100, 100, 400, 300), Box(2000, 100, 100, 100), kTwo),
            Box(1980, 100, 400, 300));
}

TEST(WindowPlacement, KeepFormOnScreen) {
  const placement::MonitorList work{{Box(0, 0, 1920, 1080), Box(0, 0, 1920, 1040)}};
  struct Case {
    ScreenRect form;
    ScreenRect expected;
  } cases[] = {
      {Box(1800, 900, 400, 300), Box(1520, 740, 400, 300)},
      {Box(-50, -30, 400, 300), Box(0, 0, 400, 300)},
      {Box(100, 100, 400, 300), Box(100, 100, 400, 300)},
  };
  for (const Case& c : cases) EXPECT_EQ(placement::KeepFormOnScreen(c.form, work), c.expected);
  // Across two monitors a form straddling the seam stays put.
  EXPECT_EQ(placement::KeepFormOnScreen(Box(1800, 100, 400, 300), kTwo), Box(1800, 100, 400, 300));
}

TEST(WindowPlacement, LimitFormSize) {
  EXPECT_EQ(placement::LimitFormSize(Box(10, 20, 3000, 500), std::nullopt, kOne),
            Box(10, 20, 1920, 500));
  EXPECT_EQ(placement::LimitFormSize(Box(10, 20, 3000, 2000), Box(2500, 10, 10, 10), kTwo),
            Box(10, 20, 1860, 1080));
}

TEST(WindowPlacement, NearestMonitor) {
  EXPECT_EQ(placement::GetPointMonitorWorkArea(kTwo, 2000, 100), kTwo[1].workArea);
  EXPECT_EQ(placement::GetPointMonitorWorkArea(kTwo, 5000, -300), kTwo[1].workArea);  // closest
  EXPECT_EQ(placement::GetPointMonitorWorkArea(kTwo, -10, 500), kTwo[0].workArea);
  // Largest overlap wins.
  EXPECT_EQ(placement::GetRectMonitorWorkArea(kTwo, Box(1800, 0, 200, 100)), kTwo[0].workArea);
  EXPECT_EQ(placement::GetRectMonitorWorkArea(kTwo, Box(1850, 0, 200, 100)), kTwo[1].workArea);
  EXPECT_EQ(placement::GetRectMonitorWorkArea(kTwo, Box(-900, 0, 100, 100)), kTwo[0].workArea);
}

TEST(WindowPlacement, WithoutMonitorsFormsStayPut) {
  const placement::MonitorList none;
  const ScreenRect form = Box(5000, -400, 300, 200);
  EXPECT_EQ(placement::KeepFormOnScreen(form, none), form);
  EXPECT_EQ(placement::FitFormToMonitor(form, std::nullopt, none), form);
  EXPECT_EQ(placement::LimitFormSize(form, std::nullopt, none), form);
  EXPECT_EQ(placement::CenterForm(Box(0, 0, 100, 100), form, none), Box(5100, -350, 100, 100));
  EXPECT_FALSE(placement::GetPointMonitorWorkArea(none, 0, 0));
  EXPECT_FALSE(placement::GetMonitorWorkArea(nullptr));
}

}  // namespace

namespace {

// Stored values from a hand-edited file: every int32 gives a rectangle whose
// sums fit, and values on the desktop come back unchanged.
TEST(WindowPlacement, StoredFormRectHoldsAnyInt32ToTheDesktop) {
  constexpr int kMin = std::numeric_limits<int>::min();
  constexpr int kMax = std::numeric_limits<int>::max();
  const struct Case {
    int left, top, width, height;
    ScreenRect two;  // over kTwo (desktop 0,0 .. 3840,1080)
  } cases[] = {
      {10, 20, 800, 600, Box(10, 20, 800, 600)},
      {-300, 900, 800, 600, Box(-300, 900, 800, 600)},
      {10, 10, kMax, kMax, Box(10, 10, 3840, 1080)},
      {kMax, kMax, kMax, kMax, Box(3840, 1080, 3840, 1080)},
      {kMin, kMin, 800, 600, Box(-800, -600, 800, 600)},
      {kMin, kMax, kMin, 0, Box(-1, 1080, 1, 1)},
      {0, 0, -5, kMin, Box(0, 0, 1, 1)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(placement::StoredFormRect(c.left, c.top, c.width, c.height, kTwo), c.two)
        << c.left << " " << c.top << " " << c.width << " " << c.height;
    const ScreenRect far = placement::StoredFormRect(c.left, c.top, c.width, c.height, {});
    EXPECT_FALSE(far.IsEmpty());
    EXPECT_LE(std::abs(std::int64_t{far.right}), std::int64_t{1} << 26);
    EXPECT_LE(std::abs(std::int64_t{far.bottom}), std::int64_t{1} << 26);
  }
}

}  // namespace
