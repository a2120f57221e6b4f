// kw-test: link=kw_test_cells_support
// The GPS memory cells over a default image with two groups: group 0 holds
// two memories, group 1 one. The row after a group's last memory is where a
// new memory is typed; it never writes into the next group's memories.
#include "cells/GpsCases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "ListSheetRequests.h"
#include "cells/names/CellNames.h"
#include "core/EventIds.h"
#include "model/ImageAccess.h"
#include "model/ItemKinds.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/ListEdit.h"
#include "model/datCh.h"
#include "platform/LocaleInfo.h"
#include "platform/MessageBoxService.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/cells/ListCasesFixture.h"

namespace {

using kwtest::CommitOnGrid;
using kwtest::OnGrid;
using kwtest::PickOnGrid;
using kwtest::Shown;

std::string NameOf(const cmcEeprom& image, int position) {
  const datCh r = LoadDetached(image, itemkind::kGpsMemory, static_cast<std::uint32_t>(position));
  return std::string(r.gpsName.begin(), r.gpsName.end());
}

class GpsCasesTest : public kwtest::ListCasesFixture {
 protected:
  void SetUp() override {
    ASSERT_EQ(GpsOrderCount(rig_.image), 0);
    Append(0, "ALPHA");
    Append(0, "BRAVO");
    Append(1, "NEXT GROUP");
    RegisterGpsCases(rig_.table);
  }

  void Append(int group, const char* name) {
    const int at = GpsGroupFirst(rig_.image, group) + GpsGroupCount(rig_.image, group);
    ASSERT_TRUE(GpsMemInsert(rig_.image, group, at));
    datCh r(&rig_.image);
    r.Load(itemkind::kGpsMemory, static_cast<std::uint32_t>(at));
    SetText(r.gpsName, name);
    ASSERT_TRUE(r.StoreSelf());
  }

