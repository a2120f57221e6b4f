// kw-test: gui
// kw-test: with=ListEditHarness.cpp
// kw-test: link=kw_test_model_support
// Row commands of the packed lists (repeater groups, your-call signs, GPS
// groups), the program links, the received-call history and the call lists.
// Fixture: group 0 R0 ACCESS-B, R1 SAME-SITE-C; group 1 R2, R3; selected
// repeater 2; your-calls U0 ALICE, U1 BOB, U2 CAROL; GPS group 0 G0-G2,
// group 1 G3; GPS alarm on memory 2 of group 0.
#include <gtest/gtest.h>

#include "ListEditHarness.h"
#include "model/ImageAccess.h"
#include "model/ItemKinds.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/ListEdit.h"
#include "platform/MessageBoxService.h"

namespace {

using kwtest::ListEditHarness;
using Lines = std::vector<std::string>;
using namespace layout;

constexpr std::uint32_t kRpt = itemkind::kRepeater;
constexpr std::uint32_t kUr = itemkind::kYourCall;
constexpr std::uint32_t kGps = itemkind::kGpsMemory;
constexpr int kOk = platform::mb::IdOk;
constexpr int kCancel = platform::mb::IdCancel;

std::string Trim(const char* text, std::size_t n) {
  std::string s(text, n);
  s.erase(s.find_last_not_of(' ') + 1);
  return s;
}

std::string RptName(ListEditHarness& h, int i) { return Trim(h.Load(kRpt, i).name.data(), 16); }
std::string UrName(ListEditHarness& h, int i) { return Trim(h.Load(kUr, i).name.data(), 16); }
std::string UrCall(ListEditHarness& h, int i) { return Trim(h.Load(kUr, i).urCall.data(), 8); }
std::string GpsName(ListEditHarness& h, int p) { return Trim(h.Load(kGps, p).gpsName.data(), 16); }

TEST(ListEditRepeaterTest, CarryStaysInsideTheGroup) {
  ListEditHarness h;
  // Rows 1..2 reach the new-entry row, which is group 1's first repeater.
  h.Run(CL_PMenu_CarryUp, kRpt, 1, 0, 1, 1, 2, 0);
  EXPECT_EQ(RptName(h, 0), "SAME-SITE-C");
  EXPECT_EQ(RptName(h, 1), "ACCESS-B");
  EXPECT_EQ(RptName(h, 2), "REMOTE-C");
  EXPECT_EQ(GetSelectedRepeater(h.image), 2);
  EXPECT_EQ(h.modified, 1);
  h.Events();
  // Down from the group's last row: nothing moves.
  const cmcEeprom before = h.image;
  h.Run(CL_PMenu_CarryDown, kRpt, 0, 0, 1, 0, 2, 0);
  EXPECT_TRUE(before == h.image);
  EXPECT_EQ(h.modified, 1);
}

TEST(ListEditRepeaterTest, SelectedRepeaterFollowsACarry) {
  ListEditHarness h;
  SetSelectedRepeater(h.image, 3);
  h.Run(CL_PMenu_CarryUp, kRpt, 3, 2, 3, -1, -1, 1);
  EXPECT_EQ(RptName(h, 2), "NOGW-A");
  EXPECT_EQ(GetSelectedRepeater(h.image), 2);
}

TEST(ListEditRepeaterTest, ClearBlanksOnlyTheGroupsOwnRows) {
  ListEditHarness h;
  SetSelectedRepeater(h.image, 1);
  h.boxes.Answer(kOk);
  h.Run(CL_PMenu_Clear, kRpt, 1, 0, 1, 1, 2, 0);
  EXPECT_EQ(h.Boxes(), (Lines{"31 Clear the selected rows?"}));
  EXPECT_EQ(RptName(h, 1), "");
  EXPECT_EQ(Trim(h.Load(kRpt, 1).rptCall.data(), 8), "CALLSIGN");
  EXPECT_EQ(RptName(h, 2), "REMOTE-C");
  EXPECT_EQ(GetRptGroupCount(h.image, 0), 2);
  EXPECT_EQ(GetSelectedRepeater(h.image), kNoSelectedRepeater);
  EXPECT_EQ(h.Events(), (Lines{"send 45", "send 4 Cleared.", "post 18 1", "post 15"}));
}

TEST(ListEditRepeaterTest, DeleteTakesTheGroupsRowsOnly) {
  ListEditHarness h;
  h.boxes.Answer(kOk);
  const cmcCellCapsule c = h.Run(CL_PMenu_Delete, kRpt, 0, 0, 1, 0, 2, 0);
  EXPECT_EQ(h.Boxes(), (Lines{"31 Delete the selected rows?"}));
  EXPECT_EQ(GetRptGroupCount(h.image, 0), 0);
  EXPECT_EQ(RptName(h, 0), "REMOTE-C");
  EXPECT_EQ(RptName(h, 1), "NOGW-A");
  EXPECT_EQ(GetSelectedRepeater(h.image), 0);
  EXPECT_EQ(c.targetIndex, 0);
  EXPECT_EQ(c.selectionBits & cellselect::kSelectRows, 0);
  EXPECT_EQ(h.Events(), (Lines{"send 53", "send 44", "send 53", "send 44", "send 44", "post 15",
                               "post 4 Deleted."}));
  EXPECT_EQ(h.modified, 1);
}

TEST(ListEditRepeaterTest, InsertStopsWhenTheListIsFull) {
  ListEditHarness h;
  SetRptGroupCount(h.image, 1, 1497);  // 1499 in all
  h.boxes.Answer(kOk);
  const cmcCellCapsule c = h.Run(CL_PMenu_Insert, kRpt, 0, 0, 1, 0, 2, 0);
  EXPECT_EQ(h.Boxes(), (Lines{"10 The list is full. No more entries can be added."}));
  EXPECT_EQ(GetRptTotalCount(h.image), 1500);
  EXPECT_EQ(GetRptGroupCount(h.image, 0), 3);
  EXPECT_EQ(c.firstSelected, 0);
  EXPECT_EQ(c.lastSelected, 2);
  EXPECT_EQ(h.Events(), (Lines{"send 52", "send 44", "send 4 Inserted."}));
  // Nothing fits: the box, and no report.
  h.boxes.Answer(kOk);
  h.Run(CL_PMenu_Insert, kRpt, 0, 0, 2, -1, -1, 0);
  EXPECT_EQ(h.Boxes().size(), 1u);
  EXPECT_TRUE(h.Events().empty());
  EXPECT_EQ(h.modified, 1);
}

TEST(ListEditYourCallTest, DeleteStopsAtTheCountAndInsertAddsBlankEntries) {
  ListEditHarness h;
  h.boxes.Answer(kOk);
  h.Run(CL_PMenu_Delete, kUr, 1, 0, 2, 1, 3);
  EXPECT_EQ(GetYourCallCount(h.image), 1);
  EXPECT_EQ(UrName(h, 0), "ALICE");
  h.Events();
  const cmcCellCapsule c = h.Run(CL_PMenu_Insert, kUr, 0, 0, 0);
  EXPECT_EQ(GetYourCallCount(h.image), 2);
  EXPECT_EQ(UrCall(h, 0), "CALLSIGN");
  EXPECT_EQ(UrName(h, 1), "ALICE");
  EXPECT_EQ(c.firstSelected, 0);
  EXPECT_EQ(h.Events(), (Lines{"send 52", "send 44", "send 4 Inserted."}));
  // The new-entry row appends.
  h.Run(CL_PMenu_Insert, kUr, 2, 0, 1);
  EXPECT_EQ(GetYourCallCount(h.image), 3);
  EXPECT_EQ(UrCall(h, 2), "CALLSIGN");
}

TEST(ListEditYourCallTest, OnlyTheNewEntryRowIsNothingToDeleteOrClear) {
  ListEditHarness h;
  const cmcEeprom before = h.image;
  for (int command :
       {CL_PMenu_Delete, CL_PMenu_Clear, CL_PMenu_Copy, CL_PMenu_CarryUp, CL_PMenu_Paste})
    h.Run(command, kUr, 3, 0, 2);
  EXPECT_TRUE(before == h.image);
  EXPECT_TRUE(h.Events().empty());
}

TEST(ListEditGpsTest, TheAlarmFollowsCarriedMemories) {
  ListEditHarness h;
  h.Run(CL_PMenu_CarryUp, kGps, 1, 0, 2, 1, 2, 0);
  EXPECT_EQ(GpsName(h, 0), "G1");
  EXPECT_EQ(GpsName(h, 2), "G0");
  EXPECT_EQ(GetGpsAlarm(h.image).position, 1);
  EXPECT_EQ(h.Events(), (Lines{"send 45", "send 44"}));
}

TEST(ListEditGpsTest, AnAlarmBelowTheBlockTakesItsFirstRow) {
  ListEditHarness h;
  for (const char* name : {"G4", "G5"}) {
    const int p = GpsGroupLast(h.image, 0) + 1;
    ASSERT_TRUE(GpsMemInsert(h.image, 0, p));
    datCh r = h.Load(kGps, p);
    SetText(r.gpsName, name);
    ASSERT_TRUE(r.StoreSelf());
  }
  SetGpsAlarm(h.image, GpsAlarm{kGpsAlarmMemory, 0, 4});
  h.Run(CL_PMenu_CarryDown, kGps, 3, 0, 4, 2, 3, 0);
  EXPECT_EQ(GetGpsAlarm(h.image).position, 2);
  EXPECT_EQ(GpsName(h, 2), "G5");
}

TEST(ListEditGpsTest, ClearTakesTheAlarmOffAClearedMemory) {
  ListEditHarness h;
  h.boxes.Answer(kOk);
  h.Run(CL_PMenu_Clear, kGps, 2, 0, 2, 2, 3, 0);
  EXPECT_EQ(GpsName(h, 2), "");
  EXPECT_EQ(GpsName(h, 3), "G3");  // group 1 untouched
  EXPECT_EQ(GetGpsAlarm(h.image).type, 0);
  const Lines events = h.Events();
  EXPECT_EQ(events[0], "send 45");
  EXPECT_EQ(events[1], "send 44");
}

TEST(ListEditGpsTest, DeleteAndInsertKeepTheGroups) {
  ListEditHarness h;
  h.boxes.Answer(kOk);
  h.Run(CL_PMenu_Delete, kGps, 0, 0, 2, 0, 0, 0);
  EXPECT_EQ(GpsGroupCount(h.image, 0), 2);
  EXPECT_EQ(GetGpsAlarm(h.image).position, 1);       // memory G2 is now the second
  h.Run(CL_PMenu_Insert, kGps, 2, 0, 1, -1, -1, 0);  // the group's new-entry row
  EXPECT_EQ(GpsGroupCount(h.image, 0), 3);
  EXPECT_EQ(GpsName(h, 3), "G3");
}

// Lists the copy buffer cannot write: clear, insert and carry do nothing,
// and ask nothing (an unexpected box fails the test).
TEST(ListEditOtherListsTest, UnwritableListsIgnoreClearInsertAndCarry) {
  ListEditHarness h;
  for (int e : {0, 1, 2}) {
    datCh edge = h.Load(itemkind::kScanEdge, e);
    edge.flags |= datCh::kUsed;
    edge.freq = 144000000;
    edge.freq2 = 146000000;
    ASSERT_TRUE(edge.StoreSelf());
    imageaccess::SetBit(h.image, kLinkEdgeBitmaps, e, true);
  }
  for (int e = 0; e < 3; ++e) h.image.SetByte(kRxOrderTable + e, static_cast<std::uint8_t>(e));
  h.image.SetByte(kCallListAOrder, 0);
  const cmcEeprom before = h.image;
  const struct {
    std::uint32_t kind;
    int first, last;
  } lists[] = {
      {itemkind::kLinkPosition, 1, 25}, {itemkind::kRxCall, 0, 49}, {itemkind::kCallListA, 0, 9}};
  for (const auto& list : lists) {
    for (int command :
         {CL_PMenu_Clear, CL_PMenu_Insert, CL_PMenu_CarryUp, CL_PMenu_CarryDown, CL_PMenu_Paste}) {
      const cmcCellCapsule c = h.Run(command, list.kind, list.first + 1, list.first, list.last,
                                     list.first, list.first + 1);
      EXPECT_EQ(c.selectionBits & cellselect::kSelectRows, 0) << list.kind << " " << command;
      EXPECT_EQ(c.followUpFlag, 0) << list.kind << " " << command;
    }
  }
  EXPECT_TRUE(before == h.image);
  EXPECT_TRUE(h.Events().empty());
  EXPECT_EQ(h.modified, 0);
}

class ListEditLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int e = 0; e < 6; ++e) {
      datCh edge = h.Load(itemkind::kScanEdge, e);
      edge.flags |= datCh::kUsed;
      edge.freq = 144000000;
      edge.freq2 = 146000000;
      ASSERT_TRUE(edge.StoreSelf());
      imageaccess::SetBit(h.image, kLinkEdgeBitmaps, e, true);
    }
  }
  std::uint32_t EdgeAt(int position) { return h.Load(itemkind::kLinkPosition, position).linkEdge; }

  ListEditHarness h;
};

