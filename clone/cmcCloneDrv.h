#pragma once
// The clone protocol engine: one run at a time over the serial port —
// identification (E0/E1, hunting over the line speeds), reading the memory
// image (E2, E4 data frames, E5) or writing one (E3, E4, E5, E6), with an
// optional text command (reopen requests and hex frames such as the speed
// change E8) before the run proper.
//
// A state machine stepped by its own 10 ms timer task on the user-interface
// thread; it never blocks except for the 100 ms settling wait after each
// open. Every run ends with exactly one call of its done closure, the port
// closed, the queues empty and the engine idle and ready for the next start.
// The caller's images are never touched: a write sends a copy, a read fills
// the result's own image.
//
// States (cmcCloneDrv::State, numbered as in the engine's state table):
// idle, started, text command, start delay, open, then identify, read or
// write, then drain (hunting may go back to open), end.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "clone/cmcComm.h"
#include "clone/dst_CDrv_Result.h"
#include "core/cmcBuff.h"
#include "core/cmcTask.h"
#include "core/cmcTick.h"
#include "model/MemRange.h"

class cmcEeprom;

class cmcCloneDrv {
 public:
  // What the engine waits for in each state; each step moves on to the
  // next number unless the state says otherwise.
  enum class RunState : int {
    Idle = 0,                   // a start
    Started = 2,                // the first step of the run
    SendingText = 3,            // the text command sent (reopens done, output gone)
    AwaitingStartDelay = 4,     // the start delay to run out
    OpeningPort = 5,            // the port open at the run's settings
    SendingIdentify = 6,        // E0 sent
    AwaitingIdentifyReply = 7,  // the E1 reply
    SendingReadRequest = 8,     // E2 sent
    ReceivingData = 9,          // data frames, then the end frame
    SendingWriteRequest = 10,   // E3 sent
    SendingData = 11,           // every data frame handed over and sent
    SendingEnd = 12,            // E5 sent
    AwaitingWriteAck = 13,      // the E6 acknowledgement
    Draining = 14,              // the port's output gone (hunting: on to the next speed)
    Ending = 15,                // the tick to close the port and call the done closure
  };

  // The result lives only during the call; the closure may change its code.
  using DoneClosure = std::function<void(dst_CDrv_Result& result)>;

  static constexpr int kTickMs = 10;
  static constexpr int kReadChunk = 256;
  static constexpr int kMaxFrameBuffer = 521;  // a received frame never grows past this
  static constexpr int kMinDataFrame = 12;
  static constexpr int kMaxDataFrame = 522;
  static constexpr int kFramesPerTick = 8;
  static constexpr int kPendingFactor = 4;  // hand frames over while pending <= 4 x their length
  static constexpr int kEchoSlackWriting = 128;
  static constexpr int kSettleMs = 100;
  static constexpr int kFlushLimit = 65535;
  static constexpr int kSpeedIndexCount = 5;
  static constexpr int kMaxBlockSize = 255;  // the count byte of a data frame

  // The line settings identification hunts over, by speed index.
  struct HuntSetting {
    const char* settings;
    bool echo;
  };
  static const HuntSetting kHuntSettings[kSpeedIndexCount];

  cmcCloneDrv();
  // Any serial device underneath (tests put a fake one in).
  explicit cmcCloneDrv(std::unique_ptr<platform::SerialDevice> device);
  ~cmcCloneDrv();
  cmcCloneDrv(const cmcCloneDrv&) = delete;
  cmcCloneDrv& operator=(const cmcCloneDrv&) = delete;

  void SetPort(int port, std::string_view settings);
  void SetModel(int word1, int word2);
  void SetImageSize(std::int32_t bytes);
  void SetCmdPreamble(int count);
  void SetDataPreamble(int count);  // every data frame
  void SetDataPreamble(int later, int first);
  void SetCommand(std::string_view text);
  void SetCountSuffix(bool on);
  void SetEcho(bool on);
  // Ignored unless 1..255: the count byte cannot say more.
  void SetBlockSize(int bytes);
  void SetFinalTimeout(int ms);  // ignored unless above 0
  void SetStartDelay(int ms);
  // The transfer-type setting identification starts its hunt at and stores
  // the speed index that answered into (null: start at 0, store nothing).
  void SetTransferTypeSetting(std::int32_t* setting);

