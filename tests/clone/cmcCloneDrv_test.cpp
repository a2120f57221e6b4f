// The engine's identification and read on a fake line: frame bytes, the
// manager's set-up sequence, every result code, hunting.
#include "clone/cmcCloneDrv.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include "EngineFakeRig.h"

namespace {

using kwtest::Ascii;
using kwtest::Bytes;
using kwtest::Cat;

const Bytes kE0 = {0xFE, 0xFE, 0xEE, 0xEF, 0xE0, 0x34, 0x84, 0x00, 0x00, 0xFD};
const Bytes kE2Tail = {0xEE, 0xEF, 0xE2, 0x34, 0x84, 0x00, 0x00, 0xFD};

Bytes InfoBytes(int revision) {
  Bytes info(45, 0);
  info[0] = 45;
  info[1] = static_cast<std::uint8_t>(revision);
  return info;
}

Bytes E1(Bytes words, const Bytes& info) {
  return Cat({{0xFE, 0xFE, 0xEF, 0xEE, 0xE1}, words, info, {0xFD}});
}

// Radio frames of the read tests.
const Bytes kFrameA = {0xFE, 0xFE, 0xEF, 0xEE, 0xE4, 0x00, 0x00, 0x00,
                       0x00, 0x02, 0x80, 0xFF, 0x0A, 0x84, 0xFD};  // 00 7A at 0
const Bytes kFrameB = {0xFE, 0xFE, 0xEF, 0xEE, 0xE4, 0x00, 0x00, 0x00,
                       0x00, 0x02, 0x80, 0x80, 0xFF, 0x0E, 0xFD};  // 00 00 at 0
Bytes E5(const std::string& count) {
  return Cat({{0xFE, 0xFE, 0xEF, 0xEE, 0xE5}, Ascii("Quor Inc." + count), {0xFD}});
}

class EngineIdentifyTest : public kwtest::EngineFakeRig {};

TEST_F(EngineIdentifyTest, SendsE0AndTakesTheRadiosWordsAndInformation) {
  Configure(clonecfg::kIdentify);
  line_->echo = true;  // transfer type 0: the cable echoes
  kwtest::AnswerAfter(*line_, kE0, E1({0x34, 0x84, 0x00, 0x01}, InfoBytes(3)));
  ASSERT_EQ(engine_.StartIdentify(Catch()), 1);
  EXPECT_EQ(engine_.StartIdentify(Catch()), 0);  // one run at a time
  EXPECT_EQ(engine_.StartRead({{0, 1}}, Catch()), 0);
  ASSERT_TRUE(RunToEnd());
  ASSERT_EQ(line_->writes.size(), 1u);
  EXPECT_EQ(line_->writes[0].bytes, kE0);
  EXPECT_EQ(line_->writes[0].baud, 19200);
  EXPECT_EQ(outcome_.code, kCloneOk);
  EXPECT_EQ(outcome_.mode, kCloneModeIdentify);
  EXPECT_EQ(outcome_.word1, 0x3484);
  EXPECT_EQ(outcome_.word2, 0x0001);
  EXPECT_EQ(outcome_.tail, InfoBytes(3));
  ExpectIdleAndClean();
  EXPECT_EQ(transType_, 0);
}

TEST_F(EngineIdentifyTest, CommandPreambleAddsFeBytes) {
  Configure(clonecfg::kIdentify);
  engine_.SetCmdPreamble(12);
  line_->echo = true;
  ASSERT_EQ(engine_.StartIdentify(Catch()), 1);
  ASSERT_TRUE(TickUntilState(cmcCloneDrv::RunState::AwaitingIdentifyReply));
  ASSERT_EQ(line_->writes.size(), 1u);
  EXPECT_EQ(line_->writes[0].bytes, Cat({Bytes(12, 0xFE), kE0}));
}

TEST_F(EngineIdentifyTest, RepliesThatAreNotAnIdentificationFail) {
  struct Case {
    const char* what;
    Bytes reply;
    int code;
  } cases[] = {
      {"good", E1({0x34, 0x84, 0x00, 0x01}, InfoBytes(1)), kCloneOk},
      {"good, no information", E1({0x34, 0x84, 0x00, 0x01}, {}), kCloneOk},
      {"other model word", E1({0x12, 0x34, 0x00, 0x01}, InfoBytes(3)), kCloneOk},
      {"word nibble above 9", E1({0x3A, 0x84, 0x00, 0x01}, InfoBytes(3)), kCloneIllegalData},
      {"low nibble above 9", E1({0x34, 0x84, 0x00, 0x0F}, InfoBytes(3)), kCloneIllegalData},
      {"too short", {0xFE, 0xFE, 0xEF, 0xEE, 0xE1, 0x34, 0x84, 0xFD}, kCloneIllegalData},
      {"another command",
       {0xFE, 0xFE, 0xEF, 0xEE, 0xE5, 0x34, 0x84, 0x00, 0x01, 0xFD},
       kCloneIllegalData},
      {"oversize",
       Cat({{0xFE, 0xFE, 0xEF, 0xEE, 0xE1, 0x34, 0x84, 0x00, 0x01}, Bytes(600, 0x11), {0xFD}}),
       kCloneIllegalData},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    *line_ = kwtest::FakeLine{};
    outcome_ = kwtest::Outcome{};
    // From index 1 the hunt ends at index 0: both echo, and the last attempt
    // gets the same reply as the first.
    transType_ = 1;
    Configure(clonecfg::kIdentify);
    line_->echo = true;
    kwtest::AnswerAfter(*line_, kE0, c.reply, -1);
    ASSERT_EQ(engine_.StartIdentify(Catch()), 1);
    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(outcome_.code, c.code);
    EXPECT_EQ(line_->writes.size(), c.code == kCloneOk ? 1u : 5u);
    if (c.code == kCloneOk) {
      EXPECT_EQ(outcome_.word1, (c.reply[5] << 8) | c.reply[6]);
    }
    ExpectIdleAndClean();
  }
}

TEST_F(EngineIdentifyTest, OwnE0BackWithoutEchoHandlingIsNoAnswer) {
  transType_ = 4;  // the hunt ends at index 3: 9600 without echo handling
  Configure(clonecfg::kIdentify);
  line_->echo = true;
  ASSERT_EQ(engine_.StartIdentify(Catch()), 1);
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(outcome_.code, kCloneNoAnswer);
  EXPECT_EQ(line_->opens.back().settings.baud, 9600);
  ExpectIdleAndClean();
}

struct HuntCase {
  const char* what;
  std::int32_t transType;
  int answerAtBaud;        // 0: silent radio
  std::vector<int> bauds;  // line speed of each attempt
  int code;
  std::int32_t transTypeAfter;
};

class EngineHuntTest : public kwtest::EngineFakeRig,
                       public ::testing::WithParamInterface<HuntCase> {};

TEST_P(EngineHuntTest, TriesEverySpeedOnceFromTheTransferType) {
  const HuntCase& c = GetParam();
  transType_ = c.transType;
  Configure(clonecfg::kIdentify);
  line_->echo = true;  // the cable echoes at any speed
  line_->onWrite = [&c](kwtest::FakeLine& l, const Bytes& w) {
    if (c.answerAtBaud != 0 && l.writes.back().baud == c.answerAtBaud && w == kE0)
      l.Push(E1({0x34, 0x84, 0x00, 0x01}, InfoBytes(3)));
  };
  ASSERT_EQ(engine_.StartIdentify(Catch()), 1);
  ASSERT_TRUE(RunToEnd());
  std::vector<int> bauds;
  for (const auto& o : line_->opens) bauds.push_back(o.settings.baud);
  EXPECT_EQ(bauds, c.bauds);
  EXPECT_EQ(line_->writes.size(), c.bauds.size());  // one E0 each
  EXPECT_EQ(outcome_.code, c.code);
  EXPECT_EQ(transType_, c.transTypeAfter);
  ExpectIdleAndClean();
}

INSTANTIATE_TEST_SUITE_P(
    Hunting, EngineHuntTest,
    ::testing::Values(
        HuntCase{
            "silent radio from type 3", 3, 0, {9600, 4800, 19200, 9600, 4800}, kCloneNoAnswer, 3},
        HuntCase{
            "radio at 9600 answers at index 1", 3, 9600, {9600, 4800, 19200, 9600}, kCloneOk, 1},
        HuntCase{
            "type 7 acts as 0 and ends", 7, 0, {19200, 9600, 4800, 9600, 4800}, kCloneNoAnswer, 7},
        HuntCase{"type 7, radio at 19200: the index that answered is stored",
                 7,
                 19200,
                 {19200},
                 kCloneOk,
                 0},
        HuntCase{"type -1 acts as 0", -1, 4800, {19200, 9600, 4800}, kCloneOk, 2},
        HuntCase{"answer at the start index keeps the type", 1, 9600, {9600}, kCloneOk, 1}),
    [](const ::testing::TestParamInfo<HuntCase>& info) {
      return kwtest::TestName(info.param.what);
    });

TEST_F(EngineIdentifyTest, APortThatNeverOpensEndsWithCode2AfterEveryAttempt) {
  Configure(clonecfg::kIdentify);
  line_->failOpen = true;
  ASSERT_EQ(engine_.StartIdentify(Catch()), 1);
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(outcome_.code, kClonePortFailed);
  ExpectIdleAndClean();
  EXPECT_TRUE(line_->writes.empty());
}

class EngineSetUpTest : public kwtest::EngineFakeRig, public ::testing::WithParamInterface<bool> {};

TEST_P(EngineSetUpTest, SpeedChangeAtTheIdentificationSpeedThenTheRunSpeed) {
  const bool high = GetParam();
  Configure(clonecfg::kRead, high);
  line_->echo = true;
  ASSERT_EQ(engine_.StartRead({{0, 0x3F}}, Catch()), 1);
  ASSERT_TRUE(TickUntilState(cmcCloneDrv::RunState::ReceivingData));
  ASSERT_EQ(line_->opens.size(), 2u);
  ASSERT_EQ(line_->writes.size(), 2u);
  EXPECT_EQ(line_->opens[0].settings.baud, 19200);
  EXPECT_EQ(line_->writes[0].baud, 19200);
  EXPECT_EQ(line_->writes[0].bytes,
            Cat({Bytes(20, 0xFE),
                 {0xEE, 0xEF, 0xE8, 0x34, 0x84, 0x00, 0x01, 0x00, 0x00, 0x02,
                  static_cast<std::uint8_t>(high ? 0x01 : 0x00), 0xFD}}));
  EXPECT_EQ(line_->opens[1].settings.baud, high ? 38400 : 9600);
  EXPECT_GE(line_->opens[1].tick - line_->writes[0].tick, 200u);
  EXPECT_EQ(line_->writes[1].baud, high ? 38400 : 9600);
  EXPECT_EQ(line_->writes[1].bytes, Cat({Bytes(14, 0xFE), kE2Tail}));
  // The start delay is waited once per set-up.
  EXPECT_EQ(engine_.StartDelay(), 0);
}

INSTANTIATE_TEST_SUITE_P(HighAndNormal, EngineSetUpTest, ::testing::Bool());

struct ReadCase {
  const char* what;
  MemRangeList ranges;
  Bytes reply;
  int code;
  int frames;
};

class EngineReadTest : public kwtest::EngineFakeRig,
                       public ::testing::WithParamInterface<ReadCase> {};

TEST_P(EngineReadTest, EndsWithTheCodeOfWhatCame) {
  const ReadCase& c = GetParam();
  transType_ = 3;  // no echo: the reply is all that comes back
  Configure(clonecfg::kRead);
  kwtest::AnswerAfter(*line_, kE2Tail, c.reply);
  ASSERT_EQ(engine_.StartRead(c.ranges, Catch()), 1);
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(outcome_.code, c.code);
  EXPECT_EQ(engine_.FrameCount(), c.frames);
  ExpectIdleAndClean();
}

Bytes DataFrame(std::uint32_t address, const Bytes& image) {
  Bytes payload = {static_cast<std::uint8_t>(address >> 24),
                   static_cast<std::uint8_t>(address >> 16),
                   static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address),
                   static_cast<std::uint8_t>(image.size())};
  for (std::uint8_t b : image) payload.push_back(static_cast<std::uint8_t>(b + 0x80));
  unsigned sum = 0;
  for (std::uint8_t b : payload) sum += b;
  payload.push_back(static_cast<std::uint8_t>(256 - sum % 256));
  Bytes f = {0xFE, 0xFE, 0xEF, 0xEE, 0xE4};
  for (std::uint8_t b : payload) {
    if (b >= 0xFA) {
      f.push_back(0xFF);
      f.push_back(b & 0x0F);
    } else {
      f.push_back(b);
    }
  }
  f.push_back(0xFD);
  return f;
}

