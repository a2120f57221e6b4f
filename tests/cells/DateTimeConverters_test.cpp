// kw-test: label=locale
// GPS dates and times: BCD in UTC, shown in local time through the radio's
// UTC offset, parsed only from their fixed forms. The results do not depend
// on the computer's time zone or locale, except "today" and "now" for an
// invalid record, which follow the local clock.
#include "cells/DateTimeConverters.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cells/ConverterContext.h"
#include "model/datCh.h"
#include "support/ManualClock.h"
#include "support/ScopedTimeZone.h"

namespace {

using namespace std::chrono;

constexpr const char* kZones[] = {"UTC", "Asia/Kolkata", "America/St_Johns", "Pacific/Kiritimati"};

ConverterContext Order(int order) {
  ConverterContext ctx;
  ctx.dateOrder = order;
  return ctx;
}

struct Shown {
  DateTimeBcd record;
  int offset;
  int order;
  const char* date;
  const char* time;
};

const Shown kShown[] = {
    {{0x07, 0x04, 0x15, 0x12, 0x30, 0x00}, 540, 0, "2015/04/07", "21:30:00"},
    {{0x07, 0x04, 0x15, 0x12, 0x30, 0x00}, 540, 1, "04/07/2015", "21:30:00"},
    {{0x07, 0x04, 0x15, 0x12, 0x30, 0x00}, 540, 2, "07/04/2015", "21:30:00"},
    {{0x07, 0x04, 0x15, 0x18, 0x00, 0x00}, 540, 0, "2015/04/08", "03:00:00"},    // next day
    {{0x01, 0x01, 0x15, 0x02, 0x00, 0x00}, -210, 0, "2014/12/31", "22:30:00"},   // year back
    {{0x28, 0x02, 0x16, 0x20, 0x00, 0x00}, 300, 0, "2016/02/29", "01:00:00"},    // leap day
    {{0x07, 0x04, 0x15, 0x12, 0x30, 0x00}, 32767, 0, "2015/04/07", "12:30:00"},  // no offset
    {{0x07, 0x04, 0x15, 0x12, 0x30, 0x00}, 900, 0, "2015/04/07", "12:30:00"},    // damaged
    {{0x99, 0x99, 0x99, 0x12, 0x30, 0x00}, 540, 0, "----/--/--", "21:30:00"},
    {{0x99, 0x99, 0x99, 0x12, 0x30, 0x00}, 540, 1, "--/--/----", "21:30:00"},
    {{0x31, 0x02, 0x15, 0x12, 0x30, 0x00}, 540, 2, "--/--/----", "21:30:00"},  // no such day
    {{0x07, 0x04, 0x15, 0x1A, 0x30, 0x00}, 540, 0, "----/--/--", "--:--:--"},  // not BCD
    {{0x07, 0x04, 0x15, 0x24, 0x00, 0x00}, 0, 0, "----/--/--", "--:--:--"},
};

TEST(EditDateTime, ShowLocalTimeWhateverTheComputersZone) {
  for (const char* zone : kZones) {
    kwtest::ScopedTimeZone tz(zone);
    for (const Shown& s : kShown) {
      const ConverterContext ctx = Order(s.order);
      EXPECT_EQ(EditDate(ctx, s.record, s.offset, dtform::kCell), s.date) << zone;
      EXPECT_EQ(EditTime(ctx, s.record, s.offset, dtform::kCell), s.time) << zone;
    }
  }
}

TEST(EditDateTime, DialogFormIsFixedAndFallsBackToTodayAndNow) {
  // 2026-01-01 00:30:00 UTC.
  kwtest::ManualClock clock(0, 1767227400000);
  struct Case {
    const char* zone;
    const char* today;
    const char* now;
  } cases[] = {{"Asia/Kolkata", "2026/01/01", "06:00:00"},
               {"America/St_Johns", "2025/12/31", "21:00:00"},
               {"Pacific/Kiritimati", "2026/01/01", "14:30:00"}};
  const DateTimeBcd invalid{0x99, 0x99, 0x99, 0x99, 0x99, 0x99};
  const DateTimeBcd valid{0x07, 0x04, 0x15, 0x12, 0x30, 0x00};
  for (const auto& c : cases) {
    kwtest::ScopedTimeZone tz(c.zone);
    const ConverterContext ctx = Order(2);
    EXPECT_EQ(EditDate(ctx, invalid, 540, dtform::kDialog), c.today) << c.zone;
    EXPECT_EQ(EditTime(ctx, invalid, 540, dtform::kDialog), c.now) << c.zone;
    EXPECT_EQ(EditDate(ctx, invalid, 540, dtform::kFixed), "--/--/----");
    EXPECT_EQ(EditDate(ctx, valid, 540, dtform::kDialog), "2015/04/07");
    EXPECT_EQ(EditDate(ctx, valid, 540, dtform::kFixed), "2015/04/07");
  }
}

TEST(IsDateInRange, KeepsAFullDayFromTheCenturysEnds) {
  EXPECT_FALSE(IsDateInRange(year{2000} / 1 / 1));
  EXPECT_TRUE(IsDateInRange(year{2000} / 1 / 2));
  EXPECT_TRUE(IsDateInRange(year{2099} / 12 / 30));
  EXPECT_FALSE(IsDateInRange(year{2099} / 12 / 31));
  EXPECT_FALSE(IsDateInRange(year{2015} / 2 / 29));
}

TEST(ParseDateTimeText, OnlyTheFixedFormsAreStored) {
  const DateTimeBcd start{0x07, 0x04, 0x15, 0x12, 0x30, 0x00};
  struct Case {
    const char* text;
    bool date;  // else time
    bool stored;
    DateTimeBcd after;
  } cases[] = {
      {"2016/02/29", true, true, {0x29, 0x02, 0x16, 0x12, 0x30, 0x00}},
      {"2099/12/31", true, true, {0x31, 0x12, 0x99, 0x12, 0x30, 0x00}},
      {"2015/02/29", true, false, start},
      {"1999/12/31", true, false, start},  // two year digits would store 2099
      {"2100/01/01", true, false, start},
      {"2015/4/7", true, false, start},
      {"2015-04-07", true, false, start},
      {"", true, false, start},
      {"23:59:58", false, true, {0x07, 0x04, 0x15, 0x23, 0x59, 0x58}},
      {"24:00:00", false, false, start},
      {"12:3:00", false, false, start},
      {"12.30.00", false, false, start},
  };
  for (const auto& c : cases) {
    DateTimeBcd r = start;
    EXPECT_EQ(c.date ? ParseDateText(r, c.text) : ParseTimeText(r, c.text), c.stored) << c.text;
    EXPECT_EQ(r, c.after) << c.text;
  }
  std::array<std::uint8_t, 2> hm{1, 2};
  EXPECT_TRUE(ParseTimeHmText(hm, "23:59"));
  EXPECT_EQ(hm, (std::array<std::uint8_t, 2>{23, 59}));
  EXPECT_FALSE(ParseTimeHmText(hm, "23:60"));
  EXPECT_FALSE(ParseTimeHmText(hm, "2359"));
  EXPECT_EQ(hm, (std::array<std::uint8_t, 2>{23, 59}));
}

TEST(ParseDateTimeText, RecordSettersAndGettersRoundTrip) {
  DateTimeBcd r{};
  SetRecordDate(r, year{2024} / 2 / 29);
  SetRecordTime(r, hours{7} + minutes{5} + seconds{9});
  EXPECT_EQ(r, (DateTimeBcd{0x29, 0x02, 0x24, 0x07, 0x05, 0x09}));
  year_month_day date;
  seconds t{};
  ASSERT_TRUE(GetRecordDate(r, date));
  ASSERT_TRUE(GetRecordTime(r, t));
  EXPECT_EQ(date, year{2024} / 2 / 29);
  EXPECT_EQ(t, hours{7} + minutes{5} + seconds{9});
  sys_seconds zero{hours{5}};
  ZeroDateTime(zero);
  EXPECT_EQ(zero.time_since_epoch().count(), 0);
}

TEST(EditTimeHm, ShowsHoursAndMinutesOrDashes) {
  EXPECT_EQ(EditTimeHm(std::array<std::uint8_t, 2>{0, 5}), "00:05");
  EXPECT_EQ(EditTimeHm(std::array<std::uint8_t, 2>{23, 59}), "23:59");
  EXPECT_EQ(EditTimeHm(std::array<std::uint8_t, 2>{24, 0}), "--:--");
  EXPECT_EQ(EditTimeHm(std::array<std::uint8_t, 2>{12, 60}), "--:--");
}

TEST(LocalToUtc, ShiftsInOneStepAndNeverLeavesTheCentury) {
  struct Case {
    DateTimeBcd local;
    int offset;
    bool stored;
    DateTimeBcd after;
  } cases[] = {
      {{0x08, 0x04, 0x15, 0x03, 0x00, 0x00}, 540, true, {0x07, 0x04, 0x15, 0x18, 0x00, 0x00}},
      {{0x31, 0x12, 0x99, 0x22, 0x00, 0x00}, 180, true, {0x31, 0x12, 0x99, 0x19, 0x00, 0x00}},
      {{0x01, 0x01, 0x00, 0x05, 0x00, 0x00}, 300, true, {0x01, 0x01, 0x00, 0x00, 0x00, 0x00}},
      // One step into 1999 or 2100: the record stays as it was.
      {{0x01, 0x01, 0x00, 0x05, 0x00, 0x00}, 540, false, {0x01, 0x01, 0x00, 0x05, 0x00, 0x00}},
      {{0x31, 0x12, 0x99, 0x22, 0x00, 0x00}, -180, false, {0x31, 0x12, 0x99, 0x22, 0x00, 0x00}},
      // No offset set: no shift.
      {{0x08, 0x04, 0x15, 0x03, 0x00, 0x00}, 32767, true, {0x08, 0x04, 0x15, 0x03, 0x00, 0x00}},
      // Invalid date: only the time shifts.
      {{0x99, 0x99, 0x99, 0x03, 0x00, 0x00}, 540, true, {0x99, 0x99, 0x99, 0x18, 0x00, 0x00}},
      // Invalid time: nothing.
      {{0x08, 0x04, 0x15, 0x99, 0x00, 0x00}, 540, false, {0x08, 0x04, 0x15, 0x99, 0x00, 0x00}},
  };
  for (const char* zone : kZones) {
    kwtest::ScopedTimeZone tz(zone);
    for (const auto& c : cases) {
      DateTimeBcd r = c.local;
      EXPECT_EQ(LocalToUtc(r, c.offset), c.stored) << zone;
      EXPECT_EQ(r, c.after) << zone;
    }
  }
}

TEST(GpsDateTimeOf, MovesTheRecordsBytes) {
  datCh record;
  record.gpsDate = {0x07, 0x04, 0x15};
  record.gpsTime = {0x12, 0x30, 0x45};
  const DateTimeBcd dt = GpsDateTimeOf(record);
  EXPECT_EQ(dt, (DateTimeBcd{0x07, 0x04, 0x15, 0x12, 0x30, 0x45}));
  SetGpsDateTime(record, {1, 2, 3, 4, 5, 6});
  EXPECT_EQ(record.gpsDate, (std::array<std::uint8_t, 3>{1, 2, 3}));
  EXPECT_EQ(record.gpsTime, (std::array<std::uint8_t, 3>{4, 5, 6}));
}

}  // namespace
