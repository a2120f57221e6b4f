#include "core/ShortDateText.h"

#include <array>
#include <vector>

#include "core/TextFields.h"

namespace core {
namespace {

std::string TwoDigits(unsigned v) {
  return {static_cast<char>('0' + v / 10 % 10), static_cast<char>('0' + v % 10)};
}

// Digits only, 1..maxDigits of them.
std::optional<int> ReadDigits(std::string_view s, std::size_t maxDigits) {
  if (s.empty() || s.size() > maxDigits) return std::nullopt;
  int v = 0;
  for (const char c : s) {
    if (c < '0' || c > '9') return std::nullopt;
    v = v * 10 + (c - '0');
  }
  return v;
}

std::vector<std::string_view> SplitAt(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (;;) {
    const auto at = text.find(separator, start);
    parts.push_back(text.substr(start, at == std::string_view::npos ? at : at - start));
    if (at == std::string_view::npos) return parts;
    start = at + 1;
  }
}

}  // namespace

std::string ShortDateText(std::chrono::year_month_day date, int order, char separator) {
  const int y = static_cast<int>(date.year());
  std::string year = TwoDigits(static_cast<unsigned>(y / 100)) + TwoDigits(static_cast<unsigned>(y));
  const std::string m = TwoDigits(static_cast<unsigned>(date.month()));
  const std::string d = TwoDigits(static_cast<unsigned>(date.day()));
  if (order == 1) return m + separator + d + separator + year;
  if (order == 2) return d + separator + m + separator + year;
  return year + separator + m + separator + d;
}

std::optional<std::chrono::year_month_day> ReadShortDate(std::string_view text, int order,
                                                         char separator) {
  const auto parts = SplitAt(TrimBlanksView(text), separator);
  if (parts.size() != 3) return std::nullopt;
  const std::array<int, 3> at = order == 1   ? std::array<int, 3>{2, 0, 1}
                                : order == 2 ? std::array<int, 3>{2, 1, 0}
                                             : std::array<int, 3>{0, 1, 2};  // year, month, day
  const std::string_view yearText = parts[static_cast<std::size_t>(at[0])];
  const auto y = ReadDigits(yearText, 4);
  const auto m = ReadDigits(parts[static_cast<std::size_t>(at[1])], 2);
  const auto d = ReadDigits(parts[static_cast<std::size_t>(at[2])], 2);
  if (!y || !m || !d || (yearText.size() != 4 && yearText.size() != 2)) return std::nullopt;
  const int year = yearText.size() == 2 ? 2000 + *y : *y;
  const std::chrono::year_month_day date{std::chrono::year{year},
                                         std::chrono::month{static_cast<unsigned>(*m)},
                                         std::chrono::day{static_cast<unsigned>(*d)}};
  if (!date.ok()) return std::nullopt;
  return date;
}

std::optional<std::chrono::seconds> ReadClockTime(std::string_view text) {
  const auto parts = SplitAt(TrimBlanksView(text), ':');
  if (parts.size() != 2 && parts.size() != 3) return std::nullopt;
  const auto h = ReadDigits(parts[0], 2);
  const auto m = ReadDigits(parts[1], 2);
  const auto s = parts.size() == 3 ? ReadDigits(parts[2], 2) : std::optional<int>(0);
  if (!h || !m || !s || *h > 23 || *m > 59 || *s > 59) return std::nullopt;
  return std::chrono::seconds{*h * 3600 + *m * 60 + *s};
}

}  // namespace core
