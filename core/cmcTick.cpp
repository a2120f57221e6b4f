#include "core/cmcTick.h"

#include "platform/Clock.h"

void cmcTick::Clear() {
  duration_ = 0;
  start_ = 0;
  running_ = false;
}

void cmcTick::Start(std::uint32_t ms) {
  duration_ = ms;
  start_ = platform::GetTickCount();
  running_ = true;
}

std::uint32_t cmcTick::GetRemain() {
  if (!running_) return 0;
  // Unsigned subtraction wraps modulo 2^32 by definition.
  const std::uint32_t elapsed = platform::GetTickCount() - start_;
  if (elapsed < duration_) return duration_ - elapsed;
  running_ = false;
  return 0;
}
