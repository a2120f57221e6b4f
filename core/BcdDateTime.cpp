#include "core/BcdDateTime.h"

#include <span>

#include "core/BcdBits.h"

using namespace std::chrono;

bool GetRecordDate(const DateTimeBcd& record, year_month_day& date) {
  if (!core::IsBcdBytes(std::span<const std::uint8_t>(record.data(), 3))) return false;
  const year_month_day d{year{2000 + core::BcdToBin(record[2])},
                         month{static_cast<unsigned>(core::BcdToBin(record[1]))},
                         day{static_cast<unsigned>(core::BcdToBin(record[0]))}};
  if (!d.ok()) return false;
  date = d;
  return true;
}

bool GetRecordTime(const DateTimeBcd& record, seconds& timeOfDay) {
  if (!core::IsBcdBytes(std::span<const std::uint8_t>(record.data() + 3, 3))) return false;
  const int h = core::BcdToBin(record[3]);
  const int m = core::BcdToBin(record[4]);
  const int s = core::BcdToBin(record[5]);
  if (h > 23 || m > 59 || s > 59) return false;
  timeOfDay = hours{h} + minutes{m} + seconds{s};
  return true;
}
