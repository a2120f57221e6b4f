#include "RadioEmulator.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace radioemu {
namespace {

constexpr std::uint8_t kPreamble = 0xFE;
constexpr std::uint8_t kEnd = 0xFD;
constexpr std::uint8_t kEscape = 0xFF;
constexpr std::uint8_t kComputer = 0xEE;
constexpr std::uint8_t kRadio = 0xEF;
constexpr std::uint8_t kCmdIdentify = 0xE0;
constexpr std::uint8_t kCmdIdentifyReply = 0xE1;
constexpr std::uint8_t kCmdRead = 0xE2;
constexpr std::uint8_t kCmdWrite = 0xE3;
constexpr std::uint8_t kCmdData = 0xE4;
constexpr std::uint8_t kCmdEnd = 0xE5;
constexpr std::uint8_t kCmdWriteAck = 0xE6;
constexpr std::uint8_t kCmdSpeed = 0xE8;
constexpr std::string_view kMaker = "Quor Inc.";
// What the radio puts on the line for the garbage faults: no FE, so nothing
// of it can start a frame.
constexpr std::uint8_t kGarbage[] = {0x00, 0x11, 0x13, 0xFD, 0x80, 0x7F};
constexpr std::uint8_t kStrayByte = 0x55;
constexpr int kOversizeDataBytes = 600;
constexpr std::uint16_t kOtherModelWord = 0x1234;
constexpr std::uint16_t kNonBcdModelWord = 0x3A84;
// Token buckets of the paced line hold at most this much time of bytes, so a
// pause is not made up by a burst.
constexpr double kPacingBurstSeconds = 0.02;
constexpr size_t kWireLogLimit = 4 * 1024 * 1024;

int BaudOf(speed_t s) {
  switch (s) {
    case B300: return 300;
    case B600: return 600;
    case B1200: return 1200;
    case B2400: return 2400;
    case B4800: return 4800;
    case B9600: return 9600;
    case B19200: return 19200;
    case B38400: return 38400;
    case B57600: return 57600;
    case B115200: return 115200;
    case B230400: return 230400;
    default: return 0;
  }
}

void PutEscaped(std::vector<std::uint8_t>& out, std::uint8_t b) {
  if (b >= 0xFA) {
    out.push_back(kEscape);
    out.push_back(static_cast<std::uint8_t>(b & 0x0F));
  } else {
    out.push_back(b);
  }
}

std::string Hex2(int value) {
  static const char digits[] = "0123456789ABCDEF";
  return {digits[(value >> 4) & 0xF], digits[value & 0xF]};
}

}  // namespace

RadioEmulator::RadioEmulator(int revision)
    : layout_(LayoutOf(revision)),
      readFirst_(0),
      readLast_(layout_.lastCloneAddress),
      info_(kInfoLength, 0),
      memory_(SeedMemory(revision)) {
  info_[kInfoLengthByte] = kInfoLength;
  info_[kInfoRevisionByte] = static_cast<std::uint8_t>(layout_.revision);
}

RadioEmulator::~RadioEmulator() { Stop(); }

bool RadioEmulator::Start() {
  std::lock_guard lock(mutex_);
  if (running_) return true;
  master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  char name[128] = {};
  if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0 ||
      ptsname_r(master_, name, sizeof name) != 0) {
    problems_.push_back(std::string("cannot make a pty: ") + std::strerror(errno));
    if (master_ >= 0) close(master_);
    master_ = -1;
    return false;
  }
  slavePath_ = name;
  slave_ = open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (slave_ < 0 || pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0) {
    problems_.push_back(std::string("cannot open the pty: ") + std::strerror(errno));
    if (slave_ >= 0) close(slave_);
    close(master_);
    master_ = slave_ = -1;
    return false;
  }
  termios t{};
  tcgetattr(slave_, &t);
  cfmakeraw(&t);
  cfsetispeed(&t, B19200);
  cfsetospeed(&t, B19200);
  tcsetattr(slave_, TCSANOW, &t);
  fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
  lastByte_ = lastRefill_ = Clock::now();
  running_ = true;
  thread_ = std::thread(&RadioEmulator::Run, this);
  return true;
}

