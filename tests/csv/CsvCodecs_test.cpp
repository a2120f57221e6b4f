// kw-test: label=locale
// The column codecs: every text form a file may hold, read and written with
// either decimal character; nothing a file holds can overflow a field or
// pass a range test by being "nan", "inf" or hexadecimal.
#include "model/csv/CsvCodecs.h"

#include <gtest/gtest.h>

#include "csv/CsvRig.h"
#include "model/csv/CsvTables.h"

namespace {

using namespace csv;

TEST(CsvTables, LookupsTrimFoldAndRefuse) {
  struct Case {
    FieldTable table;
    const char* text;
    std::uint32_t value;
  };
  const Case cases[] = {
      {DuplexTable(), " dup+ ", 2},      {DuplexTable(), "DUP +", 65535},
      {DuplexTable(), "DUP+", 2},        {ToneModeTable(), "tsql r", 6},
      {ToneModeTable(), "TRAIN1", 12},   {ModeTable(), "auto", 6},
      {ModeWithNoneTable(), "-", 255},   {GpsGroupTable(), "c", 3},
      {GpsGroupTable(), "OFF", 0},       {PositionTable(), "EXACT", 2},
      {SkipTable(), "", 65535},          {CtcssTable(), "88.5Hz", 8},
  };
  for (const Case& c : cases) EXPECT_EQ(EnumParse(c.table, c.text), c.value) << c.text;
  EXPECT_EQ(ParseTuneStep(TuneStepTable(), "6,25kHz"), 1u);
  EXPECT_EQ(ParseTuneStep(TuneStepWithNoneTable(), "-"), 255u);
  EXPECT_EQ(ParseDtcs("23"), 0u);
  EXPECT_EQ(ParseDtcs("5"), 65535u);
  EXPECT_EQ(ParseDtcs("754"), 103u);
  EXPECT_EQ(EnumFormat(ToneModeTable(), 6), "TSQL-R");
  EXPECT_EQ(EnumFormat(ToneModeTable(), 4), "NOT_FOUND");
  EXPECT_EQ(FormatCtcss(8, ','), "88,5Hz");
  EXPECT_EQ(FormatCtcss(77, ','), "NOT_FOUND");
}

TEST(CsvCodecs, UnlistedTonesTakeTheNearestOrRefuse) {
  kwtest::CsvRig rig;
  struct Case {
    const char* text;
    std::uint32_t value;
    int corrections;
  };
  const Case cases[] = {{"88,5Hz", 8, 0},  {"88.6Hz", 8, 1}, {"100.1Hz", 12, 1},
                        {"55Hz", 65535, 0}, {"301Hz", 65535, 0}, {"88.5", 65535, 0},
                        {"nanHz", 65535, 0}, {"Hz", 65535, 0}};
  for (const Case& c : cases) {
    int corrections = 0;
    EXPECT_EQ(ParseCtcss(c.text, rig.choices, corrections), c.value) << c.text;
    EXPECT_EQ(corrections, c.corrections) << c.text;
  }
}

TEST(CsvCodecs, FrequenciesAreExact) {
  struct Case {
    const char* text;
    char decimal;
    std::uint32_t freq;
    std::uint32_t optional;
  };
  const Case cases[] = {
      {"145.5", '.', 145500000, 145500000},   {"145,5", ',', 145500000, 145500000},
      {" 433.1234565 ", '.', 433123457, 433123457}, {"-1", '.', 0, 0},
      {"", '.', 0, 0xFFFFFFFF},               {"abc", '.', 0, 0xFFFFFFFF},
      {"nan", '.', 0, 0xFFFFFFFF},            {"inf", '.', 0, 0xFFFFFFFF},
      {"0x10", '.', 0, 0xFFFFFFFF},           {"4294.967295", '.', 4294967295u, 4294967295u},
      {"4294.967296", '.', 0, 0},             {"1e3", '.', 1000000000, 1000000000},
      {"145.5", ',', 0, 0xFFFFFFFF},          {"99999999999999999999", '.', 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseFreq(c.text, c.decimal), c.freq) << c.text;
    EXPECT_EQ(ParseFreqOpt(c.text, c.decimal), c.optional) << c.text;
  }
  EXPECT_EQ(FormatFreq(145000000, ','), "145,000000");
  EXPECT_EQ(FormatFreq(6250, '.'), "0.006250");
  EXPECT_EQ(FormatFreqOrEmpty(0, '.'), "");
}

TEST(CsvCodecs, IntegersAreRangeCheckedBeforeConverting) {
  const std::pair<const char*, std::uint32_t> cases[] = {
      {"07", 7}, {" 99 ", 99}, {"+5", 5}, {"65535", 65535}, {"65635", 65535},
      {"4294967395", 65535}, {"-1", 65535}, {"5.0", 65535}, {"", 65535}, {"x", 65535}};
  for (const auto& [text, value] : cases) EXPECT_EQ(ParseInt16(text), value) << text;
  EXPECT_EQ(ParseNumber("", '.'), kNoNumberEmpty);
  EXPECT_EQ(ParseNumber("x", '.'), kNoNumber);
  EXPECT_EQ(ParseNumber("-3.9", '.'), -3);
  EXPECT_EQ(ParseNumber("1e30", '.'), 1000000000000000000LL);
  EXPECT_EQ(FormatRowNumber(7), "07");
  EXPECT_EQ(FormatRowNumber(123), "123");
}

TEST(CsvCodecs, NamesAndCallSigns) {
  std::array<char, 16> name{};
  EXPECT_TRUE(ParseName("ABCDEFGHIJKLMNOPQ", name));
  EXPECT_EQ(std::string(name.data(), 16), "ABCDEFGHIJKLMNOP");
  EXPECT_TRUE(ParseName("ABCDEFGHIJKLMNO\x82\xA0", name));  // the 16th byte leads a pair
  EXPECT_EQ(std::string(name.data(), 16), "ABCDEFGHIJKLMNO ");
  EXPECT_FALSE(ParseName(" LEAD  \x81\x40", name));  // trailing blanks of both widths go
  EXPECT_EQ(std::string(name.data(), 16), " LEAD           ");
  EXPECT_EQ(FormatName(" A,B;C\r\x82   "), " A B C");
  EXPECT_EQ(FormatName(std::string(" X\0YZ", 5)), " X");

  std::array<char, 8> call{};
  EXPECT_FALSE(ParseCallSign(" JA1ABC", call));
  EXPECT_EQ(std::string(call.data(), 8), " JA1ABC ");
  EXPECT_TRUE(ParseCallSign("JA1ABCDEF", call));
  EXPECT_EQ(std::string(call.data(), 8), "JA1ABCDE");
  EXPECT_TRUE(ParseCallSign("\x82\x60\x82\x61", call));  // full-width "AB"
  EXPECT_EQ(std::string(call.data(), 8), "AB      ");
  EXPECT_EQ(FormatCallSign("JA1,B  G"), "JA1 B  G");
  EXPECT_EQ(FormatCallSign("JA1ABC  "), "JA1ABC");

  std::array<char, 8> fix = {'j', 'a', '1', '-', 'x', '/', ' ', 'G'};
  EXPECT_TRUE(FixCallSignChars(fix));
  EXPECT_EQ(std::string(fix.data(), 8), "JA1 X/ G");
}

TEST(CsvCodecs, PositionsAltitudesAndOffsets) {
  EXPECT_EQ(ParseLatitude("-0.5", '.'), (Position{0, 0x75, 0x30, 'S'}));  // 30000
  EXPECT_EQ(ParseLatitude("-0.0", '.'), (Position{0, 0, 0, 'S'}));
  EXPECT_EQ(ParseLatitude("90.1", '.'), kNoPosition);
  EXPECT_EQ(ParseLatitude("", '.'), kNoPosition);
  EXPECT_EQ(ParseLongitude("-180", '.'), (Position{180, 0, 0, 'W'}));
  EXPECT_EQ(ParseLongitude("139,5", ','), (Position{139, 0x75, 0x30, 'E'}));
  EXPECT_EQ(FormatPosition({35, 0xEA, 0x5F, 'N'}, '.'), "35.999983");  // 59999
  EXPECT_EQ(FormatPosition({0, 0, 0, 'W'}, ','), "-0,000000");
  EXPECT_EQ(FormatPosition(kNoPosition, '.'), "");
  // Every minute value reads back to itself.
  for (int m = 0; m < 60000; ++m) {
    const Position p{12, static_cast<std::uint8_t>(m >> 8), static_cast<std::uint8_t>(m), 'S'};
    ASSERT_EQ(ParseLatitude(FormatPosition(p, '.'), '.'), p) << m;
  }

  EXPECT_EQ(ParseAltitude("-12.3", '.'), -404);
  EXPECT_EQ(ParseAltitude("12,3", ','), 404);
  EXPECT_EQ(ParseAltitude("-0.05", '.'), -3);  // half a tenth rounds away from zero
  EXPECT_EQ(ParseAltitude("", '.'), kAltitudeNone);
  EXPECT_EQ(ParseAltitude("1e12", '.'), 328083990);
  EXPECT_FALSE(IsValidAltitude(ParseAltitude("1e12", '.')));
  EXPECT_EQ(FormatAltitude(-404, '.'), "-12.3");
  EXPECT_EQ(FormatAltitude(kAltitudeNone, '.'), "");
  for (int tenths = -10000; tenths <= 10000; tenths += 7) {
    const std::int32_t feet = ParseAltitude(std::to_string(tenths / 10) + "." +
                                                std::to_string(std::abs(tenths % 10)),
                                            '.');
    if (tenths < 0 && tenths > -10) continue;  // "-0.x" and "0.x" differ only in sign
    EXPECT_EQ(ParseAltitude(FormatAltitude(feet, '.'), '.'), feet) << tenths;
  }

  const std::pair<const char*, int> offsets[] = {
      {"+9:00", 540}, {"9:00", 540},   {"-5:30", -330}, {"--:--", kUtcNone}, {"0:00", 0},
      {"5", kUtcInvalid}, {"x9:00", kUtcInvalid}, {"+9:60", kUtcInvalid}, {"9:0", kUtcInvalid},
      {"+-9:00", kUtcInvalid}, {"", kUtcInvalid}};
  for (const auto& [text, value] : offsets) EXPECT_EQ(ParseUtcOffset(text), value) << text;
  EXPECT_EQ(FormatUtcOffset(0), "0:00");
  EXPECT_EQ(FormatUtcOffset(540), "+9:00");
  EXPECT_EQ(FormatUtcOffset(-330), "-5:30");
  EXPECT_EQ(FormatUtcOffset(kUtcNone), "--:--");
  EXPECT_EQ(RoundUtcOffset(kUtcNone, 0), kUtcNone);
  EXPECT_EQ(RoundUtcOffset(kUtcInvalid, 7), 7);
  EXPECT_EQ(RoundUtcOffset(-65535, 7), 7);
  EXPECT_EQ(RoundUtcOffset(841, 7), 7);
  EXPECT_EQ(RoundUtcOffset(-334, 7), -330);
}

TEST(CsvCodecs, DatesAndTimesShiftTogetherOrNotAtAll) {
  struct Case {
    DateTimeBcd record;
    int offset;
    const char* date;
    const char* time;
  };
  const Case cases[] = {
      {{0x31, 0x12, 0x09, 0x20, 0x15, 0x00}, 540, "2010/01/01", "05:15:00"},
      {{0x01, 0x01, 0x10, 0x02, 0x00, 0x00}, -330, "2009/12/31", "20:30:00"},
      {{0x01, 0x01, 0x10, 0x99, 0x99, 0x99}, -330, "2010/01/01", ""},  // a date alone stays
      {{0x99, 0x99, 0x99, 0x02, 0x00, 0x00}, -330, "", "20:30:00"},
      {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 0, "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatDate(c.record, c.offset, 0, '/'), c.date);
    EXPECT_EQ(FormatTime(c.record, c.offset), c.time);
    // Read back and checked, the record is what it was.
    DateTimeBcd back{};
    ParseDate(c.date, 0, '/', back);
    ParseTime(c.time, back);
    FixGpsTimeFields(back, c.offset);
    const DateTimeBcd emptied{0x99, 0x99, 0x99, 0x99, 0x99, 0x99};
    EXPECT_EQ(back, c.record[0] == 0xFF ? emptied : c.record) << c.date;
  }
  DateTimeBcd r{};
  ParseDate("07.03.2009", 2, '.', r);
  EXPECT_EQ((std::array<std::uint8_t, 3>{r[0], r[1], r[2]}), (std::array<std::uint8_t, 3>{7, 3, 9}));
  ParseDate("2009/02/30", 0, '/', r);
  EXPECT_EQ(r[0], 0xFF);
  ParseTime("25:00:00", r);
  EXPECT_EQ(r[3], 0xFF);
  // A bad time empties the whole record; a date out of the radio's range too.
  DateTimeBcd bad{0x01, 0x01, 0x10, 0xFF, 0xFF, 0xFF};
  EXPECT_TRUE(FixGpsTimeFields(bad, 0));
  EXPECT_EQ(bad, (DateTimeBcd{0x99, 0x99, 0x99, 0x99, 0x99, 0x99}));
  DateTimeBcd edge{0x01, 0x01, 0x00, 0x00, 0x00, 0x00};
  EXPECT_TRUE(FixGpsTimeFields(edge, 60));
  EXPECT_EQ(edge[0], 0x99);
}

}  // namespace
