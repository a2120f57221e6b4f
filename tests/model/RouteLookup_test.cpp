// kw-test: with=BlankListsImage.cpp
// Call-sign lookups in the repeater and your-call lists.
#include "model/RouteLookup.h"

#include <gtest/gtest.h>

#include <string>

#include "BlankListsImage.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/ListEdit.h"
#include "model/datCh.h"

namespace {

class RouteLookupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    image = kwtest::MakeBlankListsImage(0);
    struct Rpt {
      const char* call;
      std::uint32_t type, duplex, freq;
    } list[] = {
        {"JP1YIU B", 0, 2, 434000000},  // 0
        {"JP1YIUA ", 0, 2, 434000000},  // 1: seventh character A, module letter blank
        {"JP1YIU A", 0, 2, 434000000},  // 2
        {"JR1VF   ", 1, 0, 439500000},  // 3: FM simplex
        {"JR1VF   ", 2, 1, 439500000},  // 4: FM-N with duplex
        {"        ", 0, 0, 0},          // 5: DV blank
    };
    int i = 0;
    for (const Rpt& r : list) {
      datCh rec(&image);
      rec.Load(itemkind::kRepeater, static_cast<std::uint32_t>(i));
      SetText(rec.rptCall, r.call);
      rec.rptMode = r.type;
      rec.duplex = r.duplex;
      rec.freq = r.freq;
      ASSERT_TRUE(rec.Store(itemkind::kRepeater, static_cast<std::uint32_t>(i++)));
    }
    SetRptGroupCount(image, 0, i);
    for (const char* call : {"JA1ABC  ", "JA1ABC B", "JA1XYZ A"}) {
      const int n = GetYourCallCount(image);
      ASSERT_TRUE(UrListInsert(image, n));
      datCh rec(&image);
      rec.Load(itemkind::kYourCall, static_cast<std::uint32_t>(n));
      SetText(rec.urCall, call);
      ASSERT_TRUE(rec.Store(itemkind::kYourCall, static_cast<std::uint32_t>(n)));
    }
  }
  cmcEeprom image;
};

TEST_F(RouteLookupTest, PlainCallTreatsABlankModuleAsA) {
  EXPECT_EQ(FindRptByPlainCall(image, "JP1YIU  ", 0, 1500), 2);
  EXPECT_EQ(FindRptByPlainCall(image, "JP1YIU A", 0, 1500), 2);
  EXPECT_EQ(FindRptByPlainCall(image, "JP1YIU B", 0, 1500), 0);
  EXPECT_EQ(FindRptByPlainCall(image, "JP1YIU C", 0, 1500), kRptNotFound);
  EXPECT_EQ(FindRptByPlainCall(image, "JP1YIU B", 1, 1500), kRptNotFound);  // span
  EXPECT_EQ(FindRptByPlainCall(image, "JR1VF   ", 0, 1500), kRptNotFound);  // FM entries never
  EXPECT_EQ(FindRptByPlainCall(image, "        ", 0, 1500), kRptNotFound);
  EXPECT_EQ(FindRptByPlainCall(image, "JP1YIU B", -5, 99999), 0);  // span clipped to the list
}

TEST_F(RouteLookupTest, SlashFormsSkipTheSeventhCharacter) {
  EXPECT_EQ(FindRptBySlashForm(image, "/JP1YIUB", 0, 1500), 0);
  EXPECT_EQ(FindRptBySlashForm(image, "/JP1YIUA", 0, 1500), 1);
  EXPECT_EQ(FindRptBySlashCall(image, "/JP1YIU ", 8), 1);
  EXPECT_EQ(FindRptBySlashCall(image, "JP1YIU A", 8), kRptNotFound);
}

TEST_F(RouteLookupTest, FmByCallAndFrequencyNeedsDuplex) {
  EXPECT_EQ(FindFmRptByCallFreq(image, "JR1VF   ", 439500000, 0, 1500), 4);
  EXPECT_EQ(FindFmRptByCallFreq(image, "JR1VF   ", 439000000, 0, 1500), kRptNotFound);
  EXPECT_EQ(FindFmRptByCallFreq(image, "JR1VF   ", 439500000, 0, 4), kRptNotFound);
}

TEST_F(RouteLookupTest, YourCallSigns) {
  EXPECT_EQ(FindYourCallSignAny(image, "JA1ABC B", 8), 1);
  EXPECT_EQ(FindYourCallSignAny(image, "JA1ABC C", 8), kUrNotFound);
  EXPECT_EQ(FindYourCallSignAny(image, "        ", 8), kUrNotFound);
  EXPECT_EQ(FindYourCallSignNoSlash(image, "JA1ABC C", 8), 0);  // eighth blank matches any
  EXPECT_EQ(FindYourCallSignNoSlash(image, "JA1ABC B", 8), 0);
  EXPECT_EQ(FindYourCallSignNoSlash(image, "JA1XYZ A", 8), 2);
  EXPECT_EQ(FindYourCallSignNoSlash(image, "JA1XYZ B", 8), kUrNotFound);
  EXPECT_EQ(FindYourCallSignNoSlash(image, "/JA1ABC", 8), kUrNotFound);
  EXPECT_EQ(FindYourCallSignAny(image, "JA1ABC", 6), 0);  // padded with blanks
}

