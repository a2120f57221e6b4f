#pragma once
// The fixed text forms of GPS dates, times and positions that the GPS field
// dialog produces and the converters read: "yyyy/mm/dd", "hh:nn:ss",
// "hh:nn", and 11-byte positions " dd\xB0mm.hh'N" / "ddd\xB0mm'ss\"E".
//
// Readers accept exactly those forms (fixed widths, fixed separators, no
// blanks but a latitude's leading one) and answer none for anything else:
// the caller then leaves its record unchanged. Pure std::chrono: no global
// date formats, no time zone, no locale.
#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace core {

inline constexpr char kDegreeByte = '\xB0';

// An existing date written "yyyy/mm/dd".
std::optional<std::chrono::year_month_day> ReadFixedDate(std::string_view text);
// A time of day "hh:nn:ss" (00:00:00 to 23:59:59).
std::optional<std::chrono::seconds> ReadFixedTime(std::string_view text);
// An hour and minute "hh:nn" (00:00 to 23:59).
std::optional<std::chrono::minutes> ReadFixedTimeHm(std::string_view text);

std::string FixedDateText(std::chrono::year_month_day date);
std::string FixedTimeText(std::chrono::seconds timeOfDay);
std::string FixedTimeHmText(int hour, int minute);

// The radio keeps dates from 2000/01/02 to 2099/12/30 (both included), so
// that a shift by the UTC offset never leaves its century.
bool IsDateInRange(std::chrono::year_month_day date);

struct PositionDigits {
  int degrees = 0;
  int minutes = 0;
  int fraction = 0;  // hundredths of a minute, or seconds
  char hemisphere = 'N';
};

// Degrees (a latitude's first digit may be a blank), the degree byte,
// minutes, "." or "'", the fraction, "'" or the double quote, and the
// hemisphere letter: hundredths of a minute unless `seconds`.
std::optional<PositionDigits> ReadFixedPosition(std::string_view text, bool seconds);
// The dialog's rule: degrees, minutes and fraction read as one number are at
// most 900000 for a latitude (1800000 for a longitude), the letter is N or S
// (E or W), minutes are below 60 and the fraction below 60 (seconds) or 100.
bool IsValidPosition(const PositionDigits& position, bool latitude, bool seconds);

}  // namespace core
