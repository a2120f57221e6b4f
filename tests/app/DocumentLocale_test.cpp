#include "app/DocumentLocale.h"

#include <gtest/gtest.h>

#include "platform/LocaleInfo.h"

namespace {

platform::LocaleInfo System(const char* format, char separator, bool japanese = false) {
  platform::LocaleInfo info;
  info.shortDateFormat = format;
  info.dateSeparator = separator;
  info.languageId = japanese ? 0x0411 : 0x0409;
  return info;
}

// The order of the year, month and day runs, with the system's separator;
// formats that give no order fall back to month, day, year (year, month,
// day on a Japanese system) with "/".
TEST(DocumentLocaleTest, DateOrderAndShortDateFormat) {
  struct Case {
    const char* format;
    char separator;  // as the system reports it for the format
    bool japanese;
    DateOrder order;
    const char* shortFormat;
  } cases[] = {
      {"yyyy/MM/dd", '/', false, DateOrder::YearMonthDay, "yyyy/mm/dd"},
      {"M/d/yyyy", '/', false, DateOrder::MonthDayYear, "mm/dd/yyyy"},
      {"dd.MM.yyyy", '.', false, DateOrder::DayMonthYear, "dd.mm.yyyy"},
      {"'day 'yyyy-MM-dd", '-', false, DateOrder::YearMonthDay, "yyyy-mm-dd"},
      {"MMMM yyyy", '/', false, DateOrder::MonthDayYear, "mm/dd/yyyy"},
      {"MMMM yyyy", '/', true, DateOrder::YearMonthDay, "yyyy/mm/dd"},
      // Quoted text never counts, not even a quoted run before the real ones.
      {"'d'yy-MM-dd", '-', false, DateOrder::YearMonthDay, "yyyy-mm-dd"},
      // A weekday name is not the day.
      {"ddd dd.MM.yy", '.', false, DateOrder::DayMonthYear, "dd.mm.yyyy"},
      {"dddd yyyy.MM", '.', false, DateOrder::MonthDayYear, "mm/dd/yyyy"},
      // An order that is none of the three falls back, with "/".
      {"yyyy-dd-MM", '-', false, DateOrder::MonthDayYear, "mm/dd/yyyy"},
      {"yyyy-dd-MM", '-', true, DateOrder::YearMonthDay, "yyyy/mm/dd"},
      {"", '/', false, DateOrder::MonthDayYear, "mm/dd/yyyy"},
      {"'yyyy-MM-dd", '-', false, DateOrder::MonthDayYear, "mm/dd/yyyy"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format);
    const DocumentLocale locale = DocumentLocaleFor(System(c.format, c.separator, c.japanese));
    EXPECT_EQ(locale.dateOrder, c.order);
    EXPECT_EQ(locale.shortDateFormat, c.shortFormat);
    // The separator field is the one the format carries.
    const std::string_view shortFormat = c.shortFormat;
    EXPECT_EQ(locale.dateSeparator, shortFormat[shortFormat.find_first_not_of("ymd")]);
  }
}

TEST(DocumentLocaleTest, TimeFormatTakesTheSystemSeparator) {
  platform::LocaleInfo info;
  EXPECT_EQ(DocumentLocaleFor(info).timeFormat, "hh:nn:ss");
  info.timeSeparator = '.';
  const DocumentLocale locale = DocumentLocaleFor(info);
  EXPECT_EQ(locale.timeFormat, "hh.nn.ss");
  EXPECT_EQ(locale.timeSeparator, '.');
}

// CSV: the system's decimal and list separator when usable, never equal.
TEST(DocumentLocaleTest, CsvDecimalAndSeparator) {
  struct Case {
    char decimal, list;
    char csvDecimal, csvSeparator;
  } cases[] = {
      {'.', ',', '.', ','}, {',', ',', ',', ';'}, {'x', '|', '.', ','}, {',', ';', ',', ';'},
      {'.', ';', '.', ';'}, {'.', '.', '.', ','}, {';', ';', '.', ';'}, {'.', '\0', '.', ','},
  };
  for (const Case& c : cases) {
    platform::LocaleInfo info;
    info.decimal = c.decimal;
    info.listSeparator = c.list;
    const DocumentLocale locale = DocumentLocaleFor(info);
    EXPECT_EQ(locale.csvDecimal, c.csvDecimal) << c.decimal << c.list;
    EXPECT_EQ(locale.csvSeparator, c.csvSeparator) << c.decimal << c.list;
  }
}

}  // namespace
