#include "core/Units.h"

#include <limits>

namespace core {
namespace {

std::int32_t SaturateInt32(std::int64_t v) {
  if (v > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (v < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(v);
}

std::uint32_t SaturateUint32(std::uint64_t v) {
  return v > std::numeric_limits<std::uint32_t>::max() ? std::numeric_limits<std::uint32_t>::max()
                                                       : static_cast<std::uint32_t>(v);
}

std::int64_t MetresPerUnit(int unit) {
  switch (unit) {
    case kKilometre: return 1000;
    case kNauticalMile: return 1852;
    case kStatuteMile: return 1609;
    default: return 0;
  }
}

std::uint64_t Magnitude(std::int32_t v) {
  return v < 0 ? static_cast<std::uint64_t>(-static_cast<std::int64_t>(v))
               : static_cast<std::uint64_t>(v);
}

std::int32_t WithSign(std::int32_t sign, std::uint32_t magnitude) {
  const auto m = static_cast<std::int64_t>(magnitude);
  return SaturateInt32(sign < 0 ? -m : m);
}

}  // namespace

std::int32_t ConvertDistanceUnit(std::int32_t value, std::int32_t marker, int from, int to) {
  if (value == 0 || value == marker || from == to) return value;
  const std::int64_t f = MetresPerUnit(from);
  const std::int64_t t = MetresPerUnit(to);
  if (f == 0 || t == 0) return marker;
  return SaturateInt32(static_cast<std::int64_t>(value) * f / t);
}

std::int32_t DistanceNmToKm(std::int32_t v) {
  return ConvertDistanceUnit(v, kDistanceInvalid, kNauticalMile, kKilometre);
}
std::int32_t DistanceNmToMile(std::int32_t v) {
  return ConvertDistanceUnit(v, kDistanceInvalid, kNauticalMile, kStatuteMile);
}
std::int32_t DistanceKmToNm(std::int32_t v) {
  return ConvertDistanceUnit(v, kDistanceInvalid, kKilometre, kNauticalMile);
}
std::int32_t DistanceMileToNm(std::int32_t v) {
  return ConvertDistanceUnit(v, kDistanceInvalid, kStatuteMile, kNauticalMile);
}

std::uint32_t FeetToMeters(std::uint32_t feet) {
  const std::uint64_t v = feet;
  return SaturateUint32(v / 10000 * 3048 + ((v % 10000) * 3048 + 5000) / 10000);
}

std::uint32_t MetersToFeet(std::uint32_t meters) {
  // 3.2808399 = 3.28 + 0.0008399, split so that the radio's rounding is kept.
  constexpr std::uint64_t k = 8400 - 1;
  const std::uint64_t a = meters / 10000;
  const std::uint64_t b = meters % 10000;
  return SaturateUint32(a * 32800 + a * k / 1000 +
                        ((a * k) % 1000 * 10 + b * 32800 + (b * k + 500) / 1000 + 5000) / 10000);
}

std::int32_t FeetToMetersSigned(std::int32_t feet) {
  return WithSign(feet, FeetToMeters(static_cast<std::uint32_t>(Magnitude(feet))));
}

std::int32_t MetersToFeetSigned(std::int32_t meters) {
  return WithSign(meters, MetersToFeet(static_cast<std::uint32_t>(Magnitude(meters))));
}

std::int32_t FahrenheitToCelsius10(std::int16_t fahrenheit) {
  const std::int32_t q = (static_cast<std::int32_t>(fahrenheit) - 32) * 500 / 9;
  return fahrenheit < 32 ? (q - 5) / 10 : (q + 5) / 10;
}

std::uint32_t ScaleX254(std::uint16_t v) {
  return (static_cast<std::uint32_t>(v) * 254 + 50) / 100;
}
std::uint32_t ScaleX447(std::uint16_t v) {
  return (static_cast<std::uint32_t>(v) * 447 + 50) / 100;
}
std::uint32_t ScaleX869(std::uint16_t v) {
  return (static_cast<std::uint32_t>(v) * 869 + 50) / 100;
}
std::uint32_t HpaToInHg(std::uint32_t v) {
  return static_cast<std::uint32_t>((static_cast<std::uint64_t>(v) * 2953 + 50000) / 100000);
}
std::uint32_t HpaToMmHg(std::uint32_t v) {
  return static_cast<std::uint32_t>((static_cast<std::uint64_t>(v) * 7501 + 50000) / 100000);
}

}  // namespace core
