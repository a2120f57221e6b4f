#pragma once
// The radio's side of the clone protocol on a pseudo-terminal.
//
// The program under test opens the pty's slave path like any serial device;
// the emulator keeps one slave descriptor of its own open, so the program's
// close and reopen never hang up the master, and polls the master on its own
// thread. The slave's line speed (read through the master) tells at which
// speed each byte arrived.
//
// Behaviour, from the protocol description:
// - Identification speed 19200 (settable); bytes at another speed are noise.
// - The cable echo (on by default) returns every byte at any speed, before
//   any answer.
// - Command frames whose first word is not the model word are ignored.
// - E0 -> E1 with the model and version words and the information bytes.
// - E8 switches to 38400 (01) or 9600 (00), no answer. Back to the
//   identification speed after the E5 or E6 it sends, or after 3 s without a
//   byte.
// - E2 -> E4 frames over the read range (the clone range unless set), then
//   E5 with the frame count.
// - E3 -> every E4 is checked (escaping, length, checksum, inside the clone
//   range) and stored; E5 is checked (text and count); E6 00 when all held,
//   else E6 01. Nothing is ever written outside the memory; every problem is
//   logged.
// - A read cut after a number of data frames (CutAfterFrames) sends no end
//   frame: the line goes dead once the frames before the cut are read, as
//   when the cable is pulled.
// - Pacing (off by default): bytes taken and sent at baud / 10 a second.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "RadioMemory.h"

namespace radioemu {

// The radio's own numbers (the protocol fixes the frames, not these).
inline constexpr std::uint16_t kModelWord = 0x3484;
inline constexpr std::uint16_t kVersionWord = 0x0001;
inline constexpr int kInfoLength = 45;
inline constexpr int kIdentifySpeed = 19200;
inline constexpr int kHighSpeed = 38400;
inline constexpr int kNormalSpeed = 9600;
inline constexpr int kReadFrameSize = 64;  // data bytes per E4, aligned to it
inline constexpr int kIdleFallbackMs = 3000;
// Bytes written to the master reach the slave's queue a little later; the
// cut waits this long after the last write before it trusts an empty queue.
inline constexpr int kCutSettleMs = 20;
inline constexpr int kMaxFrameBytes = 1100;  // longer input is dropped as garbage
inline constexpr std::uint8_t kWriteAckGood = 0x00;
inline constexpr std::uint8_t kWriteAckBad = 0x01;
// Information byte positions the emulator knows by meaning.
inline constexpr int kInfoLengthByte = 0;
inline constexpr int kInfoRevisionByte = 1;
inline constexpr int kInfoDestinationByte = 18;
inline constexpr int kInfoPreambleByte = 22;  // bit 2: 8 FE before each data frame

enum class Fault {
  None,
  Silence,               // never answers (the cable still echoes)
  BadChecksum,           // data frame `frame` carries a wrong checksum
  WrongEndCount,         // E5 count one too high
  WrongEndText,          // E5 maker text altered
  OtherModelWord,        // E1 with another model word
  NonBcdWords,           // E1 word bytes that are not BCD digits
  DropPayloadByte,       // one data byte of frame `frame` lost
  DropFrame,             // frame `frame` lost on the line (still counted)
  GarbageBetweenFrames,  // bytes without FE between every two frames
  GarbageInsideFrame,    // a stray byte inside frame `frame`
  OversizeFrame,         // frame `frame` far longer than any data frame
  FrameOutsideRange,     // one more frame behind the read range, inside the image
  FrameOutsideImage,     // one more frame at the end of the image
  EchoAltered,           // echo byte number `bytes` comes back changed
  WriteNak,              // E6 01 after a write
  NoWriteAck,            // no E6 after a write
  Disconnect,            // the line cut after `bytes` bytes moved either way,
                         // once the program has read what had reached it
  CutAfterFrames,        // a read sends data frames 0 .. `frame` - 1, then the
                         // line is cut once the program has read them
};

struct WireSegment {
  int speed = 0;  // line speed the bytes came in at
  std::vector<std::uint8_t> bytes;
};

class RadioEmulator {
 public:
  explicit RadioEmulator(int revision = 3);
  ~RadioEmulator();
  RadioEmulator(const RadioEmulator&) = delete;
  RadioEmulator& operator=(const RadioEmulator&) = delete;

  // Opens the pty and starts the thread. False (with Problems() telling why)
  // when the pty cannot be made.
  bool Start();
  void Stop();
  std::string SlavePath() const;

