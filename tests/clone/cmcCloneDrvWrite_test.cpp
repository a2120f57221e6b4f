// The engine's write on a fake line: the data frames it builds, the block
// lists of the three layouts, the acknowledgement, and the pacing rules of
// the sending state.
#include <gtest/gtest.h>

#include <algorithm>

#include "EngineFakeRig.h"
#include "clone/cmcCloneDrv.h"
#include "model/MemMapRevision.h"
#include "support/PumpUntil.h"

namespace {

using kwtest::Ascii;
using kwtest::Bytes;
using kwtest::Cat;

const Bytes kE3Tail = {0xEE, 0xEF, 0xE3, 0x34, 0x84, 0x00, 0x00, 0xFD};
const Bytes kAckGood = {0xFE, 0xFE, 0xEF, 0xEE, 0xE6, 0x00, 0xFD};
const Bytes kAckBad = {0xFE, 0xFE, 0xEF, 0xEE, 0xE6, 0x01, 0xFD};

bool Contains(const Bytes& hay, const Bytes& needle) {
  return std::search(hay.begin(), hay.end(), needle.begin(), needle.end()) != hay.end();
}

// The radio acknowledges the end frame of a write.
void AckEndFrame(kwtest::FakeLine& line, Bytes reply) {
  line.onWrite = [reply](kwtest::FakeLine& l, const Bytes& w) {
    if (Contains(w, {0xEE, 0xEF, 0xE5})) l.Push(reply);
  };
}

class EngineWriteTest : public kwtest::EngineFakeRig {
 protected:
  EngineWriteTest() {
    image_.SetSize(kwtest::kImageSize);
    transType_ = 3;  // no echo unless a test says so
  }

  // The data frames and the end frame sent after E3.
  struct Sent {
    std::vector<kwtest::SentFrame> data;
    Bytes endFrame;  // addresses, E5 and its text
  };
  Sent SentAfterWrite() const {
    Sent sent;
    bool afterE3 = false;
    for (const kwtest::SentFrame& f : kwtest::SplitFrames(line_->AllWritten())) {
      if (f.body.size() >= 3 && f.body[2] == 0xE3) afterE3 = true;
      if (!afterE3 || f.body.size() < 3) continue;
      if (f.body[2] == 0xE4) sent.data.push_back(f);
      if (f.body[2] == 0xE5) sent.endFrame = f.body;
    }
    return sent;
  }

  cmcEeprom image_;
};

TEST_F(EngineWriteTest, DataFramesFollowTheBlockSizeAndTheRanges) {
  struct Case {
    const char* what;
    MemRangeList ranges;
    int blockSize;
    std::vector<std::pair<std::int64_t, int>> frames;  // address, count
  } cases[] = {
      {"two aligned blocks", {{0, 0x7F}}, 64, {{0, 64}, {0x40, 64}}},
      {"cut at block edges", {{0x30, 0x4F}}, 64, {{0x30, 16}, {0x40, 16}}},
      {"two ranges", {{0x10, 0x1F}, {0x3F, 0x40}}, 64, {{0x10, 16}, {0x3F, 1}, {0x40, 1}}},
      {"the largest block", {{0, 0x1FF}}, 255, {{0, 255}, {255, 255}, {510, 2}}},
  };
  for (int i = 0; i < 0x200; ++i) image_.SetByte(i, static_cast<std::uint8_t>(i * 3));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    *line_ = kwtest::FakeLine{};
    outcome_ = kwtest::Outcome{};
    Configure(clonecfg::kWrite);
    engine_.SetBlockSize(c.blockSize);
    AckEndFrame(*line_, kAckGood);
    ASSERT_EQ(engine_.StartWrite(image_, c.ranges, Catch()), 1);
    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(outcome_.code, kCloneOk);
    const Sent sent = SentAfterWrite();
    ASSERT_EQ(sent.data.size(), c.frames.size());
    for (size_t f = 0; f < c.frames.size(); ++f) {
      const kwtest::DataFrameInfo info = kwtest::ReadDataFrame(sent.data[f].body);
      EXPECT_EQ(info.address, c.frames[f].first) << f;
      EXPECT_EQ(info.count, c.frames[f].second) << f;
      ASSERT_EQ(info.data.size(), static_cast<size_t>(c.frames[f].second));
      for (int k = 0; k < info.count; ++k)
        EXPECT_EQ(info.data[static_cast<size_t>(k)], image_.GetByte(info.address + k));
    }
    char count[3];
    std::snprintf(count, sizeof count, "%02X", static_cast<unsigned>(c.frames.size()));
    EXPECT_EQ(sent.endFrame, Cat({{0xEE, 0xEF, 0xE5}, Ascii(std::string("Quor Inc.") + count)}));
    EXPECT_EQ(engine_.DataBytes(), RangeByteCount(c.ranges));
    ExpectIdleAndClean();
  }
}

