#pragma once
// The options of one choice list for one list id, as the option parser reads
// them from the list's "_Cells" lines: found by value through a binary search
// over the options sorted by value, and stepped in the list's reading order -
// column by column: the first cells of all lines from top to bottom, then the
// second cells, and so on - wrapping at both ends.
//
// A table always holds at least one option; a list without an option of the
// id has no table at all (ChoiceTable::Build answers none).
#include <optional>
#include <string>
#include <vector>

namespace choices {

struct ChoiceOption {
  int line = 0;         // the line (row) of the list
  int position = 0;     // the cell's place in its line, counting every cell
  int value = 0;        // the cell's index: the stored value it stands for
  std::string text;     // what the edited cell shows: the binding text if any, else the caption
  std::string caption;  // what the popup shows
};

class ChoiceTable {
 public:
  // Options in parse order (line by line, left to right); lineCount and
  // widestLine count the list's lines and the cells (of any kind) of its
  // longest line. None when there is no option.
  static std::optional<ChoiceTable> Build(std::string key, int lineCount, int widestLine,
                                          std::vector<ChoiceOption> options);

  const std::string& Key() const { return key_; }
  int LineCount() const { return lineCount_; }
  int WidestLine() const { return widest_; }
  int Count() const { return static_cast<int>(byValue_.size()); }

  // The option holding the value; null when none does.
  const ChoiceOption* Find(int value) const;
  // The option after (+1) or before (-1) the one holding the value, in
  // reading order, wrapping; a value no option holds gives the first option
  // (stepping forward) and, with lastWhenMissing, the last one (stepping back).
  const ChoiceOption& Step(int value, int direction, bool lastWhenMissing = false) const;

  const std::vector<ChoiceOption>& ByValue() const { return byValue_; }
  const std::vector<ChoiceOption>& ReadingOrder() const { return reading_; }
  // Line by line, left to right: the order in which a typed choice breaks ties.
  const std::vector<ChoiceOption>& ParseOrder() const { return parsed_; }

 private:
  ChoiceTable() = default;

  std::string key_;
  int lineCount_ = 0;
  int widest_ = 0;
  std::vector<ChoiceOption> byValue_;
  std::vector<ChoiceOption> reading_;
  std::vector<ChoiceOption> parsed_;
};

}  // namespace choices
