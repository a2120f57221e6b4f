#include "cells/names/CellNames.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "support/ScriptedMessageBoxes.h"

namespace {

TEST(CellNamesTest, LooksUpCategories) {
  struct Case {
    const char* name;
    std::int32_t value;
  };
  const Case cases[] = {
      {"CT_Null", 0},    {"CT_PopupMenu", 1},   {"CT_Conv", 2},
      {"CT_Rptlist", 7}, {"CT_TXCall_Ref", 13}, {"", 14},
  };
  for (const Case& c : cases) EXPECT_EQ(GetCategoryIndex(c.name), c.value) << c.name;
}

TEST(CellNamesTest, LooksUpCellIds) {
  struct Case {
    const char* name;
    std::int32_t value;
  };
  const Case cases[] = {
      {"CL_Null", 0},
      {"Flex0", 1},
      {"CL_Menu_File_New", 8},
      {"CallSheet", 77},
      {"CL_Misc_QuarterPillar", 218},
      {"CL_Mch_Freq", 230},
      {"CL_Mch_Name", 233},
      {"CL_Common_CsvSepdec", 557},
      {"CL_Common_Wx_Ch", 577},
      {"", 578},
  };
  for (const Case& c : cases) EXPECT_EQ(GetCellIdIndex(c.name), c.value) << c.name;
  EXPECT_EQ(CL_Mch_Freq, 230);
  EXPECT_EQ(CL_None, 578);
  EXPECT_EQ(CT_None, 14);
}

TEST(CellNamesTest, EveryCellIdRoundTripsThroughItsName) {
  std::set<std::string> seen;
  for (std::int32_t id = 0; id < kCellIdCount; ++id) {
    const std::string_view name = GetCellIdName(id);
    ASSERT_FALSE(name.empty()) << id;
    EXPECT_TRUE(seen.insert(std::string(name)).second) << name;
    EXPECT_EQ(GetCellIdIndex(name), id) << name;
  }
  EXPECT_EQ(seen.size(), 578u);
  for (std::int32_t id : {578, -1, 100000}) EXPECT_EQ(GetCellIdName(id), "") << id;
}

TEST(CellNamesTest, EveryCategoryRoundTripsThroughItsName) {
  for (std::int32_t c = 0; c < kCategoryCount; ++c)
    EXPECT_EQ(GetCategoryIndex(GetCategoryName(c)), c) << c;
  EXPECT_EQ(GetCategoryName(14), "");
  EXPECT_EQ(GetCategoryName(-1), "");
}

TEST(CellNamesTest, CategoryKinds) {
  const std::int32_t kinds[] = {0, 0, 1, 3, 6, 4, 5, 7, 8, 9, 10, 11, 12, 13, 0};
  for (std::int32_t c = 0; c <= CT_None; ++c) EXPECT_EQ(GetCategoryKind(c), kinds[c]) << c;
}

// Each look-up runs in a process of its own: the other set may or may not be
// filled before, and neither may answer for it.
template <typename LookUp>
void RunWithBoxes(LookUp lookUp) {
  kwtest::ScriptedMessageBoxes boxes;
  boxes.SetDefaultAnswer(platform::mb::IdOk);
  lookUp();
}

TEST(CellNamesDeathTest, UnknownNamesAreFatal) {
  EXPECT_EXIT(RunWithBoxes([] { GetCellIdIndex("CL_Nope"); }), ::testing::ExitedWithCode(3),
              "flags 0x10\\] Cannot use the specified cell\\.\n'CL_Nope'");
  EXPECT_EXIT(RunWithBoxes([] { GetCategoryIndex("CT_Nope"); }), ::testing::ExitedWithCode(3),
              "flags 0x10\\] Cannot use the specified category\\.\n'CT_Nope'");
  // Exact and case-sensitive.
  EXPECT_EXIT(RunWithBoxes([] { GetCellIdIndex("cl_mch_freq"); }), ::testing::ExitedWithCode(3),
              "Cannot use the specified cell\\.\n'cl_mch_freq'");
}

TEST(CellNamesDeathTest, ANameOfTheOtherSetIsFatalInEitherOrder) {
  EXPECT_EXIT(RunWithBoxes([] {
                GetCategoryIndex("CT_Null");
                GetCellIdIndex("CT_Conv");
              }),
              ::testing::ExitedWithCode(3), "Cannot use the specified cell\\.\n'CT_Conv'");
  EXPECT_EXIT(RunWithBoxes([] {
                GetCellIdIndex("CL_Null");
                GetCategoryIndex("CL_Mch_Freq");
              }),
              ::testing::ExitedWithCode(3), "Cannot use the specified category\\.\n'CL_Mch_Freq'");
  EXPECT_EXIT(RunWithBoxes([] { GetCellIdIndex("CT_Conv"); }), ::testing::ExitedWithCode(3),
              "Cannot use the specified cell\\.\n'CT_Conv'");
  EXPECT_EXIT(RunWithBoxes([] { GetCategoryIndex("CL_Mch_Freq"); }), ::testing::ExitedWithCode(3),
              "Cannot use the specified category\\.\n'CL_Mch_Freq'");
}

TEST(CellNamesDeathTest, CategoryValuesOutsideTheTableAreFatal) {
  EXPECT_EXIT(RunWithBoxes([] { GetCategoryKind(15); }), ::testing::ExitedWithCode(3),
              "flags 0x10\\] Unknown Cell Category\\.");
  EXPECT_EXIT(RunWithBoxes([] { GetCategoryKind(-1); }), ::testing::ExitedWithCode(3),
              "Unknown Cell Category\\.");
}

}  // namespace
