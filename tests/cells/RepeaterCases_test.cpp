// kw-test: link=kw_test_cells_support
// The repeater-list cells over a default image with two groups: group 0
// holds a DV repeater with its call signs and one still named "CALLSIGN",
// group 1 one entry. Fields a type does not use show "---" and take no
// typing; the row after a group's last entry never writes into the next
// group.
#include "cells/RepeaterCases.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ListSheetRequests.h"
#include "cells/names/CellNames.h"
#include "core/ColorNames.h"
#include "model/ItemKinds.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/ListEdit.h"
#include "model/RecordChecks.h"
#include "model/RepeaterListType.h"
#include "model/datCh.h"
#include "support/cells/ListCasesFixture.h"

namespace {

using kwtest::CommitOnGrid;
using kwtest::OnGrid;
using kwtest::PickOnGrid;
using kwtest::Shown;

constexpr std::uint32_t kMHz = 1'000'000;

std::string Text(const datText<8>& field) { return std::string(field.begin(), field.end()); }

class RepeaterCasesTest : public kwtest::ListCasesFixture {
 protected:
  void SetUp() override {
    ASSERT_EQ(GetRptTotalCount(rig_.image), 0);
    Append(0, "JA1RPA B", "JA1RPA G");
    Append(0, "CALLSIGN", "");
    Append(1, "JA1NXT A", "JA1NXT G");
    RegisterRepeaterCases(rig_.table);
  }

  void Append(int group, const char* call, const char* gateway) {
    const int at = GetRptGroupFirst(rig_.image, group) + GetRptGroupCount(rig_.image, group);
    ASSERT_TRUE(RptListInsert(rig_.image, group, at));
    datCh r(&rig_.image);
    r.Load(itemkind::kRepeater, static_cast<std::uint32_t>(at));
    SetText(r.rptCall, call);
    SetText(r.gwCall, gateway);
    r.freq = 439 * kMHz;
    ASSERT_TRUE(r.StoreSelf());
  }

  datCh Entry(int i) {
    return LoadDetached(rig_.image, itemkind::kRepeater, static_cast<std::uint32_t>(i));
  }

