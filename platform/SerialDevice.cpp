#include "platform/SerialDevice.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <vector>

#include "platform/Clock.h"

namespace platform {
namespace {

std::atomic<bool> g_lineModelDefault{true};

constexpr int kBitsPerByte = 10;  // start bit, 8 data bits, stop bit

bool SpeedOf(int baud, speed_t& out) {
  struct Rate {
    int baud;
    speed_t speed;
  };
  static constexpr Rate kRates[] = {
      {50, B50},           {75, B75},           {110, B110},         {134, B134},
      {150, B150},         {200, B200},         {300, B300},         {600, B600},
      {1200, B1200},       {1800, B1800},       {2400, B2400},       {4800, B4800},
      {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
      {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
      {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
      {1500000, B1500000}, {2000000, B2000000},
  };
  for (const Rate& r : kRates) {
    if (r.baud == baud) {
      out = r.speed;
      return true;
    }
  }
  return false;
}

bool SizeFlag(int byteSize, tcflag_t& out) {
  switch (byteSize) {
    case 5: out = CS5; return true;
    case 6: out = CS6; return true;
    case 7: out = CS7; return true;
    case 8: out = CS8; return true;
    default: return false;
  }
}

}  // namespace

bool IsSupportedBaud(int baud) {
  speed_t s;
  return SpeedOf(baud, s);
}

bool MakeLineTermios(const SerialLineSettings& settings, termios& t) {
  speed_t speed;
  tcflag_t size;
  if (!SpeedOf(settings.baud, speed) || !SizeFlag(settings.byteSize, size)) return false;
  termios r = t;
  cfmakeraw(&r);
  r.c_cflag |= CLOCAL | CREAD;
  r.c_cflag &= ~(CRTSCTS | HUPCL | CSIZE | CSTOPB | PARENB);
  r.c_cflag |= size;
  if (settings.stopBits != StopBits::One) r.c_cflag |= CSTOPB;  // no 1.5 here: 2 is closest
  r.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK);
  if (settings.parityCheck) r.c_iflag |= INPCK;
  r.c_cc[VMIN] = 0;
  r.c_cc[VTIME] = 0;
  if (cfsetispeed(&r, speed) != 0 || cfsetospeed(&r, speed) != 0) return false;
  t = r;
  return true;
}

TermiosSerialDevice::TermiosSerialDevice() : lineModel_(g_lineModelDefault.load()) {}

TermiosSerialDevice::~TermiosSerialDevice() { Close(); }

void TermiosSerialDevice::SetLineModelDefault(bool on) { g_lineModelDefault.store(on); }
bool TermiosSerialDevice::LineModelDefault() { return g_lineModelDefault.load(); }

bool TermiosSerialDevice::Open(const std::string& path, const SerialLineSettings& settings) {
  if (fd_ >= 0) return false;
  openError_ = 0;
  termios check{};
  if (!MakeLineTermios(settings, check)) {
    openError_ = EINVAL;
    return false;
  }

  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    openError_ = errno;
    return false;
  }
  auto fail = [fd, this] {
    openError_ = errno;
    ::close(fd);
    return false;
  };
  // Nobody else may talk on the line while a clone runs.
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) return fail();
  termios t{};
  if (tcgetattr(fd, &t) != 0 || !MakeLineTermios(settings, t) || tcsetattr(fd, TCSANOW, &t) != 0)
    return fail();

  // DTR off, RTS on. Pseudo-terminals have no modem lines and refuse; that
  // is no reason to fail.
  int dtr = TIOCM_DTR;
  int rts = TIOCM_RTS;
  ioctl(fd, TIOCMBIC, &dtr);
  ioctl(fd, TIOCMBIS, &rts);

