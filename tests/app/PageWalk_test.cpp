// kw-test: gui
// kw-test: slow
// A user walking the whole tree: every node of the program's tree, in each
// built-in table and for a destination with every row and one without some,
// opens its own page as the page class its type names, with a data cell to
// work on (the start and folder pages have none), and nothing on the way
// shows a message box.
#include <gtest/gtest.h>

#include <QApplication>
#include <map>
#include <string>
#include <typeindex>

#include "app/iuiSh_ChNewLists.h"
#include "app/iuiSh_ColCutA.h"
#include "app/iuiSh_ColCutBank.h"
#include "app/iuiSh_Common.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiSheet.h"
#include "support/BuiltInTextTables.h"
#include "tests/app/MainWindowRig.h"

namespace {

// The class each page type opens; a reference without a type is a plain
// sheet.
std::type_index ClassOf(const std::string& reference) {
  static const std::map<std::string, std::type_index> classes = {
      {"St_Common", typeid(iuiSh_Common)},         {"St_ColCut", typeid(iuiSh_ColCut_A)},
      {"St_PLink", typeid(iuiSh_ColCut_A)},        {"St_CCBank", typeid(iuiSh_ColCutBank)},
      {"St_UrList", typeid(iuiSh_ChNew_Ur)},       {"St_RptList", typeid(iuiSh_ChNew_Rpt)},
      {"St_ChGps", typeid(iuiSh_ChNew_GpsMemory)},
  };
  if (!reference.starts_with('[')) return typeid(cuiSheet);
  return classes.at(reference.substr(1, reference.find(']') - 1));
}

// Pages without a data cell: the start page and the folders.
bool IsEmptyPage(const std::string& reference) {
  return reference.starts_with("GI_Sheet_TopPage") || reference.starts_with("GI_Sheet_TreeTop") ||
         reference.starts_with("GI_Sheet_RepeaterList_Top");
}

bool HasDataCell(cuiSheet& sheet) {
  for (int r = 0; r < sheet.Grid()->RowCount(); ++r)
    for (int c = 0; c < sheet.Grid()->ColCount(); ++c)
      if (sheet.IsDataCell(c, r)) return true;
  return false;
}

struct Walk {
  const kwtest::NamedTextTable* table;
  std::uint32_t destination;
};

class PageWalkTest : public ::testing::TestWithParam<Walk> {};

TEST_P(PageWalkTest, EveryNodeOpensItsPage) {
  kwtest::MainWindowRig rig;
  rig.env->EtcData.destination = GetParam().destination;
  rig.env->EtcData.firstFlag = 0;
  rig.Build(GetParam().table->table);
  rig.window->show();
  QApplication::processEvents();
  iuiTree& tree = *rig.window->Tree();
  const std::vector<QTreeWidgetItem*> nodes = tree.Nodes();
  ASSERT_EQ(nodes.size(), 153u);
  for (QTreeWidgetItem* node : nodes) {
    const std::string reference = tree.CellOf(node)->bindingText.value_or("");
    SCOPED_TRACE(reference);
    // Away first, so that the page is opened anew even when it is open.
    rig.main->CloseSheet();
    rig.Choose(node);
    QApplication::processEvents();
    cuiSheet* sheet = rig.window->CurrentSheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->GetTitle(), reference);
    EXPECT_EQ(std::type_index(typeid(*sheet)), ClassOf(reference));
    EXPECT_EQ(HasDataCell(*sheet), !IsEmptyPage(reference));
  }
  EXPECT_EQ(rig.boxes.Count(), 0u) << "a message box showed on the way";
}

std::vector<Walk> Walks() {
  std::vector<Walk> walks;
  for (const kwtest::NamedTextTable& table : kwtest::kBuiltInTextTables)
    for (std::uint32_t destination : {0u, 5u}) walks.push_back({&table, destination});
  return walks;
}

INSTANTIATE_TEST_SUITE_P(Tables, PageWalkTest, ::testing::ValuesIn(Walks()), [](const auto& info) {
  return std::string(info.param.table->name) + "Destination" +
         std::to_string(info.param.destination);
});

}  // namespace
