#include "core/cmcHelpGTex.h"

#include <charconv>
#include <string>

namespace {

constexpr std::string_view kTopicKey = "GI_AppItem_Topic_ID";
constexpr std::string_view kContextKey = "GI_AppItem_Context_ID";

bool EndsSection(const std::string& row) { return row.empty() || row[0] == '#'; }

// Splits "name<TAB>value"; false for a row without a tab.
bool SplitRow(std::string_view row, std::string_view& name, std::string_view& value) {
  const auto tab = row.find('\t');
  if (tab == std::string_view::npos) return false;
  name = row.substr(0, tab);
  value = row.substr(tab + 1);
  const auto next = value.find('\t');
  if (next != std::string_view::npos) value = value.substr(0, next);
  return true;
}

int ParseDecimal(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data() + i, text.data() + text.size(), value);
  (void)end;
  if (ec != std::errc()) return 0;
  return negative ? -value : value;
}

}  // namespace

int HelpContextOf(cmcHelpGTex& help, std::string_view cellName) {
  std::string topic;
  bool haveTopic = false;
  for (int n = 0;; ++n) {
    const std::string row = help.GetText(kTopicKey, n);
    if (EndsSection(row)) break;
    std::string_view name, value;
    if (SplitRow(row, name, value) && name == cellName) {
      topic.assign(value);
      haveTopic = true;
      break;
    }
  }
  if (!haveTopic) return 0;
  std::string context;
  for (int n = 0;; ++n) {
    const std::string row = help.GetText(kContextKey, n);
    if (EndsSection(row)) break;
    std::string_view name, value;
    if (SplitRow(row, name, value) && name == topic) context.assign(value);
  }
  return ParseDecimal(context);
}
