// The warning check's scan of its check list: error over warning, the
// references that go to each list, and when the tree's marks are renewed.
#include "app/WarningCheckScan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "core/cmcGTex.h"
#include "resources/text/TextTables.h"
#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellObj.h"

namespace {

using warningcheck::ScanResult;

// A table holding the check list (its values, then the key after it).
ScanResult Scan(const std::vector<std::string>& values,
                const std::map<std::string, std::uint8_t>& answers,
                std::vector<std::string>* seen = nullptr) {
  std::vector<std::string> lines = {"", "#GI_WarningCheckList"};
  lines.insert(lines.end(), values.begin(), values.end());
  lines.insert(lines.end(), {"#GI_Next", "x", "#End_Of_Ovl"});
  cmcGTex texts;
  texts.SetSource(lines);
  return warningcheck::ScanWarningCheckList(texts, [&](cmcCellObj& cell) -> std::uint8_t {
    const std::string ref = cell.bindingText.value_or("(none)");
    if (seen) seen->push_back(ref);
    const auto it = answers.find(ref);
    return it == answers.end() ? 0 : it->second;
  });
}

constexpr std::uint8_t kW = cellstate::kWarning;
constexpr std::uint8_t kE = cellstate::kError;

TEST(WarningCheckScanTest, ErrorsWinOverWarningsAndEachCellCountsOnce) {
  const std::vector<std::string> list = {
      "{(%CL_Check_MemoryCH0:[St_ColCut]GI_Sheet_MemoryCH,0,0)}",
      "{(%CL_Check_MemoryCH1:[St_ColCut]GI_Sheet_MemoryCH,1,100)}",
      "{(%CL_Check_BankCHA:[St_CCBank]GI_Sheet_BankCH,21)}",
      "{(%CL_Check_URList:[St_UrList]GI_Sheet_You_Callsign,120,UrCH)}",
  };
  std::vector<std::string> seen;
  const ScanResult r = Scan(list,
                            {{"[St_ColCut]GI_Sheet_MemoryCH,0,0", kW},
                             {"[St_ColCut]GI_Sheet_MemoryCH,1,100", kW | kE},
                             {"[St_UrList]GI_Sheet_You_Callsign,120,UrCH", kE}},
                            &seen);
  EXPECT_EQ(seen.size(), 4u);  // every cell, in order, up to the next key
  EXPECT_EQ(seen.front(), "[St_ColCut]GI_Sheet_MemoryCH,0,0");
  EXPECT_EQ(r.errors, 2);
  EXPECT_EQ(r.warnings, 1);
  EXPECT_EQ(r.OverlayFor("[St_ColCut]GI_Sheet_MemoryCH,0,0"), 1);
  EXPECT_EQ(r.OverlayFor("[St_ColCut]GI_Sheet_MemoryCH,1,100"), 0);
  EXPECT_EQ(r.OverlayFor("[St_CCBank]GI_Sheet_BankCH,21"), -1);
  EXPECT_EQ(r.OverlayFor("[St_UrList]GI_Sheet_You_Callsign,120,UrCH"), 0);
  EXPECT_FALSE(r.IsWarning("[St_ColCut]GI_Sheet_MemoryCH,1,100"));
  EXPECT_TRUE(r.renewMarks);
}

TEST(WarningCheckScanTest, MarksAreRenewedOnlyWhenTheLastCellHasAReference) {
  struct Case {
    const char* what;
    std::vector<std::string> list;
    bool renew;
  } cases[] = {
      {"empty list", {}, false},
      {"last cell without binding text",
       {"{(%CL_Check_ScanEdge:GI_Sheet_ScanEdge,48)}", "{}"},
       false},
      {"binding text of the last cell",
       {"{}", "{(%CL_Check_ScanEdge:GI_Sheet_ScanEdge,48)}"},
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ScanResult r = Scan(c.list, {});
    EXPECT_EQ(r.renewMarks, c.renew);
    EXPECT_EQ(r.errors + r.warnings, 0);
  }
}

// The reused cell keeps nothing of the cell before it.
TEST(WarningCheckScanTest, ACellWithoutBindingTextDoesNotTakeTheOneBefore) {
  std::vector<std::string> seen;
  Scan({"{(%CL_Check_ScanEdge:GI_Sheet_ScanEdge,48)}", "{(%CL_Check_URList)}"}, {}, &seen);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1], "(none)");
}

// The built-in list: one check cell per list page, in the order memory
// channels, banks, call channels, scan edges, your calls, repeater groups,
// each naming its page as the tree node does; the same in every table.
TEST(WarningCheckScanTest, TheBuiltInListNamesEveryCheckedPageOnce) {
  const kwres::LineArray* tables[] = {&kwres::kTextEnglish, &kwres::kTextJapanese,
                                      &kwres::kTextMixed};
  std::vector<std::string> first;
  for (const kwres::LineArray* table : tables) {
    cmcGTex texts;
    texts.SetSource(*table);
    std::vector<std::string> references;
    std::vector<std::string> cellNames;
    const ScanResult r = warningcheck::ScanWarningCheckList(texts, [&](cmcCellObj& cell) {
      references.push_back(cell.bindingText.value_or(""));
      cellNames.emplace_back(GetCellIdName(cell.cellId));
      return std::uint8_t{kE};
    });
    ASSERT_EQ(cellNames.size(), 89u);
    EXPECT_EQ(cellNames[0], "CL_Check_MemoryCH0");
    EXPECT_EQ(cellNames[10], "CL_Check_BankCHA");
    EXPECT_EQ(cellNames[36], "CL_Check_MemoryCHC");
    EXPECT_EQ(cellNames[37], "CL_Check_ScanEdge");
    EXPECT_EQ(cellNames[38], "CL_Check_URList");
    EXPECT_EQ(cellNames[88], "CL_Check_RPTList49");
    ASSERT_EQ(references.size(), 89u);
    EXPECT_EQ(r.errors, 89);
    EXPECT_TRUE(r.renewMarks);
    EXPECT_EQ(references[0], "[St_ColCut]GI_Sheet_MemoryCH,0,0");
    EXPECT_EQ(references[9], "[St_ColCut]GI_Sheet_MemoryCH,9,900");
    EXPECT_EQ(references[10], "[St_CCBank]GI_Sheet_BankCH,21");
    EXPECT_EQ(references[35], "[St_CCBank]GI_Sheet_BankCH,46");
    EXPECT_EQ(references[36], "[St_ColCut]GI_Sheet_CallCh,47");
    EXPECT_EQ(references[37], "[St_ColCut]GI_Sheet_ScanEdge,48");
    EXPECT_EQ(references[38], "[St_UrList]GI_Sheet_You_Callsign,120,UrCH");
    EXPECT_EQ(references[39], "[St_RptList]GI_Sheet_RepeaterList,123,RptCH  0");
    EXPECT_EQ(references[88], "[St_RptList]GI_Sheet_RepeaterList,172,RptCH 49");
    std::vector<std::string> sorted = references;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end());
    if (first.empty())
      first = references;
    else
      EXPECT_EQ(references, first);
  }
}

}  // namespace