void RadioEmulator::Stop() {
  {
    std::lock_guard lock(mutex_);
    if (!running_) return;
    running_ = false;
    const char b = 1;
    [[maybe_unused]] ssize_t n = write(wake_[1], &b, 1);
  }
  thread_.join();
  std::lock_guard lock(mutex_);
  if (master_ >= 0) close(master_);
  if (slave_ >= 0) close(slave_);
  close(wake_[0]);
  close(wake_[1]);
  master_ = slave_ = wake_[0] = wake_[1] = -1;
}

std::string RadioEmulator::SlavePath() const {
  std::lock_guard lock(mutex_);
  return slavePath_;
}

void RadioEmulator::SetIdentifySpeed(int baud) {
  std::lock_guard lock(mutex_);
  if (speed_ == identifySpeed_) speed_ = baud;
  identifySpeed_ = baud;
}

void RadioEmulator::SetCableEcho(bool on) {
  std::lock_guard lock(mutex_);
  cableEcho_ = on;
}

void RadioEmulator::SetPacing(bool on) {
  std::lock_guard lock(mutex_);
  pacing_ = on;
  inTokens_ = outTokens_ = 0;
  lastRefill_ = Clock::now();
}

void RadioEmulator::SetFault(Fault fault, int frame, std::int64_t bytes) {
  std::lock_guard lock(mutex_);
  fault_ = fault;
  faultFrame_ = frame;
  faultBytes_ = bytes;
}

void RadioEmulator::SetReadRange(std::int64_t first, std::int64_t last) {
  std::lock_guard lock(mutex_);
  readFirst_ = std::clamp<std::int64_t>(first, 0, kMemorySize - 1);
  readLast_ = std::clamp<std::int64_t>(last, 0, kMemorySize - 1);
}

void RadioEmulator::SetReadFrameSize(int bytes) {
  std::lock_guard lock(mutex_);
  readFrameSize_ = std::clamp(bytes, 1, 255);
}

void RadioEmulator::SetModelWords(std::uint16_t word1, std::uint16_t word2) {
  std::lock_guard lock(mutex_);
  word1_ = word1;
  word2_ = word2;
}

bool RadioEmulator::SetInfo(const std::vector<std::uint8_t>& info) {
  if (std::any_of(info.begin(), info.end(), [](std::uint8_t b) { return b == kEnd || b == kPreamble; }))
    return false;
  std::lock_guard lock(mutex_);
  info_ = info;
  return true;
}

bool RadioEmulator::SetInfoByte(int index, std::uint8_t value) {
  if (value == kEnd || value == kPreamble) return false;
  std::lock_guard lock(mutex_);
  if (index < 0 || static_cast<size_t>(index) >= info_.size()) return false;
  info_[static_cast<size_t>(index)] = value;
  return true;
}

std::vector<std::uint8_t> RadioEmulator::Info() const {
  std::lock_guard lock(mutex_);
  return info_;
}

std::vector<std::uint8_t> RadioEmulator::Memory() const {
  std::lock_guard lock(mutex_);
  return memory_;
}

void RadioEmulator::SetMemory(const std::vector<std::uint8_t>& memory) {
  std::lock_guard lock(mutex_);
  std::fill(memory_.begin(), memory_.end(), 0);
  std::copy_n(memory.begin(), std::min(memory.size(), memory_.size()), memory_.begin());
}

void RadioEmulator::ClearCloneRange(std::uint8_t fill) {
  std::lock_guard lock(mutex_);
  std::fill_n(memory_.begin(), layout_.lastCloneAddress + 1, fill);
}

std::vector<std::string> RadioEmulator::Problems() const {
  std::lock_guard lock(mutex_);
  return problems_;
}

std::vector<WireSegment> RadioEmulator::WireLog() const {
  std::lock_guard lock(mutex_);
  return wire_;
}

void RadioEmulator::ClearWireLog() {
  std::lock_guard lock(mutex_);
  wire_.clear();
  wireBytes_ = 0;
}

int RadioEmulator::Speed() const {
  std::lock_guard lock(mutex_);
  return speed_;
}

