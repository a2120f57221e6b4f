#include "ChoiceArea.h"

namespace choicegen {
namespace {

// Inside a binding item a backslash keeps the next character from ending the
// item, naming a category ('.') or starting an index or text; the parser
// drops those backslashes again from the cell text.
std::string EscapeCellText(const std::string& text) {
  std::string out;
  for (const char c : text) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    if (!plain) out += '\\';
    out += c;
  }
  return out;
}

void AddKey(std::string& out, const std::string& key, const std::vector<std::string>& values) {
  out += "#" + key + "\n";
  for (const std::string& v : values) out += v + "\n";
}

}  // namespace

std::string OptionCell(const ChoiceList& list, const Option& option, bool japanese) {
  std::string cell = "{S(%" + list.listId + "[" + std::to_string(option.value) + "]";
  if (option.hasCellText) cell += ":" + EscapeCellText(option.cellText);
  cell += ")}";
  cell += japanese ? option.japanese : option.english;
  return cell;
}

std::vector<std::string> CellLines(const ChoiceList& list, bool japanese) {
  const int rows = list.Rows();
  const int n = static_cast<int>(list.options.size());
  std::vector<std::string> lines;
  for (int r = 0; r < rows; ++r) {
    std::string line;
    for (int c = 0; c < list.columns; ++c) {
      const int i = c * rows + r;
      if (i >= n) break;
      if (c > 0) {
        line += "|";
        if (list.spacers) line += std::string(kChoiceSpacerCell) + "|";
      }
      line += OptionCell(list, list.options[static_cast<std::size_t>(i)], japanese);
    }
    lines.push_back(line);
  }
  return lines;
}

AreaTexts BuildArea(const std::vector<ChoiceList>& lists) {
  AreaTexts a;
  const std::string header =
      "# Generated from resources/choice-lists by kw_choicegen. Do not edit.\n";
  a.neutral = header;
  a.keys = header +
           "# Choice lists are asked for by list key: \"GI_Sheet_Sel_\" + name, and the\n"
           "# sub-band mute list.\nGI_Sheet_Sel_*\nGI_Sheet_Common_SubBandMute*\n";
  for (const ChoiceList& l : lists) {
    AddKey(a.english, l.key + "_Style", {""});
    AddKey(a.english, l.key + "_BasicCell", {kChoiceBasicCell});
    std::vector<std::string> en = CellLines(l, false);
    en.push_back("#");
    AddKey(a.english, l.key + "_Cells", en);
    a.neutral += l.key + "_Style\n" + l.key + "_BasicCell\n";
    if (l.Neutral()) {
      a.neutral += l.key + "_Cells\n";
    } else {
      std::vector<std::string> ja = CellLines(l, true);
      ja.push_back("#");
      AddKey(a.japanese, l.key + "_Cells", ja);
    }
    if (l.key.compare(0, 13, "GI_Sheet_Sel_") == 0) a.keys += l.key + "*\n";
  }
  return a;
}

}  // namespace choicegen