  // The sheet of a group as the list page shows it.
  std::unique_ptr<kwtest::FixtureSheet> GroupSheet(int group) {
    return ListSheet("221",
                     {group, GpsGroupFirst(rig_.image, group), GpsGroupCount(rig_.image, group)});
  }
};

TEST_F(GpsCasesTest, TheNewEntryTitleIsOnTheRowAfterTheGroupsLastMemory) {
  const std::string title = rig_.texts.GetFirst("GI_NewChTitle");
  ASSERT_FALSE(title.empty());
  auto group1 = GroupSheet(1);  // first 2, count 1
  EXPECT_EQ(Shown(rig_, *group1, group1->Cell(CT_Gps, CL_Gps_ChNo, 2)), "2");
  EXPECT_EQ(Shown(rig_, *group1, group1->Cell(CT_Gps, CL_Gps_ChNo, 3)), title);
  auto group0 = GroupSheet(0);
  EXPECT_EQ(Shown(rig_, *group0, group0->Cell(CT_Gps, CL_Gps_ChNo, 1)), "1");
  EXPECT_EQ(Shown(rig_, *group0, group0->Cell(CT_Gps, CL_Gps_ChNo, 2)), title);
}

TEST_F(GpsCasesTest, TheInputMethodStartsANewMemoryOnAJapaneseSystem) {
  platform::LocaleInfo japanese;
  japanese.languageId = 0x0411;
  const platform::ScopedLocaleInfo locale(japanese);
  const cmcEeprom before = rig_.image;
  auto sheet = GroupSheet(0);
  cmcCellObj& name = sheet->Cell(CT_Gps, CL_Gps_Name, 2);

  const auto started = OnGrid(rig_, *sheet, name, cellop::kImeStart);
  EXPECT_EQ(started.result, kCellOpenEditor);
  EXPECT_EQ(GpsGroupCount(rig_.image, 0), 3);
  EXPECT_EQ(GpsGroupFirst(rig_.image, 1), 3);
  EXPECT_EQ(NameOf(rig_.image, 3), NameOf(before, 2)) << "group 1's memory keeps its bytes";

  sheet->AnswerListRange({0, 0, 3});
  CommitOnGrid(rig_, *sheet, name, "HOME");
  EXPECT_EQ(NameOf(rig_.image, 2), "HOME            ");
  EXPECT_EQ(NameOf(rig_.image, 3), "NEXT GROUP      ");
  EXPECT_EQ(GpsGroupCount(rig_.image, 1), 1);
}

TEST_F(GpsCasesTest, TheNewRowInsertsOnlyOnKeysTheNameTakes) {
  const std::string typed = "A";
  struct Case {
    const char* what;
    std::int32_t key;
    bool inserts;
  } cases[] = {
      {"display query", cellop::kQuery, false},
      {"input method, English system", cellop::kImeStart, false},
      {"Delete", cellop::kCtrlBackspace, false},
      {"F1", cellop::kF1, false},
      {"Left at the edge", cellop::kLeftAtEdge, false},
      {"Enter", cellop::kEnter, true},
      {"Space", cellop::kSpace, true},
      {"F2", cellop::kF2, true},
      {"a letter", 'a', true},
      {"a dot", '.', true},
  };
  for (const Case& c : cases) {
    const cmcEeprom before = rig_.image;
    auto sheet = GroupSheet(0);
    const auto answer = OnGrid(rig_, *sheet, sheet->Cell(CT_Gps, CL_Gps_Name, 2), c.key);
    if (c.inserts) {
      EXPECT_EQ(answer.result, kCellOpenEditor) << c.what;
      EXPECT_EQ(GpsGroupCount(rig_.image, 0), 3) << c.what;
      ASSERT_TRUE(GpsMemDelete(rig_.image, 0, 2));
    } else {
      EXPECT_EQ(answer.result, kCellNothing) << c.what;
      EXPECT_EQ(rig_.image, before) << c.what;
    }
  }
}

TEST_F(GpsCasesTest, ACommitThatReachesTheNewRowStoresNothing) {
  const cmcEeprom before = rig_.image;
  auto sheet = GroupSheet(0);
  CommitOnGrid(rig_, *sheet, sheet->Cell(CT_Gps, CL_Gps_Name, 2), "LOST");
  EXPECT_EQ(rig_.image, before);
}

TEST_F(GpsCasesTest, AFullOrderTableRefusesTheNewMemoryWithTheMessage) {
  while (GpsOrderRemain(rig_.image) > 0)
    ASSERT_TRUE(GpsGroupInsert(rig_.image, 1, GpsGroupLast(rig_.image, 1) + 1));
  const cmcEeprom before = rig_.image;
  kwtest::ScriptedMessageBoxes boxes;
  boxes.Answer(platform::mb::IdOk);
  auto sheet = GroupSheet(0);
  rig_.events.clear();
  const auto answer = OnGrid(rig_, *sheet, sheet->Cell(CT_Gps, CL_Gps_Name, 2), 'A');
  EXPECT_EQ(answer.result, kCellNothing);
  EXPECT_EQ(answer.capsule.outputText, "");
  EXPECT_EQ(rig_.image, before);
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Last().text,
            QString::fromUtf8(rig_.texts.GetFirst("GI_AppMess_MemoryErr_Overflow")));
  rig_.Drain();
  const std::vector<kwtest::CellFrameRig::Event> expected = {
      {ev::SheetFlag, cmcEvent::Posted, 0, 1}, {ev::SheetFlag, cmcEvent::Posted, 0, 0}};
  EXPECT_EQ(rig_.events, expected);
}

TEST_F(GpsCasesTest, TheNameOfAMemoryIsStoredAtItsOwnPosition) {
  auto sheet = GroupSheet(1);
  CommitOnGrid(rig_, *sheet, sheet->Cell(CT_Gps, CL_Gps_Name, 2), "summit");
  EXPECT_EQ(NameOf(rig_.image, 2), "summit          ");
  EXPECT_EQ(Shown(rig_, *sheet, sheet->Cell(CT_Gps, CL_Gps_Name, 2)), "summit");
  EXPECT_EQ(NameOf(rig_.image, 1), "BRAVO           ");
}

TEST_F(GpsCasesTest, AGroupNameRenamesItsTreeNode) {
  auto sheet = rig_.Sheet("220");
  CommitOnGrid(rig_, *sheet, sheet->Cell(CT_None, CL_Gps_Bank_Name, 0), "HOME");
  CommitOnGrid(rig_, *sheet, sheet->Cell(CT_None, CL_Gps_Bank_Name, 25), "LAST");
  rig_.Drain();
  ASSERT_EQ(renames_.size(), 2u);
  EXPECT_EQ(renames_[0].page, 222);
  EXPECT_EQ(renames_[0].text, "A: HOME            ");
  EXPECT_EQ(renames_[1].page, 247);
  EXPECT_EQ(renames_[1].text, "Z: LAST            ");
  EXPECT_EQ(Shown(rig_, *sheet, sheet->Cell(CT_None, CL_Gps_Bank_Name, 0)), "HOME");
  // A display query renames nothing.
  rig_.Drain();
  EXPECT_EQ(renames_.size(), 2u);
}