// Gateway call signs, pairs, names and the bounds of the texts, on a list
// with two sites behind one gateway and a second gateway.
class RouteLookupGatewayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    image = kwtest::MakeBlankListsImage(0);
    struct Rpt {
      const char* name;
      const char* call;
      const char* gateway;
      std::uint32_t type, freq;
    } list[] = {
        {"SITE-B", "JP1YIU B", "JP1YIU G", 0, 434000000},   // 0
        {"SITE-A", "JP1YIU A", "JP1YIU G", 0, 434000000},   // 1
        {"OTHER-C", "JP2ZZZ C", "JP1YIU G", 0, 434000000},  // 2: same gateway, other call
        {"FM-146", "QQ1FMR  ", "", 1, 146940000},           // 3
        {"FM-ZERO", "QQ2FMR  ", "", 2, 0},                  // 4
        {"SITE-B", "JR1AAA B", "", 1, 146000000},           // 5: FM with a DV name
        {"NOCALL", "        ", "JR1AAA G", 0, 0},           // 6: gateway without call sign
    };
    int i = 0;
    for (const Rpt& r : list) {
      datCh rec(&image);
      rec.Load(itemkind::kRepeater, static_cast<std::uint32_t>(i));
      SetText(rec.name, r.name);
      SetText(rec.rptCall, r.call);
      SetText(rec.gwCall, r.gateway);
      rec.rptMode = r.type;
      rec.freq = r.freq;
      ASSERT_TRUE(rec.Store(itemkind::kRepeater, static_cast<std::uint32_t>(i++)));
    }
    SetRptGroupCount(image, 0, i);
    for (const char* name : {"ALICE", "BOB"}) {
      const int n = GetYourCallCount(image);
      ASSERT_TRUE(UrListInsert(image, n));
      datCh rec(&image);
      rec.Load(itemkind::kYourCall, static_cast<std::uint32_t>(n));
      SetText(rec.name, name);
      SetText(rec.urCall, n == 0 ? "QQ1XYZ  " : "QQ2XYZ B");
      ASSERT_TRUE(rec.Store(itemkind::kYourCall, static_cast<std::uint32_t>(n)));
    }
  }
  cmcEeprom image;
};

TEST_F(RouteLookupGatewayTest, GatewayCallSignsPreferTheSiteWithModuleA) {
  EXPECT_EQ(FindRptByGatewayCall(image, "JP1YIU G", nullptr, 0, 1500), 1);
  EXPECT_EQ(FindRptByGatewayCall(image, "JP1YIU G", "JP1YIU B", 0, 1500), 0);
  EXPECT_EQ(FindRptByGatewayCall(image, "JP1YIU G", "JP2ZZZ C", 0, 1500), 2);
  EXPECT_EQ(FindRptByGatewayCall(image, "JP1YIU G", "JP9ZZZ C", 0, 1500), kRptNotFound);
  EXPECT_EQ(FindRptByGatewayCall(image, "JP1YIU G", nullptr, 2, 1500), kRptNotFound);
  EXPECT_EQ(FindRptByGatewayCall(image, "JP1YIU B", nullptr, 0, 1500), kRptNotFound);  // no "G"
  EXPECT_EQ(FindRptByGatewayCall(image, "JR1AAA G", nullptr, 0, 1500), kRptNotFound);  // no call
  // Without a module-A site the first site with the call sign answers.
  EXPECT_EQ(FindRptByGatewayCall(image, "JP1YIU G", nullptr, 0, 1), 0);
}

TEST_F(RouteLookupGatewayTest, CallAndPairFormsChooseTheMode) {
  EXPECT_EQ(FindRptByCall(image, "JP1YIU G", 8), 1);
  EXPECT_EQ(FindRptByCall(image, "JP1YIU B", 8), 0);
  EXPECT_EQ(FindRptByCall(image, "        ", 8), kRptNotFound);
  EXPECT_EQ(FindRptByCallPair(image, "JP2ZZZ C", "JP1YIU G", 8, 1), 2);
  EXPECT_EQ(FindRptByCallPair(image, "JP2ZZZ C", "JP1YIU G", 8, 0), 1);  // flag off: no pair
  EXPECT_EQ(FindRptByCallPair(image, "        ", "JP1YIU G", 8, 1), 1);  // blank call1: no pair
  EXPECT_EQ(FindRptByCallPair(image, "JP2ZZZ C", "JP1YIU B", 8, 1), 0);
  EXPECT_EQ(FindRptByCallPair(image, "JP2ZZZ C", "        ", 8, 1), kRptNotFound);
}

