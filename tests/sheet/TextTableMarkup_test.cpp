// kw-test: label=texts
// The markup in the built-in text tables: the cell models hold exactly the
// attribute sets the sheets are drawn with and parse, no model applies
// itself, the dialog font specs read, the basic cells parse, the tree and
// tool-bar bodies are well formed, and every cell name of the help-topic map
// is a cell id.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "cells/names/CellNames.h"
#include "core/FontSpec.h"
#include "core/cmcGTex.h"
#include "platform/LocaleInfo.h"
#include "resources/text/TextTables.h"
#include "sheet/MarkupBodyCheck.h"
#include "sheet/cmcCellObj.h"
#include "support/BuiltInTextTables.h"

namespace {

using Named = kwtest::NamedTextTable;
constexpr const auto& kTables = kwtest::kBuiltInTextTables;

bool IsKey(std::string_view l) { return l.size() >= 2 && l[0] == '#'; }

// Key -> value 0 of every key of the table.
std::map<std::string, std::string> FirstValues(const kwres::LineArray& a) {
  std::map<std::string, std::string> values;
  for (std::size_t i = 0; i + 1 < a.count; ++i)
    if (IsKey(a.lines[i])) values[std::string(a.lines[i] + 1)] = a.lines[i + 1];
  return values;
}

const std::map<std::string, std::string> kCellModels = {
    {"Basic",
     "<-(Color=clWindow)(Font=DEFAULT_CHARSET,,clWindowText,-17,,,)(PopupMenu=GI_PMenu_Edit)"},
    {"BasicTree", "<-(Color=clWindow)(Font=DEFAULT_CHARSET,,clWindowText,-12,,,)"},
    {"iChN", ">-WHB(Color=clOlive)(Font=,,clWhite,,,fsBold,)"},
    {"iChI", "^-WH(Color=clGray)(Font=,,clWhite,,,fsBold,)"},
    {"iChG", "<_H(Color=clGreen)(Font=,,clWhite,,,fsBold,)"},
    {"eWh", "S<_WHB"},
    {"iCG", "<_H(Color=clGreen)(Font=,,clWhite,,,fsBold,)"},
    {"iCR", ">_WH(Color=clGray)(Font=,,clWhite,,,fsBold,)"},
    {"iSp", "(Color=clGray)"},
    {"iQp", "(%CT_Null.CL_Misc_QuarterPillar)"},
    {"iHlW", "(Color=clWhite)"},
    {"cbNE", "<_WHB"},
    {"cbNEo", "<_WHB(Font=,,clOlive,,,,)"},
    {"ciInd", ">~WHB(Font=,,clTeal,16,,fsBold,)"},
    {"ciDat", "<~WHB(Font=,,,16,,,)"},
    {"bMn", "<~WH(Color=clMenu)(PopupMenu=)"},
    {"tipsM", "-!SWHT(Font=,,clMaroon,,,,)"},
};

const std::map<std::string, std::string> kDialogFonts = {
    {"BasicDialog", "DEFAULT_CHARSET,,,-12,,,"},
    {"InitialDialog", "ANSI_CHARSET,Arial,,-12,,,"},
};

constexpr std::string_view kModelPrefix = "CellModel_";

class TableMarkupTest : public ::testing::TestWithParam<Named> {
 protected:
  TableMarkupTest() { gtex.SetSource(*GetParam().table); }
  platform::ScopedLocaleInfo locale{platform::LocaleInfo{}};
  cmcGTex gtex;
};

TEST_P(TableMarkupTest, CellModelsAreExactlyTheDrawingSets) {
  std::map<std::string, std::string> models;
  for (const auto& [key, value] : FirstValues(*GetParam().table))
    if (key.starts_with(kModelPrefix)) models[key.substr(kModelPrefix.size())] = value;
  std::map<std::string, std::string> expected = kCellModels;
  expected.insert(kDialogFonts.begin(), kDialogFonts.end());
  EXPECT_EQ(models, expected);
}

TEST_P(TableMarkupTest, CellModelsParseAsAttributes) {
  for (const auto& [name, value] : kCellModels) {
    SCOPED_TRACE(name);
    cmcCellObj basic;
    basic.Parse("{($Basic)}", gtex, nullptr, nullptr);
    CellVariables vars{};
    cmcCellObj cell;
    // Through the model's name, as the sheets apply it.
    EXPECT_EQ(cell.Parse("{($" + name + ")}", gtex, &vars, &basic), "");
    EXPECT_FALSE(cell.caption.has_value());
  }
}

TEST_P(TableMarkupTest, NoCellModelAppliesItself) {
  // Model -> the models its "($name)" items apply.
  std::map<std::string, std::set<std::string>> uses;
  for (const auto& [key, value] : FirstValues(*GetParam().table)) {
    if (!key.starts_with(kModelPrefix)) continue;
    std::set<std::string>& used = uses[key.substr(kModelPrefix.size())];
    for (std::size_t at = value.find("($"); at != std::string::npos; at = value.find("($", at + 2))
      used.insert(value.substr(at + 2, value.find(')', at) - (at + 2)));
  }
  for (const auto& [model, used] : uses) {
    // Everything reachable from the model.
    std::set<std::string> reached;
    std::vector<std::string> open(used.begin(), used.end());
    while (!open.empty()) {
      const std::string next = open.back();
      open.pop_back();
      EXPECT_TRUE(uses.count(next)) << model << " applies the missing model " << next;
      if (!reached.insert(next).second || !uses.count(next)) continue;
      open.insert(open.end(), uses[next].begin(), uses[next].end());
    }
    EXPECT_FALSE(reached.count(model)) << model << " applies itself";
  }
}

TEST_P(TableMarkupTest, DialogFontSpecsRead) {
  FontSpec basic = DefaultFontSpec();
  ParseFontSpec(gtex.GetFirst("CellModel_BasicDialog"), basic);
  EXPECT_EQ(basic.charset, charset::kDefault);
  EXPECT_EQ(basic.face, SystemDefaultFace());
  EXPECT_EQ(basic.height, -12);

  FontSpec initial = DefaultFontSpec();
  ParseFontSpec(gtex.GetFirst("CellModel_InitialDialog"), initial);
  EXPECT_EQ(initial.charset, charset::kAnsi);
  EXPECT_EQ(initial.face, "Arial");
  EXPECT_EQ(initial.height, -12);
}

TEST_P(TableMarkupTest, BasicCellsParse) {
  int count = 0;
  for (const auto& [key, value] : FirstValues(*GetParam().table)) {
    if (!key.ends_with("_BasicCell")) continue;
    SCOPED_TRACE(key);
    ++count;
    cmcCellObj cell;
    EXPECT_EQ(cell.Parse(value, gtex, nullptr, nullptr), "");
    EXPECT_TRUE(cell.font.has_value());
  }
  EXPECT_GE(count, 4);
}

// Every tree and tool-bar body the table holds is well formed: the
// builders would pass over a malformed line without a word.
TEST_P(TableMarkupTest, TreeAndToolBarBodiesAreWellFormed) {
  for (const auto& [key, value] : FirstValues(*GetParam().table)) {
    if (!key.ends_with("_Body")) continue;
    const std::string stem = key.substr(0, key.size() - std::string_view("_Body").size());
    std::vector<BodyLineFault> faults;
    if (stem.starts_with("GI_Tree_"))
      faults = CheckTreeBody(gtex, stem);
    else if (stem.starts_with("GI_ToolBar_"))
      faults = CheckToolBarBody(gtex, stem);
    for (const BodyLineFault& fault : faults)
      ADD_FAILURE() << key << " value " << fault.value << ": " << fault.what;
  }
}

INSTANTIATE_TEST_SUITE_P(Tables, TableMarkupTest, ::testing::ValuesIn(kTables),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HelpTopicMap, EveryCellNameIsACellId) {
  std::set<std::string> cellIds;
  for (std::int32_t id = 0; id < kCellIdCount; ++id) cellIds.emplace(GetCellIdName(id));
  const kwres::LineArray& map = kwres::kHelpTopicMap;
  bool inTopics = false;
  int rows = 0;
  for (std::size_t i = 0; i < map.count; ++i) {
    const std::string_view line = map.lines[i];
    if (line.starts_with('#')) {
      inTopics = line == "#GI_AppItem_Topic_ID";
      continue;
    }
    if (!inTopics || line.empty()) continue;
    ++rows;
    const std::string name(line.substr(0, line.find('\t')));
    EXPECT_TRUE(cellIds.count(name)) << "help-topic row names the unknown cell " << name;
  }
  EXPECT_GT(rows, 0);
}

}  // namespace
