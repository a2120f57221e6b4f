#pragma once
// A clone manager wired to the radio emulator: a scratch settings file maps
// COM 7 to the emulator's pseudo-terminal, message boxes are scripted and
// logged, events 41-43 are logged, and the manual clock moves in big steps
// whenever the line has been quiet for a while, so time-outs pass quickly
// without any test depending on how long anything took.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "RadioEmulator.h"
#include "clone/CloneProgress.h"
#include "clone/cmcCloneDrv.h"
#include "clone/dst_CDrv_Result.h"
#include "clone/indCloneMan.h"
#include "core/EventIds.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "core/indEnviron.h"
#include "model/cmcEeprom.h"
#include "platform/Cp932.h"
#include "platform/MessageBoxService.h"
#include "resources/text/TextTables.h"
#include "support/ManualClock.h"
#include "support/ScratchDir.h"
#include "support/ScratchEnviron.h"

namespace clonetest {

inline constexpr int kModelWord = 0x3484;
inline constexpr std::int32_t kImageSize = 0x40000;
inline constexpr std::int64_t kLastCloneAddress = 0x2A37F;
inline const std::string kCheck03 =
    "Check the following:\n - The COM port settings.\n - Cable connections.\n"
    " - Transceiver power is ON.";

// Message boxes, events and closures in the order they happened.
class Journal final : public platform::MessageBoxService {
 public:
  Journal() : scope_(this) {}
  int Show(const platform::MessageBoxRequest& request) override {
    entries.push_back("box");
    boxes.push_back(request);
    if (onBox) onBox();
    return platform::mb::IdOk;
  }
  std::vector<std::string> entries;
  std::vector<platform::MessageBoxRequest> boxes;
  std::function<void()> onBox;

 private:
  platform::ScopedMessageBoxService scope_;
};

// Progress windows as the manager sees them; counts what is open.
class FakeProgress final : public CloneProgressFactory {
 public:
  class View final : public CloneProgressView {
   public:
    View(FakeProgress& owner) : owner_(owner) { ++owner_.open; }
    ~View() override {
      --owner_.open;
      if (owner_.onClose) owner_.onClose();
    }
    void SetProgress(std::int64_t data, std::int64_t total) override {
      owner_.lastData = data;
      owner_.lastTotal = total;
      ++owner_.updates;
      if (owner_.onProgress) owner_.onProgress(data);
    }

   private:
    FakeProgress& owner_;
  };
  std::unique_ptr<CloneProgressView> Open(QObject* mainWindow) override {
    ++opened;
    lastMain = mainWindow;
    return std::make_unique<View>(*this);
  }
  QObject* ActiveWindow() override { return active; }
  int opened = 0;
  int open = 0;
  int updates = 0;
  std::int64_t lastData = 0;
  std::int64_t lastTotal = 0;
  QObject* lastMain = nullptr;
  QObject* active = nullptr;  // the window the program has active
  std::function<void()> onClose;
  std::function<void(std::int64_t)> onProgress;
};

// An identify handler with the main controller's checks: model word,
// version word, radio information of at least 45 bytes starting with its
// length, layout revision 1..3.
inline void ControllerIdentify(dst_CDrv_Result& r) {
  if (r.code != 0 || r.mode != 1) return;
  if (r.word1 != kModelWord) {
    r.code = 5;
    return;
  }
  if (r.word2 != 1) {
    r.code = 14;
    return;
  }
  const int length = r.tail.Length();
  if (length < 45 || r.tail.Data()[0] != length) {
    r.code = 11;
    return;
  }
  const int revision = r.tail.Data()[1];
  if (revision < 1 || revision > 3) r.code = 14;
}

// Bytes of `count` copies of `b`.
inline std::vector<std::uint8_t> Repeat(std::uint8_t b, std::size_t count) {
  return std::vector<std::uint8_t>(count, b);
}

inline std::vector<std::uint8_t> Concat(std::vector<std::uint8_t> a,
                                        const std::vector<std::uint8_t>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// What a final closure saw.
struct Outcome {
  bool called = false;
  int mode = -1;
  int code = -1;
  int word1 = 0, word2 = 0;
  std::vector<std::uint8_t> tail;
};

class CloneManFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    texts_.SetSource(kwres::kTextEnglish);
    const indEnviron::Options o = kwtest::ScratchEnvironOptions(dir_);
    env_ = std::make_unique<indEnviron>(indEnviron::kMutexName, indEnviron::kKeyPath,
                                        indEnviron::kKeyPath, o);
    env_->ComPort = 7;
    env_->ComSpeedHigh = 1;
    env_->TransType = 0;
    // COM 9 names a device that is not there, inside the scratch folder:
    // tests reach no port they have not mapped themselves.
    ASSERT_TRUE(env_->Store().WriteString(std::string(indEnviron::kKeyPath) + "\\Ports", "COM9",
                                          dir_.FileStd("no-such-device")));
    StartRadio();
    bus_->AddListener(this, [this](const cmcEvent& e) {
      if (e.id == ev::CloneIdentifyStart) journal_.entries.push_back("41");
      if (e.id == ev::CloneProgressClosed) journal_.entries.push_back("43");
      if (e.id == ev::CloneRunEnded) journal_.entries.push_back("42(" + std::to_string(e.p1) + ")");
    });
    man_ = std::make_unique<indCloneMan>(*env_, texts_);
    man_->SetModel(kModelWord, 0);
    man_->SetImageSize(kImageSize);
    man_->SetProgressFactory(&progress_);
    document_.SetSize(kImageSize);
    document_.Fill(0x5A);
  }