TEST_F(RouteLookupGatewayTest, CallSignIndexRefusesBadLengthsAndModes) {
  const std::string padded16 = "JP1YIU B        ";
  EXPECT_EQ(FindCallSignIndex(image, padded16.c_str(), nullptr, 16, kCallModePlain), 0);
  EXPECT_EQ(FindCallSignIndex(image, "/JP1YIUA        ", nullptr, 16, kCallModeSlash), 1);
  EXPECT_EQ(FindCallSignIndex(image, "JP1YIU G", "JP2ZZZ C", 8, kCallModeGateway), 2);
  EXPECT_EQ(FindCallSignIndex(image, "JP1YIU G", nullptr, 8, kCallModeGateway), 1);
  for (int length : {7, 17, 0, -1})
    EXPECT_EQ(FindCallSignIndex(image, padded16.c_str(), nullptr, length, 0), kRptNotFound)
        << length;
  EXPECT_EQ(FindCallSignIndex(image, "JP1YIU B  X     ", nullptr, 16, 0), kRptNotFound);
  for (int mode : {3, -1, 99})
    EXPECT_EQ(FindCallSignIndex(image, padded16.c_str(), nullptr, 16, mode), kRptNotFound) << mode;
  EXPECT_EQ(FindCallSignIndex(image, nullptr, nullptr, 8, 0), kRptNotFound);
}

TEST_F(RouteLookupGatewayTest, FmRangeTreatsZeroHertzAsARangeOfItsOwn) {
  EXPECT_EQ(FindFmRptByCallRange(image, "QQ1FMR  ", 147000000, 0, 1500), 3);
  EXPECT_EQ(FindFmRptByCallRange(image, "QQ1FMR  ", 446000000, 0, 1500), kRptNotFound);
  EXPECT_EQ(FindFmRptByCallRange(image, "QQ2FMR  ", 0, 0, 1500), 4);
  EXPECT_EQ(FindFmRptByCallRange(image, "QQ2FMR  ", 30000, 0, 1500), kRptNotFound);
  EXPECT_EQ(FindFmRptByCallRange(image, "        ", 0, 0, 1500), kRptNotFound);
  EXPECT_EQ(FindFmRptByCallRange(image, "JP1YIU B", 434000000, 0, 1500), kRptNotFound);  // DV
}

TEST_F(RouteLookupGatewayTest, NamesFindDvRepeatersAndYourCallEntries) {
  EXPECT_EQ(FindDvRptByName(image, "SITE-B          "), 0);  // not the FM entry 5
  EXPECT_EQ(FindDvRptByName(image, "FM-146          "), kRptNotFound);
  EXPECT_EQ(FindDvRptByName(image, "NOCALL          "), 6);
  EXPECT_EQ(FindYourCallSign(image, "BOB             "), 1);
  EXPECT_EQ(FindYourCallSign(image, "CAROL           "), kUrNotFound);
}

TEST_F(RouteLookupGatewayTest, LookupCallSignTextTriesNameThenCallSign) {
  EXPECT_EQ(LookupCallSignText(image, "BOB", 3), 1);
  EXPECT_EQ(LookupCallSignText(image, "QQ1XYZ", 6), 0);
  EXPECT_EQ(LookupCallSignText(image, "QQ2XYZ C", 8), kRptNotFound);  // module differs
  EXPECT_EQ(LookupCallSignText(image, "QQ2XYZ B", 8), 1);
  EXPECT_EQ(LookupCallSignText(image, "ZZZ", 3), kRptNotFound);
  for (int length : {0, 17, -3})
    EXPECT_EQ(LookupCallSignText(image, "BOB", length), kRptNotFound) << length;
}

TEST_F(RouteLookupGatewayTest, DamagedCountsNeverReachPastTheLists) {
  // Counts that add up far beyond capacity are clipped to 1500 / 300 entries.
  for (int g = 0; g < 50; ++g) SetRptGroupCount(image, g, 0xFFFF);
  SetYourCallCount(image, 0xFFFF);
  EXPECT_EQ(FindDvRptByName(image, "NO-SUCH-NAME    "), kRptNotFound);
  EXPECT_EQ(FindRptByCall(image, "ZZ9ZZZ G", 8), kRptNotFound);
  EXPECT_EQ(FindYourCallSign(image, "NO-SUCH-NAME    "), kUrNotFound);
  EXPECT_EQ(LookupCallSignText(image, "ZZ9ZZZ", 6), kRptNotFound);
}

}  // namespace
