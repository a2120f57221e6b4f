// kw-test: gui
// kw-test: label=texts
// kw-test: with=MainTableCheck.cpp
// The main window's markup in all three built-in tables: the tree, the main
// menu, the context menus and the tool bar parse line by line as their
// builders read them, the sheets their nodes open build with the rows,
// columns and bindings the program shows, and the warning check's cells name
// the same pages as the tree. The tables differ in captions only. Each check
// reports a fault planted in a copy of the English table.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "cells/names/CellNames.h"
#include "core/cmcGTex.h"
#include "platform/LocaleInfo.h"
#include "resources/text/TextTables.h"
#include "sheet/ShortcutText.h"
#include "sheet/cmcCellObj.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiSheet.h"
#include "support/BuiltInTextTables.h"
#include "tests/sheet/MainTableCheck.h"
#include "tests/sheet/SheetFixture.h"

namespace {

using Named = kwtest::NamedTextTable;
constexpr const auto& kTables = kwtest::kBuiltInTextTables;

std::set<std::string> TableKeys(const kwres::LineArray& a) {
  std::set<std::string> keys;
  for (std::size_t i = 0; i < a.count; ++i)
    if (a.lines[i][0] == '#' && a.lines[i][1] != '\0') keys.insert(a.lines[i] + 1);
  return keys;
}

// Values of a list key up to the first value starting with '#'.
std::vector<std::string> Body(cmcGTex& gtex, const std::string& key) {
  std::vector<std::string> lines;
  for (int n = 0;; ++n) {
    std::string line = gtex.GetText(key, n);
    if (!line.empty() && line[0] == '#') return lines;
    lines.push_back(std::move(line));
  }
}

// One line of a tree or menu body: the blanks before the first '+' are the
// depth, the rest is one cell over the basic cell.
struct Item {
  int depth = 0;
  cmcCellObj cell;
};

std::vector<Item> ReadLevelled(cmcGTex& gtex, const std::string& key, const cmcCellObj& basic) {
  std::vector<Item> items;
  for (const std::string& line : Body(gtex, key)) {
    const std::size_t plus = line.find('+');
    EXPECT_NE(plus, std::string::npos) << key << ": \"" << line << "\"";
    if (plus == std::string::npos) continue;
    Item item;
    item.depth = static_cast<int>(plus);
    EXPECT_EQ(line.find_first_not_of(' '), plus) << key << ": only blanks before the '+'";
    EXPECT_EQ(item.cell.Parse(std::string_view(line).substr(plus + 1), gtex, nullptr, &basic), "")
        << key << ": one cell per line";
    items.push_back(std::move(item));
  }
  return items;
}

cmcCellObj BasicCell(cmcGTex& gtex, const std::string& key) {
  cmcCellObj basic;
  basic.Parse(gtex.GetFirst(key + "_BasicCell"), gtex, nullptr, nullptr);
  return basic;
}

// "[St_Type]GI_Sheet_Key,number,parameter" -> "GI_Sheet_Key".
std::string SheetKeyOf(const std::string& reference) {
  std::size_t start = 0;
  if (!reference.empty() && reference[0] == '[') start = reference.find(']') + 1;
  return reference.substr(start, reference.find(',', start) - start);
}

class MainTables : public ::testing::TestWithParam<Named> {
 protected:
  MainTables() { gtex.SetSource(*GetParam().table); }
  platform::ScopedLocaleInfo locale{platform::LocaleInfo{}};
  cmcGTex gtex;
};

TEST_P(MainTables, TreeHoldsEveryPageInOrder) {
  const cmcCellObj basic = BasicCell(gtex, "GI_Tree_Main");
  const std::vector<Item> nodes = ReadLevelled(gtex, "GI_Tree_Main_Body", basic);
  const std::vector<tablecheck::TreeNode>& tree = tablecheck::ExpectedTree();
  ASSERT_EQ(nodes.size(), 153u);
  ASSERT_EQ(nodes.size(), tree.size());
  const std::set<std::string> keys = TableKeys(*GetParam().table);
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    const tablecheck::TreeNode& want = tree[i];
    const cmcCellObj& cell = nodes[i].cell;
    SCOPED_TRACE(want.reference);
    EXPECT_EQ(nodes[i].depth, want.depth);
    EXPECT_EQ(cell.imageIndex, want.image);
    EXPECT_EQ(cell.cellId, CallSheet);
    ASSERT_TRUE(cell.bindingText.has_value());
    EXPECT_EQ(*cell.bindingText, want.reference);
    // The root shows its image only; every other node has a caption.
    EXPECT_EQ(cell.GetCaption().empty(), i == 0);
    if (std::string(GetParam().name) == "English") {
      EXPECT_EQ(cell.GetCaption(), want.english);
    }
    const std::string sheet = SheetKeyOf(want.reference);
    for (const char* part : {"_Style", "_BasicCell", "_Cells"})
      EXPECT_TRUE(keys.count(sheet + part)) << sheet + part << " is missing";
  }
}

