#pragma once
// The column codecs of the CSV lists: each turns one record field into the
// text of its field and back. Numbers are read exactly (core/ScaledDecimal.h)
// with the file's decimal character; no text can make a parser read past a
// field, overflow or accept "inf", "nan" or hexadecimal.
//
// Texts written by the Format functions never hold "," ";", control bytes
// or a lead byte without its trail byte.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/BcdDateTime.h"

class cmcFCache;

namespace csv {

// Frequencies in Hz, written in MHz with six decimals.
std::uint32_t ParseFreq(std::string_view text, char decimal);     // 0 empty, bad, <0, >u32
std::uint32_t ParseFreqOpt(std::string_view text, char decimal);  // 0xFFFFFFFF empty or bad
std::string FormatFreq(std::uint32_t hz, char decimal);
std::string FormatFreqOrEmpty(std::uint32_t hz, char decimal);  // empty for 0

// Names of n bytes: trailing blanks go, a longer text is cut to n bytes (n -
// 1 before a lead byte) and the field blank padded; true when cut. Written:
// up to the first NUL, cleaned, trailing blanks removed, leading kept.
bool ParseName(std::string_view text, std::span<char> field);
std::string FormatName(std::string_view field);

// Call signs of 8 bytes: full-width folded to half-width, other double-byte
// characters dropped, cut to 8, blank padded (a leading blank stays); true
// when the text changed or was cut. Written right-trimmed and cleaned.
bool ParseCallSign(std::string_view text, std::span<char, 8> field);
std::string FormatCallSign(std::string_view field);

// A decimal integer 0..65535 (blanks around, an optional "+"); 65535
// otherwise.
std::uint32_t ParseInt16(std::string_view text);
std::string FormatInt(std::int64_t value);
// "%02d".
std::string FormatRowNumber(int number);
// A number truncated toward zero: kNoNumberEmpty for an empty text,
// kNoNumber for a text that is not one; saturated beyond 10^18.
inline constexpr std::int64_t kNoNumberEmpty = -1;
inline constexpr std::int64_t kNoNumber = -0x7FFFFFFFFFFFFFFFLL;
std::int64_t ParseNumber(std::string_view text, char decimal);

// A CTCSS tone: the table, else a number of 60..300 Hz ("88.6Hz") takes the
// nearest tone of the tone list and counts one correction; 65535 otherwise.
std::uint32_t ParseCtcss(std::string_view text, cmcFCache& choices, int& corrections);

// GPS date and time (six BCD bytes in UTC), written in local time through
// the UTC offset: the date in the order with the separator, the time
// "hh:nn:ss". A date without a valid time is written as it is (no shift);
// a time without a valid date is shifted within the day.
std::string FormatDate(const DateTimeBcd& record, int utcOffset, int order, char separator);
std::string FormatTime(const DateTimeBcd& record, int utcOffset);
// Into the date (or time) bytes: empty 99, a valid text its BCD, anything
// else 0xFF.
void ParseDate(std::string_view text, int order, char separator, DateTimeBcd& record);
void ParseTime(std::string_view text, DateTimeBcd& record);
// The record check of an imported local date and time: invalid parts become
// empty (99), a time (with its date, when there is one) is turned into UTC.
// A date without a time stays as it is. True when something was emptied.
bool FixGpsTimeFields(DateTimeBcd& record, int utcOffset);

// Positions: degrees (255 none), minutes x 1000 (big-endian), hemisphere.
using Position = std::array<std::uint8_t, 4>;
inline constexpr Position kNoPosition{0xFF, 0xFF, 0xFF, 0xFF};
Position ParseLatitude(std::string_view text, char decimal);
Position ParseLongitude(std::string_view text, char decimal);
std::string FormatPosition(const Position& position, char decimal);  // signed degrees
bool IsValidLatitude(const Position& position);
bool IsValidLongitude(const Position& position);

// Altitude in tenths of a foot (0x7FFFFFFF none), written in metres.
inline constexpr std::int32_t kAltitudeNone = 0x7FFFFFFF;
inline constexpr std::int32_t kAltitudeLimit = 328084;
std::int32_t ParseAltitude(std::string_view text, char decimal);
std::string FormatAltitude(std::int32_t tenthsFoot, char decimal);
bool IsValidAltitude(std::int32_t tenthsFoot);

// UTC offsets in minutes: 32767 none ("--:--"); kUtcInvalid for a text that
// is none of the forms "h:mm", "+h:mm", "-h:mm", "--:--".
inline constexpr int kUtcNone = 32767;
inline constexpr int kUtcInvalid = -0x7FFFFFFF;
int ParseUtcOffset(std::string_view text);
std::string FormatUtcOffset(int minutes);
// Invalid or beyond +-14:00 gives the default; none stays none; otherwise
// the magnitude is cut to a multiple of 5 minutes.
int RoundUtcOffset(int minutes, int defaultValue);

// Validators: name bytes that are no character become blanks; call signs
// keep "A".."Z", "0".."9", "/" and blank (lower case is raised). True when
// something changed.
bool FixInvalidTextChars(std::span<char> field);
bool FixCallSignChars(std::span<char, 8> field);

}  // namespace csv
