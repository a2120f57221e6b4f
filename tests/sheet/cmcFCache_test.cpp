// kw-test: link=sheet_choices
// The option text cache over a small text table: texts by value, steps in
// reading order, one table per list and id built once, and the answers for
// lists and values it has no option for.
#include "sheet/choices/cmcFCache.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cells/names/CellNames.h"
#include "core/cmcGTex.h"
#include "sheet/choices/ChoiceOptions.h"
#include "support/ScriptedMessageBoxes.h"

namespace {

std::vector<std::string> Lines() {
  return {
      "",
      "#CellModel_iSp",
      "(Color=clGray)",
      "#GI_Sheet_Sel_Scan_Cells",
      "{S(%Flex0[0])}ALL",
      "{S(%Flex0[1])}P0",
      "{S(%Flex0[2])}P1",
      "#",
      // Two columns, values out of order, a spacer cell between the columns.
      "#GI_Sheet_Sel_Two_Cells",
      "{S(%Flex0[10])}A|{($iSp)!S!W}|{S(%Flex0[30])}C",
      "{S(%Flex0[20])}B|{($iSp)!S!W}|{S(%Flex0[40])}D",
      "{S(%Flex0[25])}E",
      "#",
      // One key, two list ids; cell texts that differ from the captions.
      "#GI_Sheet_Sel_Mixed_Cells",
      "{S(%Flex0[0]:OFF)}OFF  \\_",
      "{S(%CL_FlexMark_RptDup[0]:)}OFF|{S(%CL_FlexMark_RptDup[1])}DUP-",
      "#",
      "#GI_Sheet_Sel_NoFlex_Cells",
      "{S(%CL_FlexMark_Mch[3])}AM",
      "#",
      "#GI_Sheet_Sel_Blanks_Cells",
      "{S(%Flex0[ 2])}two|{S(%Flex0[3 ])}three",
      "#",
      "#End_Of_Ovl",
  };
}

class FCacheTest : public ::testing::Test {
 protected:
  FCacheTest() { gtex.SetSource(Lines()); }
  cmcGTex gtex;
  cmcFCache cache{gtex};
};

TEST_F(FCacheTest, TextsByValueAndAStepBackFromTheFirstWraps) {
  EXPECT_EQ(cache.GetText("GI_Sheet_Sel_Scan", Flex0, 1), "P0");
  EXPECT_EQ(cache.GetText("GI_Sheet_Sel_Scan", Flex0, 0), "ALL");
  int out = -1;
  EXPECT_EQ(cache.Step("GI_Sheet_Sel_Scan", Flex0, 0, -1, out), 1);
  EXPECT_EQ(out, 2);
  EXPECT_EQ(cache.Step("GI_Sheet_Sel_Scan", Flex0, 2, +1, out), 1);
  EXPECT_EQ(out, 0);
}

TEST_F(FCacheTest, EachListIsParsedOnce) {
  cache.GetText("GI_Sheet_Sel_Scan", Flex0, 1);
  EXPECT_EQ(cache.ParseCount(), 1);
  cache.GetText("GI_Sheet_Sel_Scan", Flex0, 2);
  cache.GetText("GI_Sheet_Sel_Scan", Flex0, 9);
  EXPECT_EQ(cache.ParseCount(), 1);
}

TEST_F(FCacheTest, NothingIsLookedUpOrSteppedBeforeTheTableIsBuilt) {
  int out = -1;
  std::string text = "kept";
  EXPECT_EQ(cache.Step("GI_Sheet_Sel_Scan", Flex0, 0, +1, out), 0);
  EXPECT_EQ(out, -1);
  EXPECT_EQ(cache.Lookup("GI_Sheet_Sel_Scan", Flex0, 0, text), 0);
  EXPECT_EQ(text, "kept");
  EXPECT_EQ(cache.ParseCount(), 0);
  cache.GetText("GI_Sheet_Sel_Scan", Flex0, 0);
  EXPECT_EQ(cache.Lookup("GI_Sheet_Sel_Scan", Flex0, 2, text), 1);
  EXPECT_EQ(text, "P1");
}

TEST_F(FCacheTest, OneKeyWithTwoIdsIsTwoTables) {
  EXPECT_EQ(cache.GetText("GI_Sheet_Sel_Mixed", Flex0, 0), "OFF");
  EXPECT_EQ(cache.GetText("GI_Sheet_Sel_Mixed", CL_FlexMark_RptDup, 0), "");
  EXPECT_EQ(cache.GetText("GI_Sheet_Sel_Mixed", CL_FlexMark_RptDup, 1), "DUP-");
  EXPECT_EQ(cache.ParseCount(), 2);
  ASSERT_NE(cache.Table("GI_Sheet_Sel_Mixed", CL_FlexMark_RptDup), nullptr);
  EXPECT_EQ(cache.Table("GI_Sheet_Sel_Mixed", CL_FlexMark_RptDup)->Find(0)->caption, "OFF");
  EXPECT_EQ(cache.Table("GI_Sheet_Sel_Mixed", Flex0)->Count(), 1);
}

TEST_F(FCacheTest, TwoColumnsStepColumnByColumn) {
  cache.GetText("GI_Sheet_Sel_Two", Flex0, 10);
  std::vector<int> seen{10};
  for (int i = 0; i < 5; ++i) {
    int out = -1;
    ASSERT_EQ(cache.Step("GI_Sheet_Sel_Two", Flex0, seen.back(), +1, out), 1);
    seen.push_back(out);
  }
  EXPECT_EQ(seen, (std::vector<int>{10, 20, 25, 30, 40, 10}));
  const choices::ChoiceTable* t = cache.Table("GI_Sheet_Sel_Two", Flex0);
  EXPECT_EQ(t->LineCount(), 3);
  EXPECT_EQ(t->WidestLine(), 3);  // the spacer counts as a cell
}

// A stored value outside the list reads "?N" and steps to the first option.
TEST_F(FCacheTest, AValueOutsideTheListShowsQuestionMarkAndItsValue) {
  EXPECT_EQ(cache.GetText("GI_Sheet_Sel_Scan", Flex0, 7), "?7");
  EXPECT_EQ(cache.GetText("GI_Sheet_Sel_Scan", Flex0, 0x7FFFFFFF), "?2147483647");
  int out = -1;
  EXPECT_EQ(cache.Step("GI_Sheet_Sel_Scan", Flex0, 7, -1, out), 1);
  EXPECT_EQ(out, 0);
}

// A list with no option of the id has no table: nothing to show or step, and
// the miss is remembered.
TEST_F(FCacheTest, AListWithoutOptionsOfTheIdHasNoTable) {
  for (int i = 0; i < 3; ++i) EXPECT_EQ(cache.GetText("GI_Sheet_Sel_NoFlex", Flex0, 3), "");
  EXPECT_EQ(cache.ParseCount(), 1);
  EXPECT_EQ(cache.Table("GI_Sheet_Sel_NoFlex", Flex0), nullptr);
  int out = 3;
  std::string text = "kept";
  EXPECT_EQ(cache.Step("GI_Sheet_Sel_NoFlex", Flex0, 3, +1, out), 0);
  EXPECT_EQ(out, 3);
  EXPECT_EQ(cache.Lookup("GI_Sheet_Sel_NoFlex", Flex0, 3, text), 0);
  EXPECT_EQ(cache.MatchTyped("GI_Sheet_Sel_NoFlex", Flex0, "3", 0), std::nullopt);
  EXPECT_EQ(cache.GetText("GI_Sheet_Sel_NoFlex", CL_FlexMark_Mch, 3), "AM");
}

TEST_F(FCacheTest, BlanksInsideTheIndexBrackets) {
  EXPECT_EQ(cache.GetText("GI_Sheet_Sel_Blanks", Flex0, 2), "two");
  EXPECT_EQ(cache.GetText("GI_Sheet_Sel_Blanks", Flex0, 3), "three");
}

TEST_F(FCacheTest, ParsedOptionsKeepLinePositionValueAndTexts) {
  const choices::ChoiceListText list =
      choices::ReadChoiceOptions(gtex, "GI_Sheet_Sel_Mixed", CL_FlexMark_RptDup);
  EXPECT_EQ(list.lineCount, 2);
  EXPECT_EQ(list.widestLine, 2);
  ASSERT_EQ(list.options.size(), 2u);
  EXPECT_EQ(list.options[1].line, 1);
  EXPECT_EQ(list.options[1].position, 1);
  EXPECT_EQ(list.options[1].value, 1);
  EXPECT_EQ(list.options[1].text, "DUP-");
  EXPECT_EQ(list.options[0].text, "");
  EXPECT_EQ(list.options[0].caption, "OFF");
}

TEST(FCacheDeathTest, AMissingListIsFatal) {
  EXPECT_EXIT(
      {
        kwtest::ScriptedMessageBoxes boxes;
        boxes.SetDefaultAnswer(platform::mb::IdOk);
        cmcGTex gtex;
        gtex.SetSource(Lines());
        cmcFCache cache(gtex);
        cache.GetText("GI_Sheet_Sel_Gone", Flex0, 0);
      },
      ::testing::ExitedWithCode(3), "The index 'GI_Sheet_Sel_Gone_Cells' was not found");
}

}  // namespace