  // Each answers 0 (nothing started) while a run goes; otherwise 1.
  // A read also refuses a missing or empty range list (it would end with 0
  // having received nothing); a write refuses an empty list and ranges
  // outside the image.
  int StartRead(const MemRangeList& ranges, DoneClosure done);
  int StartWrite(const cmcEeprom& image, const MemRangeList& ranges, DoneClosure done);
  int StartIdentify(DoneClosure done);
  bool IsBusy() const { return state_ != RunState::Idle; }

  // When the port is open: waits the settling time, then drops what came in.
  void FlushInput();

  // Progress of the run.
  std::int64_t DataBytes() const { return dataBytes_; }
  int FrameCount() const { return frameCount_; }
  std::int64_t BytesMoved() const { return bytesMoved_; }
  // Test seam: the step interval of the runs started from now on (kTickMs
  // unless set); time-outs stay on the clock.
  void SetTickInterval(int ms) { tickMs_ = ms > 0 ? ms : kTickMs; }
  RunState State() const { return state_; }
  int SpeedIndex() const { return speedNow_; }
  bool Hunting() const { return hunting_; }

  // Read-back of the set-up (the manager's tests check what it configured).
  int PortNumber() const { return portNumber_; }
  const std::string& LineSettings() const { return settings_; }
  bool Echo() const { return echo_; }
  const std::string& Command() const { return command_; }
  int CmdPreamble() const { return cmdPreamble_; }
  int DataPreambleLater() const { return dataPreambleLater_; }
  int DataPreambleFirst() const { return dataPreambleFirst_; }
  int BlockSize() const { return blockSize_; }
  int FinalTimeout() const { return finalTimeoutMs_; }
  int StartDelay() const { return startDelayMs_; }
  bool CountSuffix() const { return countSuffix_; }
  std::int32_t ImageSize() const { return imageSize_; }

  cmcComm& Port() { return port_; }
  // One step as the timer would take it (tests step the engine by hand).
  void RunOneTick() { OnTick(); }

 private:
  enum class FrameEvent { None, Complete, Overflow };

  bool BeginRun(CloneMode mode, DoneClosure done);
  void OnTick();
  void Step();
  // False when the done closure destroyed the engine.
  bool Finish();
  void CheckEcho(bool& mismatch);
  void DoState();
  void StateText();
  void StateDelay();
  void StateOpen();
  void SendCommand(std::string_view tmpl);
  void StateIdentifyReply();
  void StateRead();
  void StateSendData();
  bool HandOverFrames();
  void StateSendEnd();
  void StateWriteAck();
  void StateDrain();
  void ReadIntoQueue();
  FrameEvent NextFrame();
  int CheckReadFrame();
  int DecodeDataFrame();
  int CheckEndFrame();
  int CoverageCheck() const;
  void SendBytes(const cmcBuff& bytes);
  void ClearQueues();

  cmcComm port_;  // first: the task below may tick into it
  cmcTaskPtr task_;
  int tickMs_ = kTickMs;

  // Set-up.
  int word1_ = 0;
  int word2_ = 0;
  std::int32_t imageSize_ = 1;
  int portNumber_ = 1;
  std::string settings_ = "9600,n,8,1";
  int cmdPreamble_ = 0;
  int dataPreambleLater_ = 0;
  int dataPreambleFirst_ = 0;
  bool countSuffix_ = true;
  bool echo_ = false;
  std::string command_;
  int blockSize_ = 16;
  int stepTimeoutMs_ = 1000;
  int textTimeoutMs_ = 1000;
  int finalTimeoutMs_ = 2000;
  int startDelayMs_ = 0;
  std::int32_t* transType_ = nullptr;

  // The run.
  int mode_ = 0;
  RunState state_ = RunState::Idle;
  RunState nextState_ = RunState::Idle;
  bool progress_ = false;
  bool hunting_ = false;
  int speedNow_ = 0;
  int speedStart_ = 0;
  DoneClosure done_;
  std::unique_ptr<dst_CDrv_Result> result_;
  MemRangeList ranges_;  // the pairs before the end marker
  size_t rangeIndex_ = 0;
  std::int64_t address_ = 0;
  std::int64_t bytesMoved_ = 0;
  int frameCount_ = 0;
  std::int64_t dataBytes_ = 0;

  cmcBuff rxQueue_;  // read and not yet parsed
  cmcBuff frame_;    // the frame being assembled
  bool inFrame_ = false;
  cmcBuff outFrames_;  // data frames built and not yet handed to the port
  cmcBuff echoQueue_;  // bytes sent whose echo is due
  std::uint8_t readBuf_[kReadChunk] = {};

  cmcTick stepTick_;
  cmcTick delayTick_;
  bool* destroyedFlag_ = nullptr;  // set while the done closure runs
};