INSTANTIATE_TEST_SUITE_P(
    Frames, EngineReadTest,
    ::testing::Values(
        ReadCase{"00 7A", {{0, 1}}, Cat({kFrameA, E5("01")}), kCloneOk, 1},
        ReadCase{"00 00", {{0, 1}}, Cat({kFrameB, E5("01")}), kCloneOk, 1},
        ReadCase{"both frames", {{0, 1}}, Cat({kFrameA, kFrameB, E5("02")}), kCloneOk, 2},
        ReadCase{"count differs", {{0, 1}}, Cat({kFrameA, kFrameB, E5("01")}), kCloneCountError, 2},
        ReadCase{"64-byte frames",
                 {{0, 0x7F}},
                 Cat({DataFrame(0, Bytes(64, 1)), DataFrame(64, Bytes(64, 2)), E5("02")}),
                 kCloneOk,
                 2},
        ReadCase{"maker differs",
                 {{0, 1}},
                 Cat({kFrameA, {0xFE, 0xFE, 0xEF, 0xEE, 0xE5}, Ascii("Quor Ind.01"), {0xFD}}),
                 kCloneIllegalData,
                 1},
        ReadCase{"end text too long", {{0, 1}}, Cat({kFrameA, E5("001")}), kCloneIllegalData, 1},
        ReadCase{"a byte missing", {{0, 2}}, Cat({kFrameA, E5("01")}), kCloneDataMissing, 1},
        ReadCase{
            "one outside the ranges", {{0, 0}}, Cat({kFrameA, E5("01")}), kCloneDataOverflow, 1},
        ReadCase{"two ranges",
                 {{0, 1}, {0x100, 0x101}},
                 Cat({kFrameA, DataFrame(0x100, {1, 2}), E5("02")}),
                 kCloneOk,
                 2},
        ReadCase{"garbage without FE between frames",
                 {{0, 1}},
                 Cat({{0x00, 0xFD, 0x13}, kFrameA, {0x11, 0xFD, 0x80}, E5("01")}),
                 kCloneOk,
                 1},
        ReadCase{"bad checksum",
                 {{0, 1}},
                 Cat({{0xFE, 0xFE, 0xEF, 0xEE, 0xE4, 0x00, 0x00, 0x00, 0x00, 0x02, 0x80, 0xFF, 0x0A,
                       0x85, 0xFD},
                      E5("01")}),
                 kCloneIllegalData,
                 0},
        ReadCase{"count byte too big",
                 {{0, 1}},
                 Cat({{0xFE, 0xFE, 0xEF, 0xEE, 0xE4, 0x00, 0x00, 0x00, 0x00, 0x03, 0x80, 0xFF, 0x0A,
                       0x83, 0xFD},
                      E5("01")}),
                 kCloneIllegalData,
                 0},
        ReadCase{"escape without its nibble",
                 {{0, 1}},
                 Cat({{0xFE, 0xFE, 0xEF, 0xEE, 0xE4, 0x00, 0x00, 0x00, 0x00, 0x01, 0x80, 0x7F, 0xFF,
                       0xFD},
                      E5("01")}),
                 kCloneIllegalData,
                 0},
        ReadCase{"empty frame far off stores nothing",
                 {{0, 1}},
                 Cat({kFrameA,
                      {0xFE, 0xFE, 0xEF, 0xEE, 0xE4, 0x00, 0x00, 0xFF, 0x0F, 0xFF, 0x0F, 0x00, 0x02,
                       0xFD},
                      E5("02")}),
                 kCloneOk,
                 2},
        ReadCase{"address wraps past 4 GB",
                 {{0, 1}},
                 Cat({DataFrame(0xFFFFFFFF, {1, 2}), E5("01")}),
                 kCloneDataOverflow,
                 0},
        ReadCase{"address beyond the image",
                 {{0, 1}},
                 Cat({DataFrame(0x40000, {1, 2}), E5("01")}),
                 kCloneDataOverflow,
                 0},
        ReadCase{"frame ending at the image end",
                 {{0x3FFFE, 0x3FFFF}},
                 Cat({DataFrame(0x3FFFE, {1, 2}), E5("01")}),
                 kCloneOk,
                 1},
        ReadCase{"too short for a data frame",
                 {{0, 1}},
                 Cat({{0xFE, 0xFE, 0xEF, 0xEE, 0xE4, 0x00, 0x00, 0xFD}, E5("01")}),
                 kCloneIllegalData,
                 0},
        ReadCase{"oversize frame",
                 {{0, 1}},
                 Cat({{0xFE, 0xFE, 0xEF, 0xEE, 0xE4}, Bytes(530, 0x10), {0xFD}, E5("00")}),
                 kCloneIllegalData,
                 0},
        ReadCase{"another command",
                 {{0, 1}},
                 Cat({{0xFE, 0xFE, 0xEF, 0xEE, 0xE7, 0, 0, 0, 0, 0, 0, 0, 0xFD}}),
                 kCloneIllegalData,
                 0},
        ReadCase{"frame from the computer",
                 {{0, 1}},
                 Cat({{0xFE, 0xFE, 0xEE, 0xEF, 0xE4, 0x00, 0x00, 0x00, 0x00, 0x02, 0x80, 0xFF, 0x0A,
                       0x84, 0xFD}}),
                 kCloneIllegalData,
                 0},
        ReadCase{"silence", {{0, 1}}, {}, kCloneNoAnswer, 0},
        ReadCase{"data but no end frame", {{0, 1}}, kFrameA, kCloneNoAnswer, 1}),
    [](const ::testing::TestParamInfo<ReadCase>& info) {
      return kwtest::TestName(info.param.what);
    });

