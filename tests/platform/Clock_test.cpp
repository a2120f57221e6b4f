#include "platform/Clock.h"

#include <gtest/gtest.h>

#include "support/ManualClock.h"

TEST(ClockTest, TheTickCountWrapsAt32Bits) {
  kwtest::ManualClock clock(0xFFFFFF00u);
  clock.Advance(0x200);
  EXPECT_EQ(platform::GetTickCount(), 0x100u);
  // Elapsed time across the wrap is still a plain unsigned difference.
  EXPECT_EQ(platform::GetTickCount() - 0xFFFFFF00u, 0x200u);
  platform::CurrentClock().SleepMs(5);
  EXPECT_EQ(platform::GetTickCount(), 0x105u);
}

TEST(ClockTest, TheSystemClockIsBackWhenTheManualOneGoes) {
  {
    kwtest::ManualClock clock(7);
    EXPECT_EQ(platform::GetTickCount(), 7u);
  }
  EXPECT_EQ(&platform::CurrentClock(), &platform::SystemClock());
  const std::uint32_t a = platform::GetTickCount();
  const std::uint32_t b = platform::GetTickCount();
  EXPECT_LT(b - a, 0x80000000u);  // monotonic: never runs backwards
}