int RadioEmulator::DataFramesStored() const {
  std::lock_guard lock(mutex_);
  return framesStored_;
}

int RadioEmulator::WriteAcks() const {
  std::lock_guard lock(mutex_);
  return acks_;
}

std::int64_t RadioEmulator::BytesTaken() const {
  std::lock_guard lock(mutex_);
  return taken_;
}

std::int64_t RadioEmulator::BytesSent() const {
  std::lock_guard lock(mutex_);
  return sent_;
}

bool RadioEmulator::Disconnected() const {
  std::lock_guard lock(mutex_);
  return disconnected_;
}

bool RadioEmulator::IsQuiet() const {
  std::lock_guard lock(mutex_);
  if (disconnected_ || master_ < 0) return true;
  int unread = 0;
  if (ioctl(master_, FIONREAD, &unread) != 0) unread = 0;
  return unread == 0 && (outPos_ >= out_.size() || cutPending_);
}

int RadioEmulator::LineSpeed() const {
  termios t{};
  if (tcgetattr(master_, &t) != 0) return 0;
  return BaudOf(cfgetospeed(&t));
}

void RadioEmulator::Refill(Clock::time_point now, int lineSpeed) {
  const double seconds = std::chrono::duration<double>(now - lastRefill_).count();
  lastRefill_ = now;
  const double rate = lineSpeed / 10.0;
  const double cap = std::max(32.0, rate * kPacingBurstSeconds);
  inTokens_ = std::min(cap, inTokens_ + seconds * rate);
  outTokens_ = std::min(cap, outTokens_ + seconds * rate);
}

void RadioEmulator::Run() {
  std::vector<std::uint8_t> buf(4096);
  for (;;) {
    pollfd fds[2] = {{wake_[0], POLLIN, 0}, {-1, 0, 0}};
    int timeout = 50;
    {
      std::lock_guard lock(mutex_);
      if (!disconnected_) {
        const bool wantOut = outPos_ < out_.size() && !cutPending_;
        const bool canIn = !pacing_ || inTokens_ >= 1;
        const bool canOut = wantOut && (!pacing_ || outTokens_ >= 1);
        fds[1].fd = master_;
        fds[1].events = static_cast<short>((canIn ? POLLIN : 0) | (canOut ? POLLOUT : 0));
        if (pacing_ && (!canIn || (wantOut && !canOut))) timeout = 1;
        if (cutPending_) timeout = 5;
      }
    }
    poll(fds, fds[1].fd >= 0 ? 2 : 1, timeout);
    if (fds[0].revents & POLLIN) return;

    std::lock_guard lock(mutex_);
    if (disconnected_) continue;
    const Clock::time_point now = Clock::now();
    const int lineSpeed = LineSpeed();
    if (pacing_) Refill(now, lineSpeed);

    size_t maxIn = buf.size();
    if (pacing_) maxIn = std::min(maxIn, static_cast<size_t>(inTokens_));
    if (maxIn > 0) {
      const ssize_t n = read(master_, buf.data(), maxIn);
      if (n > 0) {
        if (pacing_) inTokens_ -= static_cast<double>(n);
        for (ssize_t i = 0; i < n && !disconnected_; ++i) TakeByte(buf[static_cast<size_t>(i)], lineSpeed, now);
      }
    }
    if (disconnected_) continue;
    MaybeDisconnect();
    if (disconnected_) continue;

    if (outPos_ < out_.size() && !cutPending_) {
      size_t maxOut = out_.size() - outPos_;
      if (pacing_) maxOut = std::min(maxOut, static_cast<size_t>(outTokens_));
      if (fault_ == Fault::Disconnect)
        maxOut = static_cast<size_t>(std::clamp<std::int64_t>(faultBytes_ - taken_ - sent_, 0,
                                                              static_cast<std::int64_t>(maxOut)));
      if (maxOut > 0) {
        const ssize_t n = write(master_, out_.data() + outPos_, maxOut);
        if (n > 0) {
          outPos_ += static_cast<size_t>(n);
          sent_ += n;
          lastSend_ = Clock::now();
          if (pacing_) outTokens_ -= static_cast<double>(n);
        }
      }
      MaybeDisconnect();
      if (disconnected_ || cutPending_) continue;
      if (outPos_ >= out_.size()) {
        out_.clear();
        outPos_ = 0;
        if (revertAfterSend_) {
          revertAfterSend_ = false;
          speed_ = identifySpeed_;
        }
      }
    }

    if (speed_ != identifySpeed_ && out_.empty() &&
        now - lastByte_ > std::chrono::milliseconds(kIdleFallbackMs))
      speed_ = identifySpeed_;
  }
}