TEST_F(EngineIdentifyTest, ReadFillsOnlyTheResultsImageAndBitmap) {
  transType_ = 3;
  Configure(clonecfg::kRead);
  kwtest::AnswerAfter(
      *line_, kE2Tail,
      Cat({kFrameA,
           {0xFE, 0xFE, 0xEF, 0xEE, 0xE4, 0x00, 0x00, 0xFF, 0x0F, 0xFF, 0x0F, 0x00, 0x02, 0xFD},
           DataFrame(0x10, {0xFE, 0xFD}),
           E5("03")}));
  ASSERT_EQ(engine_.StartRead({{0, 1}, {0x10, 0x11}}, Catch()), 1);
  ASSERT_TRUE(RunToEnd());
  ASSERT_EQ(outcome_.code, kCloneOk);
  EXPECT_EQ(outcome_.image.GetSize(), kwtest::kImageSize);
  EXPECT_EQ(outcome_.image.GetByte(1), 0x7A);
  EXPECT_EQ(outcome_.image.GetByte(0x10), 0xFE);
  EXPECT_EQ(outcome_.image.GetByte(0x11), 0xFD);
  EXPECT_EQ(outcome_.received,
            Bytes({0x03, 0x00, 0x03}));  // the empty frame at 0xFFFF marked nothing
  EXPECT_EQ(engine_.DataBytes(), 4);
}