TEST_F(ListEditLinkTest, DeleteTakesOnlyTheCursorRowsEdge) {
  h.boxes.Answer(kOk);
  const cmcCellCapsule c = h.Run(CL_PMenu_Delete, itemkind::kLinkPosition, 4, 1, 25, 3, 5);
  EXPECT_EQ(EdgeAt(3), 2u);
  EXPECT_EQ(EdgeAt(4), 4u);  // edge 3 left the link
  EXPECT_EQ(EdgeAt(5), 5u);
  EXPECT_EQ(c.targetIndex, 3);
  EXPECT_EQ(h.Events(), (Lines{"send 4 Deleted.", "post 15"}));
  EXPECT_EQ(h.modified, 1);
}

TEST_F(ListEditLinkTest, DeclinedDeleteChangesNothingAndReportsNothing) {
  const cmcEeprom before = h.image;
  h.boxes.Answer(kCancel);
  const cmcCellCapsule c = h.Run(CL_PMenu_Delete, itemkind::kLinkPosition, 4, 1, 25, 3, 5);
  EXPECT_TRUE(before == h.image);
  EXPECT_TRUE(h.Events().empty());
  EXPECT_EQ(c.followUpFlag, 0);
  EXPECT_EQ(h.modified, 0);
}

TEST(ListEditHistoryTest, DeletedRowsGoAndLaterRowsCloseUp) {
  ListEditHarness h;
  for (int e = 0; e < 6; ++e) h.image.SetByte(kRxOrderTable + 10 + e, static_cast<std::uint8_t>(e));
  h.boxes.Answer(kOk);
  h.Run(CL_PMenu_Delete, itemkind::kRxCall, 2, 0, 49, 2, 3);
  std::vector<int> rows;
  for (int e = 10; e < 16; ++e) rows.push_back(h.image.GetByte(kRxOrderTable + e));
  EXPECT_EQ(rows, (std::vector<int>{0, 1, 255, 255, 2, 3}));
  EXPECT_EQ(h.Events(), (Lines{"send 4 Deleted.", "post 15"}));
  // Rows that show nothing: no question, no change.
  const cmcEeprom before = h.image;
  h.Run(CL_PMenu_Delete, itemkind::kRxCall, 20, 0, 49, 20, 30);
  EXPECT_TRUE(before == h.image);
}

