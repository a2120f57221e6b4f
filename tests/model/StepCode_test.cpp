// Step classes and counts, class choice within the record's field widths,
// and snapping typed frequencies to the channel grid.
#include "model/StepCode.h"

#include <gtest/gtest.h>

#include "model/LayoutLists.h"

using namespace stepcode;

namespace {

TEST(StepCodeTest, EncodesAndDecodesEachClass) {
  EXPECT_EQ(EncodeStep(145000000, 0), 29000u);
  EXPECT_EQ(EncodeStep(136991666, 2), 16439u);
  EXPECT_EQ(DecodeStep(16439, 2), 136991666u);
  EXPECT_EQ(DecodeStep(23201, 1), 145006250u);
  // Damaged class numbers decode as 0 Hz and encode as count 0.
  for (std::uint32_t k = 3; k < 8; ++k) {
    EXPECT_EQ(DecodeStep(12345, k), 0u);
    EXPECT_EQ(EncodeStep(145000000, k), 0u);
  }
  // Class 2 in 64 bits: 3 x f does not wrap for a 32-bit frequency.
  EXPECT_EQ(EncodeStep(4294967295u, 2), 515396u);
  EXPECT_EQ(DecodeStep(515396u, 2), 4294966666u);
  EXPECT_EQ(DecodeStep(0x7FFFF, 2), 4369058333u);
}

TEST(StepCodeTest, StepMaskMeansExactRoundTrip) {
  EXPECT_EQ(StepMask(145006250, false), 2u);
  EXPECT_EQ(StepMask(600000, false), 7u);
  EXPECT_EQ(StepMask(118008333, false), 4u);
  EXPECT_EQ(StepMask(118008333, true), 0u);  // repeaters never get class 2
  // A rest of 24999 is a multiple of 8333 but does not come back exactly.
  EXPECT_EQ(StepMask(118024999, false), 0u);
  for (std::uint64_t f = 118000000; f < 118100000; f += 1) {
    const std::uint32_t mask = StepMask(f, false);
    for (std::uint32_t k = 0; k < 3; ++k)
      if (mask & (1u << k)) {
        ASSERT_EQ(DecodeStep(EncodeStep(f, k), k), f) << f << " class " << k;
      }
  }
}

TEST(StepCodeTest, ChoosesClassesByPreferenceAndField) {
  struct Case {
    std::uint64_t freq, offset;
    bool repeater;
    std::uint32_t freqClass, offsetClass;
  } cases[] = {
      {145006250, 600000, false, 1, 1},  // only 6.25 kHz fits the frequency
      {145000000, 600000, false, 0, 0},
      {136991666, 0, false, 2, 2},  // air band prefers 8.33 kHz
      {118000000, 600000, false, 2, 2},
      {145000000, 8333, false, 0, 2},  // no common class: each its own
      {145006250, 5000, true, 1, 0},
      {145000000, 600000, true, 0, 0},
      {145003000, 0, false, 0, 0},  // off the grid: the start class stays
  };
  for (const Case& c : cases) {
    const auto chosen = ChooseStepClass(c.freq, c.offset, c.repeater, 18, 16);
    ASSERT_TRUE(chosen) << c.freq;
    EXPECT_EQ(chosen->freq, c.freqClass) << c.freq;
    EXPECT_EQ(chosen->offset, c.offsetClass) << c.freq;
  }
}

TEST(StepCodeTest, TakesTheNextClassThatFitsOrRefuses) {
  // From 1310720000 Hz the 5 kHz count no longer fits 18 bits.
  auto chosen = ChooseStepClass(1310725000, 0, false, layout::ch::kFreqCountBits,
                                layout::ch::kOffsetCountBits);
  ASSERT_TRUE(chosen);
  EXPECT_EQ(chosen->freq, 1u);
  EXPECT_EQ(DecodeStep(EncodeStep(1310725000, 1), 1), 1310725000u);
  // A multiple of 5 kHz only: nothing exact fits, nothing is stored.
  EXPECT_FALSE(ChooseStepClass(1310730000, 0, false, 18, 16));
  // Offsets past 65535 steps of 5 kHz take 6.25 kHz, or are refused.
  chosen = ChooseStepClass(145000000, 400000000, false, 18, 16);
  ASSERT_TRUE(chosen);
  EXPECT_EQ(chosen->offset, 1u);
  EXPECT_FALSE(ChooseStepClass(145000000, 410005000, false, 18, 16));
  // Repeaters hold 19 bits.
  EXPECT_TRUE(ChooseStepClass(1310730000, 0, true, layout::rpt::kFreqCountBits, 16));
}

TEST(StepCodeTest, ScanEdgeEndsChooseIndependently) {
  const auto chosen = ChooseEdgeStepClasses(118008333, 145006250, 18);
  ASSERT_TRUE(chosen);
  EXPECT_EQ(chosen->high, 2u);
  EXPECT_EQ(chosen->low, 1u);
  EXPECT_FALSE(ChooseEdgeStepClasses(1310730000, 0, 18));
}

TEST(StepCodeTest, SnapsToTheNearestChannelStep) {
  struct Case {
    std::uint64_t typed;
    bool outsideAir, anyBand;
    std::uint64_t snapped;
  } cases[] = {
      {145003000, true, false, 145005000},
      {118005000, false, false, 118008333},
      {118004000, false, false, 118000000},
      {145005625, true, false, 145005000},  // tie: the 5 kHz candidate stays
      {145048000, true, false, 145050000},  // may reach the next block
      {145006250, false, true, 145006250},
      {145000000, true, false, 145000000},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SnapToChannelStep(c.typed, c.outsideAir, c.anyBand), c.snapped) << c.typed;
  EXPECT_EQ(RoundToSubStep(5000, 6), 8333u);
}

TEST(StepCodeTest, DecodesRepeaterFormFields) {
  const std::uint8_t field[3] = {0x80 | 0x00, 0x5A, 0xA1};
  EXPECT_EQ(DecodeFreq(field), 145006250u);
  const std::uint8_t noisy[3] = {0x38, 0x71, 0x48};  // bits 5-3 hold no field
  EXPECT_EQ(DecodeFreq(noisy), 29000u * 5000);
}

}  // namespace

#include "model/datCh.h"

namespace {

TEST(StepCodeTest, RecordFormsSetTheClassesOrLeaveThem) {
  datCh r;
  r.stepClass = 7;
  r.offsetStepClass = 7;
  EXPECT_TRUE(ChooseStepClass(r, 145006250, 600000, false));
  EXPECT_EQ(r.stepClass, 1u);
  EXPECT_EQ(r.offsetStepClass, 1u);
  EXPECT_FALSE(ChooseStepClass(r, 1310730000, 0, false));
  EXPECT_EQ(r.stepClass, 1u);
  EXPECT_TRUE(ChooseStepClass(r, 1310730000, 0, true));  // a repeater holds 19 bits
  EXPECT_EQ(r.stepClass, 0u);
  EXPECT_TRUE(ChooseEdgeStepClasses(r, 118008333, 145006250));
  EXPECT_EQ(r.stepClass2, 2u);
  EXPECT_EQ(r.stepClass, 1u);
}

}  // namespace
