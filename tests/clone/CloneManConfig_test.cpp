// Engine set-up per run, the speed-change frame and the progress bar figures.
#include <gtest/gtest.h>

#include "clone/CloneConfig.h"
#include "clone/CloneProgressBar.h"

namespace {

using namespace clonecfg;

TEST(CloneManConfig, IdentificationSettingsByTransferType) {
  struct Case {
    int type;
    const char* settings;
    bool echo;
  };
  const Case cases[] = {
      {0, "19200,N,8,1", true},  {1, "9600,N,8,1", true},    {2, "4800,N,8,1", true},
      {3, "9600,N,8,1", false},  {4, "4800,N,8,1", false},   {5, "19200,N,8,1", true},
      {-1, "19200,N,8,1", true}, {255, "19200,N,8,1", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    const LineSetting s = IdentifyLineSetting(c.type);
    EXPECT_STREQ(s.settings, c.settings);
    EXPECT_EQ(s.echo, c.echo);
    const EngineConfig id = MakeEngineConfig(kIdentify, 7, c.type, true, 0x3484, 8);
    EXPECT_EQ(id.lineSettings, c.settings);
    EXPECT_EQ(id.echo, c.echo);
    EXPECT_FALSE(id.command.has_value());  // keeps what the last read or write set
  }
}

TEST(CloneManConfig, ReadAndWriteChangeSpeedFirst) {
  const EngineConfig high = MakeEngineConfig(kRead, 7, 0, true, 0x3484, 0);
  EXPECT_EQ(high.port, 7);
  EXPECT_EQ(high.lineSettings, "38400,N,8,1");
  EXPECT_TRUE(high.echo);
  ASSERT_TRUE(high.command.has_value());
  EXPECT_EQ(*high.command,
            "(19200,N,8,1)FEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFE EEEF E8 34840001 0000 02 01 FD");
  EXPECT_EQ(high.commandPreamble, 12);
  EXPECT_EQ(high.dataPreamble, 0);
  EXPECT_EQ(high.startDelayMs, 200);
  EXPECT_TRUE(high.countSuffix);
  EXPECT_EQ(high.blockSize, 64);
  EXPECT_EQ(high.finalTimeoutMs, 10000);

  const EngineConfig normal = MakeEngineConfig(kWrite, 3, 3, false, 0x3484, 8);
  EXPECT_EQ(normal.lineSettings, "9600,N,8,1");
  EXPECT_FALSE(normal.echo);
  EXPECT_EQ(*normal.command,
            "(9600,N,8,1)FEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFE EEEF E8 34840001 0000 02 00 FD");
  EXPECT_EQ(normal.dataPreamble, 8);
  EXPECT_EQ(normal.commandPreamble, 12);
}

TEST(CloneManBar, TotalsPerRevision) {
  // Clone ranges of the three layout revisions.
  struct Case {
    MemRangeList ranges;
    std::int64_t total;
  };
  const Case cases[] = {
      {{{0x00000, 0x2A37F}, {1, 0}}, 172928},
      {{{0x00000, 0x242BF}, {1, 0}}, 148160},
      {{{0x00000, 0x3FB3F}, {1, 0}}, 260928},
      {{{0x0000, 0xC03F}, {0xC040, 0x2A37F}, {1, 0}, {0, 5}}, 172928},  // stops at the end pair
      {{}, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(clonebar::TotalBytes(c.ranges), c.total);
}

TEST(CloneManBar, FilledSegments) {
  struct Case {
    std::int64_t data, total;
    int filled;
  };
  const Case cases[] = {
      {0, 172928, 0},    {86464, 172928, 16}, {172928, 172928, 33},
      {5240, 172928, 0}, {5241, 172928, 1},   {100, 0, 0},
      {-4, 100, 0},      {1LL << 40, 10, 33}, {148160, 148160, 33},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.data << "/" << c.total);
    EXPECT_EQ(clonebar::FilledSegments(c.data, c.total), c.filled);
  }
}

TEST(CloneManBar, SegmentsWithAOnePixelGap) {
  const auto rects = clonebar::Rects(0, 255, 16);
  ASSERT_EQ(rects.size(), 64u);
  // Colour per pixel column as painted in order.
  std::vector<int> colour(257, -1);
  for (const auto& r : rects)
    for (int x = r.left; x < r.right; ++x) colour[static_cast<size_t>(x)] = r.highlight ? 1 : 0;
  for (int x = 0; x <= 6; ++x) EXPECT_EQ(colour[x], 1) << x;
  EXPECT_EQ(colour[7], 0);
  for (int x = 120; x <= 126; ++x) EXPECT_EQ(colour[x], 1) << x;
  EXPECT_EQ(colour[127], 0);
  EXPECT_EQ(colour[128], 0);
  EXPECT_EQ(colour[255], 0);
  EXPECT_EQ(colour[256], -1);  // nothing outside the area
  // Full and empty bars.
  for (const auto& r : clonebar::Rects(0, 255, 32)) EXPECT_EQ(r.highlight, r.right - r.left == 7);
  for (const auto& r : clonebar::Rects(0, 255, 0)) EXPECT_FALSE(r.highlight);
}

}  // namespace
