#pragma once
// Numbers as text, without the C locale: Qt sets the process locale, so
// strtod and printf would read and write "," in some places and "." in
// others. There is one reader and one fixed-point writer; the decimal
// character is always passed in (the locale's, or a CSV file's own).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace core {

// "." or ","; any other decimal character counts as ".".
char NormalizeDecimal(char decimal);
// The locale's decimal character, normalized.
char LocaleDecimal();

// Reads blanks, an optional sign, digits with at most one decimal character,
// an optional exponent and blanks. None for anything else: an empty text,
// "inf", "nan", a thousands separator, the other one of "." and ",", a value
// out of the range of double.
std::optional<double> ReadDecimal(std::string_view text, char decimal);

// value / 10^decimals written with the decimal character ("-" for negative
// values, no grouping); decimals 0..18.
std::string WriteFixedPoint(std::int64_t scaled, int decimals, char decimal);

// Rounds half away from zero; none for NaN and values outside int64.
std::optional<std::int64_t> RoundHalfAwayFromZero(double value);

inline double IntToDouble(std::int64_t value) { return static_cast<double>(value); }

// The text read with the locale's decimal, 9999 when it does not read. A
// result whose integer part is 9999 is a failure: out 0, result 0; else the
// value and result 1.
int ParseFloatOr9999(double& out, std::string_view text);
// The text read with the locale's decimal, 0 when it does not read; true when
// the integer part is not 0.
bool ParseFloatNonZero(double& out, std::string_view text);

// A text of digits, a leading "-" and the separator, read with the separator
// as its decimal character; the fallback for any other text.
double ParseFrequencyText(std::string_view text, char separator, double fallback);
// Hertz as megahertz with six decimals and the separator ("145.000000").
std::string FormatFrequencyText(std::int64_t hertz, char separator);

// Keeps digits, "." and "-", at most 9 of them, reads the rest with "." and
// rounds half away from zero; 0 when nothing reads ("COM3" gives 3).
int TextToRoundedInt(std::string_view text);
// The same, but none when nothing reads: the kept characters hold no digit
// ("." or "-" alone) or do not form a number ("1-2").
std::optional<int> TryTextToRoundedInt(std::string_view text);

}  // namespace core
