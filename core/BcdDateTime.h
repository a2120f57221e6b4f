#pragma once
// Date and time records of the radio: six bytes of packed BCD (day, month,
// year - 2000, hour, minute, second), as GPS memories and received calls
// keep them in UTC. Reading only: the converters and the CSV codecs write
// them.
#include <array>
#include <chrono>
#include <cstdint>

using DateTimeBcd = std::array<std::uint8_t, 6>;  // day, month, year-2000, hour, minute, second

// BCD to a date (year 2000 + the year byte): false when a byte is not BCD or
// the date does not exist.
bool GetRecordDate(const DateTimeBcd& record, std::chrono::year_month_day& date);
// BCD to a time of day: false when a byte is not BCD or out of range.
bool GetRecordTime(const DateTimeBcd& record, std::chrono::seconds& timeOfDay);
