#pragma once
// A serial line as the clone link needs it: opened raw and exclusive, read
// without waiting, written with a time budget, its queues counted. The port
// object above it (clone/cmcComm) keeps its own transmit queue and pacing;
// this interface lets tests put a fake line underneath.
#include <termios.h>

#include <cstdint>
#include <string>

namespace platform {

enum class StopBits { One, OnePointFive, Two };

struct SerialLineSettings {
  int baud = 9600;
  bool parityCheck = false;  // checks incoming parity; no parity bit is sent
  int byteSize = 8;          // 4..8; this system has no 4-bit bytes
  StopBits stopBits = StopBits::One;
};

class SerialDevice {
 public:
  virtual ~SerialDevice() = default;

  // Opens an existing device for reading and writing, shared with nobody,
  // and applies the settings. False leaves nothing open.
  virtual bool Open(const std::string& path, const SerialLineSettings& settings) = 0;
  // Why the last Open failed: the system's error number (EACCES for a
  // device the user may not open), 0 after a successful open or when the
  // device cannot tell.
  virtual int LastOpenError() const { return 0; }
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  // Discards what waits in both directions. False when the device refuses.
  virtual bool Purge() = 0;
  // At most `max` of the bytes already received; never waits. 0 when none
  // is waiting, at the end of the line and on any failure.
  virtual int Read(std::uint8_t* buffer, int max) = 0;
  // Hands `count` bytes to the driver, waiting for room no longer than
  // `timeoutMs`; it does not wait for the bytes to leave (OutQueue counts
  // them until they have). Answers the bytes accepted: fewer than `count`
  // when the budget ran out before the driver took them all or the line
  // failed (at once for a line that hung up).
  virtual int Write(const std::uint8_t* bytes, int count, int timeoutMs) = 0;
  // Bytes received and not yet read (0 when closed or unknown).
  virtual int InQueue() = 0;
  // Bytes handed over and not yet on the wire (0 when closed or unknown).
  virtual int OutQueue() = 0;
  // True when the output queue is empty. A device that knows when its queue
  // will drain may first wait for that, but only when it takes no longer
  // than `maxMs`; so a sender that checks every few milliseconds keeps the
  // line busy without ever blocking for long.
  virtual bool AwaitOutputEmpty(int maxMs) {
    (void)maxMs;
    return OutQueue() == 0;
  }
};

// The name of the group that owns a device (the group that grants access
// to it, usually "dialout"); empty when the device or its group is unknown.
std::string DeviceGroupName(const std::string& path);

// Line speeds this system can set; false for 0, negative and odd rates.
bool IsSupportedBaud(int baud);

// Makes `t` a raw line with the settings: no flow control of any kind (0x11
// and 0x13 are data), modem lines ignored, reads that never wait. False (t
// unchanged) for a speed or byte size the system lacks.
bool MakeLineTermios(const SerialLineSettings& settings, termios& t);

// The POSIX terminal device.
//
// A pseudo-terminal reports an empty output queue at once and buffers some
// 20 KB in the kernel, so a sender pacing itself by the output queue would
// run far ahead of a slow line. The line model counts the bytes handed over
// that a line of this speed (10 bits a byte) cannot have sent yet, on the
// injectable clock: OutQueue reports the larger of the driver's figure and
// the model's. A write never waits for the model; AwaitOutputEmpty sleeps
// out the model's last few milliseconds so that the next hand-over follows
// the last byte without a gap. It is on by default; tests that don't pace
// switch it off.
class TermiosSerialDevice final : public SerialDevice {
 public:
  TermiosSerialDevice();
  ~TermiosSerialDevice() override;
  TermiosSerialDevice(const TermiosSerialDevice&) = delete;
  TermiosSerialDevice& operator=(const TermiosSerialDevice&) = delete;

  bool Open(const std::string& path, const SerialLineSettings& settings) override;
  int LastOpenError() const override { return openError_; }
  void Close() override;
  bool IsOpen() const override { return fd_ >= 0; }
  bool Purge() override;
  int Read(std::uint8_t* buffer, int max) override;
  int Write(const std::uint8_t* bytes, int count, int timeoutMs) override;
  int InQueue() override;
  int OutQueue() override;
  bool AwaitOutputEmpty(int maxMs) override;

  void SetLineModel(bool on) { lineModel_ = on; }
  bool LineModel() const { return lineModel_; }
  // The line model setting of devices made from now on.
  static void SetLineModelDefault(bool on);
  static bool LineModelDefault();

 private:
  int ModelPending();
  void ModelHandOver(int count);

  int fd_ = -1;
  int openError_ = 0;
  int baud_ = 9600;
  bool lineModel_;
  // When the bytes handed over so far will all have left, in microseconds of
  // the injectable clock (its 32-bit milliseconds unwrapped).
  std::int64_t wireFreeUs_ = 0;
  std::int64_t clockUs_ = 0;
  std::uint32_t lastTick_ = 0;
  bool clockStarted_ = false;
  std::int64_t NowUs();
};

}  // namespace platform
