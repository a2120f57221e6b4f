// kw-test: slow
// kw-test: label=texts
// Every program list with every byte value and the largest stored value:
// plain queries never change the value, steps always land on an option,
// and a Flex0 cell never shows an empty text unless the list says so.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "CapsuleKit.h"
#include "cells/ChoiceList.h"
#include "cells/names/CellNames.h"
#include "core/cmcGTex.h"
#include "resources/text/TextTables.h"
#include "sheet/choices/cmcFCache.h"
#include "support/ChoiceListSource.h"
#include "support/RecordingDialogs.h"

namespace {

std::vector<std::int32_t> SweepValues() {
  std::vector<std::int32_t> values;
  for (int v = 0; v <= 255; ++v) values.push_back(v);
  values.push_back(0x7FFFFFFF);
  return values;
}

TEST(ChoiceListSweep, EveryListAndValue) {
  cmcGTex gtex;
  gtex.SetSource(kwres::kTextEnglish);
  cmcFCache cache(gtex);
  kwtest::RecordingDialogs dialogs;
  const std::vector<std::int32_t> values = SweepValues();
  for (const choicegen::ChoiceList& list : kwtest::SourceChoiceLists()) {
    const int id = GetCellIdIndex(list.listId);
    const char* key = list.key.c_str();
    for (const std::int32_t stored : values) {
      const choicegen::Option* option = nullptr;
      for (const choicegen::Option& o : list.options)
        if (o.value == stored) option = &o;
      const bool emptyDeclared = option && option->hasCellText && option->cellText.empty();

      // Queries, with and without an owner, and keys without one.
      for (cmcCellCapsule c :
           {kwtest::Query(), kwtest::PlainQuery(), kwtest::PlainQuery(cellop::kSpace),
            kwtest::PlainQuery(cellop::kBackspace), kwtest::Key('x')}) {
        std::int32_t value = stored;
        int status = 0;
        EXPECT_EQ(SelectChoiceById(cache, c, key, value, id, status), 0) << key << " " << stored;
        EXPECT_EQ(value, stored) << key;
        EXPECT_EQ(status, 0) << key;
        if (id == Flex0) {
          EXPECT_EQ(c.outputText.empty(), emptyDeclared) << key << " " << stored;
        } else {
          EXPECT_EQ(c.outputText.empty(), !option || emptyDeclared) << key << " " << stored;
        }
      }
      // Steps land on an option.
      for (int op : {cellop::kSpace, cellop::kBackspace}) {
        std::int32_t value = stored;
        int status = 0;
        cmcCellCapsule c = kwtest::Key(op);
        EXPECT_EQ(SelectChoiceById(cache, c, key, value, id, status), 1) << key;
        EXPECT_TRUE(kwtest::SourceHasValue(list.key, value)) << key << " " << stored;
      }
      // Entries that match nothing change nothing.
      for (const char* typed : {"", "\x82\x60", "~~~~~~~~~~~"}) {
        for (int mode = 0; mode <= 3; ++mode) {
          std::int32_t value = stored;
          int status = 0;
          cmcCellCapsule c = kwtest::Commit(typed);
          EXPECT_EQ(SelectTypedChoice(cache, c, key, value, mode, id, status), 0) << key;
          EXPECT_EQ(value, stored) << key;
        }
      }
    }
  }
  EXPECT_TRUE(dialogs.lists.empty());
}

}  // namespace
