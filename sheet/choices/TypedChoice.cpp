#include "sheet/choices/TypedChoice.h"

#include <cmath>

#include "core/NumberText.h"

namespace choices {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string UpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

std::optional<int> NearestNumber(const std::vector<TypedOption>& options, double typed,
                                 std::size_t cut) {
  std::optional<int> best;
  double bestDistance = 0;
  for (const TypedOption& o : options) {
    const std::string_view text =
        cut ? std::string_view(o.text).substr(0, cut) : std::string_view(o.text);
    const auto number = LeadingNumber(text);
    if (!number) continue;
    const double distance = std::fabs(*number - typed);
    if (!best || distance < bestDistance) {
      best = o.value;
      bestDistance = distance;
    }
  }
  return best;
}

// The number a text starts with and the bytes it takes.
std::optional<double> LeadingNumberOf(std::string_view text, std::size_t& end);

// A typed number followed by the unit the options show it with ("88.6Hz"
// over "88.5Hz"): the number, when the rest of the entry is that unit.
std::optional<double> NumberWithUnit(const std::vector<TypedOption>& options,
                                     std::string_view typed) {
  std::size_t end = 0;
  const auto number = LeadingNumberOf(typed, end);
  if (!number || end == typed.size()) return std::nullopt;
  const std::string_view unit = typed.substr(end);
  for (const TypedOption& o : options) {
    std::size_t own = 0;
    if (LeadingNumberOf(o.text, own) && UpperAscii(std::string_view(o.text).substr(own)) == unit)
      return number;
  }
  return std::nullopt;
}

std::optional<double> LeadingNumberOf(std::string_view text, std::size_t& end) {
  end = 0;
  bool point = false;
  std::string number;
  while (end < text.size()) {
    const char c = text[end];
    if (IsDigit(c)) {
      number += c;
    } else if ((c == '.' || c == ',') && !point && !number.empty()) {
      point = true;
      number += '.';
    } else {
      break;
    }
    ++end;
  }
  if (number.empty()) return std::nullopt;
  if (number.back() == '.') number.pop_back();  // "5." reads as 5
  return core::ReadDecimal(number, '.');
}

}  // namespace

std::optional<double> LeadingNumber(std::string_view text) {
  std::size_t end = 0;
  return LeadingNumberOf(text, end);
}

std::optional<int> MatchTypedChoice(const std::vector<TypedOption>& options, std::string_view typed,
                                    int mode) {
  const std::string text = UpperAscii(Trim(typed));
  if (text.empty() || text.size() > kTypedEntryMax) return std::nullopt;
  for (const char c : text)
    if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E)
      return std::nullopt;

  if (mode == 0 || mode == 2) {
    // The whole entry must be a number ("7a" is no tuning step), in mode 0
    // optionally followed by the list's own unit ("88.6Hz").
    auto number = core::ReadDecimal(text, text.find(',') != std::string::npos ? ',' : '.');
    if (!number && mode == 0) number = NumberWithUnit(options, text);
    if (!number) return std::nullopt;
    const std::size_t cut = mode == 2 && text.size() > 1 ? text.size() : 0;
    return NearestNumber(options, *number, cut);
  }
  for (const TypedOption& o : options) {
    if (o.text.size() < text.size()) continue;
    if (UpperAscii(std::string_view(o.text).substr(0, text.size())) == text) return o.value;
  }
  return std::nullopt;
}

}  // namespace choices