TEST_P(MainTables, MainMenuHasSixMenusWithTheirCommands) {
  const cmcCellObj basic = BasicCell(gtex, "GI_Menu_Main");
  const std::vector<Item> items = ReadLevelled(gtex, "GI_Menu_Main_Body", basic);
  ASSERT_FALSE(items.empty());
  EXPECT_EQ(items.front().depth, 0);
  int menus = 0;
  int separators = 0;
  std::multiset<std::int32_t> ids;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const cmcCellObj& cell = items[i].cell;
    if (i > 0) {
      EXPECT_LE(items[i].depth, items[i - 1].depth + 1) << "item " << i;
    }
    EXPECT_LE(items[i].depth, 2);
    EXPECT_FALSE(cell.GetCaption().empty()) << "item " << i;
    if (items[i].depth == 0) {
      ++menus;
      EXPECT_EQ(cell.cellId, CL_Null) << cell.GetCaption();
    }
    if (cell.GetCaption() == "-") ++separators;
    ids.insert(cell.cellId);
    if (cell.bindingText) {
      EXPECT_FALSE(TextToShortcuts(*cell.bindingText).isEmpty()) << *cell.bindingText;
    }
  }
  EXPECT_EQ(menus, 6);
  EXPECT_EQ(separators, 9);
  EXPECT_EQ(ids.count(CL_Menu_File_Recent), 4u);
  EXPECT_EQ(ids.count(CL_Menu_View_FontSize), 5u);
  EXPECT_EQ(ids.count(CL_Menu_View_Language), 2u);
  EXPECT_EQ(ids.count(CL_None), 2u + separators);  // "Font Size" and "Language" heads
  EXPECT_EQ(ids.count(CL_Menu_Edit_Top), 0u);
  for (std::int32_t id : {CL_Menu_File_New, CL_Menu_File_Open, CL_Menu_File_Save, CL_Menu_File_Exit,
                          CL_Menu_Clone_Read, CL_Menu_Clone_Write, CL_Menu_Clone_Info,
                          CL_Help_Contents, CL_Help_About})
    EXPECT_EQ(ids.count(id), 1u) << GetCellIdName(id);

  // Font sizes and languages carry their choice as the index.
  std::vector<int> sizes;
  std::vector<int> languages;
  for (const Item& item : items) {
    if (item.cell.cellId == CL_Menu_View_FontSize) sizes.push_back(item.cell.index);
    if (item.cell.cellId == CL_Menu_View_Language) languages.push_back(item.cell.index);
  }
  EXPECT_EQ(sizes, (std::vector<int>{60, 80, 100, 120, 150}));
  EXPECT_EQ(languages, (std::vector<int>{0, 1}));
}

