#include "platform/InstanceLock.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <ctime>

#include "support/ScratchDir.h"

using platform::InstanceLock;

namespace {

constexpr int kTwoDays = 2 * 24 * 60 * 60;

void WriteLockFile(const QString& path, const QByteArray& bytes, int ageSeconds) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(bytes);
  f.close();
  const std::time_t then = std::time(nullptr) - ageSeconds;
  const struct timespec times[2] = {{then, 0}, {then, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
}

// A process that takes the lock, says so through a pipe and waits to be
// killed.
class Holder {
 public:
  explicit Holder(const QString& folder) {
    int ready[2];
    if (::pipe(ready) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::close(ready[0]);
      InstanceLock lock({folder});
      const char state = lock.state() == InstanceLock::State::Held ? 'H' : 'x';
      (void)!::write(ready[1], &state, 1);
      for (;;) ::pause();
    }
    ::close(ready[1]);
    if (pid_ > 0 && ::read(ready[0], &state_, 1) != 1) state_ = 0;
    ::close(ready[0]);
  }
  ~Holder() { Kill(); }
  bool Holds() const { return state_ == 'H'; }
  void Kill() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
  char state_ = 0;
};

}  // namespace

// Whatever an old lock file holds, it never blocks a start when no live
// process holds the lock.
TEST(InstanceLockTest, NoLeftoverFileBlocksAStart) {
  struct Case {
    const char* name;
    QByteArray bytes;
  };
  char host[256] = {};
  ::gethostname(host, sizeof host - 1);
  const Case cases[] = {
      {"empty", ""},
      {"garbage", "abc"},
      {"binary", QByteArray("\x00\xff\n\x01", 4)},
      {"a dead process", "2147483646\nkw3700\n" + QByteArray(host) + "\n"},
      {"another machine", "1\nkw3700\nsome-other-host\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    kwtest::ScratchDir dir;
    const QString file = dir.File(InstanceLock::kLockName);
    WriteLockFile(file, c.bytes, kTwoDays);
    {
      InstanceLock lock({dir.Path()});
      EXPECT_EQ(lock.state(), InstanceLock::State::Held);
      EXPECT_EQ(lock.path(), file);
      // A process started meanwhile is a later instance.
      InstanceLock later({dir.Path()});
      EXPECT_EQ(later.state(), InstanceLock::State::HeldByOther);
    }
    // The holder takes its file with it.
    EXPECT_FALSE(QFileInfo::exists(file));
  }
}

TEST(InstanceLockTest, ALiveHolderRefusesAndAKilledOneIsTakenOver) {
  kwtest::ScratchDir dir;
  Holder holder(dir.Path());
  ASSERT_TRUE(holder.Holds());
  const QString file = dir.File(InstanceLock::kLockName);
  QFile f(file);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray written = f.readAll();
  f.close();
  {
    InstanceLock second({dir.Path()});
    EXPECT_EQ(second.state(), InstanceLock::State::HeldByOther);
    EXPECT_EQ(second.path(), file);
  }
  // Refused, the later instance left the holder's file as it was.
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), written);
  f.close();

  holder.Kill();
  ASSERT_TRUE(QFileInfo::exists(file));  // a killed holder cannot remove it
  InstanceLock next({dir.Path()});
  EXPECT_EQ(next.state(), InstanceLock::State::Held);
}

// A lock file in a folder that takes no new files still locks.
TEST(InstanceLockTest, AReadOnlyFolderWithALockFileStillLocks) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  kwtest::ScratchDir dir;
  const QString file = dir.File(InstanceLock::kLockName);
  WriteLockFile(file, "", kTwoDays);
  QFile::setPermissions(dir.Path(), QFile::ReadOwner | QFile::ExeOwner);
  {
    InstanceLock lock({dir.Path()});
    EXPECT_EQ(lock.state(), InstanceLock::State::Held);
    InstanceLock later({dir.Path()});
    EXPECT_EQ(later.state(), InstanceLock::State::HeldByOther);
  }
  QFile::setPermissions(dir.Path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
