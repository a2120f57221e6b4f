#include "core/GpsFieldText.h"

namespace core {
namespace {

using namespace std::chrono;

bool Digits(std::string_view text, std::size_t at, std::size_t n, int& value) {
  value = 0;
  if (at + n > text.size()) return false;
  for (std::size_t i = at; i < at + n; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  return true;
}

std::string Two(int v) {
  std::string t = std::to_string(v);
  return t.size() < 2 ? "0" + t : t;
}

}  // namespace

std::optional<year_month_day> ReadFixedDate(std::string_view text) {
  int y = 0;
  int m = 0;
  int d = 0;
  if (text.size() != 10 || text[4] != '/' || text[7] != '/') return std::nullopt;
  if (!Digits(text, 0, 4, y) || !Digits(text, 5, 2, m) || !Digits(text, 8, 2, d)) {
    return std::nullopt;
  }
  const year_month_day date{year{y}, month{static_cast<unsigned>(m)},
                            day{static_cast<unsigned>(d)}};
  if (!date.ok()) return std::nullopt;
  return date;
}

std::optional<seconds> ReadFixedTime(std::string_view text) {
  int h = 0;
  int m = 0;
  int s = 0;
  if (text.size() != 8 || text[2] != ':' || text[5] != ':') return std::nullopt;
  if (!Digits(text, 0, 2, h) || !Digits(text, 3, 2, m) || !Digits(text, 6, 2, s)) {
    return std::nullopt;
  }
  if (h > 23 || m > 59 || s > 59) return std::nullopt;
  return hours{h} + minutes{m} + seconds{s};
}

std::optional<minutes> ReadFixedTimeHm(std::string_view text) {
  int h = 0;
  int m = 0;
  if (text.size() != 5 || text[2] != ':') return std::nullopt;
  if (!Digits(text, 0, 2, h) || !Digits(text, 3, 2, m)) return std::nullopt;
  if (h > 23 || m > 59) return std::nullopt;
  return hours{h} + minutes{m};
}

std::string FixedDateText(year_month_day date) {
  std::string y = std::to_string(static_cast<int>(date.year()));
  if (y.size() < 4) y.insert(0, 4 - y.size(), '0');
  return y + "/" + Two(static_cast<int>(static_cast<unsigned>(date.month()))) + "/" +
         Two(static_cast<int>(static_cast<unsigned>(date.day())));
}

std::string FixedTimeText(seconds timeOfDay) {
  const long long s = timeOfDay.count();
  return Two(static_cast<int>(s / 3600)) + ":" + Two(static_cast<int>(s / 60 % 60)) + ":" +
         Two(static_cast<int>(s % 60));
}

std::string FixedTimeHmText(int hour, int minute) { return Two(hour) + ":" + Two(minute); }

bool IsDateInRange(year_month_day date) {
  if (!date.ok()) return false;
  constexpr year_month_day kFirst{year{2000}, month{1}, day{2}};
  constexpr year_month_day kLast{year{2099}, month{12}, day{30}};
  return date >= kFirst && date <= kLast;
}

std::optional<PositionDigits> ReadFixedPosition(std::string_view text, bool seconds) {
  if (text.size() != 11 || text[3] != kDegreeByte) return std::nullopt;
  if (text[6] != (seconds ? '\'' : '.') || text[9] != (seconds ? '"' : '\'')) return std::nullopt;
  PositionDigits p;
  std::string degrees(text.substr(0, 3));
  if (degrees[0] == ' ') degrees[0] = '0';
  if (!Digits(degrees, 0, 3, p.degrees) || !Digits(text, 4, 2, p.minutes) ||
      !Digits(text, 7, 2, p.fraction)) {
    return std::nullopt;
  }
  p.hemisphere = text[10];
  if (p.hemisphere != 'N' && p.hemisphere != 'S' && p.hemisphere != 'E' && p.hemisphere != 'W') {
    return std::nullopt;
  }
  return p;
}

bool IsValidPosition(const PositionDigits& p, bool latitude, bool seconds) {
  const long combined = static_cast<long>(p.degrees) * 10000 + p.minutes * 100 + p.fraction;
  if (combined > (latitude ? 900000 : 1800000)) return false;
  if (latitude ? (p.hemisphere != 'N' && p.hemisphere != 'S')
               : (p.hemisphere != 'E' && p.hemisphere != 'W')) {
    return false;
  }
  return p.minutes < 60 && p.fraction < (seconds ? 60 : 100);
}

}  // namespace core