TEST_P(MainTables, ToolBarHasSixButtonsAndElevenSeparators) {
  const cmcCellObj basic = BasicCell(gtex, "GI_ToolBar_Main");
  const std::vector<std::string> lines = Body(gtex, "GI_ToolBar_Main_Body");
  EXPECT_EQ(lines.size(), 17u);
  std::vector<std::pair<int, std::int32_t>> buttons;  // image, cell id
  int separators = 0;
  for (const std::string& line : lines) {
    cmcCellObj cell;
    EXPECT_EQ(cell.Parse(line, gtex, nullptr, &basic), "");
    if (cell.GetCaption() == "-") {
      ++separators;
      continue;
    }
    EXPECT_FALSE(cell.GetCaption().empty()) << "a button's caption is its hint";
    buttons.emplace_back(cell.imageIndex, cell.cellId);
  }
  EXPECT_EQ(separators, 11);
  const std::vector<std::pair<int, std::int32_t>> expected = {
      {0, CL_Menu_File_New},   {1, CL_Menu_File_Open},   {2, CL_Menu_File_Save},
      {7, CL_Menu_Clone_Read}, {8, CL_Menu_Clone_Write}, {9, CL_Menu_Clone_Info}};
  EXPECT_EQ(buttons, expected);
}

// The page references of the warning check's cells, in order.
std::vector<std::string> ExpectedCheckReferences() {
  std::vector<std::string> refs;
  for (int n = 0; n < 10; ++n)
    refs.push_back("[St_ColCut]GI_Sheet_MemoryCH," + std::to_string(n) + "," +
                   std::to_string(100 * n));
  for (int b = 0; b < 26; ++b)
    refs.push_back("[St_CCBank]GI_Sheet_BankCH," + std::to_string(21 + b));
  refs.push_back("[St_ColCut]GI_Sheet_CallCh,47");
  refs.push_back("[St_ColCut]GI_Sheet_ScanEdge,48");
  refs.push_back("[St_UrList]GI_Sheet_You_Callsign,120,UrCH");
  for (int g = 0; g < 50; ++g) {
    std::string number = std::to_string(g);
    number.insert(0, 3 - number.size(), ' ');
    refs.push_back("[St_RptList]GI_Sheet_RepeaterList," + std::to_string(123 + g) + ",RptCH" +
                   number);
  }
  return refs;
}

TEST_P(MainTables, CheckCellsNameTheTreePagesByteForByte) {
  const std::vector<std::string> lines = Body(gtex, "GI_WarningCheckList");
  const std::vector<std::string> expected = ExpectedCheckReferences();
  ASSERT_EQ(lines.size(), 89u);
  ASSERT_EQ(expected.size(), 89u);

  const cmcCellObj treeBasic = BasicCell(gtex, "GI_Tree_Main");
  std::map<std::string, std::string> treeByPage;  // "key,number" -> reference
  for (const Item& node : ReadLevelled(gtex, "GI_Tree_Main_Body", treeBasic)) {
    const std::string ref = node.cell.bindingText.value_or("");
    const std::size_t comma = ref.find(',');
    const std::size_t second = comma == std::string::npos ? comma : ref.find(',', comma + 1);
    treeByPage.emplace(
        SheetKeyOf(ref) +
            (comma == std::string::npos ? std::string() : ref.substr(comma, second - comma)),
        ref);
  }

  const std::set<std::string> keys = TableKeys(*GetParam().table);
  std::set<std::string> checkIds;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    cmcCellObj cell;
    EXPECT_EQ(cell.Parse(lines[i], gtex, nullptr, nullptr), "");
    const std::string name(GetCellIdName(cell.cellId));
    EXPECT_EQ(name.rfind("CL_Check_", 0), 0u) << name;
    EXPECT_TRUE(checkIds.insert(name).second) << name << " twice";
    ASSERT_TRUE(cell.bindingText.has_value());
    const std::string& ref = *cell.bindingText;
    EXPECT_EQ(ref, expected[i]);
    const std::string sheet = SheetKeyOf(ref);
    EXPECT_TRUE(keys.count(sheet + "_Cells")) << sheet;
    // Where the tree has the page, the two references are the same bytes.
    const std::size_t comma = ref.find(',');
    const auto node = treeByPage.find(sheet + ref.substr(comma, ref.find(',', comma + 1) - comma));
    if (node != treeByPage.end()) {
      EXPECT_EQ(node->second, ref);
    }
  }
}

