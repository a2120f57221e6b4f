// kw-test: link=rx_format
// kw-test: label=locale
// The received-call formatters: the same stored value as a cell shows it and
// as a CSV field holds it (no dashes, no suffix, the CSV decimal character,
// texts that cannot break a field).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "cells/rxformat/RxMeasureFormatters.h"
#include "cells/rxformat/RxTextFormatters.h"
#include "cells/rxformat/RxTimeFormatters.h"

namespace {

RxFormatOptions Cell(bool japanese = false) {
  RxFormatOptions o;
  o.japanese = japanese;
  return o;
}

RxFormatOptions Csv(char decimal = '.') {
  RxFormatOptions o;
  o.csv = true;
  o.decimal = decimal;
  return o;
}

TEST(RxMeasureFormatters, CellAndCsvFormsOfEveryMeasure) {
  const RxFormatOptions cell = Cell();
  const RxFormatOptions csv = Csv(',');
  auto both = [&](auto&& f) { return std::pair{f(cell), f(csv)}; };
  struct Row {
    const char* what;
    std::pair<std::string, std::string> got;
    const char* cell;
    const char* csv;
  };
  const Row rows[] = {
      {"speed kt", both([](auto& o) { return FormatRxSpeed(655, 2, o); }), "65.5kt", "65,5"},
      {"speed km/h", both([](auto& o) { return FormatRxSpeed(100, 0, o); }), "18.5km/h", "18,5"},
      {"speed mph", both([](auto& o) { return FormatRxSpeed(100, 1, o); }), "11.5mph", "11,5"},
      {"speed none", both([](auto& o) { return FormatRxSpeed(65535, 2, o); }), "---", ""},
      {"speed largest", both([](auto& o) { return FormatRxSpeed(65534, 0, o); }), "12136.8km/h",
       "12136,8"},
      {"altitude m", both([](auto& o) { return FormatRxAltitude(1000, 0, o); }), "30m", "30,5"},
      {"altitude ft", both([](auto& o) { return FormatRxAltitude(1234, 1, o); }), "123ft",
       "123,4"},
      {"altitude negative", both([](auto& o) { return FormatRxAltitude(-404, 0, o); }), "-12m",
       "-12,3"},
      {"altitude tiny negative", both([](auto& o) { return FormatRxAltitude(-1, 0, o); }), "0m",
       "0,0"},
      {"altitude lowest",
       both([](auto& o) { return FormatRxAltitude(0x80000000U, 1, o); }), "-214748365ft",
       "-214748364,8"},
      {"altitude none", both([](auto& o) { return FormatRxAltitude(0x7FFFFFFF, 0, o); }),
       "------", ""},
      {"course", both([](auto& o) { return FormatRxCourse(270, o); }), "270\xB0", "270"},
      {"course none", both([](auto& o) { return FormatRxCourse(65535, o); }), "---", ""},
      {"power", both([](auto& o) { return FormatPhgPower(9, o); }), "81W", "81"},
      {"power none", both([](auto& o) { return FormatPhgPower(255, o); }), "--", ""},
      {"power undefined", both([](auto& o) { return FormatPhgPower(10, o); }), "", ""},
      {"height ft", both([](auto& o) { return FormatPhgHeight(9, 1, o); }), "5120ft", "5120"},
      {"height m", both([](auto& o) { return FormatPhgHeight(4, 0, o); }), "49m", "49"},
      {"height undefined", both([](auto& o) { return FormatPhgHeight(200, 0, o); }), "", ""},
      {"gain", both([](auto& o) { return FormatPhgGain(3, o); }), "3dB", "3"},
      {"gain none", both([](auto& o) { return FormatPhgGain(255, o); }), "-", ""},
      {"directivity omni", both([](auto& o) { return FormatPhgDirectivity(0, o); }), "Omni",
       "Omni"},
      {"directivity 90", both([](auto& o) { return FormatPhgDirectivity(2, o); }),
       "90\xB0" "E", "90"},
      {"directivity 360", both([](auto& o) { return FormatPhgDirectivity(8, o); }),
       "360\xB0N", "360"},
      {"directivity undefined", both([](auto& o) { return FormatPhgDirectivity(9, o); }), "", ""},
      {"directivity none", both([](auto& o) { return FormatPhgDirectivity(255, o); }), "---", ""},
      {"temperature C", both([](auto& o) { return FormatRxTemperature(212, 0, o); }),
       " 100.0\xB0" "C", " 100,0"},
      {"temperature below 0", both([](auto& o) { return FormatRxTemperature(0, 0, o); }),
       "-17.8\xB0" "C", "-17,8"},
      {"temperature F", both([](auto& o) {
         return FormatRxTemperature(static_cast<std::uint16_t>(-40), 1, o);
       }),
       "-40\xB0" "F", "-40"},
      {"temperature none", both([](auto& o) { return FormatRxTemperature(32767, 0, o); }), "---",
       ""},
      {"rain in", both([](auto& o) { return FormatRxRainfall(105, 1, o); }), "1.05in", "1,05"},
      {"rain mm", both([](auto& o) { return FormatRxRainfall(100, 0, o); }), "25.4mm", "25,4"},
      {"rain none", both([](auto& o) { return FormatRxRainfall(65535, 0, o); }), "---", ""},
      {"wind direction", both([](auto& o) { return FormatRxWindDirection(45, o); }), "45\xB0",
       "45"},
      {"wind m/s", both([](auto& o) { return FormatRxWindSpeed(10, 0, o); }), "4.5m/s", "4,5"},
      {"wind kt", both([](auto& o) { return FormatRxWindSpeed(10, 1, o); }), "8.7kt", "8,7"},
      {"wind mph", both([](auto& o) { return FormatRxWindSpeed(10, 2, o); }), "10mph", "10"},
      {"wind none", both([](auto& o) { return FormatRxWindSpeed(65535, 2, o); }), "---", ""},
      {"pressure hPa", both([](auto& o) { return FormatPressure(10135, 0, o); }), "1014hPa",
       "1013,5"},
      {"pressure mbar", both([](auto& o) { return FormatPressure(10134, 1, o); }), "1013mbar",
       "1013,4"},
      {"pressure mmHg", both([](auto& o) { return FormatPressure(10132, 2, o); }), "760mmHg",
       "760"},
      {"pressure inHg", both([](auto& o) { return FormatPressure(10132, 3, o); }), "29.9inHg",
       "29,9"},
      {"pressure none", both([](auto& o) { return FormatPressure(0xFFFFFFFF, 0, o); }), "----",
       ""},
      {"humidity", both([](auto& o) { return FormatRxHumidity(55, o); }), "55%", "55"},
      {"humidity zero", both([](auto& o) { return FormatRxHumidity(0, o); }), "--", ""},
      {"humidity none", both([](auto& o) { return FormatRxHumidity(255, o); }), "--", ""},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(r.got.first, r.cell) << r.what;
    EXPECT_EQ(r.got.second, r.csv) << r.what;
  }
}

TEST(RxMeasureFormatters, JapaneseInterfaceUsesItsDegreeByteAndWord) {
  const RxFormatOptions ja = Cell(true);
  EXPECT_EQ(FormatRxCourse(10, ja), "10\xDF");
  EXPECT_EQ(FormatPhgDirectivity(1, ja), "45\xDFNE");
  EXPECT_EQ(FormatPhgDirectivity(0, ja), "\x96\xB3\x8E\x77\x8C\xFC\x90\xAB");  // 無指向性
  RxFormatOptions jaCsv = Csv();
  jaCsv.japanese = true;
  EXPECT_EQ(FormatPhgDirectivity(0, jaCsv), "Omni");
}

TEST(RxTextFormatters, FlagsStatusAndState) {
  EXPECT_EQ(FormatRxRouteStatus(0x41), "RPT?");
  EXPECT_EQ(FormatRxRouteStatus(0x42), "UR?");
  EXPECT_EQ(FormatRxRouteStatus(0x40), "RPT UP");
  EXPECT_EQ(FormatRxRouteStatus(0x03), "");
  EXPECT_EQ(FormatFlagStar20(0x20), "*");
  EXPECT_EQ(FormatFlagStar20(0xDF), "");
  EXPECT_EQ(FormatFlagStar08(0x08), "*");
  EXPECT_EQ(FormatFlagStar08(0xF7), "");
  const char* csv[] = {"Live Object", "Live Item", "Killed Object", "Killed Item"};
  const char* cell[] = {"", "", "(KILLED)", "(KILLED)"};
  for (std::uint8_t code = 0; code < 4; ++code) {
    EXPECT_EQ(FormatRxObjectState(code, Csv()), csv[code]);
    EXPECT_EQ(FormatRxObjectState(code, Cell()), cell[code]);
  }
  EXPECT_EQ(FormatRxObjectState(4, Csv()), "");
  EXPECT_EQ(FormatRxObjectState(255, Cell()), "");
}

TEST(RxTextFormatters, Ssid) {
  struct Case {
    std::string bytes;
    const char* cell;
    const char* csv;
  };
  const Case cases[] = {
      {"\xFF\xFF", "---", ""},
      {std::string("0\xFF"), "(-0)", "(-0)"},
      {std::string("9\xFF"), "9", "9"},
      {"15", "15", "15"},
      {std::string(",\xFF"), ",", ""},
      {"\r;", "\r;", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatRxSsid(c.bytes, Cell()), c.cell) << c.bytes;
    EXPECT_EQ(FormatRxSsid(c.bytes, Csv()), c.csv) << c.bytes;
  }
}

TEST(RxTextFormatters, TextsAreTrimmedAndCannotBreakACsvField) {
  EXPECT_EQ(FormatFixedText("JA1ABC  "), "JA1ABC");
  EXPECT_EQ(FormatFixedText(std::string("AB\0CD  ", 7)), "AB");
  EXPECT_EQ(FormatFixedText(" A\x81\x40"), " A");  // a full-width blank goes too

  const std::string message = std::string("Hi,there;\x01\xB1\x82\xA0 ") + "    ";
  // Cells: the byte that is no character becomes a blank; kana stay unless
  // replaced.
  EXPECT_EQ(FormatRxMessage(message, Cell(), false), "Hi,there; \xB1");
  EXPECT_EQ(FormatRxMessage(message, Cell(), true), "Hi,there; _");
  EXPECT_EQ(FormatRxMessage(message, Csv(), false), "Hi there  \xB1");
  EXPECT_EQ(FormatRxComment(message, Csv(), false), "Hi there  \xB1");

  // A lead byte at the end of the name would take the separator after it.
  EXPECT_EQ(FormatRxObjectName("OBJ,1\x82", Csv()), "OBJ 1");
  EXPECT_EQ(FormatRxObjectName("OBJ,1\x82\xA0", Csv()), "OBJ 1\x82\xA0");
  EXPECT_EQ(FormatRxObjectName("OBJ,1\x82", Cell()), "OBJ,1\x82");
}

TEST(RxTextFormatters, SymbolFollowsTheInterfaceLanguage) {
  EXPECT_EQ(FormatRxAprsSymbol("/>", Cell()), "Car");
  EXPECT_EQ(FormatRxAprsSymbol("A>", Csv()), "Overlayed Car (A)");
  EXPECT_EQ(FormatRxAprsSymbol("/>", Cell(true)), "\x8E\xA9\x93\xAE\x8E\xD4");  // 自動車
  EXPECT_EQ(FormatRxAprsSymbol("/$", Cell()), "/$");
  EXPECT_EQ(FormatRxAprsSymbol("\xFF\xFF", Cell()), "---");
  EXPECT_EQ(FormatRxAprsSymbol("\xFF\xFF", Csv()), "");
  EXPECT_EQ(FormatRxAprsSymbol("/,", Csv()), "Boy Scouts");
  EXPECT_EQ(FormatRxAprsSymbol("/;", Csv()), "Campground");
  // An unnamed code keeps its characters, but not a separator.
  EXPECT_EQ(FormatRxAprsSymbol("\\;", Csv()), "Park/Picnic Area");
  EXPECT_EQ(FormatRxAprsSymbol("/;", Cell()), "Campground");
  EXPECT_EQ(FormatRxAprsSymbol("a;", Csv()), "a");
}

TEST(RxTimeFormatters, TimeStampInEveryOrderAndOffset) {
  struct Case {
    DateTimeBcd record;
    int offset;
    int order;
    char separator;
    bool csv;
    const char* text;
  };
  const Case cases[] = {
      {{0x31, 0x12, 0x09, 0x20, 0x15, 0x00}, 540, 0, '/', false, "2010/01/01 05:15:00"},
      {{0x31, 0x12, 0x09, 0x20, 0x15, 0x00}, 540, 1, '/', false, "01/01/2010 05:15:00"},
      {{0x31, 0x12, 0x09, 0x20, 0x15, 0x00}, 540, 2, '.', true, "01.01.2010 05:15:00"},
      {{0x01, 0x03, 0x08, 0x01, 0x00, 0x00}, -330, 0, '-', true, "2008-02-29 19:30:00"},
      {{0x01, 0x03, 0x08, 0x01, 0x00, 0x00}, 32767, 0, '/', true, "2008/03/01 01:00:00"},
      {{0x01, 0x03, 0x08, 0x01, 0x00, 0x00}, 841, 0, '/', true, "2008/03/01 01:00:00"},
      {{0x99, 0x99, 0x99, 0x01, 0x00, 0x00}, 0, 0, '/', true, ""},
      {{0x99, 0x99, 0x99, 0x01, 0x00, 0x00}, 0, 0, '/', false, "----/--/-- --:--:--"},
      {{0x30, 0x02, 0x08, 0x01, 0x00, 0x00}, 0, 1, '/', false, "--/--/---- --:--:--"},
      {{0x01, 0x03, 0x08, 0x24, 0x00, 0x00}, 0, 2, '.', false, "--.--.---- --:--:--"},
  };
  for (const Case& c : cases) {
    RxFormatOptions o = c.csv ? Csv() : Cell();
    o.dateOrder = c.order;
    o.dateSeparator = c.separator;
    EXPECT_EQ(FormatGpsTimeStamp(c.record, c.offset, o), c.text) << c.text;
  }
}

TEST(RxTimeFormatters, GpsTimeWrapsWithinTheDay) {
  struct Case {
    std::array<std::uint8_t, 3> hms;
    int offset;
    const char* cell;
    const char* csv;
  };
  const Case cases[] = {
      {{0x23, 0x30, 0x00}, 60, "00:30:00", "00:30:00"},
      {{0x00, 0x10, 0x05}, -30, "23:40:05", "23:40:05"},
      {{0x12, 0x00, 0x00}, 32767, "12:00:00", "12:00:00"},
      {{0x24, 0x00, 0x00}, 0, "--:--:--", ""},
      {{0x12, 0x60, 0x00}, 0, "--:--:--", ""},
      {{0x12, 0x00, 0x5A}, 0, "--:--:--", ""},
      {{0xFF, 0xFF, 0xFF}, 0, "--:--:--", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatRxTime(c.hms, c.offset, Cell()), c.cell) << c.cell;
    EXPECT_EQ(FormatRxTime(c.hms, c.offset, Csv()), c.csv) << c.cell;
  }
}

}  // namespace
