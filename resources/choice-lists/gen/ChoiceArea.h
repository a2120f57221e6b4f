#pragma once
// Turns the choice lists into one text-table area (see
// resources/text/README.md): each list becomes the three values of a sheet,
// "<key>_Style" (empty), "<key>_BasicCell" and "<key>_Cells", whose lines
// hold one option cell per value ("{S(%Flex0[2])}4800bps"), laid out over
// the list's columns. Lists that read the same in both languages go to the
// neutral list; the key registry names every list key as a composed-key base.
#include <string>
#include <vector>

#include "ChoiceSource.h"

namespace choicegen {

struct AreaTexts {
  std::string english;   // <area>.en.txt
  std::string japanese;  // <area>.ja.txt
  std::string neutral;   // <area>.neutral.txt
  std::string keys;      // <area>.keys.txt
};

// The basic cell of every choice list.
inline constexpr const char* kChoiceBasicCell = "{($Basic)($bMn)}";
// The spacer cell between columns.
inline constexpr const char* kChoiceSpacerCell = "{($iSp)!S!W}";

// The markup of one option cell in one language.
std::string OptionCell(const ChoiceList& list, const Option& option, bool japanese);
// The "_Cells" lines of a list (without the closing "#").
std::vector<std::string> CellLines(const ChoiceList& list, bool japanese);

AreaTexts BuildArea(const std::vector<ChoiceList>& lists);

}  // namespace choicegen
