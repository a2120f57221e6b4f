#include "app/DocumentLocale.h"

#include "platform/LocaleInfo.h"

namespace {

constexpr std::string_view kOrderFormats[] = {"yyyy/mm/dd", "mm/dd/yyyy", "dd/mm/yyyy"};

std::string WithSeparator(std::string_view format, char from, char to) {
  std::string out(format);
  for (char& c : out)
    if (c == from) c = to;
  return out;
}

}  // namespace

bool ScanDateOrder(std::string_view format, DateOrder& order) {
  constexpr std::size_t kNone = std::string_view::npos;
  std::size_t year = kNone, month = kNone, day = kNone;
  for (std::size_t i = 0; i < format.size();) {
    const char c = format[i];
    if (c == '\'') {  // literal text up to the closing quote ("''" is an empty literal)
      const std::size_t close = format.find('\'', i + 1);
      i = close == kNone ? format.size() : close + 1;
      continue;
    }
    std::size_t run = 1;
    while (i + run < format.size() && format[i + run] == c) ++run;
    if (c == 'y' && year == kNone) year = i;
    if (c == 'M' && month == kNone) month = i;
    if (c == 'd' && day == kNone && run <= 2) day = i;
    i += run;
  }
  if (year == kNone || month == kNone || day == kNone) return false;
  if (year < month && month < day) {
    order = DateOrder::YearMonthDay;
  } else if (month < day && day < year) {
    order = DateOrder::MonthDayYear;
  } else if (day < month && month < year) {
    order = DateOrder::DayMonthYear;
  } else {
    return false;
  }
  return true;
}

DocumentLocale DocumentLocaleFor(const platform::LocaleInfo& system) {
  DocumentLocale out;
  DateOrder order = DateOrder::MonthDayYear;
  if (ScanDateOrder(system.shortDateFormat, order)) {
    out.dateSeparator = system.dateSeparator;
  } else {
    order = system.IsJapanese() ? DateOrder::YearMonthDay : DateOrder::MonthDayYear;
    out.dateSeparator = '/';
  }
  out.dateOrder = order;
  out.shortDateFormat =
      WithSeparator(kOrderFormats[static_cast<int>(order)], '/', out.dateSeparator);
  out.timeSeparator = system.timeSeparator;
  out.timeFormat = WithSeparator("hh:nn:ss", ':', out.timeSeparator);

  out.csvDecimal = system.decimal == '.' || system.decimal == ',' ? system.decimal : '.';
  out.csvSeparator =
      system.listSeparator == ',' || system.listSeparator == ';' ? system.listSeparator : ',';
  if (out.csvSeparator == out.csvDecimal) out.csvSeparator = ';';
  return out;
}
