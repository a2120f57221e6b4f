#pragma once
// A countdown of milliseconds against the system's millisecond tick counter
// (platform::GetTickCount, a manual clock in tests). Elapsed time is taken
// modulo 2^32, so a countdown that crosses the counter's wrap reads the same
// as one that does not.
#include <cstdint>

class cmcTick {
 public:
  cmcTick() = default;

  void Clear();
  void Start(std::uint32_t ms);
  // Milliseconds left; 0 when not running. The first call that finds the
  // countdown elapsed clears the running flag.
  std::uint32_t GetRemain();
  bool IsRunning() const { return running_; }
  std::uint32_t Duration() const { return duration_; }

 private:
  std::uint32_t duration_ = 0;
  std::uint32_t start_ = 0;
  bool running_ = false;
};
