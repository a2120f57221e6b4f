// kw-test: with=BlankListsImage.cpp
// The record codec beyond channels: kinds without a list, index checks,
// scan edges, link positions, GPS memories, repeaters, your-call signs, the
// call lists, band defaults and the blank records.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <ctime>
#include <string>

#include "BlankListsImage.h"
#include "model/ImageAccess.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/ListEdit.h"
#include "model/datCh.h"
#include "model/indDestination.h"
#include "support/ManualClock.h"

namespace {

using namespace layout;

template <std::size_t N>
std::string Str(const datText<N>& t) {
  return std::string(t.data(), N);
}

class ItemRecordTest : public ::testing::Test {
 protected:
  void SetUp() override { image = kwtest::MakeBlankListsImage(0); }

  cmcEeprom image;
};

TEST_F(ItemRecordTest, KindsWithoutAListGiveTheDefaultRecord) {
  for (std::uint32_t kind : {0u, 14u, 20u, 99u}) {
    datCh r(&image);
    r.freq = 5;
    r.Load(kind, 7);
    EXPECT_EQ(r.kind, kind);
    EXPECT_EQ(r.index, 7u);
    EXPECT_TRUE(r.IsUsed());
    EXPECT_EQ(r.freq, 0u);
    EXPECT_EQ(r.bank, datCh::kBankNone);
    EXPECT_EQ(Str(r.name), std::string(16, ' '));
    EXPECT_FALSE(r.Store(kind, 7));
  }
  datCh r(&image);
  EXPECT_FALSE(r.Store(9, 0));  // read-only kinds store nothing
  EXPECT_FALSE(r.Store(15, 0));
}

TEST_F(ItemRecordTest, IndexesOutsideTheirKindAreRefused) {
  struct Case {
    std::uint32_t kind, lastValid;
  } cases[] = {{1, 1003}, {2, 1003}, {3, 1003}, {4, 24}, {5, 259}, {6, 299}, {7, 1499}, {8, 299}};
  for (const Case& c : cases) {
    const cmcEeprom before = image;
    datCh r(&image);
    r.Load(c.kind, c.lastValid + 1);
    EXPECT_FALSE(r.IsUsed()) << c.kind;
    r.flags = datCh::kUsed;
    r.linkEdge = 0;
    r.linkMember = 1;
    EXPECT_FALSE(r.Store(c.kind, c.lastValid + 1)) << c.kind;
    EXPECT_TRUE(image == before) << c.kind;  // e.g. Store(1, 1004) would hit the empty bitmap
    EXPECT_TRUE(datCh::IsValidItem(c.kind, c.lastValid));
  }
  EXPECT_EQ(datCh::KindMax(3), 2599u);
  EXPECT_EQ(datCh::KindMax(5), 259u);
  EXPECT_EQ(datCh::KindMaxChecked(15), 100000000u);
  for (std::uint32_t k : {9u, 10u, 11u, 12u, 13u}) {
    datCh r(&image);
    r.Load(k, datCh::KindMax(k) + 1);
    EXPECT_FALSE(r.IsUsed()) << k;
  }
}

TEST_F(ItemRecordTest, FieldsTooWideForTheirBitsRefuseTheWholeStore) {
  const cmcEeprom before = image;
  struct Case {
    const char* what;
    void (*spoil)(datCh&);
  } cases[] = {
      {"mode", [](datCh& r) { r.mode = 16; }},
      {"rptTone", [](datCh& r) { r.rptTone = 64; }},
      {"tsqlTone", [](datCh& r) { r.tsqlTone = 64; }},
      {"canceller", [](datCh& r) { r.cancellerFreq = 5120; }},
      {"duplex", [](datCh& r) { r.duplex = 4; }},
      {"frequency", [](datCh& r) { r.freq = 1310730000; }},
      {"offset", [](datCh& r) { r.offset = 410005000; }},
  };
  for (const Case& c : cases) {
    datCh r(&image);
    r.freq = 145000000;
    SetText(r.name, "KEEP");
    c.spoil(r);
    EXPECT_FALSE(r.Store(itemkind::kChannel, 5)) << c.what;
    EXPECT_TRUE(image == before) << c.what;
  }
  datCh rpt(&image);
  rpt.rptToneIndex = 256;
  EXPECT_FALSE(rpt.Store(itemkind::kRepeater, 0));
  EXPECT_TRUE(image == before);
}

TEST_F(ItemRecordTest, HighChannelFrequencyTakesTheNextClass) {
  datCh r(&image);
  r.freq = 1310725000;  // past 262143 steps of 5 kHz
  ASSERT_TRUE(r.Store(itemkind::kChannel, 0));
  EXPECT_EQ(r.stepClass, 1u);
  datCh back(&image);
  back.Load(itemkind::kChannel, 0);
  EXPECT_EQ(back.freq, 1310725000u);
}

TEST_F(ItemRecordTest, ScanEdgesKeepUnclaimedBitsAndBlankWhenUnused) {
  image.SetByte(kScanEdgeBase + 24 * 3, 0x1C);
  image.SetByte(kScanEdgeBase + 24 * 3 + 3, 0x10);
  datCh r(&image);
  r.freq = 118008333;
  r.freq2 = 145006250;
  r.mode = 3;
  r.tuneStep = 2;
  SetText(r.name, "EDGE");
  ASSERT_TRUE(r.Store(itemkind::kScanEdge, 3));
  EXPECT_EQ(image.GetByte(kScanEdgeBase + 72) & 0x1C, 0x1C);
  EXPECT_EQ(image.GetByte(kScanEdgeBase + 75) & 0x1C, 0x10);
  datCh back(&image);
  back.Load(itemkind::kScanEdge, 3);
  EXPECT_TRUE(back.IsUsed());
  EXPECT_EQ(back.freq, 118008333u);
  EXPECT_EQ(back.stepClass, 2u);
  EXPECT_EQ(back.freq2, 145006250u);
  EXPECT_EQ(back.stepClass2, 1u);
  EXPECT_EQ(Str(back.name).substr(0, 4), "EDGE");

  back.flags = 0;
  ASSERT_TRUE(back.Store(itemkind::kScanEdge, 3));
  datCh unused(&image);
  unused.Load(itemkind::kScanEdge, 3);
  EXPECT_FALSE(unused.IsUsed());
  EXPECT_EQ(unused.freq, 0u);
  EXPECT_EQ(unused.freq2, 0u);
  EXPECT_EQ(Str(unused.name), std::string(16, ' '));
  EXPECT_EQ(unused.mode, 3u);
}

TEST_F(ItemRecordTest, LinkPositionsCountTheLinksEdges) {
  datCh edge(&image);
  edge.freq = 145000000;
  edge.freq2 = 146000000;
  SetText(edge.name, "TWO");
  ASSERT_TRUE(edge.Store(itemkind::kScanEdge, 2));
  // Link 1 holds edges 2 and 7 (edge 7 unused).
  imageaccess::SetBit(image, kLinkEdgeBitmaps + 4, 2, true);
  imageaccess::SetBit(image, kLinkEdgeBitmaps + 4, 7, true);

  datCh r(&image);
  r.Load(itemkind::kLinkPosition, 26 + 0);
  EXPECT_EQ(r.linkEdge, datCh::kNoEdge);  // position 0 never refers to an edge
  EXPECT_EQ(r.flags, 0u);
  r.Load(itemkind::kLinkPosition, 26 + 1);
  EXPECT_EQ(r.linkEdge, 2u);
  EXPECT_EQ(r.flags, 7u);
  EXPECT_EQ(r.linkMember, 1u);
  EXPECT_EQ(r.linkFreq1, 146000000u);
  EXPECT_EQ(r.linkFreq2, 145000000u);
  r.Load(itemkind::kLinkPosition, 26 + 2);
  EXPECT_EQ(r.linkEdge, 7u);
  EXPECT_EQ(r.flags, 1u);

  // Storing a loaded position keeps its edge; clearing membership takes it out.
  const cmcEeprom before = image;
  r.Load(itemkind::kLinkPosition, 26 + 1);
  ASSERT_TRUE(r.Store(itemkind::kLinkPosition, 26 + 1));
  EXPECT_TRUE(image == before);
  r.linkMember = 0;
  ASSERT_TRUE(r.Store(itemkind::kLinkPosition, 26 + 1));
  EXPECT_FALSE(imageaccess::GetBit(image, kLinkEdgeBitmaps + 4, 2));
  r.linkEdge = 255;
  EXPECT_FALSE(r.Store(itemkind::kLinkPosition, 26 + 1));
}

TEST_F(ItemRecordTest, GpsMemoriesGoThroughTheOrderTable) {
  ASSERT_TRUE(GpsGroupInsert(image, 2, 0));
  datCh r(&image);
  r.Load(itemkind::kGpsMemory, 0);
  EXPECT_TRUE(r.IsUsed());
  EXPECT_EQ(r.gpsGroup, 2u);
  SetText(r.gpsName, "HOME");
  r.altitude = -120;
  r.latitude = {35, 0x98, 0xD3, 'N'};
  ASSERT_TRUE(r.Store(itemkind::kGpsMemory, 0));
  datCh back(&image);
  back.Load(itemkind::kGpsMemory, 0);
  EXPECT_EQ(Str(back.gpsName).substr(0, 4), "HOME");
  EXPECT_EQ(back.altitude, -120);
  EXPECT_EQ(back.latitude, r.latitude);

  // Unused positions (order word 300 or more) store nothing.
  const cmcEeprom before = image;
  back.Load(itemkind::kGpsMemory, 1);
  EXPECT_FALSE(back.IsUsed());
  back.flags = datCh::kUsed;
  EXPECT_FALSE(back.Store(itemkind::kGpsMemory, 1));
  imageaccess::Set16(image, kGpsOrderTable + 2, 300);
  const cmcEeprom withWord = image;
  back.Load(itemkind::kGpsMemory, 1);
  EXPECT_FALSE(back.IsUsed());
  back.flags = datCh::kUsed;
  EXPECT_FALSE(back.Store(itemkind::kGpsMemory, 1));
  EXPECT_TRUE(image == withWord);
  (void)before;
}

TEST_F(ItemRecordTest, RepeatersStoreTwoClassesAndKeepUnclaimedBits) {
  SetRptGroupCount(image, 0, 1);
  image.SetByte(kRptBase, 0x28);  // bits 5-3 hold no field
  datCh r(&image);
  r.Load(itemkind::kRepeater, 0);
  EXPECT_TRUE(r.IsUsed());
  r.freq = 145006250;
  r.offset = 600000;
  r.duplex = 2;
  r.rptMode = 0;
  r.useFrom = 1;
  SetText(r.rptCall, "JP1YIU A");
  SetText(r.gwCall, "JP1YIU G");
  ASSERT_TRUE(r.Store(itemkind::kRepeater, 0));
  EXPECT_EQ(r.stepClass, 1u);
  EXPECT_EQ(image.GetByte(kRptBase) & 0x38, 0x28);
  EXPECT_TRUE(imageaccess::GetBit(image, kRptUseFromBitmap, 0));
  datCh back(&image);
  back.Load(itemkind::kRepeater, 0);
  EXPECT_EQ(back.freq, 145006250u);
  EXPECT_EQ(back.offset, 600000u);
  EXPECT_EQ(Str(back.gwCall), "JP1YIU G");
  EXPECT_EQ(back.rptGroup, 0u);
  back.Load(itemkind::kRepeater, 1);
  EXPECT_FALSE(back.IsUsed());
  EXPECT_EQ(back.rptGroup, 50u);
}

TEST_F(ItemRecordTest, BlankRecordsFollowTheDestination) {
  struct Case {
    int destination;
    std::uint32_t offset, duplex;
    char longitude;
  } cases[] = {{0, 0, 0, 'W'}, {2, 5000000, 1, 'E'}, {5, 0, 0, 'E'}, {16, 0, 0, 'E'}};
  for (const Case& c : cases) {
    ScopedDestination scope{indDestination(c.destination)};
    datCh r(&image);
    r.Load(itemkind::kBlankRepeater, 3);
    EXPECT_FALSE(r.IsUsed());
    EXPECT_EQ(Str(r.rptCall), "CALLSIGN");
    EXPECT_EQ(r.offset, c.offset);
    EXPECT_EQ(r.duplex, c.duplex);
    EXPECT_EQ(r.longitude[3], c.longitude);
    EXPECT_EQ(r.utcOffset, 32767u);
    EXPECT_EQ(r.rptWord, 65535u);
    EXPECT_EQ(r.rptToneIndex, 8u);
    r.Load(itemkind::kBlankGpsNoDate, 0);
    EXPECT_EQ(r.longitude[3], c.longitude);
    EXPECT_EQ(r.gpsDate, (std::array<std::uint8_t, 3>{0x99, 0x99, 0x99}));
    EXPECT_EQ(r.altitude, 0x7FFFFFFF);
  }
  datCh r;
  r.Load(itemkind::kBlankYourCall, 0);
  EXPECT_TRUE(r.IsUsed());
  EXPECT_EQ(Str(r.urCall), "CALLSIGN");
}

TEST_F(ItemRecordTest, BlankGpsMemoryTakesTheClockInUtc) {
  setenv("TZ", "UTC", 1);
  tzset();
  struct Case {
    std::int64_t unixMs;
    std::int16_t radioOffset;
    std::array<std::uint8_t, 3> date, time;
  } cases[] = {
      // 2015-04-07 21:30:00 local (UTC here) with +540: 12:30 UTC.
      {1428442200000, 540, {0x07, 0x04, 0x15}, {0x12, 0x30, 0x00}},
      // Across midnight backwards with a negative offset.
      {1428364800000, -300, {0x07, 0x04, 0x15}, {0x05, 0x00, 0x00}},
      // 32767 and offsets beyond 14 hours count as 0.
      {1428442200000, 32767, {0x07, 0x04, 0x15}, {0x21, 0x30, 0x00}},
      {1428442200000, 841, {0x07, 0x04, 0x15}, {0x21, 0x30, 0x00}},
      // Outside 2000-2099: the empty date and time.
      {946684799000, 0, {0x99, 0x99, 0x99}, {0x99, 0x99, 0x99}},
      {4102444800000, 0, {0x99, 0x99, 0x99}, {0x99, 0x99, 0x99}},
  };
  for (const Case& c : cases) {
    kwtest::ManualClock clock(0, c.unixMs);
    imageaccess::Set16(image, kUtcOffset, static_cast<std::uint16_t>(c.radioOffset));
    datCh r(&image);
    r.Load(itemkind::kBlankGps, 0);
    EXPECT_EQ(r.gpsDate, c.date) << c.unixMs << " " << c.radioOffset;
    EXPECT_EQ(r.gpsTime, c.time) << c.unixMs << " " << c.radioOffset;
  }
}

TEST_F(ItemRecordTest, YourCallSignsUseTheCount) {
  ASSERT_TRUE(UrListInsert(image, 0));
  datCh r(&image);
  r.Load(itemkind::kYourCall, 0);
  EXPECT_TRUE(r.IsUsed());
  EXPECT_EQ(Str(r.urCall), "CALLSIGN");
  SetText(r.urCall, "JA1ABC");
  SetText(r.name, "FRIEND");
  ASSERT_TRUE(r.Store(itemkind::kYourCall, 0));
  r.Load(itemkind::kYourCall, 1);
  EXPECT_FALSE(r.IsUsed());
  r.Load(itemkind::kYourCall, 0);
  EXPECT_EQ(Str(r.name).substr(0, 6), "FRIEND");
}

TEST_F(ItemRecordTest, CallListsResolveTheirCallSigns) {
  // Repeaters: 0 DV "JP1YIU A", 1 FM "JR1VF  " at 439.5 MHz with duplex.
  SetRptGroupCount(image, 0, 2);
  datCh rpt(&image);
  rpt.Load(itemkind::kRepeater, 0);
  rpt.freq = 434000000;
  SetText(rpt.rptCall, "JP1YIU A");
  SetText(rpt.name, "DV SITE");
  ASSERT_TRUE(rpt.Store(itemkind::kRepeater, 0));
  rpt.Load(itemkind::kRepeater, 1);
  rpt.rptMode = 1;
  rpt.duplex = 1;
  rpt.freq = 439500000;
  SetText(rpt.rptCall, "JR1VF");
  SetText(rpt.name, "FM SITE");
  ASSERT_TRUE(rpt.Store(itemkind::kRepeater, 1));
  ASSERT_TRUE(UrListInsert(image, 0));
  datCh ur(&image);
  ur.Load(itemkind::kYourCall, 0);
  SetText(ur.urCall, "JA1ABC");
  SetText(ur.name, "FRIEND");
  ASSERT_TRUE(ur.Store(itemkind::kYourCall, 0));

  // List A entry 3 (at position 0): module letter blank finds "A".
  image.SetBlock(kCallListA + 8 * 3, "JP1YIU  ", 8);
  image.SetByte(kCallListAOrder + 0, 3);
  // List B entry 0: call sign and frequency.
  image.SetBlock(kCallListB, "JR1VF   ", 8);
  imageaccess::Set32(image, kCallListB + 8, 439500000);
  image.SetByte(kCallListBOrder + 0, 0);
  image.SetBlock(kCallListB + 12, "JR1VF   ", 8);
  imageaccess::Set32(image, kCallListB + 12 + 8, 439000000);
  image.SetByte(kCallListBOrder + 1, 1);
  // List C: a your-call sign with another module letter, and a slash form.
  image.SetBlock(kCallListC, "JA1ABC B", 8);
  image.SetByte(kCallListCOrder + 0, 0);
  image.SetBlock(kCallListC + 8, "/JP1YIUA", 8);
  image.SetByte(kCallListCOrder + 1, 1);
  // List D: only the call sign; an order byte past capacity is unused.
  image.SetBlock(kCallListD, "7M1ABC  ", 8);
  image.SetByte(kCallListDOrder + 0, 0);
  image.SetByte(kCallListDOrder + 1, 7);

  datCh r(&image);
  r.Load(itemkind::kCallListA, 0);
  EXPECT_TRUE(r.IsUsed());
  EXPECT_EQ(r.listFound, 1u);
  EXPECT_EQ(Str(r.name).substr(0, 7), "DV SITE");
  EXPECT_EQ(r.freq, 434000000u);
  r.Load(itemkind::kCallListA, 1);
  EXPECT_FALSE(r.IsUsed());
  r.Load(itemkind::kCallListB, 0);
  EXPECT_EQ(r.listFound, 1u);
  EXPECT_EQ(Str(r.name).substr(0, 7), "FM SITE");
  r.Load(itemkind::kCallListB, 1);
  EXPECT_EQ(r.listFound, 0u);
  EXPECT_EQ(r.freq, 439000000u);
  r.Load(itemkind::kCallListC, 0);
  EXPECT_EQ(r.listFound, 1u);
  EXPECT_EQ(Str(r.name).substr(0, 6), "FRIEND");
  r.Load(itemkind::kCallListC, 1);
  EXPECT_EQ(r.listFound, 1u);
  EXPECT_EQ(Str(r.name).substr(0, 7), "DV SITE");
  r.Load(itemkind::kCallListD, 0);
  EXPECT_EQ(Str(r.listCall), "7M1ABC  ");
  EXPECT_EQ(r.listFound, 0u);
  r.Load(itemkind::kCallListD, 1);
  EXPECT_FALSE(r.IsUsed());
}

TEST_F(ItemRecordTest, BandDefaultsByBandIndex) {
  datCh r(&image);
  struct Case {
    std::uint32_t index, freq, mode;
  } cases[] = {{0, 118000000, 3}, {1, 144000000, 0}, {2, 430000000, 0}, {5, 430000000, 0}};
  for (const Case& c : cases) {
    r.Load(itemkind::kBandDefault, c.index);
    EXPECT_TRUE(r.IsUsed());
    EXPECT_EQ(r.freq, c.freq);
    EXPECT_EQ(r.mode, c.mode);
    EXPECT_EQ(r.cancellerFreq, 300u);
    EXPECT_EQ(Str(r.urCall), "CQCQCQ  ");
    EXPECT_EQ(r.bank, datCh::kBankNone);
    EXPECT_EQ(r.bankSlot, 0u);
  }
}

TEST_F(ItemRecordTest, ReceivedCallsFollowTheirOrderTable) {
  image.SetByte(kRxOrderTable + 4, 0);  // history item 0 is entry 4
  image.SetBlock(kRxRecords + 46 * 4, "JA1ABC  NOTEJA2XYZ  ", 20);
  imageaccess::Set32(image, kRxRecords + 46 * 4 + 36, 145000000);
  image.SetByte(kRxStatusBytes + 4, 0x28);
  image.SetBlock(kRxTexts + 20 * 4, "HELLO", 5);
  imageaccess::Set32(image, kRxPositions + 92 * 4 + 8, 1234);
  datCh r(&image);
  r.Load(itemkind::kRxCall, 0);
  EXPECT_TRUE(r.IsUsed());
  EXPECT_EQ(r.mode, 5u);  // always a digital-voice call
  EXPECT_EQ(Str(r.rx.caller), "JA1ABC  ");
  EXPECT_EQ(Str(r.rx.callerNote), "NOTE");
  EXPECT_EQ(Str(r.rx.called), "JA2XYZ  ");
  EXPECT_EQ(r.rx.frequency, 145000000u);
  EXPECT_EQ(r.rx.status, 0x28);
  EXPECT_EQ(Str(r.rx.message).substr(0, 5), "HELLO");
  EXPECT_EQ(r.rx.altitude, 1234u);
  r.Load(itemkind::kRxCall, 1);
  EXPECT_FALSE(r.IsUsed());
  EXPECT_EQ(r.mode, 0u);
}

// Each data type of the position record fills its own values; everything
// else keeps its empty marker.
TEST_F(ItemRecordTest, ReceivedCallValuesFollowTheDataType) {
  struct Expect {
    std::uint16_t course, speed;
    std::array<std::uint8_t, 4> phg;
    const char* objName;
    std::uint8_t objState;
    std::uint16_t windDir, windSpeed, gust, temperature, rain, rain24, rainMidnight;
    std::uint8_t humidity;
    std::uint32_t barometric;
  };
  constexpr std::array<std::uint8_t, 4> kNoPhg = {0xFF, 0xFF, 0xFF, 0xFF};
  constexpr std::array<std::uint8_t, 4> kPhg = {0x1E, 0x1F, 0x20, 0x21};
  const Expect empty = {65535, 65535, kNoPhg, "         ", 255,   65535, 65535,
                        65535, 32767, 65535,  65535,       65535, 255,   0xFFFFFFFF};
  struct Case {
    std::uint8_t type, subType;
    Expect want;
  } cases[] = {
      {0, 0, empty},
      {1,
       0,
       {0x1E1F, 0x2021, kNoPhg, "         ", 255, 65535, 65535, 65535, 32767, 65535, 65535, 65535,
        255, 0xFFFFFFFF}},
      {6,
       0,
       {0x1E1F, 0x2021, kNoPhg, "         ", 255, 65535, 65535, 65535, 32767, 65535, 65535, 65535,
        255, 0xFFFFFFFF}},
      {2,
       0,
       {65535, 65535, kPhg, "         ", 255, 65535, 65535, 65535, 32767, 65535, 65535, 65535, 255,
        0xFFFFFFFF}},
      {3,
       1,
       {0x292A, 0x2B2C, kNoPhg, "\x1e\x1f !\"#$%&", 0x27, 65535, 65535, 65535, 32767, 65535, 65535,
        65535, 255, 0xFFFFFFFF}},
      {4,
       2,
       {65535,
        65535,
        {0x29, 0x2A, 0x2B, 0x2C},
        "\x1e\x1f !\"#$%&",
        0x27,
        65535,
        65535,
        65535,
        32767,
        65535,
        65535,
        65535,
        255,
        0xFFFFFFFF}},
      {3,
       7,
       {65535, 65535, kNoPhg, "\x1e\x1f !\"#$%&", 0x27, 65535, 65535, 65535, 32767, 65535, 65535,
        65535, 255, 0xFFFFFFFF}},
      {5,
       0,
       {65535, 65535, kNoPhg, "         ", 255, 0x1E1F, 0x2021, 0x2223, 0x2425, 0x2627, 0x2829,
        0x2A2B, 0x2C, 0x2D2E2F30}},
  };
  image.SetByte(kRxOrderTable, 0);
  const std::int64_t position = kRxPositions;
  for (int k = 30; k < 49; ++k) image.SetByte(position + k, static_cast<std::uint8_t>(k));
  for (const Case& c : cases) {
    image.SetByte(position + 29, c.type);
    image.SetByte(position + 40, c.type == 3 || c.type == 4 ? c.subType : 40);
    datCh r(&image);
    r.Load(itemkind::kRxCall, 0);
    const datRxCall& x = r.rx;
    const Expect& w = c.want;
    SCOPED_TRACE(testing::Message() << "type " << int{c.type} << " sub-type " << int{c.subType});
    EXPECT_EQ(x.dataType, c.type);
    EXPECT_EQ(x.course, w.course);
    EXPECT_EQ(x.speed, w.speed);
    EXPECT_EQ(x.phg, w.phg);
    EXPECT_EQ(Str(x.objItemName), w.objName);
    EXPECT_EQ(x.objState, w.objState);
    EXPECT_EQ(x.windDir, w.windDir);
    EXPECT_EQ(x.windSpeed, w.windSpeed);
    EXPECT_EQ(x.gustSpeed, w.gust);
    EXPECT_EQ(x.temperature, w.temperature);
    EXPECT_EQ(x.rain, w.rain);
    EXPECT_EQ(x.rain24, w.rain24);
    EXPECT_EQ(x.rainMidnight, w.rainMidnight);
    EXPECT_EQ(x.humidity, w.humidity);
    EXPECT_EQ(x.barometric, w.barometric);
  }
}

TEST_F(ItemRecordTest, LoadIntoKeepsKindIndexAndImage) {
  datCh r(&image);
  r.kind = 1;
  r.index = 5;
  r.LoadInto(itemkind::kBlankYourCall, 0);
  EXPECT_EQ(r.kind, 1u);
  EXPECT_EQ(r.index, 5u);
  EXPECT_EQ(r.Image(), &image);
  EXPECT_EQ(Str(r.urCall), "CALLSIGN");
}

TEST_F(ItemRecordTest, FreeChannels) {
  datCh r(&image);
  EXPECT_EQ(r.CountFreeChannels(1), 1000);
  EXPECT_EQ(r.CountFreeChannels(4), 0);
  r.freq = 145000000;
  ASSERT_TRUE(r.Store(1, 0));
  EXPECT_EQ(r.FindFreeChannel(0), 1);
  EXPECT_EQ(r.FindFreeChannel(1000), -1);
  EXPECT_EQ(r.CountFreeChannels(1), 999);
}

TEST(ItemRecordNoImageTest, LoadWithoutImageIsUnused) {
  datCh r;
  r.Load(1, 0);
  EXPECT_FALSE(r.IsUsed());
  EXPECT_FALSE(r.Store(1, 0));
  cmcEeprom small;
  small.SetSize(100);
  datCh s(&small);
  s.Load(7, 0);
  EXPECT_FALSE(s.IsUsed());
  EXPECT_FALSE(s.Store(1, 0));
}

}  // namespace

