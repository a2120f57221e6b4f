#pragma once
// Millisecond tick counter, wall clock and sleeping, behind one interface so
// that tests can run time-outs on a manual clock.
#include <cstdint>

namespace platform {

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since an arbitrary start, wrapping at 2^32.
  virtual std::uint32_t TickCount() = 0;
  // Wall-clock time: milliseconds since 1970-01-01 00:00 UTC.
  virtual std::int64_t NowUnixMs() = 0;
  // Blocks the calling thread (a manual clock just advances).
  virtual void SleepMs(std::uint32_t ms) = 0;
};

// The system clock (CLOCK_MONOTONIC / CLOCK_REALTIME).
Clock& SystemClock();
// The clock in force: the system clock unless a test installed another.
Clock& CurrentClock();

class ScopedClock {
 public:
  explicit ScopedClock(Clock* clock);
  ~ScopedClock();
  ScopedClock(const ScopedClock&) = delete;
  ScopedClock& operator=(const ScopedClock&) = delete;

 private:
  Clock* previous_;
};

// Shorthand for CurrentClock().TickCount().
std::uint32_t GetTickCount();

}  // namespace platform
