#include "sheet/MarkupBodyCheck.h"

#include "core/SjisBytes.h"
#include "core/cmcGTex.h"
#include "sheet/cmcCellObj.h"

namespace {

std::vector<std::string> BodyLines(cmcGTex& gtex, std::string_view key) {
  std::vector<std::string> lines;
  const std::string bodyKey = std::string(key) + "_Body";
  for (int i = 0;; ++i) {
    std::string line = gtex.GetText(bodyKey, i);
    if (!line.empty() && line[0] == '#') break;
    lines.push_back(std::move(line));
  }
  return lines;
}

cmcCellObj BasicCell(cmcGTex& gtex, std::string_view key) {
  cmcCellObj basic;
  basic.Parse(gtex.GetFirst(std::string(key) + "_BasicCell"), gtex, nullptr, nullptr);
  return basic;
}

// The faults every line can have: unpaired or nested braces, more than one
// cell, a caption with a tab or a line break in it.
void CheckCellText(std::string_view text, const cmcCellObj& cell, std::string_view rest, int value,
                   std::vector<BodyLineFault>& faults) {
  bool open = false;
  bool paired = true;
  for (std::size_t i = 0; i < text.size(); i += core::SjisCharLength(text, i)) {
    const char c = text[i];
    if (c == '{') {
      paired = paired && !open;
      open = true;
    } else if (c == '}') {
      paired = paired && open;
      open = false;
    }
  }
  if (!paired || open) faults.push_back({value, "braces do not pair up"});
  if (!rest.empty()) faults.push_back({value, "more than one cell on the line"});
  const std::string_view caption = cell.GetCaption();
  if (caption.find_first_of("\t\n") != std::string_view::npos)
    faults.push_back({value, "text after the braces"});
}

}  // namespace

std::vector<BodyLineFault> CheckTreeBody(cmcGTex& gtex, std::string_view key) {
  std::vector<BodyLineFault> faults;
  const cmcCellObj basic = BasicCell(gtex, key);
  const std::vector<std::string> lines = BodyLines(gtex, key);
  std::vector<int> depths;  // the open levels, outermost first
  int previous = -1;        // depth of the last node
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const int value = static_cast<int>(i);
    const std::string& line = lines[i];
    const std::size_t plus = line.find('+');
    if (plus == std::string::npos) {
      faults.push_back({value, "no '+' before the node"});
      continue;
    }
    const int depth = static_cast<int>(plus);
    if (depths.empty()) {
      depths.push_back(depth);
    } else if (depth < depths.front()) {
      faults.push_back({value, "shallower than the first node: the tree ends here"});
      continue;
    } else {
      while (depth < depths.back()) depths.pop_back();
      if (depth > depths.back()) {
        // Deeper than the level reached: a child level, unless it fell
        // between two levels that were open.
        if (depths.back() != previous) faults.push_back({value, "depth between two levels"});
        depths.push_back(depth);
      }
    }
    previous = depth;
    const std::string_view text = std::string_view(line).substr(plus + 1);
    cmcCellObj cell;
    const std::string_view rest = cell.Parse(text, gtex, nullptr, &basic);
    CheckCellText(text, cell, rest, value, faults);
    if (!cell.bindingText || cell.bindingText->empty())
      faults.push_back({value, "the node opens no page"});
    if (cell.imageIndex < 0) faults.push_back({value, "the node has no image"});
  }
  return faults;
}

std::vector<BodyLineFault> CheckToolBarBody(cmcGTex& gtex, std::string_view key) {
  std::vector<BodyLineFault> faults;
  const cmcCellObj basic = BasicCell(gtex, key);
  const std::vector<std::string> lines = BodyLines(gtex, key);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const int value = static_cast<int>(i);
    cmcCellObj cell;
    const std::string_view rest = cell.Parse(lines[i], gtex, nullptr, &basic);
    CheckCellText(lines[i], cell, rest, value, faults);
    const std::string_view caption = cell.GetCaption();
    if (caption.empty()) {
      faults.push_back({value, "no caption"});
      continue;
    }
    if (caption == "-" || caption == "/") continue;
    if (cell.imageIndex < 0) faults.push_back({value, "the button has no image"});
    if (cell.cellId == CL_None) faults.push_back({value, "the button has no cell id"});
  }
  return faults;
}
