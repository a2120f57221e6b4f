#pragma once
// A bare pseudo-terminal for tests of serial code: the test holds the master
// and one slave descriptor (so the code under test may close and reopen the
// slave path without hanging the line up) and reads the slave's settings
// through the master.
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

namespace kwtest {

class PtyPair {
 public:
  PtyPair() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    char name[128] = {};
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0 ||
        ptsname_r(master_, name, sizeof name) != 0)
      return;
    path_ = name;
    keep_ = open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    termios t{};
    tcgetattr(keep_, &t);
    cfmakeraw(&t);
    tcsetattr(keep_, TCSANOW, &t);
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
  }
  ~PtyPair() { HangUp(); }
  PtyPair(const PtyPair&) = delete;
  PtyPair& operator=(const PtyPair&) = delete;

  bool IsValid() const { return master_ >= 0 && keep_ >= 0; }
  const std::string& SlavePath() const { return path_; }

  // The slave's settings as the code under test left them.
  termios SlaveSettings() const {
    termios t{};
    tcgetattr(master_, &t);
    return t;
  }

  // Bytes towards the code under test.
  bool Send(const std::vector<std::uint8_t>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = write(master_, bytes.data() + done, bytes.size() - done);
      if (n > 0) {
        done += static_cast<size_t>(n);
        continue;
      }
      pollfd p{master_, POLLOUT, 0};
      if (poll(&p, 1, 1000) <= 0) return false;
    }
    return true;
  }

  // Bytes from the code under test: waits until `count` arrived or `quietMs`
  // passed without a byte. The quiet time only ends a test whose bytes never
  // come; a busy machine may hold written bytes back for a while.
  std::vector<std::uint8_t> Receive(size_t count, int quietMs = 10000) {
    std::vector<std::uint8_t> got;
    while (got.size() < count) {
      pollfd p{master_, POLLIN, 0};
      if (poll(&p, 1, quietMs) <= 0) break;
      std::uint8_t buf[4096];
      const ssize_t n = read(master_, buf, sizeof buf);
      if (n <= 0) break;
      got.insert(got.end(), buf, buf + n);
    }
    return got;
  }

  // Closes the master and our slave: the line is gone for the code under test.
  void HangUp() {
    if (keep_ >= 0) close(keep_);
    if (master_ >= 0) close(master_);
    keep_ = master_ = -1;
  }

 private:
  int master_ = -1;
  int keep_ = -1;
  std::string path_;
};

}  // namespace kwtest
