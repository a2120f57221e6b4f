// kw-test: label=locale
// The fixed text forms of GPS dates, times and positions.
#include "core/GpsFieldText.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono;

TEST(GpsFieldText, DatesAndTimesOnlyInTheirFixedForms) {
  EXPECT_EQ(core::ReadFixedDate("2024/02/29"), year{2024} / 2 / 29);
  for (const char* bad : {"2023/02/29", "2024/2/29", "2024-02-29", " 2024/02/29", "2024/02/290", "",
                          "abcd/ef/gh", "2024/13/01"}) {
    EXPECT_FALSE(core::ReadFixedDate(bad)) << bad;
  }
  EXPECT_EQ(core::ReadFixedTime("23:59:59"), hours{23} + minutes{59} + seconds{59});
  for (const char* bad : {"24:00:00", "12:60:00", "12:00:60", "1:00:00", "12.00.00", ""}) {
    EXPECT_FALSE(core::ReadFixedTime(bad)) << bad;
  }
  EXPECT_EQ(core::ReadFixedTimeHm("07:05"), hours{7} + minutes{5});
  EXPECT_FALSE(core::ReadFixedTimeHm("7:05"));
  EXPECT_EQ(core::FixedDateText(year{2005} / 3 / 4), "2005/03/04");
  EXPECT_EQ(core::FixedTimeText(seconds{3723}), "01:02:03");
  EXPECT_EQ(core::FixedTimeHmText(9, 5), "09:05");
}

TEST(GpsFieldText, PositionsAndTheirRule) {
  const auto lat = core::ReadFixedPosition(
      " 90\xB0"
      "00'00\"N",
      true);
  ASSERT_TRUE(lat);
  EXPECT_TRUE(core::IsValidPosition(*lat, true, true));
  EXPECT_FALSE(core::IsValidPosition(*lat, false, true));  // N is no longitude
  struct Case {
    const char* text;
    bool seconds, latitude, valid;
  } cases[] = {
      {" 90\xB0"
       "00'01\"N",
       true, true, false},
      {"089\xB0"
       "59'59\"S",
       true, true, true},
      {"180\xB0"
       "00.00'W",
       false, false, true},
      {"180\xB0"
       "00.01'E",
       false, false, false},
      {"035\xB0"
       "60.00'N",
       false, true, false},
      {"035\xB0"
       "10'60\"N",
       true, true, false},
      {"035\xB0"
       "10.99'E",
       false, true, false},
  };
  for (const auto& c : cases) {
    const auto p = core::ReadFixedPosition(c.text, c.seconds);
    ASSERT_TRUE(p) << c.text;
    EXPECT_EQ(core::IsValidPosition(*p, c.latitude, c.seconds), c.valid) << c.text;
  }
  for (const char* bad : {"035\xB0"
                          "10.99'n",
                          "35\xB0"
                          "10.99'N",
                          "035?10.99'N",
                          "035\xB0"
                          "10'99'N",
                          "0 5\xB0"
                          "10.99'N",
                          ""}) {
    EXPECT_FALSE(core::ReadFixedPosition(bad, false)) << bad;
  }
}

}  // namespace
