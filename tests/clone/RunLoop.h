#pragma once
// Runs the Qt event loop (timer tasks) until a condition holds or a
// real-time cap passes. The cap only keeps a broken test from hanging; no
// test judges elapsed time.
#include <QCoreApplication>
#include <chrono>
#include <functional>
#include <thread>

namespace kwtest {

inline bool RunUntil(const std::function<bool()>& done, int capMs = 60000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(capMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

}  // namespace kwtest
