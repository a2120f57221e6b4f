#include "clone/cmcComm.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <numeric>

#include "FakeSerialDevice.h"
#include "platform/SettingsStore.h"
#include "support/PtyPair.h"
#include "support/PumpUntil.h"
#include "support/ScratchDir.h"

namespace {

using platform::StopBits;

TEST(cmcCommSettingsTest, ReadsTheSettingsText) {
  struct Case {
    const char* text;
    bool baudOk;
    int baud;
    bool parityCheck;
    int byteSize;
    StopBits stop;
  } cases[] = {
      {"38400,N,8,1", true, 38400, false, 8, StopBits::One},
      {"9600,O,3,2", true, 9600, true, 4, StopBits::Two},
      {"9600,E,9,1.5", true, 9600, false, 8, StopBits::OnePointFive},
      {"4800,m,7,1", true, 4800, true, 7, StopBits::One},
      {"19200,o,5,2.0", true, 19200, true, 5, StopBits::One},
      {"9600", true, 9600, false, 8, StopBits::One},
      {"0,N,8,1", false, 0, false, 8, StopBits::One},
      {"fast,N,8,1", false, 0, false, 8, StopBits::One},
      {"-9600,N,8,1", false, 0, false, 8, StopBits::One},
      {"", false, 0, false, 8, StopBits::One},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const cmcComm::ParsedSettings p = cmcComm::ParseSettings(c.text);
    EXPECT_EQ(p.baudOk, c.baudOk);
    EXPECT_EQ(p.line.baud, c.baud);
    EXPECT_EQ(p.line.parityCheck, c.parityCheck);
    EXPECT_EQ(p.line.byteSize, c.byteSize);
    EXPECT_EQ(p.line.stopBits, c.stop);
  }
}

class cmcCommFakeTest : public ::testing::Test {
 protected:
  cmcCommFakeTest()
      : line_(std::make_shared<kwtest::FakeLine>()),
        comm_(std::make_unique<kwtest::FakeSerialDevice>(line_)) {
    comm_.SetPathResolver(
        [](int port) { return port == 3 ? std::string("/dev/fake3") : std::string(); });
  }
  std::shared_ptr<kwtest::FakeLine> line_;
  cmcComm comm_;
};

TEST_F(cmcCommFakeTest, OpensWithTheSettingsAndTheWriteBudget) {
  ASSERT_EQ(comm_.Open(3, "38400,N,8,1"), 1);
  ASSERT_EQ(line_->opens.size(), 1u);
  EXPECT_EQ(line_->opens[0].path, "/dev/fake3");
  EXPECT_EQ(line_->opens[0].settings.baud, 38400);
  EXPECT_EQ(line_->purges, 1);
  EXPECT_EQ(comm_.WriteTimeoutMs(1), 2 + 3000);  // 100000 / 38400 = 2 ms a byte
  EXPECT_EQ(comm_.WriteTimeoutMs(1024), 2048 + 3000);
  const std::uint8_t b[3] = {1, 2, 3};
  comm_.Write(b, 3);
  ASSERT_EQ(line_->writes.size(), 1u);
  EXPECT_EQ(line_->writes[0].timeoutMs, 3 * 2 + 3000);

  // Open on an open port: refused, nothing changed.
  EXPECT_EQ(comm_.Open(3, "9600,N,8,1"), 0);
  EXPECT_TRUE(comm_.IsOpen());
  EXPECT_EQ(comm_.Baud(), 38400);
  EXPECT_EQ(line_->opens.size(), 1u);
}

TEST_F(cmcCommFakeTest, EveryFailedOpenLeavesThePortClosed) {
  struct Case {
    const char* why;
    int port;
    const char* settings;
    bool failOpen;
    bool failPurge;
  } cases[] = {
      {"rate 0", 3, "0,N,8,1", false, false},
      {"rate not a number", 3, "x,N,8,1", false, false},
      {"unknown port", 4, "9600,N,8,1", false, false},
      {"device refuses", 3, "9600,N,8,1", true, false},
      {"purge refused", 3, "9600,N,8,1", false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    line_->failOpen = c.failOpen;
    line_->failPurge = c.failPurge;
    EXPECT_EQ(comm_.Open(c.port, c.settings), 0);
    EXPECT_FALSE(comm_.IsOpen());
    EXPECT_FALSE(line_->isOpen);
  }
  line_->failOpen = line_->failPurge = false;
  EXPECT_EQ(comm_.Open(3, "9600,N,8,1"), 1);  // nothing held on
}

TEST_F(cmcCommFakeTest, AFailedOpenTellsWhyAndWhere) {
  line_->failOpen = true;
  line_->openError = EACCES;
  EXPECT_EQ(comm_.Open(3, "9600,N,8,1"), 0);
  EXPECT_EQ(comm_.OpenError(), EACCES);
  EXPECT_EQ(comm_.OpenPath(), "/dev/fake3");
  // A number that names no device: no error number, no path.
  EXPECT_EQ(comm_.Open(4, "9600,N,8,1"), 0);
  EXPECT_EQ(comm_.OpenError(), 0);
  EXPECT_EQ(comm_.OpenPath(), "");
  line_->failOpen = false;
  EXPECT_EQ(comm_.Open(3, "9600,N,8,1"), 1);
  EXPECT_EQ(comm_.OpenError(), 0);
}

TEST_F(cmcCommFakeTest, PumpsChunksOnlyWhenTheDriverQueueIsEmpty) {
  ASSERT_EQ(comm_.Open(3, "9600,N,8,1"), 1);
  line_->outQueueAfterWrite = 500;  // the driver is busy after each hand-over
  std::vector<std::uint8_t> bytes(3000);
  std::iota(bytes.begin(), bytes.end(), 0);
  comm_.Write(bytes.data(), 3000);
  ASSERT_EQ(line_->writes.size(), 1u);  // at once
  EXPECT_EQ(line_->writes[0].bytes.size(), 1024u);
  EXPECT_EQ(comm_.PendingOut(), 500 + 3000 - 1024);

  // Nothing more while the driver queue holds bytes.
  kwtest::PumpUntil([] { return false; }, 60);
  EXPECT_EQ(line_->writes.size(), 1u);
  line_->outQueue = 0;
  ASSERT_TRUE(kwtest::PumpUntil([&] { return line_->writes.size() == 2; }));
  EXPECT_EQ(line_->writes[1].bytes.size(), 1024u);
  line_->outQueue = 0;
  ASSERT_TRUE(kwtest::PumpUntil([&] { return line_->writes.size() == 3; }));
  EXPECT_EQ(line_->writes[2].bytes.size(), 952u);
  line_->outQueue = 0;
  kwtest::PumpUntil([] { return false; }, 60);
  EXPECT_EQ(line_->writes.size(), 3u);
  EXPECT_EQ(line_->AllWritten(), bytes);  // each byte once, in order
  EXPECT_EQ(comm_.PendingOut(), 0);
}

TEST_F(cmcCommFakeTest, AShortWriteRaisesTheErrorAndNothingIsSentAgain) {
  ASSERT_EQ(comm_.Open(3, "9600,N,8,1"), 1);
  line_->acceptLimit = 100;
  std::vector<std::uint8_t> bytes(2000, 0x55);
  comm_.Write(bytes.data(), 2000);
  EXPECT_EQ(comm_.WriteError(), 1);
  line_->acceptLimit = -1;
  comm_.Write(bytes.data(), 10);
  kwtest::PumpUntil([] { return false; }, 60);
  ASSERT_EQ(line_->writes.size(), 1u);
  EXPECT_EQ(line_->writes[0].bytes.size(), 100u);
  comm_.Close();
  EXPECT_EQ(comm_.WriteError(), 0);
  EXPECT_EQ(comm_.PendingOut(), 0);
  ASSERT_EQ(comm_.Open(3, "9600,N,8,1"), 1);
  comm_.Write(bytes.data(), 10);
  EXPECT_EQ(line_->writes.size(), 2u);
  EXPECT_EQ(line_->writes[1].bytes.size(), 10u);
}

TEST_F(cmcCommFakeTest, ClosedPortIgnoresEverything) {
  std::uint8_t buf[8] = {};
  line_->Push({1, 2, 3});
  EXPECT_EQ(comm_.Write(buf, 8), 0);
  EXPECT_EQ(comm_.Read(buf, 8), 0);
  EXPECT_EQ(comm_.InQueue(), 0);
  EXPECT_EQ(comm_.PendingOut(), 0);
  EXPECT_TRUE(line_->writes.empty());
}

// The real device on a pty, found through the port table's settings entry.
class cmcCommPtyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pty_.IsValid());
    ASSERT_TRUE(store_.WriteString(std::string(platform::kProgramKeyPath) + "\\Ports", "COM7",
                                   pty_.SlavePath()));
  }
  kwtest::PtyPair pty_;
  kwtest::ScratchDir dir_;
  platform::SettingsStore store_{dir_.File("user.conf"), QString()};
  platform::ScopedSettingsStore installed_{&store_};
  cmcComm comm_;
};