TEST(ListEditCallListTest, DeleteShiftsTheOrderTable) {
  ListEditHarness h;
  for (int r = 0; r < 3; ++r) h.image.SetByte(kCallListCOrder + r, static_cast<std::uint8_t>(r));
  h.Run(CL_PMenu_Delete, itemkind::kCallListC, 5, 0, 19, 5, 6);  // empty rows: nothing, no question
  EXPECT_TRUE(h.Events().empty());
  h.boxes.Answer(kOk);
  h.Run(CL_PMenu_Delete, itemkind::kCallListC, 1, 0, 19);
  std::vector<int> table;
  for (int r = 0; r < 4; ++r) table.push_back(h.image.GetByte(kCallListCOrder + r));
  EXPECT_EQ(table, (std::vector<int>{0, 2, 255, 255}));
  EXPECT_EQ(h.image.GetByte(kCallListCOrder + 19), 255);
}

TEST(ListEditUseFromTest, OnlyUsableRepeatersGetUseFrom) {
  ListEditHarness h;
  EXPECT_TRUE(SetRepeaterUseFromAll(h.doc, 0, 3, true));
  std::vector<int> flags;
  for (int i = 0; i < 4; ++i) flags.push_back(static_cast<int>(h.Load(kRpt, i).useFrom));
  EXPECT_EQ(flags, (std::vector<int>{1, 0, 1, 1}));  // R1 is at 0 Hz
  EXPECT_EQ(h.Events(), (Lines{"post 15"}));
  EXPECT_FALSE(SetRepeaterUseFromAll(h.doc, 0, 3, true));  // nothing left to change
  EXPECT_TRUE(SetRepeaterUseFromAll(h.doc, 2, 500, false));
  flags.clear();
  for (int i = 0; i < 4; ++i) flags.push_back(static_cast<int>(h.Load(kRpt, i).useFrom));
  EXPECT_EQ(flags, (std::vector<int>{1, 0, 0, 0}));
  EXPECT_EQ(h.modified, 2);
}

}  // namespace
