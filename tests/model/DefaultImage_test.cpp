// The sixteen built-in default images: golden digests, markers, band
// defaults, templates the codec reproduces, empty lists, and the table.
#include "model/DefaultImage.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <cstring>

#include "DefaultInitialImage.h"
#include "model/BandDefaults.h"
#include "model/ItemKinds.h"
#include "model/LayoutImage.h"
#include "model/MemMapRevision.h"
#include "model/StepCode.h"
#include "model/datCh.h"
#include "model/indDestination.h"

namespace {

std::string Md5(const cmcEeprom& image) {
  return QCryptographicHash::hash(QByteArrayView(image.Data(), image.GetSize()),
                                  QCryptographicHash::Md5)
      .toHex()
      .toUpper()
      .toStdString();
}

unsigned Get16(const cmcEeprom& image, std::int64_t a) {
  return static_cast<unsigned>(image.GetByte(a)) << 8 | image.GetByte(a + 1);
}

// Regenerate after a deliberate change of the settings or band-default table
// (the test prints the new list when they differ). Destinations with the same
// band plan and band defaults share an image.
const char* const kGolden[kDefaultImageCount] = {
    "C3076AA0C890B74CD9639B535C708124",  // 0
    "3DD2E162D158D694D5DCFA519438D236",  // 1
    "6F3456151B75925A26EE42027E75F3A3",  // 2
    "6F3456151B75925A26EE42027E75F3A3",  // 3
    "6F3456151B75925A26EE42027E75F3A3",  // 4
    "855971EAACBE460D5F567BB295654270",  // 5
    "6F3456151B75925A26EE42027E75F3A3",  // 6
    "6F3456151B75925A26EE42027E75F3A3",  // 7
    "6F3456151B75925A26EE42027E75F3A3",  // 8
    "6F3456151B75925A26EE42027E75F3A3",  // 9
    "3DD2E162D158D694D5DCFA519438D236",  // 10
    "6BC1977F6643FE4813E4544E3DC3F612",  // 11
    "6F3456151B75925A26EE42027E75F3A3",  // 12
    "6F3456151B75925A26EE42027E75F3A3",  // 13
    "855971EAACBE460D5F567BB295654270",  // 14
    "6F3456151B75925A26EE42027E75F3A3",  // 15
};

TEST(DefaultImageTest, SixteenDeterministicImagesWithGoldenDigests) {
  std::string all;
  for (int d = 0; d < kDefaultImageCount; ++d) {
    const cmcEeprom image = BuildDefaultImage(d);
    ASSERT_EQ(image.GetSize(), kDefaultImageSize);
    EXPECT_EQ(image, BuildDefaultImage(d));
    const std::string md5 = Md5(image);
    EXPECT_EQ(md5, kGolden[d]) << "destination " << d;
    all += "    \"" + md5 + "\",\n";
  }
  if (HasFailure()) std::printf("golden digests:\n%s", all.c_str());
  EXPECT_EQ(BuildDefaultImage(16), BuildDefaultImage(0));
  EXPECT_EQ(BuildDefaultImage(255), BuildDefaultImage(0));
  EXPECT_EQ(BuildDefaultImage(-1), BuildDefaultImage(0));
}

TEST(DefaultImageTest, DestinationInForceIsKept) {
  ScopedDestination seven{indDestination(7, true, false)};
  BuildDefaultImage(0);
  EXPECT_EQ(indDestination::Current().Code(), 7);
  EXPECT_TRUE(indDestination::Current().SecondFlag());
}

class EveryDefaultImage : public ::testing::TestWithParam<int> {
 protected:
  int Dest() const { return GetParam(); }
};

TEST_P(EveryDefaultImage, MarkersAndEmptyLists) {
  const cmcEeprom image = BuildDefaultImage(Dest());
  EXPECT_EQ(MemMapReadRegion50Byte(image, 3), 3);
  ASSERT_NE(MemMapRegion53Ptr(image, 3), nullptr);
  EXPECT_EQ(0, std::memcmp(image.Data() + 0x2A370, "QuorCloneFormat3", 16));
  const std::int64_t tables = 0x28880;
  for (int i = 0; i < 1500; ++i) ASSERT_EQ(Get16(image, tables + 2 * i), 0xFFFFu);
  for (int i = 0; i < 50; ++i) ASSERT_EQ(Get16(image, tables + 3000 + 2 * i), 0xFFFFu);
  for (int i = 0; i < 300; ++i) ASSERT_EQ(Get16(image, tables + 3100 + 2 * i), 0xFFFFu);
  for (int i = 0; i < 95; ++i) ASSERT_EQ(image.GetByte(tables + 3700 + i), 255);
  for (int i = 0; i < 300; ++i) ASSERT_EQ(Get16(image, tables + 3795 + 2 * i), 0xFFFFu);
  for (int i = 0; i < 27; ++i) ASSERT_EQ(Get16(image, tables + 4395 + 2 * i), 0xFFFFu);
  EXPECT_EQ(Get16(image, 170802), 0xFFFFu);
  EXPECT_EQ(Get16(image, layout::kSelectedRepeater), 0xFFFFu);
  // DTMF memories hold no digit (0xFF ends the digits); my call signs are blank.
  for (int i = 0; i < 16 * 24; ++i) ASSERT_EQ(image.GetByte(0xCC10 + i), 0xFF) << i;
  for (int i = 0; i < 6 * 12; ++i) ASSERT_EQ(image.GetByte(0x2215C + i), ' ') << i;
}

TEST_P(EveryDefaultImage, BandDefaults) {
  const cmcEeprom image = BuildDefaultImage(Dest());
  const indDestination plan(Dest());
  for (int r = 0; r < 3; ++r) {
    datCh rec;
    DecodeBandDefault(image.Data() + 0x29F80 + 17 * r, rec);
    SCOPED_TRACE(r);
    if (r == 0) {
      EXPECT_TRUE(indDestination::IsAirBand(rec.freq));
      EXPECT_TRUE(rec.mode == 3 || rec.mode == 4);
      EXPECT_EQ(rec.stepClass, 2u);
      continue;
    }
    EXPECT_EQ(indDestination::BandIndex(rec.freq), r == 1 ? 1 : 3);
    EXPECT_TRUE(plan.IsFreqAllowed(rec.freq));
    EXPECT_EQ(static_cast<std::int64_t>(rec.offset),
              plan.DefaultDuplexOffset(indDestination::OffsetRangeIndex(rec.freq)));
    EXPECT_EQ(rec.toneMode, 0u);
  }
}

// Every channel, edge, repeater and your-call record reads back and stores
// to the very same bytes; channel templates are on grid and allowed.
TEST_P(EveryDefaultImage, TemplatesSurviveTheCodec) {
  ScopedDestination scope{indDestination(Dest())};
  const indDestination plan(Dest());
  cmcEeprom full = kwtest::FullFromDefaultImage(BuildDefaultImage(Dest()));
  const cmcEeprom before = full;
  struct Kind {
    std::uint32_t kind;
    int count;
  } kinds[] = {{itemkind::kChannel, 1004},
               {itemkind::kScanEdge, 25},
               {itemkind::kRepeater, 1500},
               {itemkind::kYourCall, 300}};
  for (const Kind& k : kinds) {
    for (int i = 0; i < k.count; ++i) {
      datCh r(&full);
      r.Load(k.kind, static_cast<std::uint32_t>(i));
      ASSERT_TRUE(r.Store(k.kind, static_cast<std::uint32_t>(i))) << k.kind << "/" << i;
      if (k.kind == itemkind::kChannel) {
        ASSERT_FALSE(r.IsUsed());
        ASSERT_TRUE(plan.IsFreqAllowed(r.freq)) << i;
        ASSERT_EQ(stepcode::SnapToChannelStep(r.freq, !indDestination::IsAirBand(r.freq), false),
                  r.freq);
        ASSERT_LE(r.mode, 11u);
        ASSERT_TRUE(r.toneMode == 0 || r.toneMode == 1 || r.toneMode == 3 || r.toneMode == 4 ||
                    r.toneMode == 5);
      }
    }
    ASSERT_EQ(full, before) << "kind " << k.kind;
  }
}

INSTANTIATE_TEST_SUITE_P(Destinations, EveryDefaultImage, ::testing::Range(0, kDefaultImageCount));

// The destination fix-up copies these bytes from the initial image: every one
// of them is set by a table row.
TEST(DefaultImageTableTest, FixUpBytesComeFromTheTable) {
  const std::pair<std::int64_t, int> fixUp[] = {
      {170653, 1},   {170654, 1},  {170656, 1},  {170657, 1},   {170699, 1},   {170700, 1},
      {170717, 2},   {170784, 1},  {170856, 15}, {170871, 1},   {170872, 6},   {170878, 2},
      {170880, 2},   {170882, 80}, {170962, 1},  {170963, 420}, {171383, 4},   {171387, 2},
      {171881, 1},   {171882, 2},  {171884, 1},  {171885, 1},   {171904, 102}, {172006, 96},
      {172102, 352}, {172454, 57}, {172511, 57}, {172568, 16},  {172584, 16},  {172600, 4},
      {172604, 8},   {172612, 26}, {172638, 26}, {172664, 1},   {172665, 1},   {172666, 2},
      {172668, 2},   {172670, 2},  {172672, 2},  {172674, 6},   {172680, 6},   {172686, 1},
      {172687, 1},   {172736, 2},  {172738, 1},  {172864, 1},   {172912, 16}};
  for (int d = 0; d < kDefaultImageCount; ++d) {
    std::vector<bool> set(kDefaultImageSize, false);
    for (const DefaultImageSetting& row : DefaultImageSettings())
      if ((row.destinations >> d) & 1)
        for (int i = 0; i < row.width; ++i) set[static_cast<size_t>(row.offset + i)] = true;
    for (auto [at, n] : fixUp)
      for (int i = 0; i < n; ++i)
        ASSERT_TRUE(set[static_cast<size_t>(at + i)]) << "destination " << d << " byte " << at + i;
  }
}

TEST(DefaultImageTableTest, RowErrorsNameTheirLine) {
  struct Case {
    const char* text;
    const char* error;
  } cases[] = {
      {"0x10 2 FFFF all ok\n", ""},
      {"# comment\n\n0x10 4 0102 0,2-4 note\n", ""},
      {"0x10 3 0102 all odd width\n", "line 1: the width is not a multiple of the value"},
      {"\n0x10 2 000 all x\n", "line 2: hexadecimal bytes need an even number of digits"},
      {"0x10 2 0G00 all x\n", "line 1: not a hexadecimal byte"},
      {"0x2A380 1 00 all past the image\n", "line 1: bad offset"},
      {"0x2A37F 2 00 all too wide\n", "line 1: bad width"},
      {"0x10 2 \"ABC\" all text too long\n", "line 1: text longer than its width"},
      {"0x10 2 00 16 bad destination\n", "line 1: bad destinations"},
      {"0x10 2 00 3-1 reversed\n", "line 1: bad destinations"},
      {"0x10 50 @band-defaults all x\n", "line 1: band defaults are 51 bytes"},
  };
  for (const Case& c : cases) {
    std::vector<DefaultImageSetting> rows;
    std::string error;
    const bool ok = ParseDefaultImageSettings(c.text, rows, error);
    EXPECT_EQ(ok, c.error[0] == '\0') << c.text;
    if (!ok) {
      EXPECT_EQ(error, c.error);
    }
  }
  std::vector<DefaultImageSetting> rows;
  std::string error;
  ASSERT_TRUE(ParseDefaultImageSettings("0x10 4 \"AB\" 0,2-4 a note\n", rows, error));
  EXPECT_EQ(rows[0].destinations, 0x1Du);
  EXPECT_EQ(rows[0].value, (std::vector<std::uint8_t>{'A', 'B', ' ', ' '}));
  EXPECT_EQ(rows[0].note, "a note");
}

}  // namespace
