// kw-test: label=texts
#include "core/cmcHelpGTex.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/text/TextTables.h"
#include "support/ScriptedMessageBoxes.h"

namespace {

std::vector<std::string> Map() {
  return {"#GI_AppItem_Topic_ID",
          "CL_Mch_Select_ChNo\tIDH1001",
          "CL_Mch_Freq\tIDH1002",
          "CL_NoTab IDH1003",
          "CL_Twice\tIDH1004",
          "CL_Bad\tIDH1005",
          "CL_Signed\tIDH1006",
          "CL_Twice\tIDH9999",
          "#",
          "#GI_AppItem_Context_ID",
          "IDH1001\t1",
          "IDH1002\t2",
          "IDH1003\t3",
          "IDH1004\t4",
          "IDH1002\t22",
          "IDH1005\tabc",
          "IDH1006\t  -12",
          "#"};
}

TEST(HelpContext, TopicThenLastContextRow) {
  cmcHelpGTex help;
  ASSERT_EQ(help.SetSource(Map()), 1);
  struct Case {
    const char* cell;
    int context;
  } cases[] = {
      {"CL_Mch_Select_ChNo", 1},
      {"CL_Mch_Freq", 22},  // the last context row wins
      {"CL_NoTab", 0},      // a row without a tab matches nothing
      {"CL_Twice", 4},      // the first topic row wins
      {"CL_Bad", 0},        // not a number
      {"CL_Signed", -12},   // blanks skipped, sign read
      {"CL_Unknown", 0},
      {"IDH1001", 0},  // a topic id is not a cell name
  };
  for (const Case& c : cases) EXPECT_EQ(HelpContextOf(help, c.cell), c.context) << c.cell;
}

TEST(HelpContext, SectionsEndAtAnEmptyRow) {
  cmcHelpGTex help;
  help.SetSource(std::vector<std::string>{"#GI_AppItem_Topic_ID", "", "CL_A\tIDH1", "#",
                                          "#GI_AppItem_Context_ID", "IDH1\t5", "#"});
  EXPECT_EQ(HelpContextOf(help, "CL_A"), 0);
}

TEST(HelpContext, BuiltInMap) {
  cmcHelpGTex help;
  ASSERT_EQ(help.SetSource(kwres::kHelpTopicMap), 1);
  EXPECT_EQ(HelpContextOf(help, "CL_Mch_Select_ChNo"), 1);
  EXPECT_EQ(HelpContextOf(help, "CL_No_Such_Cell"), 0);
  EXPECT_EQ(help.SetSource(Map()), 0);
}

TEST(HelpContextDeathTest, MapWithoutItsContextSectionIsFatal) {
  EXPECT_EXIT(
      {
        kwtest::ScriptedMessageBoxes boxes;
        boxes.SetDefaultAnswer(platform::mb::IdOk);
        cmcHelpGTex help;
        help.SetSource(std::vector<std::string>{"#GI_AppItem_Topic_ID", "CL_A\tIDH1", "#"});
        HelpContextOf(help, "CL_A");
      },
      ::testing::ExitedWithCode(3),
      "flags 0x10\\] GTEX Error !\nThe index 'GI_AppItem_Context_ID' was not found\\.");
}

TEST(HelpContextDeathTest, UnclosedLastSectionStopsAtTheEndOfTheMap) {
  EXPECT_EXIT(
      {
        kwtest::ScriptedMessageBoxes boxes;
        boxes.SetDefaultAnswer(platform::mb::IdOk);
        cmcHelpGTex help;
        help.SetSource(std::vector<std::string>{"#GI_AppItem_Topic_ID", "CL_A\tIDH1", "#",
                                                "#GI_AppItem_Context_ID", "IDH1\t5"});
        HelpContextOf(help, "CL_A");
      },
      ::testing::ExitedWithCode(3), "The index 'GI_AppItem_Context_ID' was not found\\.");
}

}  // namespace
