#pragma once
// The one option parser of choice lists: the option text cache, the text and
// step of lists with an explicit list id, typed choices and the checks all
// read a list through it, so they cannot disagree.
//
// A list is the values of its key + "_Cells", from value 0 up to the first
// value beginning with '#'; each value is one line of cells, parsed with no
// base cell and no markup variables (a variable in a list is a fault of our
// tables and ends the program, as the markup parser does everywhere outside
// a sheet). The cells whose cell id is the list id are the options. A missing
// "_Cells" key is fatal through the text table.
#include <string_view>
#include <vector>

#include "sheet/choices/ChoiceTable.h"

class cmcGTex;

namespace choices {

struct ChoiceListText {
  int lineCount = 0;                  // lines of the list
  int widestLine = 0;                 // cells (of any kind) in its longest line
  std::vector<ChoiceOption> options;  // in parse order: line by line, left to right
};

ChoiceListText ReadChoiceOptions(cmcGTex& texts, std::string_view key, int listId);

// The same, as a table (none when the list holds no option of the id).
std::optional<ChoiceTable> ReadChoiceTable(cmcGTex& texts, std::string_view key, int listId);

}  // namespace choices
