// kw-test: link=sheet_choices
// A choice table finds options by value and steps them column by column,
// wrapping at both ends.
#include "sheet/choices/ChoiceTable.h"

#include <gtest/gtest.h>

namespace {

using choices::ChoiceOption;
using choices::ChoiceTable;

// Two columns over three lines, values out of order:
//   line 0: 30 | 10
//   line 1: 20 | 50
//   line 2: 40
ChoiceTable TwoColumns() {
  return *ChoiceTable::Build("k", 3, 2,
                             {{0, 0, 30, "c", "C"},
                              {0, 1, 10, "a", "A"},
                              {1, 0, 20, "b", "B"},
                              {1, 1, 50, "e", "E"},
                              {2, 0, 40, "d", "D"}});
}

TEST(ChoiceTable, FindsByValue) {
  const ChoiceTable t = TwoColumns();
  EXPECT_EQ(t.Count(), 5);
  EXPECT_EQ(t.LineCount(), 3);
  EXPECT_EQ(t.WidestLine(), 2);
  for (const int v : {10, 20, 30, 40, 50}) {
    ASSERT_NE(t.Find(v), nullptr) << v;
    EXPECT_EQ(t.Find(v)->value, v);
  }
  for (const int v : {0, 15, 60, -1}) EXPECT_EQ(t.Find(v), nullptr) << v;
}

TEST(ChoiceTable, StepsDownTheFirstColumnThenTheSecond) {
  const ChoiceTable t = TwoColumns();
  std::vector<int> forward{30};
  for (int i = 0; i < 5; ++i) forward.push_back(t.Step(forward.back(), +1).value);
  EXPECT_EQ(forward, (std::vector<int>{30, 20, 40, 10, 50, 30}));
  std::vector<int> back{30};
  for (int i = 0; i < 5; ++i) back.push_back(t.Step(back.back(), -1).value);
  EXPECT_EQ(back, (std::vector<int>{30, 50, 10, 40, 20, 30}));
}

TEST(ChoiceTable, AMissingValueStepsToTheFirstOrLastOption) {
  const ChoiceTable t = TwoColumns();
  EXPECT_EQ(t.Step(99, +1).value, 30);
  EXPECT_EQ(t.Step(99, -1).value, 30);
  EXPECT_EQ(t.Step(99, -1, true).value, 50);
}

TEST(ChoiceTable, NoOptionGivesNoTable) {
  EXPECT_FALSE(ChoiceTable::Build("k", 2, 1, {}).has_value());
}

}  // namespace
