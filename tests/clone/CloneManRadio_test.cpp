// kw-test: slow
// kw-test: link=radioemu
// The clone manager against the emulated radio: what goes over the line at
// which speed, and whole reads and writes end to end.
#include "CloneManFixture.h"
#include "model/MemMapRevision.h"

namespace clonetest {
namespace {

using Bytes = std::vector<std::uint8_t>;

class CloneManRadio : public CloneManFixture {
 protected:
  void SetUp() override {
    CloneManFixture::SetUp();
    man_->SetIdentifyHandler(ControllerIdentify);
    man_->SetReadHandler([](dst_CDrv_Result&) {});
  }
};

const Bytes kSpeedChangeHead =
    Concat(Repeat(0xFE, 20), {0xEE, 0xEF, 0xE8, 0x34, 0x84, 0x00, 0x01, 0x00, 0x00, 0x02});
const Bytes kReadRequest =
    Concat(Repeat(0xFE, 14), {0xEE, 0xEF, 0xE2, 0x34, 0x84, 0x00, 0x00, 0xFD});

TEST_F(CloneManRadio, ReadChangesSpeedThenRequestsAtTheRunSpeed) {
  struct Case {
    int speedHigh;
    std::uint8_t speedByte;
    int runBaud;
  };
  for (const Case& c : {Case{1, 0x01, 38400}, Case{0, 0x00, 9600}}) {
    SCOPED_TRACE(c.runBaud);
    env_->ComSpeedHigh = c.speedHigh;
    radio_->ClearWireLog();
    Outcome out;
    ASSERT_EQ(man_->StartRead(Range(0, 0x7FF), Adopt(out)), 1);
    // What the engine was given (the start delay is spent once the speed
    // change has gone out, so it is read before the loop runs).
    const cmcCloneDrv& engine = man_->Engine();
    EXPECT_EQ(engine.PortNumber(), 7);
    EXPECT_EQ(engine.LineSettings(), c.speedHigh ? "38400,N,8,1" : "9600,N,8,1");
    EXPECT_EQ(engine.StartDelay(), 200);
    EXPECT_TRUE(engine.Echo());
    EXPECT_TRUE(engine.CountSuffix());
    EXPECT_EQ(engine.BlockSize(), 64);
    EXPECT_EQ(engine.FinalTimeout(), 10000);
    EXPECT_EQ(engine.CmdPreamble(), 12);
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(out.code, 0);
    EXPECT_TRUE(journal_.boxes.empty());
    const auto wire = radio_->WireLog();
    ASSERT_GE(wire.size(), 2u);
    EXPECT_EQ(wire[0].speed, 19200);
    EXPECT_EQ(wire[0].bytes, Concat(kSpeedChangeHead, {c.speedByte, 0xFD}));
    EXPECT_EQ(wire[1].speed, c.runBaud);
    EXPECT_EQ(wire[1].bytes, kReadRequest);
    EXPECT_TRUE(MemoryEquals(document_, 0x7FF));
    EXPECT_FALSE(man_->Engine().Port().IsOpen());
  }
}

TEST_F(CloneManRadio, IdentifiesAtTheTransferTypesSettingsAndOnlyThen) {
  struct Case {
    int type;
    int baud;
    bool echo;
  };
  const Case cases[] = {{0, 19200, true}, {1, 9600, true},  {2, 4800, true},
                        {3, 9600, false}, {4, 4800, false}, {7, 19200, true}};
  const Bytes e0 = {0xFE, 0xFE, 0xEE, 0xEF, 0xE0, 0x34, 0x84, 0x00, 0x00, 0xFD};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    env_->TransType = c.type;
    radio_->SetIdentifySpeed(c.baud);
    radio_->SetCableEcho(c.echo);
    radio_->ClearWireLog();
    Outcome out;
    ASSERT_EQ(man_->StartIdentify(Record(out)), 1);
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(out.code, 0);
    EXPECT_EQ(out.word1, kModelWord);
    EXPECT_EQ(out.word2, 1);
    const auto wire = radio_->WireLog();
    ASSERT_EQ(wire.size(), 1u);  // answered at the first setting tried
    EXPECT_EQ(wire[0].speed, c.baud);
    EXPECT_EQ(wire[0].bytes, e0);  // no preamble before the first read or write
    if (c.type <= 4) {
      EXPECT_EQ(env_->TransType, c.type);
    }
  }
  EXPECT_TRUE(journal_.boxes.empty());

