#include "core/cmcTick.h"

#include <gtest/gtest.h>

#include "support/ManualClock.h"

TEST(cmcTickTest, CountsDownAndRunsOutOnce) {
  kwtest::ManualClock clock(0);
  cmcTick tick;
  EXPECT_EQ(tick.GetRemain(), 0u);
  tick.Start(1000);
  EXPECT_EQ(tick.GetRemain(), 1000u);
  clock.SetTick(400);
  EXPECT_EQ(tick.GetRemain(), 600u);
  EXPECT_TRUE(tick.IsRunning());
  clock.SetTick(1000);
  EXPECT_EQ(tick.GetRemain(), 0u);
  EXPECT_FALSE(tick.IsRunning());
  clock.SetTick(500);  // even if the clock read earlier again, it stays idle
  EXPECT_EQ(tick.GetRemain(), 0u);
}

TEST(cmcTickTest, CrossingTheCounterWrapReadsAsWithoutIt) {
  struct Case {
    std::uint32_t start;
  } cases[] = {{0}, {0xFFFFFE0Cu}, {0xFFFFFFFFu}, {0x7FFFFFFFu}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.start);
    kwtest::ManualClock clock(c.start);
    cmcTick tick;
    tick.Start(1000);
    clock.Advance(744);
    EXPECT_EQ(tick.GetRemain(), 256u);
    clock.Advance(255);
    EXPECT_EQ(tick.GetRemain(), 1u);
    clock.Advance(1);
    EXPECT_EQ(tick.GetRemain(), 0u);
  }
  // The case as the clone engine meets it: started at 0xFFFFFE0C, read at 0xF4.
  kwtest::ManualClock clock(0xFFFFFE0Cu);
  cmcTick tick;
  tick.Start(1000);
  clock.SetTick(0xF4);
  EXPECT_EQ(tick.GetRemain(), 256u);
}

TEST(cmcTickTest, ZeroDurationAndClear) {
  kwtest::ManualClock clock(5);
  cmcTick tick;
  tick.Start(0);
  EXPECT_EQ(tick.GetRemain(), 0u);
  EXPECT_FALSE(tick.IsRunning());
  tick.Start(50);
  tick.Clear();
  EXPECT_EQ(tick.GetRemain(), 0u);
}
