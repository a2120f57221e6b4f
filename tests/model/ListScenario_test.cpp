// kw-test: with=BlankListsImage.cpp
// End to end: a scripted run of list edits on the blank-lists image; the
// result is compared with an image written by hand from the expected final
// state, so any stray byte shows.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <ctime>

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

void SetRepeater(cmcEeprom& image, int i, const char* name, const char* call,
                 std::uint32_t useFrom) {
  datCh r(&image);
  r.Load(itemkind::kRepeater, static_cast<std::uint32_t>(i));
  SetText(r.name, name);
  SetText(r.rptCall, call);
  r.freq = 439010000;
  r.offset = 5000000;
  r.duplex = 2;
  r.useFrom = useFrom;
  ASSERT_TRUE(r.Store(itemkind::kRepeater, static_cast<std::uint32_t>(i)));
}

void NameGps(cmcEeprom& image, int p, const char* name) {
  datCh r(&image);
  r.Load(itemkind::kGpsMemory, static_cast<std::uint32_t>(p));
  SetText(r.gpsName, name);
  ASSERT_TRUE(r.Store(itemkind::kGpsMemory, static_cast<std::uint32_t>(p)));
}

// A GPS slot as the blank memory leaves it (clock 2026-01-01 00:00 UTC,
// radio offset 0, destination 0) with a name.
void WriteGpsSlot(cmcEeprom& image, int slot, const char* name) {
  std::array<std::uint8_t, 34> b = {0,    0,    0,    'N',  0,    0,    0,    'W',  0x01,
                                    0x01, 0x26, 0x00, 0x00, 0x00, 0x7F, 0xFF, 0xFF, 0xFF};
  for (int k = 0; k < 16; ++k) b[static_cast<size_t>(18 + k)] = ' ';
  for (int k = 0; name[k]; ++k) b[static_cast<size_t>(18 + k)] = static_cast<std::uint8_t>(name[k]);
  image.SetBlock(GpsAddress(slot), b.data(), 34);
}

TEST(ListScenarioTest, ScriptedEditsEndAsWorkedOutByHand) {
  setenv("TZ", "UTC", 1);
  tzset();
  kwtest::ManualClock clock;  // 2026-01-01 00:00:00 UTC
  ScopedDestination destination{indDestination(0)};
  const cmcEeprom fixture = kwtest::MakeBlankListsImage(0);
  cmcEeprom image = fixture;

  // Repeaters into groups 3 and 1.
  ASSERT_TRUE(RptListInsert(image, 3, 0));
  SetRepeater(image, 0, "R3A", "JA3AAA A", 0);
  ASSERT_TRUE(RptListInsert(image, 1, 0));  // [R1A, R3A]
  SetRepeater(image, 0, "R1A", "JA1AAA A", 1);
  ASSERT_TRUE(RptListInsert(image, 3, 2));  // [R1A, R3A, R3B]
  SetRepeater(image, 2, "R3B", "JA3BBB B", 1);
  SetSelectedRepeater(image, 2);            // R3B
  ASSERT_TRUE(RptListInsert(image, 1, 1));  // [R1A, R1B, R3A, R3B], selected 3
  SetRepeater(image, 1, "R1B", "JA1BBB B", 0);
  EXPECT_EQ(GetSelectedRepeater(image), 3);
  // Deletes until group 1 is empty, and one more.
  ASSERT_TRUE(RptListDelete(image, 1, 0));  // [R1B, R3A, R3B], selected 2
  ASSERT_TRUE(RptListDelete(image, 1, 0));  // [R3A, R3B], selected 1
  EXPECT_FALSE(RptListDelete(image, 1, 0));
  ASSERT_TRUE(RptListDelete(image, 3, 0));  // [R3B], selected 0
  EXPECT_EQ(GetSelectedRepeater(image), 0);

  // Your-call list to 300 and one more, then the first one out.
  for (int i = 0; i < 300; ++i) {
    ASSERT_TRUE(UrListInsert(image, i));
    datCh r(&image);
    r.Load(itemkind::kYourCall, static_cast<std::uint32_t>(i));
    char name[17];
    std::snprintf(name, sizeof name, "UR%03d", i);
    SetText(r.name, name);
    ASSERT_TRUE(r.Store(itemkind::kYourCall, static_cast<std::uint32_t>(i)));
  }
  EXPECT_FALSE(UrListInsert(image, 300));
  ASSERT_TRUE(UrListDelete(image, 0));

  // GPS edits across groups with a "this memory" alarm.
  ASSERT_TRUE(GpsMemInsert(image, 2, 0));  // slot 0 A
  NameGps(image, 0, "A");
  ASSERT_TRUE(GpsMemInsert(image, 2, 1));  // slot 1 B
  NameGps(image, 1, "B");
  ASSERT_TRUE(GpsMemInsert(image, 2, 2));  // slot 2 C
  NameGps(image, 2, "C");
  SetGpsAlarm(image, {kGpsAlarmMemory, 2, 2});  // on C
  ASSERT_TRUE(GpsMemInsert(image, 0, 0));       // slot 3 G0: [G0 | A B C]
  NameGps(image, 0, "G0");
  ASSERT_TRUE(GpsMemInsert(image, 2, 1));  // slot 4 Z: [G0 | Z A B C], alarm 3
  NameGps(image, 1, "Z");
  ASSERT_TRUE(GpsMemDelete(image, 2, 2));  // A: [G0 | Z B C], alarm 2
  ASSERT_TRUE(GpsMemDelete(image, 0, 0));  // G0: [Z B C], group 0 empty
  EXPECT_FALSE(GpsMemDelete(image, 0, 0));

  // The same end state, written by hand.
  cmcEeprom expected = fixture;
  imageaccess::Set16(expected, kRptGroupCounts + 2 * 3, 1);
  SetRepeater(expected, 0, "R3B", "JA3BBB B", 1);
  imageaccess::Set16(expected, kSelectedRepeater, 0);
  for (int i = 0; i < 299; ++i) {
    char name[17];
    std::snprintf(name, sizeof name, "UR%03d           ", i + 1);
    expected.SetBlock(kUrNames + 16 * i, name, 16);
  }
  imageaccess::Set16(expected, kYourCallCount, 299);
  for (int p = 0; p < 3; ++p)
    imageaccess::Set16(expected, kGpsOrderTable + 2 * p, std::array<int, 3>{4, 1, 2}[p]);
  imageaccess::Set16(expected, kGpsGroupStarts + 2 * 2, 0);
  const std::uint8_t alarm[4] = {3, 2, 0, 2};
  expected.SetBlock(kGpsAlarm, alarm, 4);
  WriteGpsSlot(expected, 0, "A");  // deleted memories keep their slot's bytes
  WriteGpsSlot(expected, 1, "B");
  WriteGpsSlot(expected, 2, "C");
  WriteGpsSlot(expected, 3, "G0");
  WriteGpsSlot(expected, 4, "Z");

  for (std::int64_t a = 0; a < kImageSize; ++a)
    ASSERT_EQ(image.GetByte(a), expected.GetByte(a)) << "byte 0x" << std::hex << a;
  EXPECT_EQ(GetRptTotalCount(image), 1);
  EXPECT_EQ(GetYourCallCount(image), 299);
  EXPECT_EQ(GpsGroupCount(image, 2), 3);
}

}  // namespace