TEST_F(cmcCommPtyTest, ReadsWhatIsQueuedAndCarriesEveryByteValue) {
  ASSERT_EQ(comm_.Open(7, "38400,N,8,1"), 1);
  EXPECT_EQ(cfgetospeed(&static_cast<const termios&>(pty_.SlaveSettings())), B38400);
  EXPECT_EQ(comm_.Open(7, "9600,N,8,1"), 0);
  EXPECT_TRUE(comm_.IsOpen());
  EXPECT_EQ(comm_.Baud(), 38400);

  ASSERT_TRUE(pty_.Send(std::vector<std::uint8_t>(10, 0x11)));
  ASSERT_TRUE(kwtest::PumpUntil([&] { return comm_.InQueue() == 10; }, 5000));
  std::uint8_t buf[256];
  EXPECT_EQ(comm_.Read(buf, 256), 10);

  std::vector<std::uint8_t> all(256);
  std::iota(all.begin(), all.end(), 0);
  comm_.Write(all.data(), 256);
  EXPECT_EQ(pty_.Receive(256), all);
  ASSERT_TRUE(pty_.Send(all));
  std::vector<std::uint8_t> got;
  ASSERT_TRUE(kwtest::PumpUntil(
      [&] {
        const int n = comm_.Read(buf, 256);
        got.insert(got.end(), buf, buf + n);
        return got.size() >= 256;
      },
      5000));
  EXPECT_EQ(got, all);
}