void RadioEmulator::MaybeDisconnect() {
  if (fault_ == Fault::Disconnect && taken_ + sent_ >= faultBytes_) cutPending_ = true;
  if (!cutPending_ || disconnected_) return;
  // A hang-up discards what the program has not read yet; the cut comes
  // after the bytes that got through.
  if (Clock::now() - lastSend_ < std::chrono::milliseconds(kCutSettleMs)) return;
  int unread = 0;
  if (ioctl(slave_, FIONREAD, &unread) != 0 || unread == 0) Disconnect();
}

void RadioEmulator::Disconnect() {
  if (disconnected_) return;
  // Closing the master hangs the line up: the program's reads see the end of
  // the file and its writes fail with EIO. Our own slave descriptor stays
  // open (hung up too) until Stop, so that the pty's number is not given to
  // another pty meanwhile, which the program could open by the old path.
  close(master_);
  master_ = -1;
  disconnected_ = true;
  out_.clear();
  outPos_ = 0;
  Problem("disconnected after " + std::to_string(taken_ + sent_) + " bytes");
}

void RadioEmulator::PowerCycle() {
  std::lock_guard lock(mutex_);
  speed_ = identifySpeed_;
  revertAfterSend_ = false;
  inFrame_ = false;
  frame_.clear();
  writing_ = false;
  out_.clear();
  outPos_ = 0;
}

void RadioEmulator::Problem(std::string text) { problems_.push_back(std::move(text)); }

void RadioEmulator::Send(const std::vector<std::uint8_t>& bytes) {
  out_.insert(out_.end(), bytes.begin(), bytes.end());
}

void RadioEmulator::TakeByte(std::uint8_t b, int lineSpeed, Clock::time_point now) {
  if (cutPending_) return;  // beyond the cut
  ++taken_;
  lastByte_ = now;
  if (wireBytes_ < static_cast<std::int64_t>(kWireLogLimit)) {
    if (wire_.empty() || wire_.back().speed != lineSpeed) wire_.push_back({lineSpeed, {}});
    wire_.back().bytes.push_back(b);
    ++wireBytes_;
  }
  if (cableEcho_) {
    std::uint8_t echo = b;
    if (fault_ == Fault::EchoAltered && taken_ - 1 == faultBytes_) echo ^= 0x01;
    out_.push_back(echo);
  }
  MaybeDisconnect();
  if (disconnected_) return;

  if (lineSpeed != speed_) {
    if (!inNoise_)
      Problem("noise: bytes at " + std::to_string(lineSpeed) + " baud while listening at " +
              std::to_string(speed_));
    inNoise_ = true;
    inFrame_ = false;
    frame_.clear();
    return;
  }
  inNoise_ = false;
  if (b == kPreamble) {
    frame_.assign(1, kPreamble);
    inFrame_ = true;
    return;
  }
  if (!inFrame_) return;
  if (b == kEnd) {
    inFrame_ = false;
    HandleFrame();
    frame_.clear();
    return;
  }
  frame_.push_back(b);
  if (frame_.size() > static_cast<size_t>(kMaxFrameBytes)) {
    Problem("frame longer than " + std::to_string(kMaxFrameBytes) + " bytes dropped");
    if (writing_) writeOk_ = false;
    inFrame_ = false;
    frame_.clear();
  }
}

