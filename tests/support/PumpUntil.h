#pragma once
// Runs the Qt event loop (timer tasks, posted events, deferred deletes)
// until a condition holds or a real-time cap passes. The cap only keeps a
// broken test from hanging; no test judges the time taken. Each round lets
// the processor go for a millisecond, so that other threads of a loaded
// machine (the radio emulator's) go on.
#include <QCoreApplication>
#include <chrono>
#include <functional>
#include <thread>

namespace kwtest {

inline bool PumpUntil(const std::function<bool()>& done, int capMs = 60000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(capMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

}  // namespace kwtest
