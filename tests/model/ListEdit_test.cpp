// kw-test: with=BlankListsImage.cpp
// Repeater groups, the your-call list and the GPS order: counters on damaged
// tables, insert and delete with their refusals, the selected repeater, the
// GPS alarm, and the sheet events of the notify forms.
#include "model/ListEdit.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "BlankListsImage.h"
#include "core/EventIds.h"
#include "core/cmcEvMan.h"
#include "model/ImageAccess.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/datCh.h"

namespace {

using namespace layout;

template <std::size_t N>
std::string Str(const datText<N>& t) {
  std::string s(t.data(), N);
  return s.substr(0, s.find_last_not_of(' ') + 1);
}

class ListEditTest : public ::testing::Test {
 protected:
  void SetUp() override { image = kwtest::MakeBlankListsImage(0); }

  void NameRepeater(int i, const char* name) {
    datCh r(&image);
    r.Load(itemkind::kRepeater, static_cast<std::uint32_t>(i));
    SetText(r.name, name);
    ASSERT_TRUE(r.Store(itemkind::kRepeater, static_cast<std::uint32_t>(i)));
  }
  std::string RepeaterName(int i) {
    datCh r(&image);
    r.Load(itemkind::kRepeater, static_cast<std::uint32_t>(i));
    return Str(r.name);
  }
  std::string GpsName(int p) {
    datCh r(&image);
    r.Load(itemkind::kGpsMemory, static_cast<std::uint32_t>(p));
    return Str(r.gpsName);
  }
  void NameGps(int p, const char* name) {
    datCh r(&image);
    r.Load(itemkind::kGpsMemory, static_cast<std::uint32_t>(p));
    SetText(r.gpsName, name);
    ASSERT_TRUE(r.Store(itemkind::kGpsMemory, static_cast<std::uint32_t>(p)));
  }

