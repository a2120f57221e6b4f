#include "core/LatLongText.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

using namespace core;
using Record = std::array<std::uint8_t, 4>;

TEST(LatLongText, SecondsAndDecimalMinutes) {
  EXPECT_EQ(SecondsToMilliMinutes("30"), "500");
  EXPECT_EQ(SecondsToMilliMinutes("59"), "983");
  EXPECT_EQ(SecondsToMilliMinutes("01"), "016");
  EXPECT_EQ(SecondsToMilliMinutes(""), "000");
  EXPECT_EQ(SecondsToMilliMinutes("99"), "999");  // not a fourth digit

  struct Case {
    const char* text;
    const char* seconds;
    int carry;
  } cases[] = {
      {"9999", "00", 1}, {"9916", "59", 0}, {"5000", "30", 0}, {"0000", "00", 0},
      {"", "00", 0},     {"0084", "01", 0}, {"0083", "00", 0},
  };
  for (const auto& c : cases) {
    std::string seconds = "xx";
    EXPECT_EQ(DecimalMinutesToSeconds(c.text, seconds), c.carry) << c.text;
    EXPECT_EQ(seconds, c.seconds) << c.text;
  }
}

TEST(LatLongText, CarriesIntoMinutesAndDegrees) {
  struct Case {
    Record record, expected;
  } cases[] = {
      // 35°59.995'N: the seconds round to 60, the minute to 60: 36°00'00"
      {{35, 59995 >> 8, 59995 & 0xFF, 'N'}, {36, 0, 0, 'N'}},
      // 35°12.999'E: one minute more
      {{35, 12999 >> 8, 12999 & 0xFF, 'E'}, {35, 13, 0, 'E'}},
      // 139°45.500'E: 30 seconds
      {{139, 45500 >> 8, 45500 & 0xFF, 'E'}, {139, 45, 30, 'E'}},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatLatLongText(c.record), c.expected);
}

TEST(LatLongText, PlainHundredthsTruncate) {
  const Record record{35, 59995 >> 8, 59995 & 0xFF, 'N'};
  EXPECT_EQ(FormatLatLongPlain(record), (Record{35, 59, 99, 'N'}));
}