  std::unique_ptr<kwtest::FixtureSheet> GroupSheet(int group) {
    return ListSheet(std::to_string(123 + group), {group, GetRptGroupFirst(rig_.image, group),
                                                   GetRptGroupCount(rig_.image, group)});
  }
};

TEST_F(RepeaterCasesTest, TheNewEntryTitleIsOnTheRowAfterTheGroupsLastEntry) {
  auto group1 = GroupSheet(1);  // first 2, count 1
  EXPECT_EQ(Shown(rig_, *group1, group1->Cell(CT_Rptlist, CL_Repeater_List_ChNo, 2)), "2");
  EXPECT_EQ(Shown(rig_, *group1, group1->Cell(CT_Rptlist, CL_Repeater_List_ChNo, 3)),
            rig_.texts.GetFirst("GI_NewChTitle"));
}

TEST_F(RepeaterCasesTest, TheFirstCallSignOfADefaultEntryNamesItsGatewayToo) {
  auto sheet = GroupSheet(0);
  CommitOnGrid(rig_, *sheet, sheet->Cell(CT_Rptlist, CL_Repeater_List_R_Callsign_Code, 1),
               "ja1abc");
  EXPECT_EQ(Text(Entry(1).rptCall), "JA1ABC  ");
  EXPECT_EQ(Text(Entry(1).gwCall), "JA1ABC G");
  ASSERT_FALSE(sheet->redraws.empty());
  EXPECT_NE(sheet->redraws.back().mask & redraw::kAllData, 0);
  // A gateway already set stays.
  CommitOnGrid(rig_, *sheet, sheet->Cell(CT_Rptlist, CL_Repeater_List_R_Callsign_Code, 0),
               "JA1QRZ B");
  EXPECT_EQ(Text(Entry(0).rptCall), "JA1QRZ B");
  EXPECT_EQ(Text(Entry(0).gwCall), "JA1RPA G");
}

TEST_F(RepeaterCasesTest, ADvRepeaterKeepsACallSign) {
  const cmcEeprom before = rig_.image;
  auto sheet = GroupSheet(0);
  CommitOnGrid(rig_, *sheet, sheet->Cell(CT_Rptlist, CL_Repeater_List_R_Callsign_Code, 0), "");
  CommitOnGrid(rig_, *sheet, sheet->Cell(CT_Rptlist, CL_Repeater_List_R_Callsign_Code, 0), "-");
  EXPECT_EQ(rig_.image, before);
}

TEST_F(RepeaterCasesTest, AGatewayEndsInGOrABlank) {
  auto sheet = GroupSheet(0);
  cmcCellObj& gateway = sheet->Cell(CT_Rptlist, CL_Repeater_List_G_Callsign_Code, 0);
  CommitOnGrid(rig_, *sheet, gateway, "JA1ABC X");
  EXPECT_EQ(Text(Entry(0).gwCall), "JA1ABC  ");
  CommitOnGrid(rig_, *sheet, gateway, "JA1ABC G");
  EXPECT_EQ(Text(Entry(0).gwCall), "JA1ABC G");
}

TEST_F(RepeaterCasesTest, FieldsASimplexEntryDoesNotUseShowDashesInGreyAndTakeNoTyping) {
  datCh simplex(&rig_.image);
  simplex.Load(itemkind::kRepeater, 0);
  ASSERT_TRUE(SetRepeaterListType(kRptTypeDvSimplex, simplex));
  ASSERT_TRUE(simplex.StoreSelf());
  const cmcEeprom before = rig_.image;
  auto sheet = GroupSheet(0);
  for (const int id : {CL_Repeater_List_R_Callsign_Code, CL_Repeater_List_G_Callsign_Code,
                       CL_Repeater_List_Offset_Freq}) {
    cmcCellObj& cell = sheet->Cell(CT_Rptlist, id, 0);
    for (const std::int32_t key : {1, int{'A'}, int{cellop::kEnter}, 126}) {
      const auto answer = OnGrid(rig_, *sheet, cell, key);
      EXPECT_EQ(answer.result, kCellNothing) << id << " key " << key;
      EXPECT_EQ(answer.capsule.outputText, "---") << id;
    }
    ASSERT_TRUE(cell.font.has_value()) << id;
    EXPECT_EQ(cell.font->color, color::kGray) << id;
  }
  EXPECT_EQ(rig_.image, before);

  // Back to a DV repeater: the call sign cell takes its inherited colour again.
  ASSERT_TRUE(SetRepeaterListType(kRptTypeDvRepeater, simplex));
  ASSERT_TRUE(simplex.StoreSelf());
  cmcCellObj& call = *sheet->Find(CT_Rptlist, CL_Repeater_List_R_Callsign_Code, 0);
  EXPECT_EQ(Shown(rig_, *sheet, call), "CALLSIGN");
  EXPECT_NE(call.EffectiveFont().color, color::kGray);
}

TEST_F(RepeaterCasesTest, ANewFrequencyTakesTheOffsetOfItsRange) {
  auto sheet = GroupSheet(1);
  cmcCellObj& freq = sheet->Cell(CT_Rptlist, CL_Repeater_List_Freq, 2);
  CommitOnGrid(rig_, *sheet, freq, "145.3");
  EXPECT_EQ(Entry(2).freq, 145'300'000u);
  EXPECT_EQ(Shown(rig_, *sheet, freq), " 145.300000");
  // Out of every general range: stored, and marked.
  CommitOnGrid(rig_, *sheet, freq, "1300");
  const auto answer = OnGrid(rig_, *sheet, freq, cellop::kQuery);
  EXPECT_EQ(Entry(2).freq, 1'300'000'000u);
  EXPECT_EQ(answer.capsule.stateBits & cellstate::kWarning,
            ChCheckRptFreq(Entry(2)) ? cellstate::kWarning : 0);
}

TEST_F(RepeaterCasesTest, UtcOffsetIsSignedMinutesOrNone) {
  auto sheet = GroupSheet(0);
  cmcCellObj& offset = sheet->Cell(CT_Rptlist, CL_Repeater_List_UtcOffset, 0);
  CommitOnGrid(rig_, *sheet, offset, "-3:30");
  EXPECT_EQ(Entry(0).utcOffset, 0x10000u - 210);
  EXPECT_EQ(Shown(rig_, *sheet, offset), "-3:30");
  CommitOnGrid(rig_, *sheet, offset, "");
  EXPECT_EQ(Entry(0).utcOffset, 32767u);
  EXPECT_EQ(Shown(rig_, *sheet, offset), "--:--");
}

TEST_F(RepeaterCasesTest, TheNewRowsTypeCellInsertsOnEnterOnly) {
  for (const std::int32_t key : {int{cellop::kSpace}, int{cellop::kBackspace}, int{'A'},
                                 int{cellop::kQuery}, int{cellop::kF2}}) {
    const cmcEeprom before = rig_.image;
    auto sheet = GroupSheet(0);
    const auto answer =
        OnGrid(rig_, *sheet, sheet->Cell(CT_Rptlist, CL_Repeater_List_Type, 2), key);
    EXPECT_EQ(answer.result, kCellNothing) << key;
    EXPECT_EQ(rig_.image, before) << "key " << key;
  }
  // A key typed elsewhere on the row is handed to the type cell and ignored
  // there as well.
  const cmcEeprom before = rig_.image;
  auto sheet = GroupSheet(0);
  cmcCellObj& type = sheet->Cell(CT_Rptlist, CL_Repeater_List_Type, 2);
  sheet->DoCellAction(sheet->Cell(CT_Rptlist, CL_Repeater_List_Name, 2), cellop::kSpace);
  ASSERT_EQ(sheet->calls.size(), 2u);
  EXPECT_EQ(sheet->calls[1].cellId, CL_Repeater_List_Type);
  EXPECT_EQ(rig_.image, before);

  // Enter appends an entry to group 0; the choice then sets its type.
  const auto entered = OnGrid(rig_, *sheet, type, cellop::kEnter);
  EXPECT_EQ(GetRptGroupCount(rig_.image, 0), 3);
  EXPECT_EQ(GetRptGroupFirst(rig_.image, 1), 3);
  EXPECT_EQ(Text(Entry(3).rptCall), "JA1NXT A") << "group 1's entry keeps its bytes";
  EXPECT_EQ(entered.capsule.outputText, "");
  sheet->AnswerListRange({0, 0, 3});
  PickOnGrid(rig_, *sheet, type, Flex0, kRptTypeFmRepeater);
  EXPECT_EQ(GetRepeaterListType(Entry(2)), kRptTypeFmRepeater);
  EXPECT_EQ(GetRepeaterListType(Entry(3)), kRptTypeDvRepeater);
  EXPECT_EQ(Shown(rig_, *sheet, type), "FM Repeater");
}

TEST_F(RepeaterCasesTest, ATypeChoiceReshapesTheEntry) {
  auto sheet = GroupSheet(0);
  cmcCellObj& type = sheet->Cell(CT_Rptlist, CL_Repeater_List_Type, 0);
  EXPECT_EQ(Shown(rig_, *sheet, type), "DV Repeater");
  OnGrid(rig_, *sheet, type, cellop::kSpace);  // DV simplex: no call signs
  EXPECT_EQ(GetRepeaterListType(Entry(0)), kRptTypeDvSimplex);
  EXPECT_EQ(Text(Entry(0).rptCall), "        ");
  EXPECT_EQ(Shown(rig_, *sheet, sheet->Cell(CT_Rptlist, CL_Repeater_List_Mode, 0)), "DV");
  PickOnGrid(rig_, *sheet, type, Flex0, kRptTypeDvRepeater);
  EXPECT_EQ(Text(Entry(0).rptCall), "CALLSIGN");
}

TEST_F(RepeaterCasesTest, AGroupNameRenamesItsTreeNode) {
  auto sheet = rig_.Sheet("122");
  CommitOnGrid(rig_, *sheet, sheet->Cell(CT_None, CL_Group_Name, 4), "Kanto");
  rig_.Drain();
  ASSERT_EQ(renames_.size(), 1u);
  EXPECT_EQ(renames_[0].page, 127);
  EXPECT_EQ(renames_[0].text, "05: Kanto           ");
  EXPECT_EQ(Shown(rig_, *sheet, sheet->Cell(CT_None, CL_Group_Name, 4)), "Kanto");
}

}  // namespace