TEST_F(EngineIdentifyTest, ReadRefusesAMissingOrEmptyRangeList) {
  Configure(clonecfg::kRead);
  EXPECT_EQ(engine_.StartRead({}, Catch()), 0);
  EXPECT_EQ(engine_.StartRead({{1, 0}, {0, 5}}, Catch()), 0);
  EXPECT_FALSE(engine_.IsBusy());
  EXPECT_TRUE(line_->opens.empty());
}

TEST_F(EngineIdentifyTest, TheDoneClosureMayStartTheNextRun) {
  Configure(clonecfg::kIdentify);
  line_->echo = true;
  kwtest::AnswerAfter(*line_, kE0, E1({0x34, 0x84, 0x00, 0x01}, InfoBytes(3)));
  bool readStarted = false;
  ASSERT_EQ(engine_.StartIdentify([&](dst_CDrv_Result& r) {
    EXPECT_EQ(r.code, kCloneOk);
    Configure(clonecfg::kRead);
    readStarted = engine_.StartRead({{0, 1}}, Catch()) == 1;
  }),
            1);
  kwtest::AnswerAfter(*line_, kE2Tail, Cat({kFrameA, E5("01")}));
  ASSERT_TRUE(RunToEnd());
  EXPECT_TRUE(readStarted);
  EXPECT_EQ(outcome_.code, kCloneOk);
  EXPECT_EQ(outcome_.mode, kCloneModeRead);
  ExpectIdleAndClean();
}

