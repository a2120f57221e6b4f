// The dispatch table: one case per cell id, each registered once.
#include "cells/CellCaseTable.h"

#include <gtest/gtest.h>

namespace {

void Nothing(indActiveCell&) {}

TEST(CellCaseTableTest, FindsRegisteredCasesOnly) {
  CellCaseTable table;
  table.Register(0, Nothing);
  table.Register(578, Nothing);
  EXPECT_TRUE(table.IsFilled(0));
  EXPECT_TRUE(table.IsFilled(578));
  EXPECT_FALSE(table.IsFilled(1));
  EXPECT_EQ(table.Find(579), nullptr);
  EXPECT_EQ(table.Find(-1), nullptr);
}

TEST(CellCaseTableDeathTest, ASecondRegistrationOfAnIdIsFatal) {
  CellCaseTable table;
  table.Register(230, Nothing);
  EXPECT_EXIT(table.Register(230, Nothing), ::testing::ExitedWithCode(3),
              "registered twice: cell id 230");
}

TEST(CellCaseTableDeathTest, IdsOutsideTheTableAndEmptyCasesAreFatal) {
  CellCaseTable table;
  EXPECT_EXIT(table.Register(579, Nothing), ::testing::ExitedWithCode(3),
              "outside the cell ids: 579");
  EXPECT_EXIT(table.Register(-1, Nothing), ::testing::ExitedWithCode(3),
              "outside the cell ids: -1");
  EXPECT_EXIT(table.Register(5, CellCase()), ::testing::ExitedWithCode(3),
              "Empty cell case for cell id 5");
}

}  // namespace
