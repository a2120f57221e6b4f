#pragma once
// Date and time of a new GPS memory: the computer's local time shifted back
// by the radio's UTC offset, as packed BCD day, month, year - 2000 and hour,
// minute, second.
#include <array>
#include <chrono>
#include <cstdint>

#include "core/BcdDateTime.h"

class cmcEeprom;
class datCh;

namespace gpstime {

// Largest offset the radio knows (+-14 hours); 32767 marks "no value".
inline constexpr int kMaxUtcOffsetMinutes = 840;
inline constexpr std::uint8_t kEmptyBcd = 0x99;

// The UTC offset of the common settings (signed minutes); 32767 or an offset
// beyond +-840 minutes counts as 0.
int ReadUtcOffsetMinutes(const cmcEeprom& image);
// The same rule for an offset already read: 32767 (none) and offsets beyond
// +-840 minutes (a damaged image) shift by 0.
int UsableUtcOffset(int minutes);

// Local wall time (milliseconds since 1970 as if it were UTC) minus the
// offset into BCD bytes. A moment outside the years 2000-2099 gives 0x99 in
// all six bytes (the empty date and time) and answers false.
bool LocalToBcd(std::int64_t localMs, int utcOffsetMinutes, std::array<std::uint8_t, 3>& date,
                std::array<std::uint8_t, 3>& time);

// The computer's local time now (platform clock, local time zone).
std::int64_t LocalNowMs();

// Sets the record's GPS date and time from the clock.
void SetDateTimeFromClock(datCh& record, int utcOffsetMinutes);

// The fixed day on which a time without a valid date is shifted.
inline constexpr std::chrono::year_month_day kFixedDay{
    std::chrono::year{2006}, std::chrono::month{4}, std::chrono::day{10}};

}  // namespace gpstime

// A record holding local date and time turned into UTC in one step. With an
// invalid date and a valid time only the time is shifted (the date stays
// invalid). False, and nothing written, when the time is invalid or the UTC
// moment falls outside 2000-2099.
bool LocalToUtc(DateTimeBcd& record, int utcOffset);

// Local date and time minus the offset into the record; false, nothing
// written, outside 2000-2099.
bool StoreLocalAsUtc(DateTimeBcd& record, std::chrono::year_month_day localDate,
                     std::chrono::seconds localTime, int utcOffset);