namespace {

TEST(BlankListsImageTest, HasTheEmptyShape) {
  const cmcEeprom image = kwtest::MakeBlankListsImage(0);
  for (int n = 0; n < 1000; ++n) {
    ASSERT_TRUE(imageaccess::GetBit(image, kChannelEmptyBitmap, n)) << n;
    ASSERT_EQ(imageaccess::Get16(image, kChannelBankAssign + 2 * n), 0x1F00) << n;
  }
  EXPECT_FALSE(imageaccess::GetBit(image, kChannelEmptyBitmap, 1000));
  for (int n = 1001; n <= 1004; ++n)
    EXPECT_TRUE(imageaccess::GetBit(image, kChannelEmptyBitmap, n));
  EXPECT_EQ(imageaccess::Get32(image, kScanEdgeEmptyBitmap), 0xFFFFFF01u);
  for (int p = 0; p < kGpsCapacity; ++p)
    ASSERT_EQ(imageaccess::Get16(image, kGpsOrderTable + 2 * p), 0xFFFF);
  EXPECT_EQ(GetRptTotalCount(image), 0);
  EXPECT_EQ(GetYourCallCount(image), 0);
  char signature[17] = {};
  image.GetBlock(kSignature, signature, 16);
  EXPECT_STREQ(signature, "QuorCloneFormat3");
  EXPECT_EQ(image.GetByte(kLayoutByte), 3);
  EXPECT_EQ(imageaccess::Get16(image, BankTableEntry(25, 99)), 0xFFFF);
}

}  // namespace
