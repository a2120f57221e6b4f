#pragma once
// The clone engine against the emulated radio on a pty, found through the
// port table (settings entry COM 7), set up as the clone manager sets it up.
//
// Time-outs run on a manual clock that moves only while the line is quiet:
// every byte the engine wrote has been read by the radio, every byte the
// radio sent has reached the engine's side, and the radio has nothing left
// to answer. Bytes still inside the pty (which a busy machine may hold back
// for a good while) therefore never turn into a spurious time-out, and a
// real time-out costs no waiting.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "EngineFakeRig.h"
#include "RadioEmulator.h"
#include "clone/CloneConfig.h"
#include "clone/cmcCloneDrv.h"
#include "platform/SettingsStore.h"
#include "support/ManualClock.h"
#include "support/ScratchDir.h"

namespace kwtest {

inline constexpr int kComPort = 7;

// The identification speed and cable of a radio that answers a transfer type.
struct Cable {
  int identifySpeed;
  bool echo;
};
inline Cable CableFor(int transType) {
  switch (transType) {
    case 1: return {9600, true};
    case 2: return {4800, true};
    case 3: return {9600, false};
    case 4: return {4800, false};
    default: return {19200, true};
  }
}

// The termios device, counting the bytes it moves. Its purge takes what has
// come in by reading it (a pty has no output queue to purge), so that every
// byte the radio sent is counted on this side.
class CountingDevice final : public platform::SerialDevice {
 public:
  struct Counts {
    std::int64_t written = 0;
    std::int64_t read = 0;
  };
  explicit CountingDevice(std::shared_ptr<Counts> counts) : counts_(std::move(counts)) {}

  platform::TermiosSerialDevice& Termios() { return device_; }

  bool Open(const std::string& path, const platform::SerialLineSettings& settings) override {
    return device_.Open(path, settings);
  }
  void Close() override { device_.Close(); }
  bool IsOpen() const override { return device_.IsOpen(); }
  bool Purge() override {
    if (!device_.IsOpen()) return false;
    std::uint8_t buf[256];
    while (Read(buf, sizeof buf) > 0) {
    }
    return true;
  }
  int Read(std::uint8_t* buffer, int max) override {
    const int n = device_.Read(buffer, max);
    counts_->read += n;
    return n;
  }
  int Write(const std::uint8_t* bytes, int count, int timeoutMs) override {
    const int n = device_.Write(bytes, count, timeoutMs);
    counts_->written += n;
    return n;
  }
  int InQueue() override { return device_.InQueue(); }
  int OutQueue() override { return device_.OutQueue(); }

 private:
  std::shared_ptr<Counts> counts_;
  platform::TermiosSerialDevice device_;
};

class EmulatorRig {
 public:
  EmulatorRig() : store_(dir_.File("user.conf"), QString()), installed_(&store_) {
    engine_.SetTransferTypeSetting(&transType_);
    engine_.SetModel(kModelWord, 0);
    engine_.SetImageSize(kImageSize);
    SetLineModel(false);
  }
  ~EmulatorRig() {
    if (radio_) radio_->Stop();
  }

  // A radio of the revision on a new pty, its cable set for the transfer type.
  bool StartRadio(int revision, int transType) {
    radio_ = std::make_unique<radioemu::RadioEmulator>(revision);
    transType_ = transType;
    const Cable cable = CableFor(transType);
    radio_->SetIdentifySpeed(cable.identifySpeed);
    radio_->SetCableEcho(cable.echo);
    if (!radio_->Start()) return false;
    return store_.WriteString(std::string(platform::kProgramKeyPath) + "\\Ports", "COM7",
                              radio_->SlavePath());
  }

  // Maps the port to a device path in the scratch folder where nothing is.
  bool MapMissingPort(int port) {
    return store_.WriteString(std::string(platform::kProgramKeyPath) + "\\Ports",
                              "COM" + std::to_string(port), dir_.FileStd("no-such-device"));
  }

  void Configure(clonecfg::Mode mode, bool high = true, int dataPreamble = 0) {
    ApplyEngineConfig(engine_, clonecfg::MakeEngineConfig(mode, kComPort, transType_, high,
                                                          kModelWord, dataPreamble));
  }

  cmcCloneDrv::DoneClosure Catch() {
    outcome_ = Outcome{};
    return [this](dst_CDrv_Result& r) { Record(outcome_, r, clock_.TickCount()); };
  }

  void SetLineModel(bool on) { termios_->SetLineModel(on); }

  // Nothing on its way in either direction and nothing left to answer (a
  // cut line has nothing on its way any more).
  bool LineSettled() {
    if (radio_->Disconnected()) return true;
    return counts_->written == radio_->BytesRead() &&
           radio_->BytesSent() == counts_->read + radio_->UnreadByProgram() && radio_->IsQuiet();
  }

  // Runs the event loop until the run ends (false after a real-time cap
  // that only a hung run reaches). With `extraTicks` the engine also steps
  // between its timer's ticks: the same steps, sooner (long transfers).
  bool Drive(bool extraTicks = false, int capMs = 300000) {
    using Steady = std::chrono::steady_clock;
    const auto end = Steady::now() + std::chrono::milliseconds(capMs);
    int quietChecks = 0;
    int quietSteps = 0;
    int lastInQueue = -1;
    while (engine_.IsBusy()) {
      if (Steady::now() > end) return false;
      QCoreApplication::processEvents(QEventLoop::AllEvents);
      if (extraTicks && engine_.IsBusy()) engine_.RunOneTick();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
      // Bytes the engine does not read (it is not reading in every state)
      // do not count as traffic; bytes still arriving or being taken do.
      const int inQueue = engine_.Port().InQueue();
      const bool lineStill = inQueue == lastInQueue;
      lastInQueue = inQueue;
      if (lineStill && LineSettled()) {
        if (++quietChecks >= 3) {
          quietChecks = 0;
          clock_.Advance(quietSteps++ < 40 ? 25 : 250);
        }
      } else {
        quietChecks = 0;
        quietSteps = 0;
      }
    }
    return true;
  }

  std::unique_ptr<platform::SerialDevice> MakeDevice() {
    auto device = std::make_unique<CountingDevice>(counts_);
    termios_ = &device->Termios();
    return device;
  }

  void ExpectIdleAndClean() {
    EXPECT_FALSE(engine_.IsBusy());
    EXPECT_FALSE(engine_.Port().IsOpen());
    EXPECT_EQ(engine_.Port().PendingOut(), 0);
    EXPECT_EQ(engine_.Port().WriteError(), 0);
    EXPECT_EQ(outcome_.calls, 1);
  }

  ManualClock clock_{100000};
  ScratchDir dir_;
  platform::SettingsStore store_;
  platform::ScopedSettingsStore installed_;
  std::unique_ptr<radioemu::RadioEmulator> radio_;
  std::shared_ptr<CountingDevice::Counts> counts_ = std::make_shared<CountingDevice::Counts>();
  platform::TermiosSerialDevice* termios_ = nullptr;
  cmcCloneDrv engine_{MakeDevice()};
  std::int32_t transType_ = 0;
  Outcome outcome_;
};

}  // namespace kwtest
