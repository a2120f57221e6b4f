// kw-test: link=radioemu
// Every fault of the emulated radio ends its run with its code, on small
// ranges; afterwards the port is closed, the queues are empty, the engine is
// idle and starts again, the caller's image is unchanged, and the radio
// holds nothing but what a write was allowed to put there.
#include <gtest/gtest.h>
#include <unistd.h>

#include "EmulatorRig.h"
#include "platform/PortTable.h"

namespace {

using radioemu::Fault;

constexpr std::int64_t kLast = 0x3FF;  // 16 frames of 64 bytes
constexpr std::uint8_t kWriteFill = 0x5A;

struct FaultCase {
  const char* name;
  clonecfg::Mode mode;
  Fault fault;
  int frame = 0;
  std::int64_t bytes = 0;
  int code = 0;
  int transType = 0;
  int cableEcho = -1;  // -1: as the transfer type's cable, else 0 / 1
  int radioSpeed = 0;  // identification speed; 0: as the transfer type's cable
  bool lineModel = false;
  std::int32_t transTypeAfter = -1;      // -1: unchanged
  std::vector<int> identifySpeeds = {};  // speeds of the E0 frames, when checked
  std::int64_t last = kLast;             // the range is 0 .. last
};

std::string CaseName(const ::testing::TestParamInfo<FaultCase>& info) {
  return kwtest::TestName(info.param.name);
}

class CloneFaultTest : public ::testing::TestWithParam<FaultCase> {
 protected:
  kwtest::EmulatorRig rig_;
};

std::vector<int> SpeedsOfCommand(const std::vector<radioemu::WireSegment>& log, std::uint8_t cmd) {
  std::vector<int> speeds;
  for (const auto& seg : log) {
    for (size_t i = 0; i + 2 < seg.bytes.size(); ++i)
      if (seg.bytes[i] == 0xEE && seg.bytes[i + 1] == 0xEF && seg.bytes[i + 2] == cmd)
        speeds.push_back(seg.speed);
  }
  return speeds;
}

TEST_P(CloneFaultTest, EndsWithItsCodeAndLeavesEverythingClean) {
  const FaultCase& c = GetParam();
  ASSERT_TRUE(rig_.StartRadio(3, c.transType));
  radioemu::RadioEmulator& radio = *rig_.radio_;
  if (c.cableEcho >= 0) radio.SetCableEcho(c.cableEcho == 1);
  if (c.radioSpeed > 0) radio.SetIdentifySpeed(c.radioSpeed);
  radio.SetReadRange(0, c.last);
  radio.SetFault(c.fault, c.frame, c.bytes);
  rig_.SetLineModel(c.lineModel);
  const std::vector<std::uint8_t> seed = radio.Memory();

  cmcEeprom image;
  image.SetSize(kwtest::kImageSize);
  image.Fill(kWriteFill);
  const cmcEeprom callersImage = image;

  rig_.Configure(c.mode);
  switch (c.mode) {
    case clonecfg::kIdentify: ASSERT_EQ(rig_.engine_.StartIdentify(rig_.Catch()), 1); break;
    case clonecfg::kRead: ASSERT_EQ(rig_.engine_.StartRead({{0, c.last}}, rig_.Catch()), 1); break;
    case clonecfg::kWrite:
      ASSERT_EQ(rig_.engine_.StartWrite(image, {{0, c.last}}, rig_.Catch()), 1);
      break;
  }
  ASSERT_TRUE(rig_.Drive());
  EXPECT_EQ(rig_.outcome_.code, c.code);
  EXPECT_EQ(rig_.outcome_.mode, c.mode);
  rig_.ExpectIdleAndClean();
  EXPECT_EQ(rig_.transType_, c.transTypeAfter >= 0 ? c.transTypeAfter : c.transType);
  if (!c.identifySpeeds.empty()) {
    EXPECT_EQ(SpeedsOfCommand(radio.WireLog(), 0xE0), c.identifySpeeds);
  }

  // The caller's image is the caller's; the radio holds the seed, except
  // what a write put into the range it wrote.
  EXPECT_TRUE(image == callersImage);
  const std::vector<std::uint8_t> memory = radio.Memory();
  ASSERT_EQ(memory.size(), seed.size());
  EXPECT_TRUE(std::equal(memory.begin() + c.last + 1, memory.end(), seed.begin() + c.last + 1));
  for (std::int64_t a = 0; a <= c.last; ++a) {
    const std::uint8_t m = memory[static_cast<size_t>(a)];
    if (m != seed[static_cast<size_t>(a)] && !(c.mode == clonecfg::kWrite && m == kWriteFill)) {
      ADD_FAILURE() << "radio byte " << a << " changed";
      break;
    }
  }

  // The engine starts again: against the healthy radio (or, when the line
  // is gone, up to the failed open).
  radio.SetFault(Fault::None);
  radio.PowerCycle();  // a radio left at the high speed would need 3 s to fall back
  radio.SetCableEcho(kwtest::CableFor(c.transType).echo);
  radio.SetIdentifySpeed(kwtest::CableFor(c.transType).identifySpeed);
  rig_.transType_ = c.transType;
  rig_.Configure(clonecfg::kIdentify);
  ASSERT_EQ(rig_.engine_.StartIdentify(rig_.Catch()), 1);
  ASSERT_TRUE(rig_.Drive());
  EXPECT_EQ(rig_.outcome_.code, radio.Disconnected() ? kClonePortFailed : kCloneOk);
  rig_.ExpectIdleAndClean();
}

// E8 (32 bytes) and E3 with its 12 extra FE (22 bytes): the line goes just
// after the radio took the write request.
constexpr std::int64_t kBytesThroughWriteRequest = 32 + 22;

INSTANTIATE_TEST_SUITE_P(Faults, CloneFaultTest,
                         ::testing::Values(
                             // Reads (transfer type 0: 19200, the cable echoes).
                             FaultCase{.name = "read healthy",
                                       .mode = clonecfg::kRead,
                                       .fault = Fault::None,
                                       .code = kCloneOk},
                             FaultCase{.name = "read silence",
                                       .mode = clonecfg::kRead,
                                       .fault = Fault::Silence,
                                       .code = kCloneNoAnswer},
                             FaultCase{.name = "read bad checksum",
                                       .mode = clonecfg::kRead,
                                       .fault = Fault::BadChecksum,
                                       .frame = 3,
                                       .code = kCloneIllegalData},
                             FaultCase{.name = "read wrong end count",
                                       .mode = clonecfg::kRead,
                                       .fault = Fault::WrongEndCount,
                                       .code = kCloneCountError},
                             FaultCase{.name = "read wrong end text",
                                       .mode = clonecfg::kRead,
                                       .fault = Fault::WrongEndText,
                                       .code = kCloneIllegalData},
                             FaultCase{.name = "read payload byte dropped",
                                       .mode = clonecfg::kRead,
                                       .fault = Fault::DropPayloadByte,
                                       .frame = 2,
                                       .code = kCloneIllegalData},
                             FaultCase{.name = "read frame dropped",
                                       .mode = clonecfg::kRead,
                                       .fault = Fault::DropFrame,
                                       .frame = 2,
                                       .code = kCloneCountError},
                             FaultCase{.name = "read garbage between frames",
                                       .mode = clonecfg::kRead,
                                       .fault = Fault::GarbageBetweenFrames,
                                       .code = kCloneOk},
                             FaultCase{.name = "read garbage inside a frame",
                                       .mode = clonecfg::kRead,
                                       .fault = Fault::GarbageInsideFrame,
                                       .frame = 1,
                                       .code = kCloneIllegalData},
                             FaultCase{.name = "read oversize frame",
                                       .mode = clonecfg::kRead,
                                       .fault = Fault::OversizeFrame,
                                       .frame = 1,
                                       .code = kCloneIllegalData},
                             FaultCase{.name = "read frame outside the range",
                                       .mode = clonecfg::kRead,
                                       .fault = Fault::FrameOutsideRange,
                                       .code = kCloneDataOverflow},
                             FaultCase{.name = "read frame outside the image",
                                       .mode = clonecfg::kRead,
                                       .fault = Fault::FrameOutsideImage,
                                       .code = kCloneDataOverflow},
                             FaultCase{.name = "read echo altered",
                                       .mode = clonecfg::kRead,
                                       .fault = Fault::EchoAltered,
                                       .bytes = 10,
                                       .code = kCloneEchoMismatch},
                             FaultCase{.name = "read echo missing",
                                       .mode = clonecfg::kRead,
                                       .fault = Fault::None,
                                       .code = kCloneEchoMismatch,
                                       .cableEcho = 0},
                             FaultCase{.name = "read echo where none is handled",
                                       .mode = clonecfg::kRead,
                                       .fault = Fault::None,
                                       .code = kCloneIllegalData,
                                       .transType = 3,
                                       .cableEcho = 1},
                             FaultCase{.name = "read disconnect",
                                       .mode = clonecfg::kRead,
                                       .fault = Fault::Disconnect,
                                       .bytes = 400,
                                       .code = kCloneNoAnswer},
                             // Identifications. From type 1 with the radio at 19200 the last
                             // attempt of the hunt is the one the radio hears.
                             FaultCase{.name = "identify non BCD words",
                                       .mode = clonecfg::kIdentify,
                                       .fault = Fault::NonBcdWords,
                                       .code = kCloneIllegalData,
                                       .transType = 1,
                                       .radioSpeed = 19200},
                             FaultCase{.name = "identify other model word",
                                       .mode = clonecfg::kIdentify,
                                       .fault = Fault::OtherModelWord,
                                       .code = kCloneOk,
                                       .transType = 1,
                                       .radioSpeed = 19200,
                                       .transTypeAfter = 0},
                             FaultCase{.name = "identify silence from type 3",
                                       .mode = clonecfg::kIdentify,
                                       .fault = Fault::Silence,
                                       .code = kCloneNoAnswer,
                                       .transType = 3,
                                       .cableEcho = 1,
                                       .identifySpeeds = {9600, 4800, 19200, 9600, 4800}},
                             FaultCase{.name = "identify radio at 9600 from type 3",
                                       .mode = clonecfg::kIdentify,
                                       .fault = Fault::None,
                                       .code = kCloneOk,
                                       .transType = 3,
                                       .cableEcho = 1,
                                       .transTypeAfter = 1,
                                       .identifySpeeds = {9600, 4800, 19200, 9600}},
                             FaultCase{.name = "identify disconnect",
                                       .mode = clonecfg::kIdentify,
                                       .fault = Fault::Disconnect,
                                       .bytes = 5,
                                       .code = kClonePortFailed},
                             // Writes.
                             FaultCase{.name = "write healthy",
                                       .mode = clonecfg::kWrite,
                                       .fault = Fault::None,
                                       .code = kCloneOk},
                             FaultCase{.name = "write rejected",
                                       .mode = clonecfg::kWrite,
                                       .fault = Fault::WriteNak,
                                       .code = kCloneWriteRejected},
                             FaultCase{.name = "write never acknowledged",
                                       .mode = clonecfg::kWrite,
                                       .fault = Fault::NoWriteAck,
                                       .code = kCloneNoAnswer},
                             FaultCase{.name = "write to a silent radio",
                                       .mode = clonecfg::kWrite,
                                       .fault = Fault::Silence,
                                       .code = kCloneNoAnswer},
                             FaultCase{.name = "write echo altered",
                                       .mode = clonecfg::kWrite,
                                       .fault = Fault::EchoAltered,
                                       .bytes = 300,
                                       .code = kCloneEchoMismatch},
                             FaultCase{.name = "write echo missing",
                                       .mode = clonecfg::kWrite,
                                       .fault = Fault::None,
                                       .code = kCloneEchoMismatch,
                                       .cableEcho = 0},
                             // The line goes as the radio takes the write request; the engine
                             // still has some 300 ms of data frames to write after that.
                             FaultCase{.name = "write disconnect",
                                       .mode = clonecfg::kWrite,
                                       .fault = Fault::Disconnect,
                                       .bytes = kBytesThroughWriteRequest,
                                       .code = kCloneWriteFailed,
                                       .transType = 3,
                                       .cableEcho = 0,
                                       .last = 0x3FFF},
                             FaultCase{.name = "write disconnect with the line model",
                                       .mode = clonecfg::kWrite,
                                       .fault = Fault::Disconnect,
                                       .bytes = kBytesThroughWriteRequest,
                                       .code = kCloneWriteFailed,
                                       .transType = 3,
                                       .cableEcho = 0,
                                       .lineModel = true,
                                       .last = 0x3FFF}),
                         CaseName);

}  // namespace

