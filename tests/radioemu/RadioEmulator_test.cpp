// The emulator against raw bytes on its pty: the frames it answers with are
// checked against the protocol's own examples, so the clone tests that use it
// rest on something independent of the program.
#include "RadioEmulator.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace radioemu {
namespace {

using Bytes = std::vector<std::uint8_t>;

speed_t SpeedConstant(int baud) {
  switch (baud) {
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    default: return B38400;
  }
}

// The program's end of the line, done by hand.
class Line {
 public:
  explicit Line(const std::string& path)
      : fd_(open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK)) {}
  ~Line() {
    if (fd_ >= 0) close(fd_);
  }
  bool IsOpen() const { return fd_ >= 0; }

  void SetSpeed(int baud) {
    termios t{};
    tcgetattr(fd_, &t);
    cfmakeraw(&t);
    cfsetispeed(&t, SpeedConstant(baud));
    cfsetospeed(&t, SpeedConstant(baud));
    tcsetattr(fd_, TCSANOW, &t);
  }
  void Send(const Bytes& bytes) {
    ASSERT_EQ(write(fd_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }

  // What arrives: at least `expected` bytes unless the line stays silent for
  // `patienceMs` first, then whatever more follows within 150 ms.
  Bytes Receive(size_t expected, int patienceMs = 10000) {
    Bytes got;
    for (;;) {
      pollfd p{fd_, POLLIN, 0};
      if (poll(&p, 1, got.size() < expected ? patienceMs : 150) <= 0) return got;
      std::uint8_t buf[4096];
      const ssize_t n = read(fd_, buf, sizeof buf);
      if (n <= 0) return got;
      got.insert(got.end(), buf, buf + n);
    }
  }

 private:
  int fd_;
};

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

const Bytes kIdentify = {0xFE, 0xFE, 0xEE, 0xEF, 0xE0, 0x34, 0x84, 0x00, 0x00, 0xFD};
const Bytes kSpeedHigh = Concat(
    {Bytes(20, 0xFE), {0xEE, 0xEF, 0xE8, 0x34, 0x84, 0x00, 0x01, 0x00, 0x00, 0x02, 0x01, 0xFD}});
const Bytes kRead = {0xFE, 0xFE, 0xEE, 0xEF, 0xE2, 0x34, 0x84, 0x00, 0x00, 0xFD};
const Bytes kWrite = {0xFE, 0xFE, 0xEE, 0xEF, 0xE3, 0x34, 0x84, 0x00, 0x00, 0xFD};
// 00 7A at address 0: the escaped 0xFA of the data byte 0x7A.
const Bytes kFrame0 = {0xFE, 0xFE, 0xEE, 0xEF, 0xE4, 0x00, 0x00, 0x00,
                       0x00, 0x02, 0x80, 0xFF, 0x0A, 0x84, 0xFD};

Bytes EndFrame(bool fromRadio, const std::string& count) {
  return Concat({{0xFE, 0xFE, fromRadio ? std::uint8_t{0xEF} : std::uint8_t{0xEE},
                  fromRadio ? std::uint8_t{0xEE} : std::uint8_t{0xEF}, 0xE5},
                 Text("Quor Inc." + count),
                 {0xFD}});
}

class RadioEmulatorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(radio_.Start());
    line_ = std::make_unique<Line>(radio_.SlavePath());
    ASSERT_TRUE(line_->IsOpen());
    line_->SetSpeed(kIdentifySpeed);
  }

  // Sends the bytes, waits until the radio has taken them all and has
  // nothing left to send (a busy machine may keep its thread waiting), then
  // answers what came back: `expected` bytes and anything behind them.
  Bytes Exchange(const Bytes& bytes, size_t expected) {
    const std::int64_t before = radio_.BytesTaken();
    line_->Send(bytes);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!(radio_.BytesTaken() >= before + static_cast<std::int64_t>(bytes.size()) &&
             radio_.IsQuiet()) &&
           std::chrono::steady_clock::now() < end)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return line_->Receive(expected);
  }

  RadioEmulator radio_{3};
  std::unique_ptr<Line> line_;
};

TEST_F(RadioEmulatorTest, IdentifiesAfterTheCableEcho) {
  Bytes info(kInfoLength, 0);
  info[0] = 45;
  info[1] = 3;
  const Bytes expected =
      Concat({kIdentify, {0xFE, 0xFE, 0xEF, 0xEE, 0xE1, 0x34, 0x84, 0x00, 0x01}, info, {0xFD}});
  EXPECT_EQ(Exchange(kIdentify, expected.size()), expected);
}

TEST_F(RadioEmulatorTest, BytesAtAnotherSpeedAreNoiseButStillEchoed) {
  line_->SetSpeed(9600);
  EXPECT_EQ(Exchange(kIdentify, kIdentify.size()), kIdentify);
  radio_.SetCableEcho(false);
  EXPECT_TRUE(Exchange(kIdentify, 0).empty());
}

