#include "model/GpsDateTime.h"

#include <QDateTime>

#include "core/BcdBits.h"
#include "model/ImageAccess.h"
#include "model/LayoutImage.h"
#include "model/datCh.h"
#include "platform/Clock.h"

namespace gpstime {
namespace {

struct Civil {
  std::int64_t year;
  int month;
  int day;
};

// Days since 1970-01-01 to a proleptic Gregorian date.
Civil CivilFromDays(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {yoe + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

}  // namespace

int ReadUtcOffsetMinutes(const cmcEeprom& image) {
  if (image.GetSize() < layout::kMinImageSize) return 0;
  return UsableUtcOffset(static_cast<std::int16_t>(imageaccess::Get16(image, layout::kUtcOffset)));
}

int UsableUtcOffset(int minutes) {
  if (minutes > kMaxUtcOffsetMinutes || minutes < -kMaxUtcOffsetMinutes) return 0;
  return minutes;
}

bool LocalToBcd(std::int64_t localMs, int utcOffsetMinutes, std::array<std::uint8_t, 3>& date,
                std::array<std::uint8_t, 3>& time) {
  const std::int64_t utcSeconds =
      FloorDiv(localMs, 1000) - static_cast<std::int64_t>(utcOffsetMinutes) * 60;
  const std::int64_t days = FloorDiv(utcSeconds, 86400);
  const std::int64_t secondOfDay = utcSeconds - days * 86400;
  const Civil civil = CivilFromDays(days);
  if (civil.year < 2000 || civil.year > 2099) {
    date.fill(kEmptyBcd);
    time.fill(kEmptyBcd);
    return false;
  }
  date = {core::BinToBcd(civil.day), core::BinToBcd(civil.month),
          core::BinToBcd(static_cast<int>(civil.year - 2000))};
  time = {core::BinToBcd(static_cast<int>(secondOfDay / 3600)),
          core::BinToBcd(static_cast<int>(secondOfDay / 60 % 60)),
          core::BinToBcd(static_cast<int>(secondOfDay % 60))};
  return true;
}

std::int64_t LocalNowMs() {
  const std::int64_t now = platform::CurrentClock().NowUnixMs();
  const int zoneSeconds = QDateTime::fromMSecsSinceEpoch(now).offsetFromUtc();
  return now + static_cast<std::int64_t>(zoneSeconds) * 1000;
}

void SetDateTimeFromClock(datCh& record, int utcOffsetMinutes) {
  LocalToBcd(LocalNowMs(), utcOffsetMinutes, record.gpsDate, record.gpsTime);
}

}  // namespace gpstime

using namespace std::chrono;

bool StoreLocalAsUtc(DateTimeBcd& record, year_month_day localDate, seconds localTime,
                     int utcOffset) {
  const auto moment = sys_days(localDate) + localTime;
  const std::int64_t localMs = duration_cast<milliseconds>(moment.time_since_epoch()).count();
  std::array<std::uint8_t, 3> d{};
  std::array<std::uint8_t, 3> t{};
  if (!gpstime::LocalToBcd(localMs, gpstime::UsableUtcOffset(utcOffset), d, t)) return false;
  record = {d[0], d[1], d[2], t[0], t[1], t[2]};
  return true;
}

bool LocalToUtc(DateTimeBcd& record, int utcOffset) {
  seconds timeOfDay{};
  if (!GetRecordTime(record, timeOfDay)) return false;
  year_month_day date;
  if (GetRecordDate(record, date)) return StoreLocalAsUtc(record, date, timeOfDay, utcOffset);
  DateTimeBcd scratch = record;
  if (!StoreLocalAsUtc(scratch, gpstime::kFixedDay, timeOfDay, utcOffset)) return false;
  record[3] = scratch[3];
  record[4] = scratch[4];
  record[5] = scratch[5];
  return true;
}
