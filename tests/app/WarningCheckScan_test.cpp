// The warning check's scan of its check list: error over warning, the
// references that go to each list, and when the tree's marks are renewed.
#include "app/WarningCheckScan.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "core/cmcGTex.h"
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

}  // namespace