TEST_F(RadioEmulatorTest, ReadsAfterTheSpeedChangeAndFallsBackAfterItsEndFrame) {
  radio_.SetCableEcho(false);
  Bytes memory = radio_.Memory();
  memory[0] = 0x00;
  memory[1] = 0x7A;
  radio_.SetMemory(memory);
  radio_.SetReadRange(0, 1);
  EXPECT_TRUE(Exchange(kSpeedHigh, 0).empty());
  EXPECT_EQ(radio_.Speed(), kHighSpeed);
  line_->SetSpeed(kHighSpeed);
  const Bytes radioFrame0 = {0xFE, 0xFE, 0xEF, 0xEE, 0xE4, 0x00, 0x00, 0x00,
                             0x00, 0x02, 0x80, 0xFF, 0x0A, 0x84, 0xFD};
  const Bytes expected = Concat({radioFrame0, EndFrame(true, "01")});
  EXPECT_EQ(Exchange(kRead, expected.size()), expected);
  EXPECT_EQ(radio_.Speed(), kIdentifySpeed);
}

// A cable pulled in the middle of a read: the frames before the cut arrive
// whole, then no end frame, and the line is hung up.
TEST_F(RadioEmulatorTest, ReadCutAfterFramesSendsThoseFramesThenHangsUp) {
  radio_.SetCableEcho(false);
  Bytes memory = radio_.Memory();
  std::fill_n(memory.begin(), 4 * kReadFrameSize, std::uint8_t{0x10});
  radio_.SetMemory(memory);
  radio_.SetReadRange(0, 4 * kReadFrameSize - 1);
  radio_.SetFault(Fault::CutAfterFrames, 2);
  EXPECT_TRUE(Exchange(kSpeedHigh, 0).empty());
  line_->SetSpeed(kHighSpeed);
  Bytes expected;
  for (int frame = 0; frame < 2; ++frame) {
    const auto address = static_cast<std::uint8_t>(frame * kReadFrameSize);
    Bytes payload = {0x00, 0x00, 0x00, address, static_cast<std::uint8_t>(kReadFrameSize)};
    payload.insert(payload.end(), kReadFrameSize, std::uint8_t{0x90});
    int sum = 0;
    for (std::uint8_t b : payload) sum += b;
    payload.push_back(static_cast<std::uint8_t>(256 - sum % 256));
    expected = Concat({expected, {0xFE, 0xFE, 0xEF, 0xEE, 0xE4}, payload, {0xFD}});
  }
  EXPECT_EQ(Exchange(kRead, expected.size()), expected);
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!radio_.Disconnected() && std::chrono::steady_clock::now() < end)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_TRUE(radio_.Disconnected());
}

TEST_F(RadioEmulatorTest, StoresAGoodWriteAndAcknowledgesIt) {
  radio_.SetCableEcho(false);
  EXPECT_EQ(Exchange(Concat({kWrite, Bytes(8, 0xFE), kFrame0, EndFrame(false, "01")}), 7),
            Bytes({0xFE, 0xFE, 0xEF, 0xEE, 0xE6, 0x00, 0xFD}));
  const Bytes memory = radio_.Memory();
  EXPECT_EQ(memory[0], 0x00);
  EXPECT_EQ(memory[1], 0x7A);
  EXPECT_TRUE(radio_.Problems().empty());
}

TEST_F(RadioEmulatorTest, RefusesBadWriteFramesWithoutStoringThem) {
  radio_.SetCableEcho(false);
  const Bytes before = radio_.Memory();
  struct Case {
    const char* name;
    Bytes frame;
    const char* count;
  } cases[] = {
      {"bad checksum",
       {0xFE, 0xFE, 0xEE, 0xEF, 0xE4, 0x00, 0x00, 0x00, 0x00, 0x02, 0x80, 0xFF, 0x0A, 0x85, 0xFD},
       "01"},
      {"escape at the end",
       {0xFE, 0xFE, 0xEE, 0xEF, 0xE4, 0x00, 0x00, 0x00, 0x00, 0x01, 0x80, 0x7F, 0xFF, 0xFD},
       "01"},
      {"outside the clone range",
       {0xFE, 0xFE, 0xEE, 0xEF, 0xE4, 0x00, 0x03, 0xFF, 0x0F, 0xF0, 0x01, 0x80, 0x8D, 0xFD},
       "01"},
      {"wrong count", kFrame0, "02"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Exchange(Concat({kWrite, c.frame, EndFrame(false, c.count)}), 7),
              Bytes({0xFE, 0xFE, 0xEF, 0xEE, 0xE6, 0x01, 0xFD}));
    EXPECT_FALSE(radio_.Problems().empty());
  }
  Bytes expected = before;
  expected[0] = 0x00;  // only the good frame of the "wrong count" case landed
  expected[1] = 0x7A;
  EXPECT_EQ(radio_.Memory(), expected);
}

TEST(RadioMemoryTest, SeedHoldsEveryByteValueTheRevisionByteAndTheSignature) {
  for (int rev = 1; rev <= 3; ++rev) {
    SCOPED_TRACE(rev);
    const Bytes memory = SeedMemory(rev);
    const RadioLayout layout = LayoutOf(rev);
    ASSERT_EQ(memory.size(), static_cast<size_t>(kMemorySize));
    EXPECT_EQ(memory[static_cast<size_t>(layout.revisionByte)], rev);
    EXPECT_EQ(
        std::string(memory.begin() + layout.signature, memory.begin() + layout.signature + 16),
        "QuorCloneFormat3");
    const std::set<std::uint8_t> values(memory.begin() + 0x1000, memory.begin() + 0x1100);
    EXPECT_EQ(values.size(), 256u);
  }
}

}  // namespace
}  // namespace radioemu
