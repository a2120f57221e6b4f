// kw-test: link=radioemu
// Whole clone runs against the emulated radio on a pty, once per layout
// revision: identify, read the clone range, clear the radio, write the image
// back with the layout's block list. Between them the revisions use both
// speeds, echo on and off, and data preambles 0 and 8.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>

#include "EmulatorRig.h"
#include "model/MemMapRevision.h"

namespace {

struct RoundTripCase {
  int revision;
  int transType;
  bool high;
  int dataPreamble;
  int readFrames;
};

class CloneRoundTripTest : public ::testing::TestWithParam<RoundTripCase> {
 protected:
  kwtest::EmulatorRig rig_;
};

// The line speed the first frame with this command came in at.
int SpeedOfCommand(const std::vector<radioemu::WireSegment>& log, std::uint8_t cmd) {
  for (const auto& seg : log) {
    for (size_t i = 0; i + 2 < seg.bytes.size(); ++i)
      if (seg.bytes[i] == 0xEE && seg.bytes[i + 1] == 0xEF && seg.bytes[i + 2] == cmd)
        return seg.speed;
  }
  return 0;
}

TEST_P(CloneRoundTripTest, IdentifyReadAndWriteBack) {
  const RoundTripCase& c = GetParam();
  ASSERT_TRUE(rig_.StartRadio(c.revision, c.transType));
  const std::vector<std::uint8_t> seed = radioemu::SeedMemory(c.revision);
  const MemMapRevision& layout = MemMapRevisionOf(c.revision);
  const std::int64_t last = layout.LastCloneAddress();

  // Identification.
  rig_.Configure(clonecfg::kIdentify);
  ASSERT_EQ(rig_.engine_.StartIdentify(rig_.Catch()), 1);
  ASSERT_TRUE(rig_.Drive());
  ASSERT_EQ(rig_.outcome_.code, kCloneOk);
  EXPECT_EQ(rig_.outcome_.word1, 0x3484);
  EXPECT_EQ(rig_.outcome_.word2, 0x0001);
  ASSERT_EQ(rig_.outcome_.tail.size(), 45u);
  EXPECT_EQ(rig_.outcome_.tail[0], 45);
  EXPECT_EQ(rig_.outcome_.tail[1], c.revision);
  rig_.ExpectIdleAndClean();

  // Read of the clone range.
  rig_.radio_->ClearWireLog();
  rig_.Configure(clonecfg::kRead, c.high, c.dataPreamble);
  ASSERT_EQ(rig_.engine_.StartRead(layout.MemMapRangeList(), rig_.Catch()), 1);
  ASSERT_TRUE(rig_.Drive(true));
  ASSERT_EQ(rig_.outcome_.code, kCloneOk);
  EXPECT_EQ(rig_.engine_.FrameCount(), c.readFrames);
  EXPECT_EQ(rig_.engine_.DataBytes(), last + 1);
  const cmcEeprom image = rig_.outcome_.image;
  ASSERT_EQ(image.GetSize(), kwtest::kImageSize);
  EXPECT_TRUE(std::equal(seed.begin(), seed.begin() + last + 1, image.Data()));
  EXPECT_TRUE(std::all_of(image.Data() + last + 1, image.Data() + image.GetSize(),
                          [](std::uint8_t b) { return b == 0; }));
  // The bitmap holds exactly the range.
  const std::vector<std::uint8_t>& bits = rig_.outcome_.received;
  ASSERT_EQ(static_cast<std::int64_t>(bits.size()), last / 8 + 1);
  std::int64_t set = 0;
  for (std::uint8_t b : bits) set += std::popcount(b);
  EXPECT_EQ(set, last + 1);
  const auto log = rig_.radio_->WireLog();
  EXPECT_EQ(SpeedOfCommand(log, 0xE8), kwtest::CableFor(c.transType).identifySpeed);
  EXPECT_EQ(SpeedOfCommand(log, 0xE2), c.high ? 38400 : 9600);
  rig_.ExpectIdleAndClean();

  // Write back into a cleared radio.
  rig_.radio_->ClearCloneRange(0xFF);
  const cmcEeprom sent = image;
  rig_.Configure(clonecfg::kWrite, c.high, c.dataPreamble);
  ASSERT_EQ(rig_.engine_.StartWrite(image, layout.MemMapBlockList(), rig_.Catch()), 1);
  ASSERT_TRUE(rig_.Drive(true));
  ASSERT_EQ(rig_.outcome_.code, kCloneOk);
  EXPECT_EQ(image, sent);
  EXPECT_TRUE(rig_.radio_->Memory() == seed);
  EXPECT_EQ(rig_.radio_->WriteAcks(), 1);
  EXPECT_EQ(rig_.radio_->DataFramesStored(), rig_.engine_.FrameCount());
  rig_.ExpectIdleAndClean();
  EXPECT_EQ(rig_.radio_->Problems(), std::vector<std::string>{});
  EXPECT_EQ(rig_.transType_, c.transType);
}

INSTANTIATE_TEST_SUITE_P(
    Revisions, CloneRoundTripTest,
    ::testing::Values(RoundTripCase{1, 0, true, 8, 4077},   // echo on, high speed, preamble 8
                      RoundTripCase{2, 3, false, 0, 2315},  // echo off, normal speed, no preamble
                      RoundTripCase{3, 4, true, 8,
                                    2702}),  // echo off at 4800, high speed, preamble 8
    [](const ::testing::TestParamInfo<RoundTripCase>& info) {
      return "Revision" + std::to_string(info.param.revision);
    });

}  // namespace
