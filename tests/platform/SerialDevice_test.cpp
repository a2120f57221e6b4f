#include "platform/SerialDevice.h"

#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <cerrno>

#include <limits>
#include <numeric>

#include "support/ManualClock.h"
#include "support/PtyPair.h"
#include "support/ScratchDir.h"

namespace platform {
namespace {

constexpr tcflag_t CS8u = CS8;

class SerialDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(pty_.IsValid()); }
  kwtest::PtyPair pty_;
  TermiosSerialDevice device_;
};

TEST_F(SerialDeviceTest, AppliesRawLineSettings) {
  struct Case {
    SerialLineSettings settings;
    speed_t speed;
    tcflag_t size;
    bool parityCheck;
    bool twoStops;
  } cases[] = {
      {{38400, false, 8, StopBits::One}, B38400, CS8, false, false},
      {{9600, true, 5, StopBits::Two}, B9600, CS5, true, true},
      {{4800, false, 7, StopBits::OnePointFive}, B4800, CS7, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.settings.baud);
    ASSERT_TRUE(device_.Open(pty_.SlavePath(), c.settings));
    const termios t = pty_.SlaveSettings();
    EXPECT_EQ(cfgetospeed(&t), c.speed);
    EXPECT_EQ(cfgetispeed(&t), c.speed);
    EXPECT_EQ(t.c_cflag & CSIZE, CS8u);  // a pty keeps 8 bits whatever it is told
    termios made{};
    ASSERT_TRUE(MakeLineTermios(c.settings, made));
    EXPECT_EQ(made.c_cflag & CSIZE, c.size);
    EXPECT_EQ((t.c_iflag & INPCK) != 0, c.parityCheck);
    EXPECT_EQ((t.c_cflag & CSTOPB) != 0, c.twoStops);
    EXPECT_EQ(t.c_cflag & PARENB, 0u);
    EXPECT_EQ(t.c_cflag & (CLOCAL | CREAD), CLOCAL | CREAD);
    EXPECT_EQ(t.c_cflag & (CRTSCTS | HUPCL), 0u);
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF | IXANY | ICRNL | ISTRIP), 0u);
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(t.c_oflag & OPOST, 0u);
    EXPECT_EQ(t.c_cc[VMIN], 0);
    EXPECT_EQ(t.c_cc[VTIME], 0);
    device_.Close();
  }
}

