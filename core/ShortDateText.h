#pragma once
// Dates in a date order with a separator character, as the document's short
// date format writes them ("yyyy/mm/dd", "mm/dd/yyyy" or "dd/mm/yyyy" with
// "/" standing for the separator), and clock times "h:mm[:ss]". Pure
// std::chrono: no global formats, no time zone, no locale.
#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace core {

// Orders: 0 year, month, day; 1 month, day, year; 2 day, month, year.
// Day and month in two digits, the year in four.
std::string ShortDateText(std::chrono::year_month_day date, int order, char separator);
// The same form read back, leniently as a date parser does: blanks around
// the text, one or two digits for day and month, a year of four digits or of
// two (20yy). None for anything else or a date that does not exist.
std::optional<std::chrono::year_month_day> ReadShortDate(std::string_view text, int order,
                                                         char separator);

// "h:mm" or "h:mm:ss" with ":" (one or two digits each, blanks around): a
// time of day 0:00:00 to 23:59:59.
std::optional<std::chrono::seconds> ReadClockTime(std::string_view text);

}  // namespace core
