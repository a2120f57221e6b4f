#pragma once
// Date and time of a new GPS memory: the computer's local time shifted back
// by the radio's UTC offset, as packed BCD day, month, year - 2000 and hour,
// minute, second.
#include <array>
#include <cstdint>

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

}  // namespace gpstime