TEST_F(cmcCommPtyTest, UnusableSettingsAndBusyDevicesDoNotOpen) {
  cmcComm other;
  ASSERT_EQ(other.Open(7, "9600,N,8,1"), 1);
  EXPECT_EQ(comm_.Open(7, "9600,N,8,1"), 0);  // not shared
  EXPECT_FALSE(comm_.IsOpen());
  other.Close();
  EXPECT_EQ(comm_.Open(7, "9600,O,3,2"), 0);  // four-bit bytes
  EXPECT_FALSE(comm_.IsOpen());
  // A port whose device is not there (mapped into the scratch folder, so
  // that no real device is ever opened).
  ASSERT_TRUE(store_.WriteString(std::string(platform::kProgramKeyPath) + "\\Ports", "COM8",
                                 dir_.FileStd("no-such-device")));
  EXPECT_EQ(comm_.Open(8, "9600,N,8,1"), 0);
  EXPECT_EQ(comm_.OpenError(), ENOENT);  // the device's own reason comes through
  EXPECT_EQ(comm_.Open(7, "9600,N,8,1"), 1);
}

// A manual clock that remembers every sleep: the waits of the thread that
// pumps.
class SleepRecordingClock final : public platform::Clock {
 public:
  std::uint32_t TickCount() override { return tick_; }
  std::int64_t NowUnixMs() override { return 1767225600000 + tick_; }
  void SleepMs(std::uint32_t ms) override {
    sleeps.push_back(ms);
    tick_ += ms;
  }
  void Advance(std::uint32_t ms) { tick_ += ms; }
  std::vector<std::uint32_t> sleeps;

 private:
  std::uint32_t tick_ = 1000;
  platform::ScopedClock scope_{this};
};

// With the line model a slow line never holds the caller: a write only
// queues, and the pump waits on its tick only for a device queue about to
// drain (at most two ticks), then hands on the next chunk with no gap.
TEST_F(cmcCommPtyTest, TheLineModelPacesWithoutLongWaits) {
  SleepRecordingClock clock;
  comm_.SetLineModel(true);
  ASSERT_EQ(comm_.Open(7, "9600,N,8,1"), 1);
  std::vector<std::uint8_t> bytes(3000);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
  const auto run = [] { kwtest::PumpUntil([] { return false; }, 40); };  // some pump ticks

  comm_.Write(bytes.data(), 3000);
  EXPECT_TRUE(clock.sleeps.empty());
  EXPECT_EQ(comm_.TransmitQueueLength(), 3000 - 1024);
  EXPECT_EQ(comm_.PendingOut(), 3000);  // 1024 on the wire, 1066.67 ms at 9600
  run();
  EXPECT_TRUE(clock.sleeps.empty());
  EXPECT_EQ(comm_.TransmitQueueLength(), 3000 - 1024);

  // Still 21 ms to go: more than the pump waits for.
  clock.Advance(1045);
  run();
  EXPECT_TRUE(clock.sleeps.empty());
  EXPECT_EQ(comm_.TransmitQueueLength(), 3000 - 1024);
  // 19.67 ms to go: the pump sleeps them out and hands on the next chunk.
  clock.Advance(2);
  ASSERT_TRUE(kwtest::PumpUntil([&] { return comm_.TransmitQueueLength() == 952; }, 10000));
  EXPECT_EQ(clock.sleeps, std::vector<std::uint32_t>{20});

  clock.Advance(1051);  // 15.67 ms to go
  ASSERT_TRUE(kwtest::PumpUntil([&] { return comm_.TransmitQueueLength() == 0; }, 10000));
  EXPECT_EQ(clock.sleeps, (std::vector<std::uint32_t>{20, 16}));
  EXPECT_EQ(comm_.PendingOut(), 952);  // the second chunk followed the first at once
  for (std::uint32_t s : clock.sleeps)
    EXPECT_LE(s, static_cast<std::uint32_t>(cmcComm::kDrainWaitMs));
  EXPECT_EQ(pty_.Receive(3000), bytes);
  clock.Advance(992);
  EXPECT_EQ(comm_.PendingOut(), 0);
  EXPECT_EQ(clock.sleeps.size(), 2u);
}

TEST_F(cmcCommPtyTest, AShortWriteOnAHungUpLineEndsPumping) {
  ASSERT_EQ(comm_.Open(7, "9600,N,8,1"), 1);
  pty_.HangUp();
  const std::uint8_t b[4] = {1, 2, 3, 4};
  comm_.Write(b, 4);
  EXPECT_EQ(comm_.WriteError(), 1);
  comm_.Close();
  EXPECT_FALSE(comm_.IsOpen());
}

}  // namespace