  void TearDown() override {
    man_.reset();
    if (radio_) radio_->Stop();
  }

  // A fresh emulator on a new pty, mapped to COM 7.
  void StartRadio(int revision = 3) {
    if (radio_) radio_->Stop();
    radio_ = std::make_unique<radioemu::RadioEmulator>(revision);
    ASSERT_TRUE(radio_->Start());
    std::vector<std::uint8_t> info(radioemu::kInfoLength, 0);
    info[0] = radioemu::kInfoLength;
    info[1] = static_cast<std::uint8_t>(revision);
    ASSERT_TRUE(radio_->SetInfo(info));
    ASSERT_TRUE(env_->Store().WriteString(std::string(indEnviron::kKeyPath) + "\\Ports", "COM7",
                                          radio_->SlavePath()));
  }

  // Runs the event loop until `done`. The manual clock follows real time
  // while bytes move and jumps once the line has been quiet for a while.
  bool Pump(const std::function<bool()>& done, int safetyLimitMs = 120000) {
    QElapsedTimer real;
    real.start();
    int quiet = 0;
    int lastInQueue = -1;
    std::int64_t settled = 0;  // the balance with nothing under way
    std::int64_t lastBalance = 0;
    int stuck = 0;
    while (!done()) {
      if (real.elapsed() > safetyLimitMs) return false;
      QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
      QThread::msleep(1);
      // Bytes the radio sent that the engine has not taken yet still count
      // as traffic: on a loaded machine the engine may be a few ticks behind.
      const int inQueue = man_ ? man_->Engine().Port().InQueue() : 0;
      const bool lineStill = inQueue == lastInQueue;
      lastInQueue = inQueue;
      // So do bytes inside the pty: one side has handed them over and the
      // other has not seen them yet. The kernel passes them on in its own
      // time, which on a loaded machine can lag far behind this loop.
      const std::int64_t balance = LineBalance();
      if (!man_ || !man_->Engine().Port().IsOpen()) settled = balance;
      stuck = balance == lastBalance ? stuck + 1 : 0;
      lastBalance = balance;
      // Bytes the engine drops unread when it opens the port never arrive
      // anywhere: a balance that stays off that long is taken as settled.
      if (stuck > kLostBytesIterations) settled = balance;
      const bool inTransit = balance != settled;
      quiet = (radio_ && !radio_->IsQuiet()) || !lineStill || inTransit ? 0 : quiet + 1;
      clock_.Advance(quiet > 30 ? 50 : 1);
    }
    return true;
  }

  // What the engine has put on the line and taken off it (its own input
  // queue included) less what the radio has taken and sent: constant while
  // nothing is on its way through the pty.
  std::int64_t LineBalance() {
    if (!man_ || !radio_) return 0;
    cmcComm& port = man_->Engine().Port();
    const std::int64_t engine =
        man_->Engine().BytesMoved() - port.TransmitQueueLength() + port.InQueue();
    return engine - radio_->BytesTaken() - radio_->BytesSent();
  }

  static constexpr int kLostBytesIterations = 3000;

  bool WaitIdle() {
    return Pump([this] { return !man_->IsBusy(); });
  }

  indCloneMan::Closure Record(Outcome& out, std::function<void(dst_CDrv_Result&)> also = {}) {
    return [this, &out, also](dst_CDrv_Result& r) {
      journal_.entries.push_back("closure");
      out.called = true;
      out.mode = r.mode;
      out.code = r.code;
      out.word1 = r.word1;
      out.word2 = r.word2;
      out.tail.assign(r.tail.Data(), r.tail.Data() + r.tail.Length());
      if (also) also(r);
    };
  }

  // The document adopts received data only on success.
  indCloneMan::Closure Adopt(Outcome& out, std::function<void(dst_CDrv_Result&)> also = {}) {
    return Record(out, [this, also](dst_CDrv_Result& r) {
      if (r.code == 0 && r.mode == 2) document_ = r.image;
      if (also) also(r);
    });
  }

  QString BoxText(std::size_t i = 0) const {
    return i < journal_.boxes.size() ? journal_.boxes[i].text : QString();
  }

  static MemRangeList Pairs(std::int64_t first, std::int64_t last) {
    return {{first, last}, {1, 0}};
  }

  // A range list of one pair; the emulator is told to send just that.
  MemRangeList Range(std::int64_t first, std::int64_t last) {
    radio_->SetReadRange(first, last);
    return {{first, last}, {1, 0}};
  }

  // The emulator's memory over 0..last.
  bool MemoryEquals(const cmcEeprom& image, std::int64_t last) const {
    const std::vector<std::uint8_t> memory = radio_->Memory();
    for (std::int64_t a = 0; a <= last; ++a)
      if (image.GetByte(a) != memory[static_cast<std::size_t>(a)]) return false;
    return true;
  }

  kwtest::ScratchDir dir_;
  kwtest::ManualClock clock_;
  ScopedEvMan bus_;
  Journal journal_;
  cmcGTex texts_;
  std::unique_ptr<indEnviron> env_;
  std::unique_ptr<radioemu::RadioEmulator> radio_;
  FakeProgress progress_;
  std::unique_ptr<indCloneMan> man_;
  cmcEeprom document_;
};

}  // namespace clonetest