  cmcEeprom image;
};

TEST_F(ListEditTest, RepeaterGroupArithmetic) {
  SetRptGroupCount(image, 49, 3);
  EXPECT_EQ(GetRptGroupFirst(image, 49), 0);
  EXPECT_EQ(GetRptGroupLast(image, 49), 2);
  EXPECT_EQ(GetRptGroupOfIndex(image, 2), 49);
  EXPECT_EQ(GetRptGroupOfIndex(image, 3), 50);
  EXPECT_EQ(GetRptGroupLast(image, 0), -1);  // an empty group at 0
  EXPECT_EQ(GetRptGroupCount(image, 50), 0);
  EXPECT_EQ(GetRptGroupFirst(image, -1), 0);
}

TEST_F(ListEditTest, DamagedCountsAreAnsweredInRange) {
  SetRptGroupCount(image, 0, 1000);
  SetRptGroupCount(image, 1, 0xFFFF);
  SetRptGroupCount(image, 2, 7);
  EXPECT_EQ(GetRptTotalCount(image), 1500);
  EXPECT_EQ(GetRptGroupCount(image, 1), 500);
  EXPECT_EQ(GetRptGroupLast(image, 1), 1499);
  EXPECT_EQ(GetRptGroupCount(image, 2), 0);
  EXPECT_EQ(GetRptGroupFirst(image, 2), 1500);
  EXPECT_EQ(GetRptGroupOfIndex(image, 1499), 1);
  // Nothing is written outside the list.
  const cmcEeprom before = image;
  EXPECT_FALSE(RptListInsert(image, 2, 1500));
  EXPECT_FALSE(RptListDelete(image, 2, 1500));
  EXPECT_TRUE(image == before);
  ASSERT_TRUE(RptListDelete(image, 1, 1499));
  EXPECT_EQ(GetRptTotalCount(image), 1500);  // still over-full by the damaged count

  imageaccess::Set16(image, kYourCallCount, 4000);
  EXPECT_EQ(GetYourCallCount(image), 300);
  EXPECT_FALSE(UrListInsert(image, 300));
}

TEST_F(ListEditTest, FullRepeaterListRefusesInsert) {
  SetRptGroupCount(image, 0, 1400);
  SetRptGroupCount(image, 5, 100);
  NameRepeater(1499, "LAST");
  const cmcEeprom before = image;
  EXPECT_FALSE(RptListInsert(image, 5, 1400));
  EXPECT_FALSE(RptListInsert(image, 0, 0));
  EXPECT_TRUE(image == before);
  EXPECT_EQ(RepeaterName(1499), "LAST");
}

TEST_F(ListEditTest, RepeaterDeleteRefusesOutsideItsGroup) {
  SetRptGroupCount(image, 0, 2);
  SetRptGroupCount(image, 2, 1);
  const cmcEeprom before = image;
  EXPECT_FALSE(RptListDelete(image, 1, 2));  // group 1 is empty
  EXPECT_FALSE(RptListDelete(image, 0, 2));  // index 2 belongs to group 2
  EXPECT_FALSE(RptListDelete(image, 2, 1));
  EXPECT_FALSE(RptListDelete(image, 50, 0));
  EXPECT_FALSE(RptListInsert(image, 2, 1));  // before group 2's first
  EXPECT_FALSE(RptListInsert(image, 0, 3));  // past group 0's end
  EXPECT_TRUE(image == before);
  EXPECT_EQ(GetRptGroupCount(image, 1), 0);
}

TEST_F(ListEditTest, SelectedRepeaterFollowsItsEntry) {
  SetRptGroupCount(image, 0, 3);
  struct Case {
    bool insert;
    int at;
    std::uint16_t selected, after;
  } cases[] = {
      {true, 1, 1, 2},       {true, 1, 0, 0},  {true, 0, 1499, 0xFFFF}, {true, 0, 0xFFFF, 0xFFFF},
      {false, 1, 1, 0xFFFF}, {false, 1, 2, 1}, {false, 1, 0, 0},        {false, 0, 0xFFFF, 0xFFFF},
  };
  for (const Case& c : cases) {
    cmcEeprom copy = image;
    SetSelectedRepeater(copy, c.selected);
    ASSERT_TRUE(c.insert ? RptListInsert(copy, 0, c.at) : RptListDelete(copy, 0, c.at));
    EXPECT_EQ(GetSelectedRepeater(copy), c.after)
        << (c.insert ? "insert " : "delete ") << c.at << " sel " << c.selected;
  }
}

TEST_F(ListEditTest, YourCallListToCapacityAndBack) {
  for (int i = 0; i < 300; ++i) ASSERT_TRUE(UrListInsert(image, i)) << i;
  const cmcEeprom full = image;
  EXPECT_FALSE(UrListInsert(image, 0));
  EXPECT_TRUE(image == full);
  EXPECT_EQ(GetYourCallCount(image), 300);
  for (int i = 0; i < 300; ++i) ASSERT_TRUE(UrListDelete(image, 0));
  EXPECT_FALSE(UrListDelete(image, 0));
  EXPECT_EQ(GetYourCallCount(image), 0);
  EXPECT_FALSE(UrListInsert(image, 1));  // no hole past the end
}

TEST_F(ListEditTest, GpsGroupsShiftAndEmpty) {
  ASSERT_TRUE(GpsMemInsert(image, 1, 0));
  ASSERT_TRUE(GpsMemInsert(image, 4, 1));
  ASSERT_TRUE(GpsMemInsert(image, 4, 2));
  EXPECT_EQ(GpsGroupStart(image, 1), 0);
  EXPECT_EQ(GpsGroupStart(image, 4), 1);
  EXPECT_EQ(GpsGroupCount(image, 4), 2);
  EXPECT_EQ(GpsFirstUsedGroup(image), 1);
  // Deleting the only memory of group 1 empties it and moves group 4 down.
  ASSERT_TRUE(GpsMemDelete(image, 1, 0));
  EXPECT_EQ(GpsGroupStart(image, 1), 0xFFFF);
  EXPECT_EQ(GpsGroupStart(image, 4), 0);
  EXPECT_EQ(GpsOrderCount(image), 2);
  EXPECT_EQ(GpsOrderSlot(image, 2), 0xFFFF);
  EXPECT_EQ(GpsGroupOfIndex(image, 1), 4);
  EXPECT_EQ(GpsGroupOfIndex(image, 2), kGpsNoGroup);
  EXPECT_EQ(GpsFirstFreeSlot(image), 0);  // the deleted slot is free again
  // An empty group is inserted at the next group's start.
  EXPECT_EQ(GpsGroupFirst(image, 2), 0);
  EXPECT_FALSE(GpsGroupInsert(image, 2, 1));
  EXPECT_FALSE(GpsGroupDelete(image, 2, 0));
  EXPECT_FALSE(GpsGroupInsert(image, 27, 0));
}

TEST_F(ListEditTest, GpsAlarmFollowsItsMemory) {
  // Group 2 holds A, B, C; the alarm is on the third memory (C).
  for (const char* name : {"A", "B", "C"}) {
    const int p = GpsGroupFirst(image, 2) + GpsGroupCount(image, 2);
    ASSERT_TRUE(GpsMemInsert(image, 2, p));
    NameGps(p, name);
  }
  SetGpsAlarm(image, {kGpsAlarmMemory, 2, 2});
  ASSERT_TRUE(GpsMemInsert(image, 2, 0));  // before it in the same group
  EXPECT_EQ(GetGpsAlarm(image).position, 3);
  ASSERT_TRUE(GpsMemInsert(image, 0, 0));  // another group: the position within group 2 stays
  EXPECT_EQ(GetGpsAlarm(image).position, 3);
  EXPECT_EQ(GpsName(GpsGroupFirst(image, 2) + 3), "C");
  ASSERT_TRUE(GpsMemDelete(image, 2, GpsGroupFirst(image, 2) + 3));
  const GpsAlarm cleared = GetGpsAlarm(image);
  EXPECT_EQ(cleared.type, 0);
  EXPECT_EQ(cleared.group, 0);
  EXPECT_EQ(cleared.position, 0);
}

TEST_F(ListEditTest, RefusedGpsInsertWritesNoBlank) {
  for (int i = 0; i < 300; ++i) ASSERT_TRUE(GpsMemInsert(image, 0, i)) << i;
  NameGps(5, "KEEP");
  const cmcEeprom full = image;
  EXPECT_FALSE(GpsMemInsert(image, 0, 5));
  EXPECT_TRUE(image == full);
  EXPECT_EQ(GpsName(5), "KEEP");
  EXPECT_EQ(GpsOrderRemain(image), 0);
}

TEST_F(ListEditTest, BrokenGpsTablesStayInRange) {
  imageaccess::Set16(image, kGpsOrderTable, 3);
  imageaccess::Set16(image, kGpsOrderTable + 2, 3);  // a slot named twice
  imageaccess::Set16(image, kGpsOrderTable + 4, 700);
  imageaccess::Set16(image, kGpsOrderTable + 6, 1);         // past the used prefix
  imageaccess::Set16(image, kGpsGroupStarts + 2 * 5, 250);  // starts past the used prefix
  imageaccess::Set16(image, kGpsGroupStarts + 2 * 3, 1);
  EXPECT_EQ(GpsOrderCount(image), 2);
  EXPECT_EQ(GpsGroupCount(image, 3), 1);
  EXPECT_EQ(GpsGroupCount(image, 5), 0);
  EXPECT_EQ(GpsGroupOfIndex(image, 0), kGpsNoGroup);
  EXPECT_EQ(GpsFirstFreeSlot(image), 0);
  datCh r(&image);
  r.Load(itemkind::kGpsMemory, 2);
  EXPECT_FALSE(r.IsUsed());
  EXPECT_EQ(r.gpsGroup, static_cast<std::uint32_t>(kGpsNoGroup));
}

// The group of a position agrees with the groups' own first and count on
// any start words and order tables, damaged ones included.
TEST_F(ListEditTest, GroupOfAPositionAgreesWithTheGroupRanges) {
  std::mt19937 rng(42);
  for (int round = 0; round < 200; ++round) {
    const int used = static_cast<int>(rng() % 301);
    for (int p = 0; p < kGpsCapacity; ++p)
      imageaccess::Set16(image, kGpsOrderTable + 2 * p,
                         p < used ? rng() % 300 : (rng() % 4 ? 0xFFFF : rng() % 300));
    for (int g = 0; g < kGpsGroups; ++g)
      imageaccess::Set16(image, kGpsGroupStarts + 2 * g, rng() % 3 ? 0xFFFF : rng() % 320);
    int first[kGpsGroups], count[kGpsGroups];
    for (int g = 0; g < kGpsGroups; ++g) {
      first[g] = GpsGroupFirst(image, g);
      count[g] = GpsGroupCount(image, g);
    }
    for (int p = -1; p <= kGpsCapacity; ++p) {
      int want = kGpsNoGroup;
      for (int g = 0; g < kGpsGroups && want == kGpsNoGroup; ++g)
        if (count[g] > 0 && p >= first[g] && p < first[g] + count[g]) want = g;
      ASSERT_EQ(GpsGroupOfIndex(image, p), want) << "round " << round << " position " << p;
    }
  }
}

TEST(GpsAlarmRowsTest, RowsAndTypes) {
  struct Case {
    int type, group, row;
  } cases[] = {{0, 0, 0},   {3, 5, 1},   {1, 0, 2},  {2, 0, 3},  {2, 1, 4}, {2, 4, 7},
               {2, 26, 29}, {2, 27, 30}, {2, 28, 0}, {2, -1, 0}, {9, 0, 0}};
  for (const Case& c : cases)
    EXPECT_EQ(GpsAlarmToSelIndex(c.type, c.group), c.row) << c.type << "/" << c.group;
  const GpsAlarm seven = GpsAlarmFromSelIndex(7);
  EXPECT_EQ(seven.type, 2);
  EXPECT_EQ(seven.group, 4);
  EXPECT_EQ(GpsAlarmFromSelIndex(1).type, 3);
  // The last row is the last GPS group (group byte 27; 0 is all memories).
  const GpsAlarm last = GpsAlarmFromSelIndex(30);
  EXPECT_EQ(last.type, 2);
  EXPECT_EQ(last.group, 27);
  EXPECT_EQ(GpsAlarmFromSelIndex(31).type, 0);
}

TEST_F(ListEditTest, NotifyFormsSendInsertOrDeleteThenRefresh) {
  cmcEvMan bus;
  std::vector<int> seen;
  int key = 0;
  bus.AddListener(&key, [&](const cmcEvent& e) { seen.push_back(e.id); });
  ASSERT_TRUE(RptListInsertNotify(image, bus, 0, 0));
  ASSERT_TRUE(UrListInsertNotify(image, bus, 0));
  ASSERT_TRUE(GpsMemInsertNotify(image, bus, 0, 0));
  ASSERT_TRUE(RptListDeleteNotify(image, bus, 0, 0));
  ASSERT_TRUE(UrListDeleteNotify(image, bus, 0));
  ASSERT_TRUE(GpsMemDeleteNotify(image, bus, 0, 0));
  const std::vector<int> expected = {ev::ListRowInserted, ev::ListChanged,     ev::ListRowInserted,
                                     ev::ListChanged,     ev::ListRowInserted, ev::ListChanged,
                                     ev::ListRowDeleted,  ev::ListChanged,     ev::ListRowDeleted,
                                     ev::ListChanged,     ev::ListRowDeleted,  ev::ListChanged};
  EXPECT_EQ(seen, expected);
  seen.clear();
  EXPECT_FALSE(RptListDeleteNotify(image, bus, 0, 0));
  EXPECT_FALSE(UrListDeleteNotify(image, bus, 0));
  EXPECT_FALSE(GpsMemDeleteNotify(image, bus, 0, 0));
  EXPECT_TRUE(seen.empty());
  bus.RemoveListener(&key);
}

}  // namespace

namespace {

TEST(ShortImageTest, ListsOfATooShortImageAreEmptyAndUntouched) {
  cmcEeprom small;
  small.SetSize(0x1000);
  const cmcEeprom before = small;
  EXPECT_EQ(GetRptTotalCount(small), 0);
  EXPECT_EQ(GetYourCallCount(small), 0);
  EXPECT_EQ(GpsOrderCount(small), 0);
  EXPECT_EQ(GetSelectedRepeater(small), kNoSelectedRepeater);
  EXPECT_FALSE(RptListInsert(small, 0, 0));
  EXPECT_FALSE(UrListInsert(small, 0));
  EXPECT_FALSE(GpsMemInsert(small, 0, 0));
  SetRptGroupCount(small, 0, 5);
  SetGpsAlarm(small, {3, 1, 1});
  EXPECT_TRUE(small == before);
}

}  // namespace
