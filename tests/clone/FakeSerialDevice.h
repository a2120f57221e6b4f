#pragma once
// A serial device that records what the port does to it and answers as the
// test says. The line state is shared, so a test keeps looking at it after
// handing the device to the object under test.
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/SerialDevice.h"

namespace kwtest {

struct FakeLine {
  struct Opened {
    std::uint32_t tick;
    std::string path;
    platform::SerialLineSettings settings;
  };
  struct Written {
    std::uint32_t tick;
    int baud;
    std::vector<std::uint8_t> bytes;
    int timeoutMs;
  };

  // What happened.
  std::vector<Opened> opens;
  std::vector<Written> writes;
  int closes = 0;
  int purges = 0;
  bool isOpen = false;

  // How the line behaves.
  bool failOpen = false;
  int openError = 0;  // what a failed open reports (LastOpenError)
  bool failPurge = false;
  int outQueue = 0;            // the driver's output queue as reported
  int outQueueAfterWrite = 0;  // outQueue becomes this after every write
  int acceptLimit = -1;        // bytes a write accepts (-1: all)
  bool echo = false;           // every byte written comes back
  std::deque<std::uint8_t> input;
  // Called after every write with the bytes accepted (scripted radios).
  std::function<void(FakeLine&, const std::vector<std::uint8_t>&)> onWrite;

  void Push(const std::vector<std::uint8_t>& bytes) {
    input.insert(input.end(), bytes.begin(), bytes.end());
  }

  // Everything written, in order.
  std::vector<std::uint8_t> AllWritten() const {
    std::vector<std::uint8_t> all;
    for (const Written& w : writes) all.insert(all.end(), w.bytes.begin(), w.bytes.end());
    return all;
  }
};

class FakeSerialDevice final : public platform::SerialDevice {
 public:
  explicit FakeSerialDevice(std::shared_ptr<FakeLine> line) : line_(std::move(line)) {}

  bool Open(const std::string& path, const platform::SerialLineSettings& settings) override {
    lastOpenError_ = 0;
    if (line_->failOpen) lastOpenError_ = line_->openError;
    if (line_->isOpen || line_->failOpen) return false;
    line_->opens.push_back({platform::GetTickCount(), path, settings});
    line_->isOpen = true;
    baud_ = settings.baud;
    return true;
  }
  void Close() override {
    if (!line_->isOpen) return;
    line_->isOpen = false;
    ++line_->closes;
  }
  bool IsOpen() const override { return line_->isOpen; }
  int LastOpenError() const override { return lastOpenError_; }
  bool Purge() override {
    ++line_->purges;
    if (line_->failPurge) return false;
    line_->input.clear();
    return true;
  }
  int Read(std::uint8_t* buffer, int max) override {
    if (!line_->isOpen) return 0;
    int n = 0;
    while (n < max && !line_->input.empty()) {
      buffer[n++] = line_->input.front();
      line_->input.pop_front();
    }
    return n;
  }
  int Write(const std::uint8_t* bytes, int count, int timeoutMs) override {
    if (!line_->isOpen) return 0;
    const int accepted = line_->acceptLimit >= 0 ? std::min(count, line_->acceptLimit) : count;
    std::vector<std::uint8_t> taken(bytes, bytes + accepted);
    line_->writes.push_back({platform::GetTickCount(), baud_, taken, timeoutMs});
    line_->outQueue = line_->outQueueAfterWrite;
    if (line_->echo) line_->Push(taken);
    if (line_->onWrite) line_->onWrite(*line_, taken);
    return accepted;
  }
  int InQueue() override { return line_->isOpen ? static_cast<int>(line_->input.size()) : 0; }
  int OutQueue() override { return line_->isOpen ? line_->outQueue : 0; }

 private:
  std::shared_ptr<FakeLine> line_;
  int lastOpenError_ = 0;
  int baud_ = 0;
};

}  // namespace kwtest
