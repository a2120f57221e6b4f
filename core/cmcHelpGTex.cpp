#include "core/cmcHelpGTex.h"

#include <charconv>
#include <optional>
#include <string>

#include "core/TextFields.h"

namespace {

constexpr std::string_view kTopicKey = "GI_AppItem_Topic_ID";
constexpr std::string_view kContextKey = "GI_AppItem_Context_ID";

bool EndsSection(const std::string& row) { return row.empty() || row[0] == '#'; }

// Field 1 of a "name<TAB>value" row whose name is the one sought; none for
// another name or a row without a tab.
std::optional<std::string> ValueOf(const std::string& row, std::string_view name) {
  if (core::GetTextField(row, '\t', 0) != name) return std::nullopt;
  return core::GetTextField(row, '\t', 1);
}

int ParseDecimal(std::string_view text) {
  text = core::SkipBlanks(text);
  std::size_t i = 0;
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
    if (auto value = ValueOf(row, cellName)) {
      topic = std::move(*value);
      haveTopic = true;
      break;
    }
  }
  if (!haveTopic) return 0;
  std::string context;
  for (int n = 0;; ++n) {
    const std::string row = help.GetText(kContextKey, n);
    if (EndsSection(row)) break;
    if (auto value = ValueOf(row, topic)) context = std::move(*value);
  }
  return ParseDecimal(context);
}