std::vector<std::string> TableLines(const kwres::LineArray& table) {
  return std::vector<std::string>(table.lines, table.lines + table.count);
}

bool IsEnglish(const Named& table) { return std::string(table.name) == "English"; }

TEST_P(MainTables, HoldsTheMainWindowAsTheProgramShowsIt) {
  const tablecheck::Problems problems =
      tablecheck::CheckAll(gtex, TableLines(*GetParam().table), IsEnglish(GetParam()));
  EXPECT_TRUE(problems.empty()) << ::testing::PrintToString(problems);
}

TEST(MainTableTree, NodesOfTheListsOpenTheirPagesWithTheirParameters) {
  platform::ScopedLocaleInfo locale{platform::LocaleInfo{}};
  cmcGTex gtex;
  gtex.SetSource(kwres::kTextEnglish);
  const cmcCellObj basic = BasicCell(gtex, "GI_Tree_Main");
  std::map<std::string, std::string> byCaption;  // last node of a caption wins
  for (const Item& node : ReadLevelled(gtex, "GI_Tree_Main_Body", basic))
    byCaption[std::string(node.cell.GetCaption())] = node.cell.bindingText.value_or("");
  const std::pair<const char*, const char*> cases[] = {
      {"900 - 999", "[St_ColCut]GI_Sheet_MemoryCH,9,900"},
      {"Link1", "[St_PLink]GI_Sheet_ScanLink,52,26"},
      {"50:", "[St_RptList]GI_Sheet_RepeaterList,172,RptCH 49"},
      {"(No Group)", "[St_ChGps]GI_Sheet_GPS_BankCH,221,GpsMemory  0"},
      {"Z:", "[St_ChGps]GI_Sheet_GPS_BankCH,247,GpsMemory 26"},
  };
  for (const auto& [caption, reference] : cases)
    EXPECT_EQ(byCaption[caption], reference) << caption;
}

TEST_P(MainTables, ContextMenusBindTheirCommandsAndShortcuts) {
  const cmcCellObj basic = BasicCell(gtex, "GI_PMenu_Channel_RptList");
  const std::vector<Item> items = ReadLevelled(gtex, "GI_PMenu_Channel_RptList_Body", basic);
  EXPECT_EQ(items.size(), 15u);
  for (const char* text : {"Shift+Enter", "Ctrl+Up", "Ctrl+Down", "Ins", "Del", "Enter"})
    EXPECT_FALSE(TextToShortcuts(text).isEmpty()) << text;
}

INSTANTIATE_TEST_SUITE_P(Tables, MainTables, ::testing::ValuesIn(kTables),
                         [](const auto& info) { return std::string(info.param.name); });

// Every page the tree opens builds as a sheet, with the same rows, columns,
// cells and bindings in all three tables.
struct Page {
  const char* key;
  int rows;
  int cols;
  // Data cells of a column, top to bottom: cell id and index.
  std::map<int, std::vector<std::pair<std::int32_t, int>>> data;
};

std::vector<std::pair<std::int32_t, int>> Run(std::int32_t id, int count) {
  std::vector<std::pair<std::int32_t, int>> cells;
  for (int i = 0; i < count; ++i) cells.emplace_back(id, i);
  return cells;
}

std::vector<std::pair<std::int32_t, int>> Then(std::vector<std::pair<std::int32_t, int>> cells,
                                               std::int32_t id) {
  cells.emplace_back(id, 0);
  return cells;
}

