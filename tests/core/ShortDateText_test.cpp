// Dates in the three orders with any separator, written and read back, and
// clock times.
#include "core/ShortDateText.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono;

TEST(ShortDateText, WritesAndReadsEveryOrder) {
  const year_month_day date{year{2009}, month{3}, day{7}};
  struct Case {
    int order;
    char separator;
    const char* text;
  };
  const Case cases[] = {{0, '/', "2009/03/07"}, {1, '/', "03/07/2009"}, {2, '.', "07.03.2009"},
                        {0, '-', "2009-03-07"}};
  for (const Case& c : cases) {
    EXPECT_EQ(core::ShortDateText(date, c.order, c.separator), c.text);
    EXPECT_EQ(core::ReadShortDate(c.text, c.order, c.separator), date) << c.text;
  }
}

TEST(ShortDateText, ReadsLenientlyAndRefusesWhatIsNoDate) {
  const year_month_day date{year{2009}, month{3}, day{7}};
  EXPECT_EQ(core::ReadShortDate(" 2009/3/7 ", 0, '/'), date);
  EXPECT_EQ(core::ReadShortDate("7.3.09", 2, '.'), date);
  const char* bad[] = {"", "2009/03", "2009/02/29", "2009/13/01", "2009/03/07/1", "209/03/07",
                       "2009/03/x7", "2009.03.07", "-2009/03/07", "2009/003/07"};
  for (const char* text : bad) EXPECT_FALSE(core::ReadShortDate(text, 0, '/')) << text;
}

TEST(ShortDateText, ClockTimes) {
  EXPECT_EQ(core::ReadClockTime("12:34:56"), seconds{45296});
  EXPECT_EQ(core::ReadClockTime(" 1:02 "), seconds{3720});
  EXPECT_EQ(core::ReadClockTime("23:59:59"), seconds{86399});
  for (const char* bad : {"", "24:00:00", "12:60", "12:00:60", "12", "1:2:3:4", "a:00", "12.00"})
    EXPECT_FALSE(core::ReadClockTime(bad)) << bad;
}

}  // namespace
