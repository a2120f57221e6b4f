// The band-default table: every row encodes, lies in its band, and carries
// the destination's default offset and a tuning step the checks accept.
#include "model/BandDefaults.h"

#include <gtest/gtest.h>

#include "model/LayoutImage.h"
#include "model/cmcEeprom.h"
#include "model/datCh.h"
#include "model/indDestination.h"

namespace {

// Tuning steps the channel checks reject: outside the air band 2 (and 14
// outside group B destinations), inside it 0, 1, 4, 5, 6, 7, 9 and 10.
bool TuneStepAccepted(const indDestination& d, std::uint32_t f, std::uint32_t step) {
  if (indDestination::IsAirBand(f)) {
    for (std::uint32_t bad : {0u, 1u, 4u, 5u, 6u, 7u, 9u, 10u})
      if (step == bad) return false;
    return true;
  }
  return step != 2 && !(step == 14 && !d.IsGroupB());
}

TEST(BandDefaultsTest, EveryRowIsSound) {
  int count = 0;
  const BandDefaultRow* rows = BandDefaultTable(&count);
  ASSERT_EQ(count, 17 * 3);
  for (int k = 0; k < count; ++k) {
    const BandDefaultRow& row = rows[k];
    SCOPED_TRACE(::testing::Message()
                 << "destination " << row.destination << " record " << row.record);
    const indDestination d(row.destination);
    const int band = indDestination::BandIndex(row.freq);
    EXPECT_EQ(band == 0 ? 0 : band == 1 ? 1 : 2, row.record);
    if (row.record != 0) {
      EXPECT_TRUE(d.IsFreqAllowed(row.freq));
    }
    EXPECT_EQ(row.offset, d.DefaultDuplexOffset(indDestination::OffsetRangeIndex(row.freq)));
    EXPECT_EQ(row.mode, row.record == 0 ? 3u : 0u);
    EXPECT_TRUE(TuneStepAccepted(d, row.freq, row.tuneStep));
    EXPECT_EQ(row.cancellerFreq, 300u);
    EXPECT_EQ(row.duplex, 0u);
    std::uint8_t bytes[17];
    EXPECT_TRUE(EncodeBandDefault(BandDefaultRecord(row), bytes));
  }
}

TEST(BandDefaultsTest, WritesAndLoadsBack) {
  cmcEeprom image;
  image.SetSize(layout::kImageSize);
  ASSERT_TRUE(WriteBandDefaults(image, 5));
  datCh r(&image);
  r.Load(itemkind::kBandDefault, 2);
  EXPECT_EQ(r.freq, 430000000u);
  EXPECT_EQ(r.offset, 7600000u);
  EXPECT_EQ(r.stepClass, 0u);
  EXPECT_EQ(r.cancellerFreq, 300u);
  r.Load(itemkind::kBandDefault, 0);
  EXPECT_EQ(r.freq, 118000000u);
  EXPECT_EQ(r.stepClass, 2u);
  EXPECT_EQ(r.offsetStepClass, 2u);
  EXPECT_EQ(r.mode, 3u);
  // Destinations outside 0..15 use the row of 16.
  ASSERT_TRUE(WriteBandDefaults(image, 99));
  r.Load(itemkind::kBandDefault, 1);
  EXPECT_EQ(r.offset, 0u);  // class 6 has no offset at 144 MHz
}

TEST(BandDefaultsTest, EncoderPacksEveryField) {
  datCh r;
  r.freq = 145006250;
  r.offset = 600000;
  r.mode = 5;
  r.tuneStep = 9;
  r.dvSql = 5;
  r.cancellerFreq = 5110;
  r.duplex = 2;
  r.dtcsPolarity = 3;
  r.rptTone = 49;
  r.tsqlTone = 38;
  r.toneMode = 9;
  r.dtcsCode = 103;
  r.dvCsqlCode = 77;
  std::uint8_t b[17];
  ASSERT_TRUE(EncodeBandDefault(r, b));
  datCh back;
  DecodeBandDefault(b, back);
  for (auto f : {&datCh::freq, &datCh::offset, &datCh::mode, &datCh::tuneStep, &datCh::dvSql,
                 &datCh::cancellerFreq, &datCh::duplex, &datCh::dtcsPolarity, &datCh::rptTone,
                 &datCh::tsqlTone, &datCh::toneMode, &datCh::dtcsCode, &datCh::dvCsqlCode})
    EXPECT_EQ(back.*f, r.*f);
  EXPECT_EQ(back.stepClass, 1u);
  EXPECT_EQ(back.offsetStepClass, 1u);
  r.tsqlTone = 64;
  EXPECT_FALSE(EncodeBandDefault(r, b));
}

}  // namespace
