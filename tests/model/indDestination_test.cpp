// The band plan: band index, allowed frequencies per destination, general
// ranges and default duplex offsets.
#include "model/indDestination.h"

#include <gtest/gtest.h>

namespace {

TEST(BandPlanTest, BandIndexByEdges) {
  struct Case {
    std::int64_t f;
    int band;
  } cases[] = {{117999999, 5}, {118000000, 0}, {136999999, 0}, {137000000, 1}, {174000000, 1},
               {174000001, 2}, {375000000, 3}, {550000000, 3}, {550000001, 4}};
  for (const Case& c : cases) EXPECT_EQ(indDestination::BandIndex(c.f), c.band) << c.f;
  EXPECT_EQ(indDestination::BandEdge(2), 174000001);
  EXPECT_EQ(indDestination::BandEdge(5), 0);
}

TEST(BandPlanTest, AllowedFrequenciesPerDestination) {
  struct Case {
    int destination;
    std::int64_t f;
    bool allowed;
  } cases[] = {
      {0, 118000000, true},   {0, 174000001, false},  {0, 380000000, true},
      {0, 550000001, false},  {2, 380000000, false},  {2, 379895000, true},
      {2, 412000000, false},  {2, 430000000, true},   {5, 118000000, false},
      {5, 144000000, true},   {5, 146000001, false},  {5, 440000000, true},
      {5, 440000001, false},  {10, 145000000, true},  {11, 432000000, true},
      {11, 432000001, false}, {14, 136999999, true},  {14, 137000000, false},
      {14, 434500000, false}, {14, 435000000, true},  {14, 438000001, false},
      {15, 411895000, true},  {15, 411895001, false}, {1, 100000000, false},
  };
  for (const Case& c : cases) {
    const indDestination d(c.destination);
    EXPECT_EQ(d.IsFreqAllowed(c.f), c.allowed) << c.destination << " " << c.f;
    EXPECT_EQ(d.IsOutOfBand(c.f), !c.allowed) << c.destination << " " << c.f;
  }
}

TEST(BandPlanTest, FlagsOfTheDestinationSetting) {
  // Second flag: the gaps are ignored; third flag: cellular ranges excluded.
  EXPECT_FALSE(indDestination(2).IsFreqAllowed(380000000));
  EXPECT_TRUE(indDestination(2, true).IsFreqAllowed(380000000));
  EXPECT_TRUE(indDestination(0).IsFreqAllowed(174000000));
  EXPECT_FALSE(
      indDestination(0, true, true).IsFreqAllowed(830000000));  // also out of the main bands
}

TEST(BandPlanTest, NoDestinationIsNeverOutOfBandOrRange) {
  for (int code : {16, 17, -1, 1000}) {
    const indDestination d(code);
    EXPECT_EQ(d.Code(), 16);
    for (std::int64_t f : {0LL, 29999LL, 100000000LL, 200000000LL, 999999999LL, 4294967295LL}) {
      EXPECT_FALSE(d.IsOutOfBand(f)) << f;
      EXPECT_FALSE(d.IsOutOfRange(f)) << f;
    }
    EXPECT_EQ(d.DefaultDuplexOffset(2), 5000000);  // row of 15 (class 6)
  }
  EXPECT_TRUE(indDestination(0).IsOutOfRange(29999));
  EXPECT_FALSE(indDestination(0).IsOutOfRange(0));
}

TEST(BandPlanTest, RangesAndDefaultOffsets) {
  EXPECT_EQ(indDestination::OffsetRangeIndex(0), 0);
  EXPECT_EQ(indDestination::OffsetRangeIndex(99999999), 0);
  EXPECT_EQ(indDestination::OffsetRangeIndex(145000000), 1);
  EXPECT_EQ(indDestination::OffsetRangeIndex(300000000), 2);
  EXPECT_EQ(indDestination::OffsetRangeIndex(1300000000), 3);
  EXPECT_EQ(indDestination::OffsetRangeIndex(1400000000), 4);
  struct Case {
    int destination, range;
    std::int64_t offset;
  } cases[] = {{0, 1, 600000}, {5, 2, 7600000}, {10, 3, 20000000}, {11, 1, 0}, {14, 3, 28000000},
               {2, 0, 100000}, {2, 1, 0},       {0, 4, 0},         {0, -1, 0}};
  for (const Case& c : cases)
    EXPECT_EQ(indDestination(c.destination).DefaultDuplexOffset(c.range), c.offset)
        << c.destination << "/" << c.range;
  EXPECT_EQ(indDestination::DestinationClass(14), 5);
  EXPECT_EQ(indDestination::DestinationClass(40), 6);
}

TEST(BandPlanTest, ChoosesDuplexOffsetOnRangeChange) {
  const indDestination d(0);
  EXPECT_EQ(d.ChooseDuplexOffset(146000000, 145000000, 1234), 1234);
  EXPECT_EQ(d.ChooseDuplexOffset(435000000, 145000000, 1234), 5000000);
  EXPECT_EQ(d.ChooseDuplexOffset(0, 50000, 1234), 500000);  // same range, one of them 0
  EXPECT_EQ(d.ChooseDuplexOffset(0, 0, 1234), 1234);
}

TEST(BandPlanTest, CurrentDestinationIsInjectable) {
  EXPECT_EQ(indDestination::Current().Code(), 16);
  {
    ScopedDestination scope(indDestination(3));
    EXPECT_EQ(indDestination::Current().Code(), 3);
  }
  EXPECT_EQ(indDestination::Current().Code(), 16);
}

}  // namespace