TEST_F(EngineIdentifyTest, EchoMismatchAndMissingEchoGiveCode4) {
  // Without hunting in the way: a read (one attempt only).
  struct Case {
    const char* what;
    bool alter;
  } cases[] = {{"echo differs", true}, {"no echo", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    *line_ = kwtest::FakeLine{};
    outcome_ = kwtest::Outcome{};
    transType_ = 0;
    Configure(clonecfg::kRead);
    if (c.alter) {
      line_->onWrite = [](kwtest::FakeLine& l, const Bytes& w) {
        Bytes back = w;
        back.back() ^= 0x01;
        l.Push(back);
      };
    }
    ASSERT_EQ(engine_.StartRead({{0, 1}}, Catch()), 1);
    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(outcome_.code, kCloneEchoMismatch);
    EXPECT_EQ(line_->writes.size(), 1u);  // the E8 frame only
    ExpectIdleAndClean();
  }
}

TEST_F(EngineIdentifyTest, ALineThatNeverDrainsStillEnds) {
  Configure(clonecfg::kIdentify);
  engine_.SetEcho(false);
  line_->outQueueAfterWrite = 100;  // the driver never reports its queue empty
  ASSERT_EQ(engine_.StartIdentify(Catch()), 1);
  ASSERT_TRUE(TickUntilState(cmcCloneDrv::RunState::Draining));
  line_->failOpen = true;
  ASSERT_TRUE(RunToEnd(2000));
  EXPECT_EQ(outcome_.code, kCloneNoAnswer);
  EXPECT_EQ(outcome_.calls, 1);
}

}  // namespace