void RadioEmulator::HandleFrame() {
  const std::vector<std::uint8_t>& f = frame_;
  if (f.size() < 4 || f[1] != kComputer || f[2] != kRadio) {
    Problem("frame without the computer's addresses ignored");
    return;
  }
  const std::uint8_t cmd = f[3];
  if (cmd == kCmdIdentify || cmd == kCmdRead || cmd == kCmdWrite || cmd == kCmdSpeed) {
    if (f.size() < 6 || ((f[4] << 8) | f[5]) != kModelWord) {
      Problem("command frame for another model ignored");
      return;
    }
  }
  switch (cmd) {
    case kCmdIdentify:
      if (fault_ != Fault::Silence) AnswerIdentify();
      break;
    case kCmdSpeed:
      if (f.size() != 12) Problem("speed change of unexpected length");
      if (f.back() == 0x01) {
        speed_ = kHighSpeed;
      } else if (f.back() == 0x00) {
        speed_ = kNormalSpeed;
      } else {
        Problem("speed change to an unknown speed ignored");
      }
      break;
    case kCmdRead:
      if (fault_ != Fault::Silence) AnswerRead();
      break;
    case kCmdWrite:
      writing_ = true;
      writeOk_ = true;
      writeFrames_ = 0;
      break;
    case kCmdData:
      if (writing_) {
        CheckWriteFrame();
      } else {
        Problem("data frame outside a write ignored");
      }
      break;
    case kCmdEnd:
      if (writing_) {
        CheckWriteEnd();
      } else {
        Problem("end frame outside a write ignored");
      }
      break;
    default:
      Problem("unknown command ignored");
      break;
  }
}

void RadioEmulator::AnswerIdentify() {
  std::uint16_t w1 = word1_;
  if (fault_ == Fault::OtherModelWord) w1 = kOtherModelWord;
  if (fault_ == Fault::NonBcdWords) w1 = kNonBcdModelWord;
  std::vector<std::uint8_t> f = {kPreamble, kPreamble, kRadio, kComputer, kCmdIdentifyReply,
                                 static_cast<std::uint8_t>(w1 >> 8), static_cast<std::uint8_t>(w1),
                                 static_cast<std::uint8_t>(word2_ >> 8),
                                 static_cast<std::uint8_t>(word2_)};
  f.insert(f.end(), info_.begin(), info_.end());
  f.push_back(kEnd);
  Send(f);
}

void RadioEmulator::AnswerRead() {
  int count = 0;
  auto dataFrame = [&](std::int64_t address, int length, int index) {
    std::vector<std::uint8_t> payload = {
        static_cast<std::uint8_t>(address >> 24), static_cast<std::uint8_t>(address >> 16),
        static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address),
        static_cast<std::uint8_t>(length)};
    for (int i = 0; i < length; ++i) {
      const std::int64_t a = address + i;
      const std::uint8_t b = a < kMemorySize ? memory_[static_cast<size_t>(a)] : 0;
      payload.push_back(static_cast<std::uint8_t>(b + 0x80));
    }
    int sum = 0;
    for (std::uint8_t b : payload) sum += b;
    std::uint8_t check = static_cast<std::uint8_t>(256 - sum % 256);
    const bool hit = index == faultFrame_;
    if (hit && fault_ == Fault::BadChecksum) ++check;
    payload.push_back(check);
    if (hit && fault_ == Fault::DropPayloadByte && length > 0) payload.erase(payload.begin() + 5);
    std::vector<std::uint8_t> f = {kPreamble, kPreamble, kRadio, kComputer, kCmdData};
    if (hit && fault_ == Fault::GarbageInsideFrame) f.push_back(kStrayByte);
    for (std::uint8_t b : payload) PutEscaped(f, b);
    f.push_back(kEnd);
    return f;
  };

  const std::int64_t size = readFrameSize_;
  for (std::int64_t a = readFirst_; a <= readLast_;) {
    const int length = static_cast<int>(std::min(size - a % size, readLast_ - a + 1));
    const int index = count++;
    if (index == faultFrame_ && fault_ == Fault::OversizeFrame) {
      // The length byte cannot say it; the frame is simply too long.
      Send(dataFrame(a, kOversizeDataBytes, -1));
    } else if (!(index == faultFrame_ && fault_ == Fault::DropFrame)) {
      Send(dataFrame(a, length, index));
    }
    if (fault_ == Fault::GarbageBetweenFrames) Send({std::begin(kGarbage), std::end(kGarbage)});
    a += length;
  }
  if (fault_ == Fault::FrameOutsideRange) {
    const std::int64_t a = std::min<std::int64_t>((readLast_ + 0x100) & ~std::int64_t{0xFF},
                                                  kMemorySize - 16);
    Send(dataFrame(a, 16, -1));
    ++count;
  }
  if (fault_ == Fault::FrameOutsideImage) {
    Send(dataFrame(kMemorySize, 16, -1));
    ++count;
  }
  if (fault_ == Fault::WrongEndCount) ++count;
  std::vector<std::uint8_t> end = {kPreamble, kPreamble, kRadio, kComputer, kCmdEnd};
  std::string text = std::string(kMaker) + Hex2(count & 0xFF);
  if (fault_ == Fault::WrongEndText) text[0] = 'X';
  end.insert(end.end(), text.begin(), text.end());
  end.push_back(kEnd);
  Send(end);
  revertAfterSend_ = true;
}

