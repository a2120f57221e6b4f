#include "sheet/choices/ChoiceOptions.h"

#include <algorithm>
#include <string>

#include "core/cmcGTex.h"
#include "sheet/cmcCellObj.h"

namespace choices {

ChoiceListText ReadChoiceOptions(cmcGTex& texts, std::string_view key, int listId) {
  ChoiceListText list;
  const std::string cellsKey = std::string(key) + "_Cells";
  cmcCellObj cell;
  for (int line = 0;; ++line) {
    const std::string text = texts.GetText(cellsKey, line);
    if (!text.empty() && text[0] == '#') break;
    list.lineCount = line + 1;
    int position = 0;
    std::string_view rest = text;
    while (!rest.empty()) {
      rest = cell.Parse(rest, texts, nullptr, nullptr);
      if (cell.cellId == listId) {
        ChoiceOption o;
        o.line = line;
        o.position = position;
        o.value = cell.index;
        o.caption = std::string(cell.GetCaption());
        o.text = cell.bindingText ? *cell.bindingText : o.caption;
        list.options.push_back(std::move(o));
      }
      ++position;
    }
    list.widestLine = std::max(list.widestLine, position);
  }
  return list;
}

std::optional<ChoiceTable> ReadChoiceTable(cmcGTex& texts, std::string_view key, int listId) {
  ChoiceListText list = ReadChoiceOptions(texts, key, listId);
  return ChoiceTable::Build(std::string(key), list.lineCount, list.widestLine,
                            std::move(list.options));
}

}  // namespace choices