  // Settings; any time, taken under the lock.
  void SetIdentifySpeed(int baud);
  void SetCableEcho(bool on);
  void SetPacing(bool on);
  void SetFault(Fault fault, int frame = 0, std::int64_t bytes = 0);
  void SetReadRange(std::int64_t first, std::int64_t last);
  void SetReadFrameSize(int bytes);
  void SetModelWords(std::uint16_t word1, std::uint16_t word2);
  // False (nothing changed) when a byte is FD or FE: E1 is not escaped.
  bool SetInfo(const std::vector<std::uint8_t>& info);
  bool SetInfoByte(int index, std::uint8_t value);
  std::vector<std::uint8_t> Info() const;

  // As after switching the radio off and on: listening at the identification
  // speed, no frame or write under way, nothing left to send.
  void PowerCycle();

  // Memory (kMemorySize bytes).
  std::vector<std::uint8_t> Memory() const;
  void SetMemory(const std::vector<std::uint8_t>& memory);
  // Fills the clone range, leaving the rest as it is.
  void ClearCloneRange(std::uint8_t fill = 0xFF);
  const RadioLayout& Layout() const { return layout_; }

  // Observations.
  std::vector<std::string> Problems() const;
  std::vector<WireSegment> WireLog() const;  // bytes taken, by speed
  void ClearWireLog();
  int Speed() const;             // the speed the radio listens at now
  int DataFramesStored() const;  // E4 frames stored by writes
  int WriteAcks() const;         // E6 frames sent
  std::int64_t BytesTaken() const;
  // Every byte read off the line, also noise and bytes beyond a cut.
  std::int64_t BytesRead() const;
  std::int64_t BytesSent() const;
  bool Disconnected() const;
  // Bytes that have reached the program's end of the line and wait there
  // unread (whether or not the program has the line open).
  int UnreadByProgram() const;
  // Nothing unread on the line, nothing left to send, not in the middle of
  // handling bytes.
  bool IsQuiet() const;

 private:
  using Clock = std::chrono::steady_clock;

  void Run();
  void TakeByte(std::uint8_t b, int lineSpeed, Clock::time_point now);
  void HandleFrame();
  void AnswerIdentify();
  void AnswerRead();
  void CheckWriteFrame();
  void CheckWriteEnd();
  void SendWriteAck(std::uint8_t code);
  void Send(const std::vector<std::uint8_t>& bytes);
  void Problem(std::string text);
  void Disconnect();
  void MaybeDisconnect();
  int LineSpeed() const;
  void Refill(Clock::time_point now, int lineSpeed);

  RadioLayout layout_;
  mutable std::mutex mutex_;
  std::thread thread_;
  int master_ = -1;
  int slave_ = -1;
  int wake_[2] = {-1, -1};
  std::string slavePath_;
  bool running_ = false;

  // Settings.
  int identifySpeed_ = kIdentifySpeed;
  bool cableEcho_ = true;
  bool pacing_ = false;
  Fault fault_ = Fault::None;
  int faultFrame_ = 0;
  std::int64_t faultBytes_ = 0;
  std::int64_t readFirst_ = 0;
  std::int64_t readLast_ = 0;
  int readFrameSize_ = kReadFrameSize;
  std::uint16_t word1_ = kModelWord;
  std::uint16_t word2_ = kVersionWord;
  std::vector<std::uint8_t> info_;
  std::vector<std::uint8_t> memory_;

  // Line state.
  int speed_ = kIdentifySpeed;
  bool revertAfterSend_ = false;
  Clock::time_point lastByte_;
  double inTokens_ = 0;
  double outTokens_ = 0;
  Clock::time_point lastRefill_;
  std::vector<std::uint8_t> frame_;
  bool inFrame_ = false;
  std::vector<std::uint8_t> out_;
  size_t outPos_ = 0;
  bool disconnected_ = false;
  bool cutPending_ = false;  // the line is cut once the program has read all
  bool cutWhenSent_ = false;  // cutPending_ follows once out_ has gone
  Clock::time_point lastSend_;
  bool inNoise_ = false;

  // Write session.
  bool writing_ = false;
  bool writeOk_ = true;
  int writeFrames_ = 0;

  // Observations.
  std::vector<std::string> problems_;
  std::vector<WireSegment> wire_;
  std::int64_t wireBytes_ = 0;
  int framesStored_ = 0;
  int acks_ = 0;
  std::int64_t taken_ = 0;
  std::int64_t read_ = 0;
  std::int64_t sent_ = 0;
  std::int64_t noise_ = 0;
};

}  // namespace radioemu
