#include "platform/Clock.h"

#include <time.h>

namespace platform {
namespace {

class PosixClock final : public Clock {
 public:
  std::uint32_t TickCount() override {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    const std::uint64_t ms = static_cast<std::uint64_t>(ts.tv_sec) * 1000u +
                             static_cast<std::uint64_t>(ts.tv_nsec) / 1000000u;
    return static_cast<std::uint32_t>(ms);
  }
  std::int64_t NowUnixMs() override {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
  }
  void SleepMs(std::uint32_t ms) override {
    timespec ts{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
    while (nanosleep(&ts, &ts) != 0) {
    }
  }
};

Clock* g_clock = nullptr;

}  // namespace

Clock& SystemClock() {
  static PosixClock clock;
  return clock;
}

Clock& CurrentClock() { return g_clock ? *g_clock : SystemClock(); }

ScopedClock::ScopedClock(Clock* clock) : previous_(g_clock) { g_clock = clock; }
ScopedClock::~ScopedClock() { g_clock = previous_; }

std::uint32_t GetTickCount() { return CurrentClock().TickCount(); }

}  // namespace platform
