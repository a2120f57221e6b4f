#pragma once
// Dates and times of GPS memories and received calls. The radio keeps them
// in UTC as packed BCD (day, month, year - 2000, hour, minute, second); the
// cells show them in local time through the radio's UTC offset.
//
// Pure std::chrono over the fixed forms "yyyy/mm/dd", "hh:nn:ss" and
// "hh:nn": no global date formats, no time zone of the computer except for
// "today" and "now", which come from the context's local clock. A UTC
// offset of 32767 (none) or beyond +-14:00 shifts by 0. Parsers and the UTC
// conversion leave the record unchanged when the text is not in its fixed
// form or the result would leave the years 2000-2099.
#include <array>
#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/GpsFieldText.h"

class datCh;
struct ConverterContext;

using DateTimeBcd = std::array<std::uint8_t, 6>;  // day, month, year-2000, hour, minute, second

// Forms of the texts: 0 the cell's (date in the context's date order), 1 the
// GPS field dialog's ("yyyy/mm/dd"; today or now for an invalid value), 2
// "yyyy/mm/dd" with dashes for an invalid value.
namespace dtform {
inline constexpr int kCell = 0;
inline constexpr int kDialog = 1;
inline constexpr int kFixed = 2;
}  // namespace dtform

// The GPS memory's date and time bytes, and back.
DateTimeBcd GpsDateTimeOf(const datCh& record);
void SetGpsDateTime(datCh& record, const DateTimeBcd& value);

// BCD to a date (year 2000 + the year byte): false when a byte is not BCD or
// the date does not exist.
bool GetRecordDate(const DateTimeBcd& record, std::chrono::year_month_day& date);
// BCD to a time of day: false when a byte is not BCD or out of range.
bool GetRecordTime(const DateTimeBcd& record, std::chrono::seconds& timeOfDay);
// Through the fixed-form parsers below.
void SetRecordDate(DateTimeBcd& record, std::chrono::year_month_day date);
void SetRecordTime(DateTimeBcd& record, std::chrono::seconds timeOfDay);

// "yyyy/mm/dd" (years 2000-2099) into the date bytes; true when stored.
bool ParseDateText(DateTimeBcd& record, std::string_view text);
// "hh:nn:ss" into the time bytes; true when stored.
bool ParseTimeText(DateTimeBcd& record, std::string_view text);
// "hh:nn" into the two plain (not BCD) bytes of an hour-minute field.
bool ParseTimeHmText(std::span<std::uint8_t, 2> field, std::string_view text);

void ZeroDateTime(std::chrono::sys_seconds& value);
using core::IsDateInRange;

// The local date and time texts of a UTC record.
std::string EditDate(const ConverterContext& ctx, const DateTimeBcd& record, int utcOffset,
                     int form);
std::string EditTime(const ConverterContext& ctx, const DateTimeBcd& record, int utcOffset,
                     int form);
// "hh:nn" of an hour-minute field; "--:--" beyond 23:59.
std::string EditTimeHm(std::span<const std::uint8_t, 2> field);
bool IsValidTimeHm(std::span<const std::uint8_t, 2> field);

// A record holding local date and time turned into UTC in one step. With an
// invalid date and a valid time only the time is shifted (the date stays
// invalid). False, and nothing written, when the time is invalid or the UTC
// moment falls outside 2000-2099.
bool LocalToUtc(DateTimeBcd& record, int utcOffset);

// Local date and time (as "yyyy/mm/dd" and "hh:nn:ss" would give them)
// minus the offset into the record; false, nothing written, outside
// 2000-2099.
bool StoreLocalAsUtc(DateTimeBcd& record, std::chrono::year_month_day localDate,
                     std::chrono::seconds localTime, int utcOffset);
