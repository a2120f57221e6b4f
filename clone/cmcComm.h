#pragma once
// The serial port of the clone link: opens "COM n" with a settings text such
// as "9600,N,8,1", reads without waiting, and writes through its own
// transmit queue, which a 10 ms timer task pumps into the device in chunks of
// at most 1024 bytes, each only once the device's output queue is empty.
// Everything runs on the user-interface thread, so no call waits for bytes
// to reach the wire: the output queue tells the caller how far behind the
// line is.
//
// The COM number is looked up in the port table (platform/PortTable.h) at
// every open.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "core/cmcBuff.h"
#include "core/cmcTask.h"
#include "platform/SerialDevice.h"

class cmcComm {
 public:
  static constexpr int kOutputChunk = 1024;  // largest single hand-over
  static constexpr int kPumpIntervalMs = 10;
  // Longest wait of a pump tick for the device's queue to drain.
  static constexpr int kDrainWaitMs = 2 * kPumpIntervalMs;
  static constexpr int kWriteTimeoutConstantMs = 3000;
  static constexpr int kWriteTimeoutScale = 100000;  // / baud = ms per byte

  // The settings text read into line settings. `baudOk` tells whether the
  // first field is a usable rate (a positive decimal number).
  struct ParsedSettings {
    platform::SerialLineSettings line;
    bool baudOk = false;
  };
  static ParsedSettings ParseSettings(std::string_view text);

  // A termios device.
  cmcComm();
  // Any device (tests put a fake one in).
  explicit cmcComm(std::unique_ptr<platform::SerialDevice> device);
  ~cmcComm();
  cmcComm(const cmcComm&) = delete;
  cmcComm& operator=(const cmcComm&) = delete;

  // 1 on success, 0 on failure; fails at once when already open (leaving the
  // port as it was). A failure at any step leaves the port closed.
  int Open(int port, std::string_view settings);
  // Why the last Open failed: the device's error number (EACCES: the user
  // may not open it), 0 after a success or when nobody could tell; and the
  // device path it tried (empty when the number names no device).
  int OpenError() const { return openError_; }
  const std::string& OpenPath() const { return openPath_; }
  // Stops the pump, closes the device, empties the transmit queue and clears
  // the write error. Answers 0.
  int Close();
  bool IsOpen() const;

  // Queues the bytes and pumps at once. Ignored when closed, and while the
  // write error is raised (the run is ending; nothing is sent twice).
  int Write(const void* bytes, int count);
  // min(max, bytes received) without waiting; 0 when closed or on failure.
  int Read(void* buffer, int max);
  int InQueue();
  int OutQueue();
  // Device output queue plus the bytes still in the transmit queue.
  int PendingOut();
  // Set when the device accepted fewer bytes than handed to it.
  int WriteError() const { return writeError_ ? 1 : 0; }

  int PortNumber() const { return port_; }
  int Baud() const { return line_.baud; }
  const platform::SerialLineSettings& LineSettings() const { return line_; }
  // The write budget for `count` bytes at the current baud rate.
  int WriteTimeoutMs(int count) const;
  int TransmitQueueLength() const { return tx_.Length() - txPos_; }

  // Where a COM number leads; the port table unless replaced (tests).
  using PathResolver = std::function<std::string(int port)>;
  void SetPathResolver(PathResolver resolver);
  platform::SerialDevice& Device() { return *device_; }
  // The termios device's line model (no effect on other devices).
  void SetLineModel(bool on);

 private:
  void Pump(bool mayWait);
  void StartPump();
  void StopPump();

  std::unique_ptr<platform::SerialDevice> device_;
  PathResolver resolver_;
  int port_ = 0;
  int openError_ = 0;
  std::string openPath_;
  bool writeError_ = false;
  platform::SerialLineSettings line_;
  cmcBuff tx_;
  int txPos_ = 0;  // bytes at the front of tx_ already handed over
  cmcTaskPtr pump_;
};