const std::vector<Page>& Pages() {
  static const std::vector<Page> pages = {
      {"GI_Sheet_TopPage", 11, 2, {}},
      {"GI_Sheet_TreeTop", 1, 1, {}},
      {"GI_Sheet_RepeaterList_Top", 1, 1, {}},
      {"GI_Sheet_BankName", 29, 4, {{3, Run(CL_Bank_Name, 26)}}},
      {"GI_Sheet_DTMF_Memory",
       23,
       4,
       {{3, Then(Run(CL_DTMF_Memory_Code, 16), CL_Common_DTMF_SPEED)}}},
      {"GI_Sheet_GroupName", 53, 4, {{3, Run(CL_Group_Name, 50)}}},
      {"GI_Sheet_My_Callsign",
       9,
       6,
       {{3, Run(CL_My_Callsign_Sel, 6)},
        {4, Run(CL_My_Callsign_Code, 6)},
        {5, Run(CL_My_Callsign2_Code, 6)}}},
      {"GI_Sheet_Message",
       12,
       6,
       {{3, Then(Run(CL_Tx_Message_Ch_No, 5), CL_Tx_Message_Repeat)},
        {4, {}},
        {5, Run(CL_Tx_Message_Code, 5)}}},
      {"GI_Sheet_GPS_BankName", 29, 4, {{3, Run(CL_Gps_Bank_Name, 26)}}},
  };
  return pages;
}

// Row by row, every cell's binding and look flags.
using Shape = std::vector<std::tuple<std::int32_t, std::int32_t, int, int, int>>;

Shape ShapeOf(cuiSheet& sheet) {
  Shape shape;
  for (int r = 0; r < sheet.Grid()->RowCount(); ++r)
    for (int c = 0; c < sheet.Grid()->ColCount(); ++c) {
      const cmcCellObj* cell = sheet.GetCell(c, r);
      shape.emplace_back(cell->category, cell->cellId, cell->index, cell->layoutFlags,
                         cell->ruleFlags);
    }
  return shape;
}

TEST(MainTablePages, EveryTreePageBuildsAlikeInAllTables) {
  for (const Page& page : Pages()) {
    SCOPED_TRACE(page.key);
    Shape english;
    for (const Named& t : kTables) {
      SCOPED_TRACE(t.name);
      kwtest::SheetHost host;
      host.gtex.SetSource(*t.table);
      cuiSheet* sheet = host.Build(page.key, "");
      EXPECT_EQ(sheet->Grid()->RowCount(), page.rows);
      EXPECT_EQ(sheet->Grid()->ColCount(), page.cols);
      for (int c = 0; c < page.cols; ++c) {
        std::vector<std::pair<std::int32_t, int>> data;
        for (int r = 0; r < sheet->Grid()->RowCount(); ++r)
          if (sheet->IsDataCell(c, r))
            data.emplace_back(sheet->GetCell(c, r)->cellId, sheet->GetCell(c, r)->index);
        const auto want = page.data.find(c);
        EXPECT_EQ(data, want == page.data.end() ? decltype(data){} : want->second)
            << "column " << c;
      }
      const Shape shape = ShapeOf(*sheet);
      if (english.empty())
        english = shape;
      else
        EXPECT_EQ(shape, english);
      sheet->Release();
    }
  }
}

}  // namespace

// The three tables build the same tree, menus, tool bar and sheets; only the
// received-call page's last header differs in its right rule.
TEST(MainTableStructure, IsTheSameInAllTables) {
  cmcGTex english;
  english.SetSource(kwres::kTextEnglish);
  const std::map<std::string, tablecheck::Shape> reference = tablecheck::Shapes(english);
  EXPECT_EQ(reference.size(), 2u + 1u + 14u + 29u) << "tree, main menu, tool bar, 14 menus, sheets";
  EXPECT_EQ(tablecheck::ReceivedCallLastHeaderRule(english), 0);
  for (const Named& t : kTables) {
    if (IsEnglish(t)) continue;
    SCOPED_TRACE(t.name);
    cmcGTex gtex;
    gtex.SetSource(*t.table);
    const std::map<std::string, tablecheck::Shape> shapes = tablecheck::Shapes(gtex);
    ASSERT_EQ(shapes.size(), reference.size());
    for (const auto& [key, shape] : reference) EXPECT_EQ(shapes.at(key), shape) << key;
    EXPECT_EQ(tablecheck::ReceivedCallLastHeaderRule(gtex), 1);
  }
}

