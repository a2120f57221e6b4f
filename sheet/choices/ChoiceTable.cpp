#include "sheet/choices/ChoiceTable.h"

#include <algorithm>

namespace choices {

std::optional<ChoiceTable> ChoiceTable::Build(std::string key, int lineCount, int widestLine,
                                              std::vector<ChoiceOption> options) {
  if (options.empty()) return std::nullopt;
  ChoiceTable t;
  t.key_ = std::move(key);
  t.lineCount_ = lineCount;
  t.widest_ = widestLine;
  t.byValue_ = options;
  t.parsed_ = options;
  std::stable_sort(t.byValue_.begin(), t.byValue_.end(),
                   [](const ChoiceOption& a, const ChoiceOption& b) { return a.value < b.value; });
  t.reading_ = std::move(options);
  const long long lines = std::max(lineCount, 1);
  std::stable_sort(t.reading_.begin(), t.reading_.end(),
                   [lines](const ChoiceOption& a, const ChoiceOption& b) {
                     return a.line + a.position * lines < b.line + b.position * lines;
                   });
  return t;
}

const ChoiceOption* ChoiceTable::Find(int value) const {
  const auto it = std::lower_bound(byValue_.begin(), byValue_.end(), value,
                                   [](const ChoiceOption& o, int v) { return o.value < v; });
  return it != byValue_.end() && it->value == value ? &*it : nullptr;
}

const ChoiceOption& ChoiceTable::Step(int value, int direction, bool lastWhenMissing) const {
  const auto n = static_cast<long long>(reading_.size());
  const auto it = std::find_if(reading_.begin(), reading_.end(),
                               [value](const ChoiceOption& o) { return o.value == value; });
  if (it == reading_.end())
    return direction < 0 && lastWhenMissing ? reading_.back() : reading_.front();
  long long i = it - reading_.begin();
  i = direction < 0 ? (i + n - 1) % n : (i + 1) % n;
  return reading_[static_cast<std::size_t>(i)];
}

}  // namespace choices
