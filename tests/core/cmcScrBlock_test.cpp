#include "core/cmcScrBlock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(cmcScrBlockTest, SplitsWordAndFields) {
  struct Case {
    const char* line;
    const char* word;
    std::vector<std::string> fields;
  };
  const Case cases[] = {
      {"x a, b ,c", "x", {"a", "b", "c"}},
      {"Only_USA 3", "Only_USA", {"3"}},
      {"  Only_M_REP   12  ", "Only_M_REP", {"12"}},
      {"cmd a,,b,", "cmd", {"a", "", "b", ""}},
      {"cmd\ta, b", "cmd\ta,", {"b"}},
      // Without a blank the whole line is also the field list.
      {"word", "word", {"word"}},
      {"a,b", "a,b", {"a", "b"}},
      {"", "", {}},
      {"   ", "", {}},
      // 83 2C and 83 20: a trail byte is never a separator.
      {"w \x83\x2c,\x83\x20", "w", {"\x83\x2c", "\x83\x20"}},
      {"\x83\x20 z", "\x83\x20", {"z"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    cmcScrBlock block(c.line);
    EXPECT_EQ(block.Word(), c.word);
    ASSERT_EQ(block.Count(), static_cast<int>(c.fields.size()));
    for (int i = 0; i < block.Count(); ++i) EXPECT_EQ(block.Field(i), c.fields[i]) << i;
  }
}

TEST(cmcScrBlockTest, FieldsOutsideTheListAreEmpty) {
  cmcScrBlock block("x a, b ,c");
  EXPECT_EQ(block.Field(3), "");
  EXPECT_EQ(block.Field(-1), "");
  EXPECT_EQ(block.Field(1000), "");
}

TEST(cmcScrBlockTest, SetCountGrowsWithEmptyFieldsAndDropsTheRest) {
  cmcScrBlock block("x a, b ,c");
  block.SetCount(5);
  ASSERT_EQ(block.Count(), 5);
  EXPECT_EQ(block.Field(2), "c");
  EXPECT_EQ(block.Field(4), "");
  block.SetCount(1);
  EXPECT_EQ(block.Count(), 1);
  EXPECT_EQ(block.Field(0), "a");
  EXPECT_EQ(block.Field(1), "");
  block.SetCount(-3);
  EXPECT_EQ(block.Count(), 0);
}

}  // namespace