  fd_ = fd;
  baud_ = settings.baud;
  wireFreeUs_ = NowUs();
  return true;
}

std::string DeviceGroupName(const std::string& path) {
  struct stat st {};
  if (path.empty() || ::stat(path.c_str(), &st) != 0) return {};
  group entry{};
  group* found = nullptr;
  std::vector<char> buffer(4096);
  while (getgrgid_r(st.st_gid, &entry, buffer.data(), buffer.size(), &found) == ERANGE &&
         buffer.size() < (1u << 20))
    buffer.resize(buffer.size() * 2);
  return found && found->gr_name ? std::string(found->gr_name) : std::string();
}

void TermiosSerialDevice::Close() {
  if (fd_ < 0) return;
  ::close(fd_);  // also releases the lock
  fd_ = -1;
}

bool TermiosSerialDevice::Purge() {
  if (fd_ < 0) return false;
  wireFreeUs_ = NowUs();
  return tcflush(fd_, TCIOFLUSH) == 0;
}

int TermiosSerialDevice::Read(std::uint8_t* buffer, int max) {
  if (fd_ < 0 || max <= 0) return 0;
  for (;;) {
    const ssize_t n = ::read(fd_, buffer, static_cast<size_t>(max));
    if (n > 0) return static_cast<int>(n);
    if (n < 0 && errno == EINTR) continue;
    return 0;  // nothing waiting, end of the line, or a hung-up line (EIO)
  }
}

int TermiosSerialDevice::Write(const std::uint8_t* bytes, int count, int timeoutMs) {
  if (fd_ < 0 || count <= 0) return 0;
  // The budget is real time: the driver drains on the wall clock.
  using Steady = std::chrono::steady_clock;
  const Steady::time_point deadline =
      Steady::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
  int written = 0;
  while (written < count) {
    const ssize_t n = ::write(fd_, bytes + written, static_cast<size_t>(count - written));
    if (n > 0) {
      written += static_cast<int>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) break;  // EIO and the like
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Steady::now()).count();
    if (left <= 0) break;
    pollfd p{fd_, POLLOUT, 0};
    const int r = poll(&p, 1, static_cast<int>(left));
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0 || (p.revents & (POLLHUP | POLLERR | POLLNVAL))) break;
  }
  ModelHandOver(written);
  return written;
}

int TermiosSerialDevice::InQueue() {
  if (fd_ < 0) return 0;
  int n = 0;
  if (ioctl(fd_, FIONREAD, &n) != 0) return 0;
  return std::max(n, 0);
}

int TermiosSerialDevice::OutQueue() {
  if (fd_ < 0) return 0;
  int n = 0;
  if (ioctl(fd_, TIOCOUTQ, &n) != 0) return 0;
  return std::max({n, 0, ModelPending()});
}

bool TermiosSerialDevice::AwaitOutputEmpty(int maxMs) {
  if (fd_ < 0) return true;
  int n = 0;
  // A real driver's queue drains at its own pace: nothing to wait for here.
  if (ioctl(fd_, TIOCOUTQ, &n) == 0 && n > 0) return false;
  if (lineModel_) {
    const std::int64_t leftUs = wireFreeUs_ - NowUs();
    if (leftUs > std::int64_t{std::max(maxMs, 0)} * 1000) return false;
    // Whole milliseconds, rounded up, so the model reads empty afterwards.
    if (leftUs > 0) CurrentClock().SleepMs(static_cast<std::uint32_t>((leftUs + 999) / 1000));
  }
  return OutQueue() == 0;
}

std::int64_t TermiosSerialDevice::NowUs() {
  const std::uint32_t tick = GetTickCount();
  if (!clockStarted_) {
    clockStarted_ = true;
    lastTick_ = tick;
  }
  clockUs_ += static_cast<std::int64_t>(static_cast<std::uint32_t>(tick - lastTick_)) * 1000;
  lastTick_ = tick;
  return clockUs_;
}

void TermiosSerialDevice::ModelHandOver(int count) {
  if (count <= 0) return;
  const std::int64_t now = NowUs();
  const std::int64_t start = std::max(wireFreeUs_, now);
  wireFreeUs_ = start + static_cast<std::int64_t>(count) * kBitsPerByte * 1000000 / baud_;
}

int TermiosSerialDevice::ModelPending() {
  if (!lineModel_) return 0;
  const std::int64_t left = wireFreeUs_ - NowUs();
  if (left <= 0) return 0;
  // Whole bytes still to go, rounded up: a byte half sent is not yet gone.
  const std::int64_t bitTimeUs = static_cast<std::int64_t>(kBitsPerByte) * 1000000;
  return static_cast<int>((left * baud_ + bitTimeUs - 1) / bitTimeUs);
}

}  // namespace platform
