#pragma once
// The check of the main window's markup in a text table: the navigation
// tree, the main menu, the context menus, the tool bar, the page sheets and
// the warning check's cells, each against what the program must offer (the
// expected tables live in MainTableCheck.cpp, written from the layouts the
// program shows, never read back from the markup).
//
// Every problem is reported as one line of English, and none ends the
// program: names are looked up in the category and cell-id tables before a
// line is parsed, and keys are asked for before they are read, so a table
// with an unknown name or a missing key is reported, not fatal.
//
// Sheets are built as plain sheets on a hidden host (a QApplication and an
// installed event bus are needed); rows that a settings page drops for some
// destinations count as present.
#include <map>
#include <string>
#include <tuple>
#include <vector>

class cmcGTex;

namespace tablecheck {

using Problems = std::vector<std::string>;

// The 153 nodes: depth, image, page reference, English caption.
struct TreeNode {
  int depth;
  int image;
  std::string reference;
  std::string english;
};
const std::vector<TreeNode>& ExpectedTree();

Problems CheckTree(cmcGTex& gtex, bool english);
Problems CheckMenus(cmcGTex& gtex, bool english);
// English: the captions given byte for byte are compared too.
Problems CheckSheets(cmcGTex& gtex, bool english);
// Command lines, line lengths (over the table's raw lines) and the warning
// check's cells.
Problems CheckMarkup(cmcGTex& gtex, const std::vector<std::string>& lines);
// All four.
Problems CheckAll(cmcGTex& gtex, const std::vector<std::string>& lines, bool english);

// What must be equal between the tables, per key: tree and menu lines as
// (depth, category, id, index, image, binding), sheets cell by cell as
// (category, id, index, layout flags, rule flags) with the grid's size. The
// received-call header's last cell leaves its right rule out: only the
// English table draws it without one.
using Shape = std::vector<std::tuple<int, int, int, int, int, std::string>>;
std::map<std::string, Shape> Shapes(cmcGTex& gtex);

// The right rule of the received-call page's last header cell (0 none,
// 1 full).
int ReceivedCallLastHeaderRule(cmcGTex& gtex);

}  // namespace tablecheck
