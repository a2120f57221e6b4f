// kw-test: with=BlankListsImage.cpp
// Call-sign lookups in the repeater and your-call lists.
#include "model/RouteLookup.h"

#include <gtest/gtest.h>

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

}  // namespace