namespace {

TEST(EngineLifetimeTest, TheDoneClosureMayDestroyTheEngine) {
  kwtest::ManualClock clock(0);
  auto line = std::make_shared<kwtest::FakeLine>();
  auto* engine = new cmcCloneDrv(std::make_unique<kwtest::FakeSerialDevice>(line));
  engine->Port().SetPathResolver([](int) { return std::string("/dev/fake"); });
  engine->SetEcho(false);
  engine->SetPort(1, "9600,N,8,1");
  line->failOpen = true;  // every attempt ends quickly with code 2
  int calls = 0;
  ASSERT_EQ(engine->StartIdentify([&](dst_CDrv_Result& r) {
    ++calls;
    EXPECT_EQ(r.code, kClonePortFailed);
    delete engine;
    engine = nullptr;
  }),
            1);
  for (int i = 0; i < 1000 && engine != nullptr; ++i) {
    clock.Advance(10);
    engine->RunOneTick();
  }
  EXPECT_EQ(engine, nullptr);
  EXPECT_EQ(calls, 1);
  // The engine's timer task frees itself on the event loop.
  QCoreApplication::processEvents();
}

TEST(EngineLifetimeTest, DestroyedMidRunClosesThePortAndCallsNothing) {
  kwtest::ManualClock clock(0);
  auto line = std::make_shared<kwtest::FakeLine>();
  int calls = 0;
  {
    cmcCloneDrv engine(std::make_unique<kwtest::FakeSerialDevice>(line));
    engine.Port().SetPathResolver([](int) { return std::string("/dev/fake"); });
    engine.SetPort(1, "9600,N,8,1");
    ASSERT_EQ(engine.StartIdentify([&](dst_CDrv_Result&) { ++calls; }), 1);
    for (int i = 0; i < 10; ++i) {
      clock.Advance(10);
      engine.RunOneTick();
    }
    EXPECT_TRUE(line->isOpen);
  }
  EXPECT_FALSE(line->isOpen);
  EXPECT_EQ(calls, 0);
  QCoreApplication::processEvents();
}

}  // namespace

namespace {

class EngineTimeoutTest : public kwtest::EngineFakeRig {};

TEST_F(EngineTimeoutTest, ASilentLineTimesOutAfterTheStepTimeOut) {
  transType_ = 3;
  Configure(clonecfg::kRead);
  ASSERT_EQ(engine_.StartRead({{0, 1}}, Catch()), 1);
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(outcome_.code, kCloneNoAnswer);
  ASSERT_EQ(line_->writes.size(), 2u);  // E8, then E2
  const std::uint32_t waited = outcome_.endTick - line_->writes[1].tick;
  EXPECT_GE(waited, 1000u);
  EXPECT_LT(waited, 1100u);
}

}  // namespace
