// The repeater import's whole-group moves equal deleting and inserting the
// entries one at a time with the list primitives, byte for byte, over lists
// of several shapes (empty, full groups at both ends, a selected entry in
// and after the moved groups, records that do not store).
#include "model/csv/CsvRepeaterBulk.h"

#include <gtest/gtest.h>

#include <random>

#include "csv/CsvRig.h"
#include "model/ItemKinds.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/ListEdit.h"

namespace {

using csv::AppendRptRecords;
using csv::DeleteRptGroups;

datCh Record(const cmcEeprom& initial, int n) {
  datCh r = LoadDetached(initial, itemkind::kBlankRepeater, 0);
  r.flags |= datCh::kUsed;
  const std::string call = "JA" + std::to_string(n);
  SetText(r.rptCall, call.c_str());
  r.freq = 430000000 + 5000 * static_cast<std::uint32_t>(n % 1000);
  r.useFrom = static_cast<std::uint32_t>(n % 2);
  r.rptMode = n % 7 == 0 ? 9 : 0;  // does not fit its bits: the store refuses it
  return r;
}

// A list with `count` entries spread over the groups by the generator.
cmcEeprom Shape(const cmcEeprom& initial, std::mt19937& random, int count, int selected) {
  cmcEeprom image = initial;
  for (int n = 0; n < count; ++n) {
    const int g = static_cast<int>(random() % 50);
    const int at = GetRptGroupFirst(image, g) + GetRptGroupCount(image, g);
    EXPECT_TRUE(RptListInsert(image, g, at));
    datCh r = Record(initial, 5000 + n);
    r.rptMode = 0;
    r.SetImage(&image);
    r.Store(itemkind::kRepeater, static_cast<std::uint32_t>(at));
  }
  SetSelectedRepeater(image, static_cast<std::uint16_t>(selected));
  return image;
}

TEST(CsvRepeaterBulk, EqualsOneEntryAtATime) {
  kwtest::CsvRig rig;
  std::mt19937 random(29);
  struct Case {
    int entries;
    int selected;
    int first;
    int last;
    int added;
  };
  const Case cases[] = {
      {0, 0xFFFF, 0, 49, 40},   {30, 3, 0, 49, 30},   {30, 20, 5, 5, 12},
      {200, 150, 10, 20, 60},  {200, 1499, 49, 49, 9}, {1480, 700, 0, 0, 15},
      {100, 99, 3, 3, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.entries << " entries, groups " << c.first << ".."
                                    << c.last);
    const cmcEeprom start = Shape(rig.initial, random, c.entries, c.selected);
    std::vector<std::pair<int, datCh>> rows;
    for (int n = 0; n < c.added; ++n) {
      const int g = c.first == c.last ? c.first : static_cast<int>(random() % 50);
      rows.emplace_back(g, Record(rig.initial, n));
    }
    cmcEeprom bulk = start;
    DeleteRptGroups(bulk, c.first, c.last);
    cmcEeprom single = start;
    for (int g = c.first; g <= c.last; ++g)
      while (GetRptGroupCount(single, g) > 0) RptListDelete(single, g, GetRptGroupFirst(single, g));
    ASSERT_TRUE(bulk == single) << "deleted";

    if (GetRptTotalCount(single) + c.added > layout::kRptCapacity) rows.resize(
        static_cast<std::size_t>(layout::kRptCapacity - GetRptTotalCount(single)));
    AppendRptRecords(bulk, rows);
    for (const auto& [g, record] : rows) {
      const int at = GetRptGroupFirst(single, g) + GetRptGroupCount(single, g);
      ASSERT_TRUE(RptListInsert(single, g, at));
      datCh r = record;
      r.SetImage(&single);
      r.Store(itemkind::kRepeater, static_cast<std::uint32_t>(at));
    }
    EXPECT_TRUE(bulk == single) << "appended";
    EXPECT_EQ(GetSelectedRepeater(bulk), GetSelectedRepeater(single));
  }
}

}  // namespace
