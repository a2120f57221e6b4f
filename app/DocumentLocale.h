#pragma once
// The document's regional formats, derived once from the system's regional
// settings when the main controller is built: the order in which date cells
// show year, month and day with the short date format that goes with it,
// the time format, and the decimal character and field separator of CSV
// files. Pure: no process state is read or changed.
#include <string>
#include <string_view>

namespace platform {
struct LocaleInfo;
}

enum class DateOrder {
  YearMonthDay = 0,
  MonthDayYear = 1,
  DayMonthYear = 2,
};

struct DocumentLocale {
  DateOrder dateOrder = DateOrder::MonthDayYear;
  std::string shortDateFormat = "mm/dd/yyyy";  // the order's format, "/" as dateSeparator
  std::string timeFormat = "hh:nn:ss";         // ":" as timeSeparator
  char dateSeparator = '/';
  char timeSeparator = ':';
  char csvDecimal = '.';
  char csvSeparator = ',';
};

// The order of the first year, month and day runs of a short date format
// ("y", "M", "d"; quoted literal text skipped, "ddd" and longer are weekday
// names, not the day). False when a run is missing or the three stand in
// none of the three orders.
bool ScanDateOrder(std::string_view shortDateFormat, DateOrder& order);

// The formats for a system: its date order when ScanDateOrder reads one
// (the format then takes the system's date separator), else month, day,
// year ("mm/dd/yyyy") on a non-Japanese system and year, month, day
// ("yyyy/mm/dd") on a Japanese one, both with "/". CSV: the system's
// decimal when it is "." or ",", else "."; its list separator when it is
// "," or ";", else ","; ";" when both came out equal.
DocumentLocale DocumentLocaleFor(const platform::LocaleInfo& system);