// Each check finds a fault planted in a copy of the English table.
struct Fault {
  const char* what;
  const char* find;     // first line containing it
  const char* replace;  // the part of that line replaced; "": `with` is a line put after it
  const char* with;
  const char* reported;  // part of the problem expected
};

std::vector<std::string> Planted(const Fault& fault) {
  std::vector<std::string> lines = TableLines(kwres::kTextEnglish);
  for (auto line = lines.begin(); line != lines.end(); ++line) {
    if (line->find(fault.find) == std::string::npos) continue;
    if (std::string_view(fault.replace).empty()) {
      lines.insert(line + 1, fault.with);
    } else {
      line->replace(line->find(fault.replace), std::string_view(fault.replace).size(), fault.with);
    }
    return lines;
  }
  ADD_FAILURE() << fault.what << ": nothing to plant it in";
  return lines;
}

TEST(MainTableFaults, EachIsReportedWithoutEndingTheProgram) {
  static const std::string kLong(8200, 'x');
  const Fault faults[] = {
      {"unknown id", "(%CL_Mch_Freq[@ch0])", "CL_Mch_Freq", "CL_Mch_Frequency",
       "unknown cell \"CL_Mch_Frequency\""},
      {"unknown category", "(%CT_Prog.)(PopupMenu=GI_PMenu_Channel_NO_TX)", "CT_Prog.", "CT_Progr.",
       "unknown category \"CT_Progr\""},
      {"wrong index in a menu", "CL_Menu_View_FontSize[80]", "[80]", "[85]",
       "binds CL_Menu_View_FontSize[85]"},
      {"wrong index on a page", "(%CL_Common_RFPower[1])", "[1]", "[0]",
       "GI_Sheet_Common column 3: data cell"},
      {"missing _Body", "#GI_PMenu_Delete2_Body", "_Body", "_Bod", "GI_PMenu_Delete2_Body"},
      {"a drop of six", ":(Only_USA 7)", "7", "6", "\"Only_USA 6\": does not drop whole"},
      {"a 154th node", "+A/B Band Setting", "",
       " +Extra\t{(ImageIndex=2)(%CallSheet:GI_Sheet_TreeTop)}", "the tree has 154 nodes"},
      {"a wrong tree page", "+900 - 999", "9,900", "9,800", "opens"},
      {"a group out of range", "+50:", "RptCH 49", "RptCH 50", "load parameter"},
      {"a wrong shortcut", "CL_PMenu_Insert:Ins", ":Ins", ":Insert", "shortcut"},
      {"a long line", "Clone Information|", "Clone Information", kLong.c_str(), "bytes"},
      {"a check cell naming no node", "CL_Check_MemoryCH3:", "3,300", "3,301",
       "names 0 tree nodes"},
  };
  for (const Fault& fault : faults) {
    SCOPED_TRACE(fault.what);
    const std::vector<std::string> lines = Planted(fault);
    cmcGTex gtex;
    gtex.SetSource(std::vector<std::string>(lines));
    const tablecheck::Problems problems = tablecheck::CheckAll(gtex, lines, true);
    const bool found = std::any_of(problems.begin(), problems.end(), [&](const std::string& p) {
      return p.find(fault.reported) != std::string::npos;
    });
    EXPECT_TRUE(found) << ::testing::PrintToString(problems);
  }
}
