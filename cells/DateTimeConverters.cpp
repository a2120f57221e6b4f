#include "cells/DateTimeConverters.h"

#include "cells/ConverterContext.h"
#include "core/BcdBits.h"
#include "core/ShortDateText.h"
#include "model/GpsDateTime.h"
#include "model/datCh.h"

namespace {

using namespace std::chrono;

enum Byte { kDay = 0, kMonth, kYear, kHour, kMinute, kSecond };

using gpstime::kFixedDay;

// The local moment of a valid UTC date and time.
sys_seconds LocalMoment(year_month_day date, seconds timeOfDay, int utcOffset) {
  return sys_days(date) + timeOfDay + minutes{gpstime::UsableUtcOffset(utcOffset)};
}

seconds TimeOfDayOf(sys_seconds moment) { return moment - floor<days>(moment); }

sys_seconds NowLocal(const ConverterContext& ctx) {
  return floor<seconds>(sys_time<milliseconds>(milliseconds{ctx.LocalNowMs()}));
}

std::string DateInOrder(year_month_day date, int order) {
  return core::ShortDateText(date, order, '/');
}

}  // namespace

DateTimeBcd GpsDateTimeOf(const datCh& record) {
  return {record.gpsDate[0], record.gpsDate[1], record.gpsDate[2],
          record.gpsTime[0], record.gpsTime[1], record.gpsTime[2]};
}

void SetGpsDateTime(datCh& record, const DateTimeBcd& value) {
  record.gpsDate = {value[kDay], value[kMonth], value[kYear]};
  record.gpsTime = {value[kHour], value[kMinute], value[kSecond]};
}

void SetRecordDate(DateTimeBcd& record, year_month_day date) {
  ParseDateText(record, core::FixedDateText(date));
}

void SetRecordTime(DateTimeBcd& record, seconds timeOfDay) {
  ParseTimeText(record, core::FixedTimeText(timeOfDay));
}

bool ParseDateText(DateTimeBcd& record, std::string_view text) {
  const auto date = core::ReadFixedDate(text);
  if (!date) return false;
  const int y = static_cast<int>(date->year());
  if (y < 2000 || y > 2099) return false;  // two year digits would land a century off
  record[kDay] = core::BinToBcd(static_cast<int>(static_cast<unsigned>(date->day())));
  record[kMonth] = core::BinToBcd(static_cast<int>(static_cast<unsigned>(date->month())));
  record[kYear] = core::BinToBcd(y - 2000);
  return true;
}

bool ParseTimeText(DateTimeBcd& record, std::string_view text) {
  const auto t = core::ReadFixedTime(text);
  if (!t) return false;
  const long long s = t->count();
  record[kHour] = core::BinToBcd(static_cast<int>(s / 3600));
  record[kMinute] = core::BinToBcd(static_cast<int>(s / 60 % 60));
  record[kSecond] = core::BinToBcd(static_cast<int>(s % 60));
  return true;
}

bool ParseTimeHmText(std::span<std::uint8_t, 2> field, std::string_view text) {
  const auto t = core::ReadFixedTimeHm(text);
  if (!t) return false;
  field[0] = static_cast<std::uint8_t>(t->count() / 60);
  field[1] = static_cast<std::uint8_t>(t->count() % 60);
  return true;
}

void ZeroDateTime(sys_seconds& value) { value = sys_seconds{}; }

std::string EditDate(const ConverterContext& ctx, const DateTimeBcd& record, int utcOffset,
                     int form) {
  year_month_day date;
  seconds timeOfDay{};
  if (GetRecordDate(record, date) && GetRecordTime(record, timeOfDay)) {
    const year_month_day local{floor<days>(LocalMoment(date, timeOfDay, utcOffset))};
    return form == dtform::kCell ? DateInOrder(local, ctx.dateOrder) : core::FixedDateText(local);
  }
  if (form == dtform::kDialog)
    return core::FixedDateText(year_month_day{floor<days>(NowLocal(ctx))});
  return ctx.dateOrder == 1 || ctx.dateOrder == 2 ? "--/--/----" : "----/--/--";
}

std::string EditTime(const ConverterContext& ctx, const DateTimeBcd& record, int utcOffset,
                     int form) {
  seconds timeOfDay{};
  if (GetRecordTime(record, timeOfDay)) {
    // Without a valid date the shift is made on a fixed day: only the time
    // of day matters.
    year_month_day date;
    if (!GetRecordDate(record, date)) date = kFixedDay;
    return core::FixedTimeText(TimeOfDayOf(LocalMoment(date, timeOfDay, utcOffset)));
  }
  if (form == dtform::kDialog) return core::FixedTimeText(TimeOfDayOf(NowLocal(ctx)));
  return "--:--:--";
}

bool IsValidTimeHm(std::span<const std::uint8_t, 2> field) {
  return field[0] <= 23 && field[1] <= 59;
}

std::string EditTimeHm(std::span<const std::uint8_t, 2> field) {
  if (!IsValidTimeHm(field)) return "--:--";
  return core::FixedTimeHmText(field[0], field[1]);
}
