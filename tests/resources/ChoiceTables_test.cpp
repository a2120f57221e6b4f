// kw-test: label=texts
// The choice lists as the built-in tables hold them: every list has its three
// sheet values in the English, Japanese and mixed tables, with the same
// option cells (list id and value, in the same rows and columns) in all
// three, each with a caption, English captions in the English table and the
// Japanese ones in the other two.
#include <gtest/gtest.h>

#include <QString>
#include <map>
#include <ostream>
#include <regex>
#include <string>
#include <vector>

#include "ChoiceArea.h"
#include "core/SjisBytes.h"
#include "platform/Cp932.h"
#include "resources/text/TextTables.h"
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

using Values = std::map<std::string, std::vector<std::string>>;

// Key -> its value lines (up to the next key line).
Values ValuesByKey(const kwres::LineArray& a) {
  Values out;
  std::vector<std::string>* current = nullptr;
  for (std::size_t i = 0; i < a.count; ++i) {
    const std::string line = a.lines[i];
    if (line.size() >= 2 && line[0] == '#') {
      current = &out[line.substr(1)];
      continue;
    }
    if (current) current->push_back(line);
  }
  return out;
}

const Values& TableValues(const kwres::LineArray& a) {
  static std::map<const kwres::LineArray*, Values> cache;
  auto it = cache.find(&a);
  if (it == cache.end()) it = cache.emplace(&a, ValuesByKey(a)).first;
  return it->second;
}

// One option cell as the table holds it.
struct Cell {
  std::string id;
  int value;
  bool hasCellText;
  std::string caption;
  bool operator==(const Cell&) const = default;
};

void PrintTo(const Cell& c, std::ostream* os) {
  *os << "{" << c.id << "[" << c.value << "]" << (c.hasCellText ? ":" : "") << " "
      << platform::Cp932ToUnicode(c.caption).toStdString() << "}";
}

// The option cells of one "_Cells" line, left to right; spacer cells are
// counted as nullopt-like entries with an empty id.
std::vector<Cell> CellsOfLine(const std::string& line) {
  static const std::regex option(R"(^\{S\(%(\w+)\[(\d+)\](:[^)]*)?\)\}(.*)$)");
  std::vector<Cell> cells;
  std::size_t start = 0;
  for (;;) {
    // The separator, never the trail byte of a double-byte character ("ポ" is 83 7C).
    std::size_t bar = start;
    while (bar < line.size() && line[bar] != '|') bar += core::SjisCharLength(line, bar);
    if (bar >= line.size()) bar = std::string::npos;
    const std::string text = line.substr(start, bar == std::string::npos ? bar : bar - start);
    std::smatch m;
    if (text == choicegen::kChoiceSpacerCell)
      cells.push_back({"", -1, false, ""});
    else if (std::regex_match(text, m, option))
      cells.push_back({m[1], std::stoi(m[2]), m[3].matched, m[4]});
    else
      cells.push_back({"?", -1, false, text});
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  return cells;
}

TEST(ChoiceTables, EveryListHasItsThreeSheetValuesInEveryTable) {
  ASSERT_EQ(kwtest::SourceChoiceLists().size(), 162u);
  for (const Named& t : kTables) {
    const Values& v = TableValues(*t.table);
    for (const choicegen::ChoiceList& l : kwtest::SourceChoiceLists()) {
      const auto style = v.find(l.key + "_Style");
      const auto basic = v.find(l.key + "_BasicCell");
      const auto cells = v.find(l.key + "_Cells");
      ASSERT_TRUE(style != v.end() && basic != v.end() && cells != v.end())
          << t.name << " " << l.key;
      EXPECT_EQ(style->second, std::vector<std::string>{""}) << t.name << " " << l.key;
      EXPECT_EQ(basic->second, std::vector<std::string>{"{($Basic)($bMn)}"}) << l.key;
      ASSERT_FALSE(cells->second.empty());
      EXPECT_EQ(cells->second.back(), "#") << t.name << " " << l.key;
    }
  }
}

// The same cells in the same places in all three tables, as the source lays
// them out, each captioned in the table's language.
TEST(ChoiceTables, OptionCellsAgreeWithTheSourceInEveryTable) {
  for (const choicegen::ChoiceList& l : kwtest::SourceChoiceLists()) {
    const int rows = l.Rows();
    for (const Named& t : kTables) {
      const std::vector<std::string>& lines = TableValues(*t.table).at(l.key + "_Cells");
      ASSERT_EQ(static_cast<int>(lines.size()), rows + 1) << t.name << " " << l.key;
      for (int r = 0; r < rows; ++r) {
        std::vector<Cell> expected;
        for (int c = 0; c < l.columns; ++c) {
          const int i = c * rows + r;
          if (i >= static_cast<int>(l.options.size())) break;
          if (c > 0 && l.spacers) expected.push_back({"", -1, false, ""});
          const choicegen::Option& o = l.options[static_cast<std::size_t>(i)];
          expected.push_back({l.listId, o.value, o.hasCellText,
                              kwtest::SourceTextInTable(t.japanese ? o.japanese : o.english)});
        }
        const std::vector<Cell> actual = CellsOfLine(lines[static_cast<std::size_t>(r)]);
        EXPECT_EQ(actual, expected) << t.name << " " << l.key << " row " << r;
        for (const Cell& c : actual) {
          if (!c.id.empty()) {
            EXPECT_FALSE(c.caption.empty()) << t.name << " " << l.key;
          }
        }
      }
    }
  }
}

// A list that has Japanese words shows them in the Japanese table: its cells
// there differ from the English ones.
TEST(ChoiceTables, JapaneseTablesShowTheJapaneseCaptions) {
  const Values& en = TableValues(kwres::kTextEnglish);
  const Values& ja = TableValues(kwres::kTextJapanese);
  const Values& mixed = TableValues(kwres::kTextMixed);
  for (const choicegen::ChoiceList& l : kwtest::SourceChoiceLists()) {
    const std::string key = l.key + "_Cells";
    EXPECT_EQ(mixed.at(key), ja.at(key)) << key;
    if (l.Neutral()) {
      EXPECT_EQ(ja.at(key), en.at(key)) << key;
    } else {
      EXPECT_NE(ja.at(key), en.at(key)) << key;
    }
  }
}

}  // namespace