TEST_F(EngineWriteTest, DataFrameBytesAndEscapes) {
  struct Case {
    const char* what;
    std::int64_t address;
    Bytes data;
    Bytes frame;
  } cases[] = {
      {"64 x FF at 0x40", 0x40, Bytes(64, 0xFF),
       Cat({{0xFE, 0xFE, 0xEE, 0xEF, 0xE4, 0x00, 0x00, 0x00, 0x40, 0x40},
            Bytes(64, 0x7F),
            {0xC0, 0xFD}})},
      {"7A goes as FA, escaped",
       0,
       {0x7A},
       {0xFE, 0xFE, 0xEE, 0xEF, 0xE4, 0x00, 0x00, 0x00, 0x00, 0x01, 0xFF, 0x0A, 0x05, 0xFD}},
      {"checksum FE escaped",
       0,
       {0x81},
       {0xFE, 0xFE, 0xEE, 0xEF, 0xE4, 0x00, 0x00, 0x00, 0x00, 0x01, 0x01, 0xFF, 0x0E, 0xFD}},
      {"address byte FA escaped",
       0xFA,
       {0x00},
       {0xFE, 0xFE, 0xEE, 0xEF, 0xE4, 0x00, 0x00, 0x00, 0xFF, 0x0A, 0x01, 0x80, 0x85, 0xFD}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    *line_ = kwtest::FakeLine{};
    Configure(clonecfg::kWrite);
    image_.SetBlock(c.address, c.data.data(), static_cast<std::int64_t>(c.data.size()));
    AckEndFrame(*line_, kAckGood);
    ASSERT_EQ(engine_.StartWrite(
                  image_, {{c.address, c.address + static_cast<std::int64_t>(c.data.size()) - 1}},
                  Catch()),
              1);
    ASSERT_TRUE(RunToEnd());
    const Bytes all = line_->AllWritten();
    EXPECT_TRUE(Contains(all, Cat({kE3Tail, c.frame}))) << "frame right after E3";
  }
}

TEST_F(EngineWriteTest, DataPreambleBeforeEveryFrame) {
  struct Case {
    int later;
    int first;
  } cases[] = {{8, 8}, {0, 0}, {5, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.later * 10 + c.first);
    *line_ = kwtest::FakeLine{};
    Configure(clonecfg::kWrite, true, 8);
    engine_.SetDataPreamble(c.later, c.first);
    AckEndFrame(*line_, kAckGood);
    ASSERT_EQ(engine_.StartWrite(image_, {{0, 0xBF}}, Catch()), 1);
    ASSERT_TRUE(RunToEnd());
    const Sent sent = SentAfterWrite();
    ASSERT_EQ(sent.data.size(), 3u);
    EXPECT_EQ(sent.data[0].preamble, 2 + c.first);
    EXPECT_EQ(sent.data[1].preamble, 2 + c.later);
    EXPECT_EQ(sent.data[2].preamble, 2 + c.later);
  }
}

struct BlockListCase {
  int revision;
  int frames;
  const char* count;
};

class EngineBlockListTest : public EngineWriteTest,
                            public ::testing::WithParamInterface<BlockListCase> {};

TEST_P(EngineBlockListTest, FrameCountsAndEndFrameOfTheLayout) {
  const BlockListCase& c = GetParam();
  const MemRangeList& blocks = MemMapRevisionOf(c.revision).MemMapBlockList();
  Configure(clonecfg::kWrite);
  AckEndFrame(*line_, kAckGood);
  ASSERT_EQ(engine_.StartWrite(image_, blocks, Catch()), 1);
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(outcome_.code, kCloneOk);
  const Sent sent = SentAfterWrite();
  EXPECT_EQ(static_cast<int>(sent.data.size()), c.frames);
  EXPECT_EQ(engine_.FrameCount(), c.frames);
  EXPECT_EQ(sent.endFrame, Cat({{0xEE, 0xEF, 0xE5}, Ascii(std::string("Quor Inc.") + c.count)}));
  // The frames cover the blocks exactly, none crossing from one into the next.
  std::int64_t next = 0;
  size_t block = 0;
  const MemRangeList used = UsedRanges(blocks);
  for (const kwtest::SentFrame& f : sent.data) {
    const kwtest::DataFrameInfo info = kwtest::ReadDataFrame(f.body);
    while (block < used.size() && next > used[block].last) ++block;
    ASSERT_LT(block, used.size());
    if (next < used[block].first) next = used[block].first;
    ASSERT_EQ(info.address, next);
    ASSERT_LE(info.address + info.count - 1, used[block].last);
    next += info.count;
  }
  EXPECT_EQ(next, used.back().last + 1);
  if (c.revision == 3) {
    const kwtest::DataFrameInfo last2 = kwtest::ReadDataFrame(sent.data[sent.data.size() - 2].body);
    const kwtest::DataFrameInfo last = kwtest::ReadDataFrame(sent.data.back().body);
    EXPECT_EQ(last2.address, 0x2A340);
    EXPECT_EQ(last2.count, 16);
    EXPECT_EQ(last.address, 0x2A350);
    EXPECT_EQ(last.count, 48);
    const Bytes all = line_->AllWritten();
    EXPECT_TRUE(Contains(
        all, Cat({{0xFE, 0xFE, 0xEE, 0xEF, 0xE5}, Ascii("Quor Inc."), {0x38, 0x46, 0xFD}})));
  }
}

INSTANTIATE_TEST_SUITE_P(Layouts, EngineBlockListTest,
                         ::testing::Values(BlockListCase{3, 2703, "8F"},
                                           BlockListCase{2, 2316, "0C"},
                                           BlockListCase{1, 4078, "EE"}),
                         [](const ::testing::TestParamInfo<BlockListCase>& info) {
                           return "Revision" + std::to_string(info.param.revision);
                         });

TEST_F(EngineWriteTest, TheAcknowledgementDecides) {
  struct Case {
    const char* what;
    Bytes reply;
    int finalTimeout;  // 0: the engine's own
    int code;
    std::uint32_t waitedAtLeast;
  } cases[] = {
      {"E6 00", kAckGood, 10000, kCloneOk, 0},
      {"E6 01", kAckBad, 10000, kCloneWriteRejected, 0},
      {"E6 00 00", {0xFE, 0xFE, 0xEF, 0xEE, 0xE6, 0x00, 0x00, 0xFD}, 10000, kCloneWriteRejected, 0},
      {"our own end frame back",
       {0xFE, 0xFE, 0xEE, 0xEF, 0xE5, 0xFD},
       10000,
       kCloneWriteRejected,
       0},
      {"none, set-up time-out", {}, 10000, kCloneNoAnswer, 10000},
      {"none, engine's own time-out", {}, 0, kCloneNoAnswer, 2000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cmcCloneDrv engine(std::make_unique<kwtest::FakeSerialDevice>(line_));
    *line_ = kwtest::FakeLine{};
    outcome_ = kwtest::Outcome{};
    engine.Port().SetPathResolver([](int) { return std::string("/dev/fake"); });
    engine.SetModel(kwtest::kModelWord, 0);
    engine.SetImageSize(kwtest::kImageSize);
    clonecfg::EngineConfig config =
        clonecfg::MakeEngineConfig(clonecfg::kWrite, 7, 3, true, kwtest::kModelWord, 0);
    config.finalTimeoutMs = c.finalTimeout;
    kwtest::ApplyEngineConfig(engine, config);
    AckEndFrame(*line_, c.reply);
    ASSERT_EQ(engine.StartWrite(image_, {{0, 0x3F}}, Catch()), 1);
    int ticks = 200000;
    while (engine.IsBusy() && ticks-- > 0) {
      clock_.Advance(cmcCloneDrv::kTickMs);
      engine.RunOneTick();
    }
    ASSERT_FALSE(engine.IsBusy());
    EXPECT_EQ(outcome_.code, c.code);
    std::uint32_t endFrameTick = 0;
    for (const auto& w : line_->writes)
      if (Contains(w.bytes, {0xEE, 0xEF, 0xE5})) endFrameTick = w.tick;
    ASSERT_NE(endFrameTick, 0u);
    EXPECT_GE(outcome_.endTick - endFrameTick, c.waitedAtLeast);
    EXPECT_LT(outcome_.endTick - endFrameTick, c.waitedAtLeast + 100);
    EXPECT_FALSE(engine.Port().IsOpen());
  }
}

TEST_F(EngineWriteTest, AtMostEightFramesATick) {
  Configure(clonecfg::kWrite);
  AckEndFrame(*line_, kAckGood);
  ASSERT_EQ(engine_.StartWrite(image_, {{0, 0x7FF}}, Catch()), 1);  // 32 frames
  ASSERT_TRUE(TickUntilState(cmcCloneDrv::RunState::SendingData));
  for (int expected : {8, 16, 24, 32}) {
    Tick();
    EXPECT_EQ(engine_.FrameCount(), expected);
  }
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(outcome_.code, kCloneOk);
}

TEST_F(EngineWriteTest, NothingHandedOverWhilePendingOutputExceedsFourTimesTheFrames) {
  Configure(clonecfg::kWrite);
  AckEndFrame(*line_, kAckGood);
  // One frame of 64 zero bytes: 76 bytes on the wire.
  ASSERT_EQ(engine_.StartWrite(image_, {{0, 0x3F}}, Catch()), 1);
  ASSERT_TRUE(TickUntilState(cmcCloneDrv::RunState::SendingData));
  const size_t writesBefore = line_->writes.size();
  line_->outQueue = line_->outQueueAfterWrite = 4 * 76 + 1;
  Tick(5);
  EXPECT_EQ(engine_.FrameCount(), 1);
  EXPECT_EQ(engine_.Port().TransmitQueueLength(), 0);
  EXPECT_EQ(line_->writes.size(), writesBefore);
  EXPECT_EQ(engine_.State(), cmcCloneDrv::RunState::SendingData);
  // At exactly four times its length the waiting frame goes, although the
  // range cursor has already reached the end of the list.
  line_->outQueue = line_->outQueueAfterWrite = 4 * 76;
  Tick();
  EXPECT_EQ(engine_.Port().TransmitQueueLength(), 76);
  line_->outQueue = line_->outQueueAfterWrite = 0;
  // The port's pump hands it on at its next 10 ms tick.
  ASSERT_TRUE(kwtest::PumpUntil([&] { return engine_.Port().TransmitQueueLength() == 0; }, 10000));
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(outcome_.code, kCloneOk);
  EXPECT_EQ(SentAfterWrite().data.size(), 1u);
}

// While the line is behind, a waiting frame is not joined by more: each
// would raise the allowance of the lump, and the output would keep growing.
TEST_F(EngineWriteTest, NoFrameIsBuiltWhileOneWaits) {
  Configure(clonecfg::kWrite);
  AckEndFrame(*line_, kAckGood);
  ASSERT_EQ(engine_.StartWrite(image_, {{0, 0x7FF}}, Catch()), 1);  // 32 frames
  ASSERT_TRUE(TickUntilState(cmcCloneDrv::RunState::SendingData));
  line_->outQueue = line_->outQueueAfterWrite = 4 * 76 + 1;
  Tick(5);
  EXPECT_EQ(engine_.FrameCount(), 1);
  EXPECT_EQ(engine_.Port().TransmitQueueLength(), 0);
  line_->outQueue = line_->outQueueAfterWrite = 0;
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(outcome_.code, kCloneOk);
  EXPECT_EQ(SentAfterWrite().data.size(), 32u);
}

TEST_F(EngineWriteTest, ATickThatOnlyMovesToTheNextRangeEnds) {
  Configure(clonecfg::kWrite);
  AckEndFrame(*line_, kAckGood);
  ASSERT_EQ(engine_.StartWrite(image_, {{0, 0x3F}, {0x100, 0x13F}}, Catch()), 1);
  ASSERT_TRUE(TickUntilState(cmcCloneDrv::RunState::SendingData));
  Tick();
  EXPECT_EQ(engine_.FrameCount(), 1);
  Tick();
  EXPECT_EQ(engine_.FrameCount(), 2);
  EXPECT_EQ(engine_.State(), cmcCloneDrv::RunState::SendingData);
  Tick();
  EXPECT_EQ(engine_.State(), cmcCloneDrv::RunState::SendingEnd);
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(outcome_.code, kCloneOk);
}

TEST_F(EngineWriteTest, BlockSizesTheCountByteCannotSayAreIgnored) {
  Configure(clonecfg::kWrite);
  for (int bad : {256, 1000, 0, -5}) {
    engine_.SetBlockSize(bad);
    EXPECT_EQ(engine_.BlockSize(), 64) << bad;
  }
  engine_.SetBlockSize(255);
  EXPECT_EQ(engine_.BlockSize(), 255);
}

TEST_F(EngineWriteTest, AShortWriteEndsWithCode17AndTheCallersImageStaysAsItWas) {
  for (int i = 0; i < 0x400; ++i) image_.SetByte(i, static_cast<std::uint8_t>(i));
  const cmcEeprom before = image_;
  Configure(clonecfg::kWrite);
  ASSERT_EQ(engine_.StartWrite(image_, {{0, 0x3FF}}, Catch()), 1);
  ASSERT_TRUE(TickUntilState(cmcCloneDrv::RunState::SendingData));
  line_->acceptLimit = 10;
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(outcome_.code, kCloneWriteFailed);
  ExpectIdleAndClean();
  EXPECT_EQ(image_, before);
  EXPECT_EQ(line_->writes.back().bytes.size(), 10u);
  // Restartable.
  line_->acceptLimit = -1;
  outcome_ = kwtest::Outcome{};
  Configure(clonecfg::kWrite);
  AckEndFrame(*line_, kAckGood);
  ASSERT_EQ(engine_.StartWrite(image_, {{0, 0x3FF}}, Catch()), 1);
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(outcome_.code, kCloneOk);
}

TEST_F(EngineWriteTest, WritesWithEchoOn) {
  transType_ = 0;
  Configure(clonecfg::kWrite, false, 8);
  line_->echo = true;
  AckEndFrame(*line_, kAckGood);
  ASSERT_EQ(engine_.StartWrite(image_, {{0, 0xFFF}}, Catch()), 1);
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(outcome_.code, kCloneOk);
  EXPECT_EQ(engine_.FrameCount(), 64);
}

TEST_F(EngineWriteTest, RefusesEmptyListsAndRangesOutsideTheImage) {
  Configure(clonecfg::kWrite);
  EXPECT_EQ(engine_.StartWrite(image_, {}, Catch()), 0);
  EXPECT_EQ(engine_.StartWrite(image_, {{1, 0}}, Catch()), 0);
  EXPECT_EQ(engine_.StartWrite(image_, {{0x3FFF0, 0x40000}}, Catch()), 0);
  EXPECT_EQ(engine_.StartWrite(image_, {{-1, 5}}, Catch()), 0);
  EXPECT_FALSE(engine_.IsBusy());
  EXPECT_TRUE(line_->opens.empty());
}

}  // namespace
