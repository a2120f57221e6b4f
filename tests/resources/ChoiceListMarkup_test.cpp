// kw-test: label=texts
// kw-test: link=sheet_choices
// The choice lists read through the markup parser and the option text cache,
// in all three built-in tables: the options are data cells of the list's id
// with the source's values in the source's reading order, no markup
// variables, command lines or repeated values, each with a caption; cell
// texts only where the source declares them; and the spot values the cells
// rely on.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "cells/names/CellNames.h"
#include "core/cmcGTex.h"
#include "platform/Cp932.h"
#include "resources/text/TextTables.h"
#include "sheet/choices/ChoiceOptions.h"
#include "sheet/choices/cmcFCache.h"
#include "sheet/cmcCellObj.h"
#include "support/ChoiceListSource.h"

namespace {

struct Named {
  const char* name;
  const kwres::LineArray* table;
  bool japanese;
};

const Named kTables[] = {{"English", &kwres::kTextEnglish, false},
                         {"Japanese", &kwres::kTextJapanese, true},
                         {"mixed", &kwres::kTextMixed, true}};

std::string Utf8(const std::string& cp932) { return platform::Cp932ToUnicode(cp932).toStdString(); }

TEST(ChoiceListMarkup, OptionsAreDataCellsOfTheListIdInEveryTable) {
  for (const Named& t : kTables) {
    cmcGTex gtex;
    gtex.SetSource(*t.table);
    for (const choicegen::ChoiceList& l : kwtest::SourceChoiceLists()) {
      const std::int32_t id = GetCellIdIndex(l.listId);
      const std::string where = std::string(t.name) + " " + l.key;
      // Every cell of every line: an option cell or a spacer, never a command
      // line; parsing without variables fails on any variable.
      std::set<int> values;
      for (int line = 0;; ++line) {
        const std::string text = gtex.GetText(l.key + "_Cells", line);
        if (!text.empty() && text[0] == '#') break;
        ASSERT_FALSE(text.empty() || text[0] == ':') << where << " line " << line;
        std::string_view rest = text;
        cmcCellObj cell;
        while (!rest.empty()) {
          rest = cell.Parse(rest, gtex, nullptr, nullptr);
          if (cell.cellId == id) {
            EXPECT_TRUE(cell.IsDataCell()) << where;
            EXPECT_TRUE(values.insert(cell.index).second) << where << " value " << cell.index;
            EXPECT_FALSE(cell.GetCaption().empty()) << where << " value " << cell.index;
          } else {
            EXPECT_EQ(cell.cellId, CL_None) << where;
            EXPECT_FALSE(cell.IsDataCell()) << where;
          }
        }
      }

      const choices::ChoiceListText read = choices::ReadChoiceOptions(gtex, l.key, id);
      ASSERT_EQ(read.options.size(), l.options.size()) << where;
      for (std::size_t i = 0; i < read.options.size(); ++i) {
        // Parse order is row by row; the source gives column by column.
        const int rows = l.Rows();
        const auto& parsed = read.options[i];
        const auto& expected = l.options[static_cast<std::size_t>(
            parsed.position / (l.spacers ? 2 : 1) * rows + parsed.line)];
        EXPECT_EQ(parsed.value, expected.value) << where;
        EXPECT_EQ(parsed.caption,
                  kwtest::SourceTextInTable(t.japanese ? expected.japanese : expected.english))
            << where;
        EXPECT_EQ(parsed.text, expected.hasCellText ? expected.cellText : parsed.caption) << where;
      }
      ASSERT_EQ(read.lineCount, l.Rows()) << where;
    }
  }
}

// The cache steps every list in the source's order.
TEST(ChoiceListMarkup, CacheStepsInTheSourceOrder) {
  cmcGTex gtex;
  gtex.SetSource(kwres::kTextEnglish);
  cmcFCache cache(gtex);
  for (const choicegen::ChoiceList& l : kwtest::SourceChoiceLists()) {
    const std::int32_t id = GetCellIdIndex(l.listId);
    const choices::ChoiceTable* table = cache.Table(l.key, id);
    ASSERT_NE(table, nullptr) << l.key;
    std::vector<int> order;
    for (const choices::ChoiceOption& o : table->ReadingOrder()) order.push_back(o.value);
    EXPECT_EQ(order, kwtest::SourceValues(l.key)) << l.key;
  }
}

TEST(ChoiceListMarkup, SpotValues) {
  cmcGTex gtex;
  gtex.SetSource(kwres::kTextEnglish);
  cmcFCache cache(gtex);
  struct Case {
    const char* key;
    int id;
    int value;
    const char* text;
  } cases[] = {
      {"GI_Sheet_Sel_Mch_TFreq", Flex0, 8, "88.5Hz"},
      {"GI_Sheet_Sel_Mch_DTCS", Flex0, 0, "023"},
      {"GI_Sheet_Sel_Mch_DTCS", Flex0, 103, "754"},
      {"GI_Sheet_Sel_Rpt_Type", Flex0, 2, "FM Repeater"},
      {"GI_Sheet_Sel_Common_CsvDate", Flex0, 1, "mm/dd/yyyy"},
      {"GI_Sheet_Common_SubBandMute", Flex0, 3, "Mute & Beep"},
      {"GI_Sheet_Sel_Common_APRS_Symbol", Flex0, 12, "Car"},
      {"GI_Sheet_Sel_Common_APRS_Symbol", Flex0, 58, "Quor Radio"},
      {"GI_Sheet_Sel_Mch_TSQL", Flex0, 12, "?12"},
      {"GI_Sheet_Sel_Mch_TSQL", Flex0, 4, "?4"},
      {"GI_Sheet_Sel_Mch_Bank_Group", Flex0, 255, ""},
      {"GI_Sheet_Sel_Rpt_Dup_DV", CL_FlexMark_RptDup, 0, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(cache.GetText(c.key, c.id, c.value), c.text) << c.key;

  auto values = [&](const char* key, int id) {
    std::vector<int> v;
    for (const auto& o : cache.Table(key, id)->ReadingOrder()) v.push_back(o.value);
    return v;
  };
  EXPECT_EQ(values("GI_Sheet_Sel_Mch_TS_Pitch_Air_w12_5", CL_FlexMark_Mch),
            (std::vector<int>{2, 5, 8, 14}));
  EXPECT_EQ(values("GI_Sheet_Sel_PgSrch_TS_Pitch_Bar", CL_FlexMark_PgSrch),
            (std::vector<int>{255}));
  // A CSV tone of 88.6 Hz: the tone list gives 88.5 Hz.
  EXPECT_EQ(cache.MatchTyped("GI_Sheet_Sel_Mch_TFreq", Flex0, "88.6", 0), 8);
}

// With the Japanese table the cache shows the Japanese caption.
TEST(ChoiceListMarkup, JapaneseTableGivesJapaneseTexts) {
  cmcGTex gtex;
  gtex.SetSource(kwres::kTextJapanese);
  cmcFCache cache(gtex);
  EXPECT_EQ(Utf8(cache.GetText("GI_Sheet_Sel_Common_CIV_BaudRate", Flex0, 5)), "オート");
  EXPECT_EQ(Utf8(cache.GetText("GI_Sheet_Sel_Rpt_Type", Flex0, 2)), "FMレピーター");
}

}  // namespace