TEST_F(GpsCasesTest, TheAlarmStarsTheMemoriesItCovers) {
  // Stars on the rows of group 0 (positions 0, 1) and group 1 (position 2),
  // one sheet open at a time as in the program.
  const auto stars = [this] {
    std::string shown;
    {
      auto group0 = GroupSheet(0);
      for (int i : {0, 1}) shown += Shown(rig_, *group0, group0->Cell(CT_Gps, CL_Gps_Alarm, i));
    }
    auto group1 = GroupSheet(1);
    return shown + Shown(rig_, *group1, group1->Cell(CT_Gps, CL_Gps_Alarm, 2));
  };
  struct Case {
    GpsAlarm alarm;
    const char* stars;
  } cases[] = {
      {{0, 0, 0}, "   "},                // off
      {{1, 0, 0}, "   "},                // received positions
      {{2, 0, 0}, "***"},                // all memories
      {{2, 1, 0}, "** "},                // group 0
      {{2, 2, 0}, "  *"},                // group 1
      {{2, 27, 0}, "   "},               // the last group
      {{2, 28, 0}, "   "},               // no such group
      {{kGpsAlarmMemory, 0, 1}, " * "},  // the second memory of group 0
      {{kGpsAlarmMemory, 1, 0}, "  *"},
      {{kGpsAlarmMemory, 1, 1}, "   "},
  };
  for (const Case& c : cases) {
    SetGpsAlarm(rig_.image, c.alarm);
    EXPECT_EQ(stars(), c.stars) << int{c.alarm.type} << "/" << int{c.alarm.group} << "/"
                                << c.alarm.position;
  }
  // Group 26, the last GPS group, is the last row of the list.
  Append(26, "LAST");
  SetGpsAlarm(rig_.image, {2, 27, 0});
  auto last = GroupSheet(26);
  EXPECT_EQ(Shown(rig_, *last, last->Cell(CT_Gps, CL_Gps_Alarm, GpsGroupFirst(rig_.image, 26))),
            "*");
}

TEST_F(GpsCasesTest, ChoosingTheAlarmOnAMemorysRow) {
  auto group1 = GroupSheet(1);
  cmcCellObj& cell = group1->Cell(CT_Gps, CL_Gps_Alarm, 2);
  rig_.events.clear();
  const auto picked = PickOnGrid(rig_, *group1, cell, Flex0, 1);  // this memory
  const GpsAlarm memory = GetGpsAlarm(rig_.image);
  EXPECT_EQ(memory.type, kGpsAlarmMemory);
  EXPECT_EQ(memory.group, 1);
  EXPECT_EQ(memory.position, 0);
  EXPECT_EQ(picked.capsule.outputText, "*");
  ASSERT_FALSE(group1->redraws.empty());
  EXPECT_NE(group1->redraws.back().mask & redraw::kAllData, 0);
  EXPECT_NE(std::find(rig_.events.begin(), rig_.events.end(),
                      kwtest::CellFrameRig::Event{ev::ListChanged, cmcEvent::Sent, 0, 0}),
            rig_.events.end());

  PickOnGrid(rig_, *group1, cell, Flex0, 30);  // the last group
  const GpsAlarm group = GetGpsAlarm(rig_.image);
  EXPECT_EQ(group.type, 2);
  EXPECT_EQ(group.group, 27);
  EXPECT_EQ(group.position, 0);

  PickOnGrid(rig_, *group1, cell, Flex0, 2);  // received positions
  const GpsAlarm received = GetGpsAlarm(rig_.image);
  EXPECT_EQ(received.type, 1);
  EXPECT_EQ(received.group, 0);
  EXPECT_EQ(received.position, 0);
}

TEST_F(GpsCasesTest, AltitudeFollowsTheUnitSetting) {
  datCh r(&rig_.image);
  r.Load(itemkind::kGpsMemory, 0);
  r.altitude = 3281;  // tenths of a foot: 328.1 ft, 100 m
  ASSERT_TRUE(r.StoreSelf());
  auto sheet = GroupSheet(0);
  cmcCellObj& cell = sheet->Cell(CT_Gps, CL_Gps_Altitude, 0);
  imageaccess::CommonBlock common(rig_.image);
  common.Set8(0x59, 0);
  EXPECT_EQ(Shown(rig_, *sheet, cell), "100m");
  common.Set8(0x59, 1);
  EXPECT_EQ(Shown(rig_, *sheet, cell), "328ft");
}

}  // namespace
