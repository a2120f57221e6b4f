#pragma once
// Positions as stored in position-report records: degrees, minutes in
// thousandths (16 bits, high byte first) and a hemisphere letter; shown as
// degrees, minutes and seconds or as degrees, minutes and hundredths.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace core {

// Two-digit seconds text to thousandths of a minute (three digits,
// seconds x 1000 / 60). Seconds above 59 give "999"; an empty text "000".
std::string SecondsToMilliMinutes(std::string_view seconds);

// Four-digit text of ten-thousandths of a minute to whole seconds (two
// digits, rounded). Returns 1 when the seconds reach 60: the text is then
// "00" and the caller adds a minute. An empty text gives "00".
int DecimalMinutesToSeconds(std::string_view tenThousandths, std::string& seconds);

// {degrees, minutes, seconds, hemisphere} of a record {degrees, thousandths
// high, thousandths low, hemisphere}; a rounding carry adds a minute, and at
// 59 minutes a degree.
std::array<std::uint8_t, 4> FormatLatLongText(std::span<const std::uint8_t, 4> record);
// {degrees, minutes, hundredths of a minute (truncated), hemisphere}.
std::array<std::uint8_t, 4> FormatLatLongPlain(std::span<const std::uint8_t, 4> record);

}  // namespace core
