#pragma once
// A clock that moves only when told (sleeping advances it), installed for
// the object's lifetime.
#include <cstdint>

#include "platform/Clock.h"

namespace kwtest {

class ManualClock final : public platform::Clock {
 public:
  explicit ManualClock(std::uint32_t tick = 0, std::int64_t unixMs = 1767225600000)  // 2026-01-01
      : tick_(tick), unixMs_(unixMs), scope_(this) {}

  std::uint32_t TickCount() override { return tick_; }
  std::int64_t NowUnixMs() override { return unixMs_; }
  void SleepMs(std::uint32_t ms) override { Advance(ms); }

  void SetTick(std::uint32_t tick) { tick_ = tick; }
  void SetUnixMs(std::int64_t ms) { unixMs_ = ms; }
  void Advance(std::uint32_t ms) {
    tick_ += ms;
    unixMs_ += ms;
  }

 private:
  std::uint32_t tick_;
  std::int64_t unixMs_;
  platform::ScopedClock scope_;
};

}  // namespace kwtest
