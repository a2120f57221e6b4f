// kw-test: link=kw_test_cells_support
// The ranges list sheets show, over the fixture image, and the list-range
// answers of the sheet (good, bad and missing).
#include "cells/ListRange.h"

#include <gtest/gtest.h>

#include "core/ListRangeAnswer.h"
#include "core/cmcEvMan.h"
#include "model/ItemKinds.h"
#include "model/ListCounts.h"
#include "support/model/CellFixtureImage.h"

namespace {

class ListRangeTest : public ::testing::Test {
 protected:
  // The sheet's answer to the next queries.
  void Answer(ListRangeAnswer answer) {
    bus_->AddListener(this, [this, answer](const cmcEvent& event) {
      if (event.id == ev::QueryListRange) bus_->AnswerData(answer);
    });
  }

  ScopedEvMan bus_;
  cmcEeprom image_ = kwtest::MakeCellFixtureImage();
};

TEST_F(ListRangeTest, RepeaterGroupsComeFromTheGroupCounts) {
  struct Case {
    int group;
    ListRange range;
  };
  const Case cases[] = {
      {0, {0, 0, 2, 3}},   {1, {1, 3, 4, 2}},  {2, {2, 5, 4, 0}},  // an empty group
      {49, {49, 5, 4, 0}}, {50, {0, 0, 0, 0}}, {-1, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) EXPECT_EQ(GetRptGroupRange(image_, c.group), c.range) << c.group;
}

TEST_F(ListRangeTest, YourCallListRunsFromZeroOverItsCount) {
  EXPECT_EQ(GetYourCallRange(image_), (ListRange{0, 0, 2, 3}));
  cmcEeprom empty = image_;
  SetYourCallCount(empty, 0);
  EXPECT_EQ(GetYourCallRange(empty), (ListRange{0, 0, -1, 0}));
}

TEST_F(ListRangeTest, ActiveGroupsFollowTheSheetsAnswer) {
  struct Case {
    ListRangeAnswer answer;
    std::uint32_t kind;
    ListRange range;
  };
  const Case cases[] = {
      // GPS: the group's first position and the answered count.
      {{1, 2, 3}, itemkind::kGpsMemory, {1, 2, 4, 3}},
      {{0, 0, 2}, itemkind::kGpsMemory, {0, 0, 1, 2}},
      {{5, 0, 0}, itemkind::kGpsMemory, {5, 5, 4, 0}},  // empty group: after the used ones
      // Clipped to the 300 positions.
      {{1, 2, 400}, itemkind::kGpsMemory, {1, 2, 299, 298}},
      // Bad groups and counts: no range.
      {{27, 0, 3}, itemkind::kGpsMemory, {}},
      {{-1, 0, 3}, itemkind::kGpsMemory, {}},
      {{1, 2, -1}, itemkind::kGpsMemory, {}},
      // Repeaters: the group of the answer, counted from the image.
      {{1, 3, 2}, itemkind::kRepeater, {1, 3, 4, 2}},
      {{1, 0, 99}, itemkind::kRepeater, {1, 3, 4, 2}},
      {{50, 0, 1}, itemkind::kRepeater, {}},
      // The your-call list asks nothing.
      {{1, 2, 3}, itemkind::kYourCall, {0, 0, 2, 3}},
      // Other kinds have no range.
      {{1, 2, 3}, itemkind::kChannel, {}},
      {{1, 2, 3}, itemkind::kRxCall, {}},
  };
  for (const Case& c : cases) {
    Answer(c.answer);
    EXPECT_EQ(GetListRangeByKind(image_, bus_.Bus(), c.kind), c.range)
        << "kind " << c.kind << " answer " << c.answer.group << "," << c.answer.first << ","
        << c.answer.count;
  }
}

TEST_F(ListRangeTest, NoTypedAnswerMeansNoRange) {
  EXPECT_EQ(GetActiveGpsGroupRange(image_, bus_.Bus()), ListRange{});
  EXPECT_EQ(GetActiveRptGroupRange(image_, bus_.Bus()), ListRange{});
  // A listener that answers something else is not a list sheet.
  bus_->AddListener(this, [this](const cmcEvent& event) {
    if (event.id == ev::QueryListRange) bus_->AnswerValues(1, 3);
  });
  EXPECT_EQ(GetActiveGpsGroupRange(image_, bus_.Bus()), ListRange{});
  EXPECT_EQ(GetActiveRptGroupRange(image_, bus_.Bus()), ListRange{});
}

TEST_F(ListRangeTest, RowsAfterTheLastAndRowsOfEmptyListsArePast) {
  struct Case {
    std::uint32_t kind;
    int index;
    ListRange range;
    bool past;
  };
  const Case cases[] = {
      {itemkind::kRepeater, 4, {1, 3, 4, 2}, false},
      {itemkind::kRepeater, 5, {1, 3, 4, 2}, true},
      {itemkind::kRepeater, 3, {1, 3, 4, 2}, false},
      {itemkind::kGpsMemory, 5, {2, 5, 4, 0}, true},
      {itemkind::kYourCall, 0, {0, 0, -1, 0}, true},
      {itemkind::kYourCall, 0, {}, true},  // no answer: no rows
      // Only the three lists have a range.
      {itemkind::kChannel, 5, {1, 3, 4, 2}, false},
      {itemkind::kScanEdge, 9, {}, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(IsPastRangeByKind(c.kind, c.index, c.range), c.past)
        << "kind " << c.kind << " index " << c.index;
  EXPECT_TRUE(IsPastRange(5, {1, 3, 4, 2}));
  EXPECT_FALSE(IsPastRange(4, {1, 3, 4, 2}));
}

}  // namespace
