#include "cells/rxformat/RxTimeFormatters.h"

#include <chrono>

#include "core/GpsFieldText.h"
#include "core/ShortDateText.h"

using namespace std::chrono;

namespace {

constexpr int kNoOffset = 32767;
constexpr int kMaxOffset = 840;

minutes Shift(int utcOffset) {
  if (utcOffset == kNoOffset || utcOffset > kMaxOffset || utcOffset < -kMaxOffset)
    return minutes{0};
  return minutes{utcOffset};
}

}  // namespace

std::string FormatGpsTimeStamp(const DateTimeBcd& record, int utcOffset,
                               const RxFormatOptions& options) {
  year_month_day date;
  seconds timeOfDay{};
  if (GetRecordDate(record, date) && GetRecordTime(record, timeOfDay)) {
    const sys_seconds local = sys_days(date) + timeOfDay + Shift(utcOffset);
    const sys_days day = floor<days>(local);
    return core::ShortDateText(year_month_day{day}, options.dateOrder, options.dateSeparator) +
           " " + core::FixedTimeText(local - day);
  }
  if (options.csv) return {};
  // The pattern of a date and time with every digit a dash.
  std::string dashes =
      core::ShortDateText(year_month_day{year{2000}, month{1}, day{1}}, options.dateOrder,
                          options.dateSeparator) +
      " 00:00:00";
  for (char& c : dashes)
    if (c >= '0' && c <= '9') c = '-';
  return dashes;
}

std::string FormatRxTime(const std::array<std::uint8_t, 3>& hms, int utcOffset,
                         const RxFormatOptions& options) {
  const DateTimeBcd record{1, 1, 0, hms[0], hms[1], hms[2]};
  seconds timeOfDay{};
  if (!GetRecordTime(record, timeOfDay)) return options.csv ? std::string() : "--:--:--";
  const seconds local = timeOfDay + Shift(utcOffset);
  const seconds inDay = local - floor<days>(local);
  return core::FixedTimeText(inDay);
}
