#pragma once
// Unit conversions of position-report and weather fields: integers in,
// integers out. Intermediates are 64-bit and results saturate at the limits
// of their 32-bit type, so no input overflows.
#include <cstdint>

namespace core {

constexpr std::int32_t kDistanceInvalid = 65535;

enum DistanceUnit : int { kKilometre = 0, kNauticalMile = 1, kStatuteMile = 2 };

// value x factor(from) / factor(to), truncated, with 1000, 1852 and 1609
// metres a unit. The value itself when it is 0, equals the marker or from is
// to; the marker for any other unit number.
std::int32_t ConvertDistanceUnit(std::int32_t value, std::int32_t marker, int from, int to);
std::int32_t DistanceNmToKm(std::int32_t value);
std::int32_t DistanceNmToMile(std::int32_t value);
std::int32_t DistanceKmToNm(std::int32_t value);
std::int32_t DistanceMileToNm(std::int32_t value);

// x 0.3048 and x 3.2808399, rounded half up, exactly as the radio's own
// integer formulas round.
std::uint32_t FeetToMeters(std::uint32_t feet);
std::uint32_t MetersToFeet(std::uint32_t meters);
std::int32_t FeetToMetersSigned(std::int32_t feet);
std::int32_t MetersToFeetSigned(std::int32_t meters);

// Tenths of a degree Celsius.
std::int32_t FahrenheitToCelsius10(std::int16_t fahrenheit);

std::uint32_t ScaleX254(std::uint16_t v);  // (v x 254 + 50) / 100
std::uint32_t ScaleX447(std::uint16_t v);  // (v x 447 + 50) / 100
std::uint32_t ScaleX869(std::uint16_t v);  // (v x 869 + 50) / 100
std::uint32_t HpaToInHg(std::uint32_t v);  // (v x 2953 + 50000) / 100000
std::uint32_t HpaToMmHg(std::uint32_t v);  // (v x 7501 + 50000) / 100000

}  // namespace core