void RadioEmulator::CheckWriteFrame() {
  const std::vector<std::uint8_t>& f = frame_;
  ++writeFrames_;
  std::vector<std::uint8_t> p;
  bool ok = true;
  for (size_t i = 4; i < f.size(); ++i) {
    const std::uint8_t b = f[i];
    if (b == kEscape) {
      if (i + 1 >= f.size()) {
        Problem("data frame " + std::to_string(writeFrames_) + ": escape without its nibble");
        ok = false;
        break;
      }
      const std::uint8_t x = f[++i];
      if (x > 0x0F) {
        Problem("data frame " + std::to_string(writeFrames_) + ": escape of a byte above 0x0F");
        ok = false;
      }
      p.push_back(static_cast<std::uint8_t>(x | 0xF0));
    } else {
      if (b >= 0xFA) {
        Problem("data frame " + std::to_string(writeFrames_) + ": unescaped byte");
        ok = false;
      }
      p.push_back(b);
    }
  }
  if (ok && p.size() < 6) {
    Problem("data frame " + std::to_string(writeFrames_) + ": too short");
    ok = false;
  }
  if (ok) {
    const size_t length = p[4];
    int sum = 0;
    for (std::uint8_t b : p) sum += b;
    const std::int64_t address = (std::int64_t{p[0]} << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
    if (length != p.size() - 6) {
      Problem("data frame " + std::to_string(writeFrames_) + ": length byte does not match");
      ok = false;
    } else if (sum % 256 != 0) {
      Problem("data frame " + std::to_string(writeFrames_) + ": bad checksum");
      ok = false;
    } else if (address + static_cast<std::int64_t>(length) - 1 > layout_.lastCloneAddress) {
      Problem("data frame " + std::to_string(writeFrames_) + ": outside the clone range");
      ok = false;
    } else {
      for (size_t i = 0; i < length; ++i)
        memory_[static_cast<size_t>(address) + i] = static_cast<std::uint8_t>(p[5 + i] - 0x80);
      ++framesStored_;
    }
  }
  if (!ok) writeOk_ = false;
}

void RadioEmulator::CheckWriteEnd() {
  const std::string text(frame_.begin() + 4, frame_.end());
  const std::string expected = std::string(kMaker) + Hex2(writeFrames_ & 0xFF);
  if (text != expected) {
    Problem("end frame \"" + text + "\" where \"" + expected + "\" was due");
    writeOk_ = false;
  }
  writing_ = false;
  if (fault_ == Fault::Silence || fault_ == Fault::NoWriteAck) {
    speed_ = identifySpeed_;
    return;
  }
  SendWriteAck(fault_ == Fault::WriteNak || !writeOk_ ? kWriteAckBad : kWriteAckGood);
}

void RadioEmulator::SendWriteAck(std::uint8_t code) {
  Send({kPreamble, kPreamble, kRadio, kComputer, kCmdWriteAck, code, kEnd});
  ++acks_;
  revertAfterSend_ = true;
}

}  // namespace radioemu