  // After a read the identification keeps the read's 12 extra FE bytes.
  env_->TransType = 0;
  radio_->SetIdentifySpeed(19200);
  radio_->SetCableEcho(true);
  Outcome read;
  ASSERT_EQ(man_->StartRead(Range(0, 0xFF), Adopt(read)), 1);
  ASSERT_TRUE(WaitIdle());
  ASSERT_EQ(read.code, 0);
  radio_->ClearWireLog();
  Outcome id;
  ASSERT_EQ(man_->StartIdentify(Record(id)), 1);
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(id.code, 0);
  const auto wire = radio_->WireLog();
  ASSERT_FALSE(wire.empty());
  EXPECT_EQ(wire[0].bytes, Concat(Repeat(0xFE, 12), e0));
}

TEST_F(CloneManRadio, HuntingStoresTheTransferTypeThatAnswered) {
  env_->TransType = 0;
  radio_->SetIdentifySpeed(4800);
  radio_->SetCableEcho(false);
  Outcome out;
  ASSERT_EQ(man_->StartIdentify(Record(out)), 1);
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(out.code, 0);
  EXPECT_EQ(env_->TransType, 4);
  EXPECT_TRUE(journal_.boxes.empty());
}

// A radio that never answers is tried at every line setting once, from
// the transfer type's on; the run ends with "no answer" and the setting kept.
TEST_F(CloneManRadio, ASilentRadioIsTriedAtAllFiveSettings) {
  radio_->SetFault(radioemu::Fault::Silence);
  radio_->ClearWireLog();
  Outcome out;
  ASSERT_EQ(man_->StartIdentify(Record(out)), 1);
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(out.code, 5);
  std::vector<int> speeds;
  for (const auto& segment : radio_->WireLog()) speeds.push_back(segment.speed);
  EXPECT_EQ(speeds, (std::vector<int>{19200, 9600, 4800, 9600, 4800}));
  ASSERT_EQ(journal_.boxes.size(), 1u);
  EXPECT_EQ(BoxText(), QString::fromStdString("No answer from transceiver.\n\n" + kCheck03));
  EXPECT_EQ(env_->TransType, 0);
}

TEST_F(CloneManRadio, WriteWithDataPreambleStoresTheImage) {
  const MemMapRevision& rev3 = MemMapRevisionOf(3);
  const MemRangeList& blocks = rev3.MemMapBlockList();
  ASSERT_EQ(UsedRanges(blocks).size(), 11u);
  radio_->ClearCloneRange(0xFF);
  cmcEeprom image;
  image.SetSize(kImageSize);
  for (std::int64_t a = 0; a < kImageSize; ++a)
    image.SetByte(a, static_cast<std::uint8_t>((a * 7 + (a >> 9)) & 0xFF));
  const cmcEeprom sent = image;
  man_->SetDataPreamble(8);
  radio_->ClearWireLog();
  Outcome out;
  ASSERT_EQ(man_->StartWrite(image, blocks, Record(out)), 1);
  EXPECT_EQ(man_->TotalBytes(), 172928);
  EXPECT_EQ(progress_.opened, 1);
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(out.code, 0);
  EXPECT_EQ(out.mode, 3);
  EXPECT_TRUE(journal_.boxes.empty());
  EXPECT_TRUE(image == sent);  // the caller's image is untouched
  EXPECT_TRUE(MemoryEquals(image, kLastCloneAddress));
  EXPECT_TRUE(radio_->Problems().empty());

  // Every data frame went out behind 8 extra FE bytes (10 in all).
  Bytes run;
  for (const auto& segment : radio_->WireLog())
    if (segment.speed == 38400) run.insert(run.end(), segment.bytes.begin(), segment.bytes.end());
  int frames = 0;
  for (std::size_t i = 0; i + 2 < run.size(); ++i) {
    if (run[i] != 0xEE || run[i + 1] != 0xEF || run[i + 2] != 0xE4) continue;
    ++frames;
    std::size_t fe = 0;
    while (fe < i && run[i - 1 - fe] == 0xFE) ++fe;
    ASSERT_EQ(fe, 10u) << "frame " << frames;
  }
  EXPECT_EQ(frames, radio_->DataFramesStored());
  EXPECT_GE(frames, 172928 / 64);
}

TEST_F(CloneManRadio, IdentifyThenReadTheWholeImage) {
  Outcome id;
  Outcome read;
  ASSERT_EQ(man_->StartIdentify(Record(id,
                                       [&](dst_CDrv_Result& r) {
                                         if (r.code == 0)
                                           man_->StartRead(Pairs(0, kLastCloneAddress),
                                                           Adopt(read));
                                       })),
            1);
  ASSERT_TRUE(
      Pump([&] { return (read.called || (id.called && id.code != 0)) && !man_->IsBusy(); }));
  EXPECT_EQ(id.code, 0);
  EXPECT_EQ(read.code, 0);
  EXPECT_TRUE(journal_.boxes.empty());
  EXPECT_EQ(progress_.lastTotal, 172928);
  EXPECT_TRUE(MemoryEquals(document_, kLastCloneAddress));
  EXPECT_FALSE(man_->Engine().Port().IsOpen());
  EXPECT_EQ(journal_.entries,
            (std::vector<std::string>{"41", "43", "42(1)", "closure", "43", "42(1)", "closure"}));
}

}  // namespace
}  // namespace clonetest
