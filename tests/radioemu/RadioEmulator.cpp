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
// Token buckets of the paced line hold at most this much time of bytes, so a
// pause is not made up by a burst.
constexpr double kPacingBurstSeconds = 0.02;

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
  if (std::any_of(info.begin(), info.end(),
                  [](std::uint8_t b) { return b == kEnd || b == kPreamble; }))
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

std::int64_t RadioEmulator::BytesRead() const {
  std::lock_guard lock(mutex_);
  return read_;
}

std::int64_t RadioEmulator::BytesSent() const {
  std::lock_guard lock(mutex_);
  return sent_;
}

bool RadioEmulator::Disconnected() const {
  std::lock_guard lock(mutex_);
  return disconnected_;
}

int RadioEmulator::UnreadByProgram() const {
  std::lock_guard lock(mutex_);
  int unread = 0;
  if (slave_ < 0 || ioctl(slave_, FIONREAD, &unread) != 0) return 0;
  return unread;
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
        read_ += n;
        if (pacing_) inTokens_ -= static_cast<double>(n);
        for (ssize_t i = 0; i < n && !disconnected_; ++i)
          TakeByte(buf[static_cast<size_t>(i)], lineSpeed, now);
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
        if (cutWhenSent_) {
          cutWhenSent_ = false;
          cutPending_ = true;
          continue;
        }
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
  cutWhenSent_ = false;
}

void RadioEmulator::Problem(std::string text) { problems_.push_back(std::move(text)); }

}  // namespace radioemu