namespace {

TEST(ClonePortFaultTest, PortsThatCannotBeUsedEndWithCode2) {
  kwtest::EmulatorRig rig;
  ASSERT_TRUE(rig.StartRadio(3, 0));
  struct Case {
    const char* what;
    int port;
    const char* runSettings;  // null: as set up
    bool busy;
  } cases[] = {
      {"no such port", 9, nullptr, false},
      {"port held by another program", kwtest::kComPort, nullptr, true},
      {"rate 0", kwtest::kComPort, "0,N,8,1", false},
      {"four-bit bytes", kwtest::kComPort, "38400,O,3,2", false},
  };
  // COM 9 names a device that is not there, inside the rig's scratch
  // folder: no real device is ever opened.
  ASSERT_TRUE(rig.MapMissingPort(9));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    platform::TermiosSerialDevice holder;
    if (c.busy) {
      ASSERT_TRUE(holder.Open(rig.radio_->SlavePath(), {}));
    }
    rig.Configure(clonecfg::kRead);
    if (c.port != kwtest::kComPort || c.runSettings != nullptr)
      rig.engine_.SetPort(c.port, c.runSettings != nullptr ? c.runSettings : "38400,N,8,1");
    ASSERT_EQ(rig.engine_.StartRead({{0, 0x3F}}, rig.Catch()), 1);
    ASSERT_TRUE(rig.Drive());
    EXPECT_EQ(rig.outcome_.code, kClonePortFailed);
    rig.ExpectIdleAndClean();
    rig.radio_->PowerCycle();
  }
}

}  // namespace