TEST_F(SerialDeviceTest, RefusedOpensLeaveNothingOpen) {
  kwtest::ScratchDir dir;
  struct Case {
    const char* why;
    std::string path;
    SerialLineSettings settings;
  } cases[] = {
      {"four-bit bytes", pty_.SlavePath(), {9600, true, 4, StopBits::Two}},
      {"baud 0", pty_.SlavePath(), {0, false, 8, StopBits::One}},
      {"a rate the system lacks", pty_.SlavePath(), {12345, false, 8, StopBits::One}},
      {"no such device", dir.FileStd("no-such-device"), {9600, false, 8, StopBits::One}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_FALSE(device_.Open(c.path, c.settings));
    EXPECT_FALSE(device_.IsOpen());
    EXPECT_EQ(device_.InQueue(), 0);
    EXPECT_EQ(device_.OutQueue(), 0);
  }
  // The port works afterwards.
  EXPECT_TRUE(device_.Open(pty_.SlavePath(), {}));
}

TEST_F(SerialDeviceTest, AFailedOpenTellsTheSystemsReason) {
  kwtest::ScratchDir dir;
  TermiosSerialDevice other;
  ASSERT_TRUE(other.Open(pty_.SlavePath(), {}));
  struct Case {
    const char* why;
    std::string path;
    SerialLineSettings settings;
    int error;
  } cases[] = {
      {"no such device", dir.FileStd("no-such-device"), {}, ENOENT},
      {"held by another program", pty_.SlavePath(), {}, EWOULDBLOCK},
      {"four-bit bytes", pty_.SlavePath(), {9600, true, 4, StopBits::Two}, EINVAL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_FALSE(device_.Open(c.path, c.settings));
    EXPECT_EQ(device_.LastOpenError(), c.error);
  }
  other.Close();
  ASSERT_TRUE(device_.Open(pty_.SlavePath(), {}));
  EXPECT_EQ(device_.LastOpenError(), 0);
  device_.Close();
  // A device the user may not open (the superuser may open anything).
  if (geteuid() != 0) {
    const std::string locked = dir.FileStd("locked");
    QFile file(QString::fromStdString(locked));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ASSERT_TRUE(file.setPermissions(QFileDevice::Permissions()));
    EXPECT_FALSE(device_.Open(locked, {}));
    EXPECT_EQ(device_.LastOpenError(), EACCES);
  }
}

TEST(DeviceGroupNameTest, TheGroupThatOwnsTheDevice) {
  kwtest::ScratchDir dir;
  const QString path = dir.File(QStringLiteral("device"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  EXPECT_EQ(DeviceGroupName(path.toStdString()), QFileInfo(path).group().toStdString());
  EXPECT_FALSE(DeviceGroupName(path.toStdString()).empty());
  EXPECT_EQ(DeviceGroupName(dir.FileStd("missing")), "");
  EXPECT_EQ(DeviceGroupName(""), "");
}

TEST_F(SerialDeviceTest, ABusyDeviceIsNotShared) {
  ASSERT_TRUE(device_.Open(pty_.SlavePath(), {}));
  TermiosSerialDevice other;
  EXPECT_FALSE(other.Open(pty_.SlavePath(), {}));
  EXPECT_FALSE(other.IsOpen());
  EXPECT_FALSE(device_.Open(pty_.SlavePath(), {}));  // already open: unchanged
  EXPECT_TRUE(device_.IsOpen());
  device_.Close();
  EXPECT_TRUE(other.Open(pty_.SlavePath(), {}));
}

TEST_F(SerialDeviceTest, ReadsWhatIsQueuedWithoutWaiting) {
  ASSERT_TRUE(device_.Open(pty_.SlavePath(), {}));
  std::uint8_t buf[256];
  EXPECT_EQ(device_.Read(buf, 256), 0);
  ASSERT_TRUE(pty_.Send(std::vector<std::uint8_t>(10, 0x42)));
  for (int i = 0; i < 10000 && device_.InQueue() < 10; ++i) usleep(1000);
  EXPECT_EQ(device_.InQueue(), 10);
  EXPECT_EQ(device_.Read(buf, 256), 10);
  EXPECT_EQ(device_.Read(buf, 256), 0);
}

TEST_F(SerialDeviceTest, EveryByteValuePassesBothWays) {
  ASSERT_TRUE(device_.Open(pty_.SlavePath(), {19200, false, 8, StopBits::One}));
  std::vector<std::uint8_t> all(256);
  std::iota(all.begin(), all.end(), 0);
  ASSERT_EQ(device_.Write(all.data(), 256, 3000), 256);
  EXPECT_EQ(pty_.Receive(256), all);

  ASSERT_TRUE(pty_.Send(all));
  std::vector<std::uint8_t> got;
  for (int i = 0; i < 10000 && got.size() < 256; ++i) {
    std::uint8_t buf[256];
    const int n = device_.Read(buf, 256);
    got.insert(got.end(), buf, buf + n);
    if (n == 0) usleep(1000);
  }
  EXPECT_EQ(got, all);
}

TEST_F(SerialDeviceTest, AHungUpLineFailsWritesAtOnceAndReadsNothing) {
  ASSERT_TRUE(device_.Open(pty_.SlavePath(), {}));
  pty_.HangUp();
  const std::uint8_t bytes[4] = {1, 2, 3, 4};
  // A write that waited for room on the dead line would never return.
  EXPECT_LT(device_.Write(bytes, 4, std::numeric_limits<int>::max()), 4);
  std::uint8_t buf[16];
  EXPECT_EQ(device_.Read(buf, 16), 0);
  EXPECT_EQ(device_.InQueue(), 0);
  device_.Close();
  EXPECT_FALSE(device_.IsOpen());
}

TEST_F(SerialDeviceTest, LineModelPacesWritesAtTheLineRate) {
  kwtest::ManualClock clock(0xFFFFFFF0u);  // crosses the tick counter's wrap
  device_.SetLineModel(true);
  ASSERT_TRUE(device_.Open(pty_.SlavePath(), {38400, false, 8, StopBits::One}));
  std::vector<std::uint8_t> bytes(100, 0x55);
  // 100 bytes take 26.04 ms at 38400. The write hands them over and returns
  // at once; the output queue counts them until they are out.
  std::uint32_t before = clock.TickCount();
  ASSERT_EQ(device_.Write(bytes.data(), 100, 3000), 100);
  EXPECT_EQ(clock.TickCount(), before);
  EXPECT_EQ(device_.OutQueue(), 100);
  ASSERT_EQ(device_.Write(bytes.data(), 100, 0), 100);  // queues behind the first
  EXPECT_EQ(device_.OutQueue(), 200);
  clock.Advance(13);
  EXPECT_NEAR(device_.OutQueue(), 150, 1);

  // Waiting for an empty queue: not when it takes longer than allowed, else
  // just until the last byte is out.
  before = clock.TickCount();
  EXPECT_FALSE(device_.AwaitOutputEmpty(38));
  EXPECT_EQ(clock.TickCount(), before);
  EXPECT_TRUE(device_.AwaitOutputEmpty(40));
  EXPECT_EQ(clock.TickCount() - before, 40u);  // 52.08 ms after the first write, rounded up
  EXPECT_EQ(device_.OutQueue(), 0);
  EXPECT_TRUE(device_.AwaitOutputEmpty(0));
  EXPECT_EQ(clock.TickCount() - before, 40u);

  clock.Advance(1000);  // an idle line does not bank time
  ASSERT_EQ(device_.Write(bytes.data(), 100, 0), 100);
  EXPECT_EQ(device_.OutQueue(), 100);
  ASSERT_TRUE(device_.Purge());  // purged bytes never reach the wire
  EXPECT_EQ(device_.OutQueue(), 0);

  device_.SetLineModel(false);
  before = clock.TickCount();
  ASSERT_EQ(device_.Write(bytes.data(), 100, 3000), 100);
  EXPECT_EQ(clock.TickCount(), before);
  EXPECT_EQ(device_.OutQueue(), 0);  // a pty's own figure
}

}  // namespace
}  // namespace platform
