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

#include "core/BcdDateTime.h"
#include "core/GpsFieldText.h"
#include "model/GpsDateTime.h"

class datCh;
struct ConverterContext;

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

// GetRecordDate and GetRecordTime (BCD to date and time) are in
// core/BcdDateTime.h; LocalToUtc and StoreLocalAsUtc in model/GpsDateTime.h.
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
