#include "cells/rxformat/RxMeasureFormatters.h"

#include <array>
#include <cstdlib>

#include "core/Units.h"
#include "resources/symbol-names/SymbolNames.h"

namespace {

constexpr std::uint32_t kLast16 = 65534;  // larger 16-bit values are empty
constexpr std::uint32_t kAltitudeNone = 0x7FFFFFFF;
constexpr std::uint8_t kNoCode = 255;
constexpr std::uint8_t kLastPhgCode = 9;

std::string Dashes(const RxFormatOptions& o, const char* dashes) {
  return o.csv ? std::string() : std::string(dashes);
}

// Appends the unit in a cell only.
std::string WithSuffix(std::string text, const RxFormatOptions& o, const char* suffix) {
  if (!o.csv) text += suffix;
  return text;
}

std::string Whole(std::uint64_t v) { return std::to_string(v); }

// v / scale with as many decimals as scale has zeros, the options' decimal.
std::string Fixed(std::uint64_t v, std::uint64_t scale, const RxFormatOptions& o) {
  std::string frac = std::to_string(v % scale);
  const std::size_t digits = std::to_string(scale).size() - 1;
  if (frac.size() < digits) frac.insert(0, digits - frac.size(), '0');
  return std::to_string(v / scale) + o.Decimal() + frac;
}

std::string DegreeSuffix(const RxFormatOptions& o) {
  return o.csv ? std::string() : std::string(1, o.DegreeByte());
}

}  // namespace

std::string FormatRxCourse(std::uint16_t degrees, const RxFormatOptions& options) {
  if (degrees > kLast16) return Dashes(options, "---");
  return Whole(degrees) + DegreeSuffix(options);
}

std::string FormatRxSpeed(std::uint16_t tenthsKnot, int unit, const RxFormatOptions& options) {
  if (tenthsKnot > kLast16) return Dashes(options, "---");
  std::uint32_t v = tenthsKnot;
  const char* suffix = "kt";
  if (unit == 0) {
    v = static_cast<std::uint32_t>(core::DistanceNmToKm(static_cast<std::int32_t>(v)));
    suffix = "km/h";
  } else if (unit == 1) {
    v = static_cast<std::uint32_t>(core::DistanceNmToMile(static_cast<std::int32_t>(v)));
    suffix = "mph";
  }
  return WithSuffix(Fixed(v, 10, options), options, suffix);
}

std::string FormatRxAltitude(std::uint32_t tenthsFoot, int unit, const RxFormatOptions& options) {
  if (tenthsFoot == kAltitudeNone) return Dashes(options, "------");
  const auto value = static_cast<std::int64_t>(static_cast<std::int32_t>(tenthsFoot));
  // The magnitude of the lowest 32-bit value does not fit 32 signed bits.
  const auto magnitude = static_cast<std::uint32_t>(value < 0 ? -value : value);
  const std::uint64_t tenths = unit == 1 ? magnitude : core::FeetToMeters(magnitude);
  std::string text;
  if (options.csv) {
    text = Fixed(tenths, 10, options);
    if (value < 0 && tenths != 0) text.insert(0, 1, '-');
    return text;
  }
  // Whole metres rounded from the exact value, not from rounded tenths.
  const std::uint64_t whole = unit == 1 ? (tenths + 5) / 10
                                        : (static_cast<std::uint64_t>(magnitude) * 3048 + 50000) /
                                              100000;
  text = Whole(whole);
  if (value < 0 && whole != 0) text.insert(0, 1, '-');
  return text + (unit == 1 ? "ft" : "m");
}

std::string FormatPhgPower(std::uint8_t code, const RxFormatOptions& options) {
  if (code == kNoCode) return Dashes(options, "--");
  if (code > kLastPhgCode) return {};
  return WithSuffix(Whole(static_cast<std::uint64_t>(code) * code), options, "W");
}

std::string FormatPhgHeight(std::uint8_t code, int unit, const RxFormatOptions& options) {
  static constexpr std::array<int, 10> kMetres{3, 6, 12, 24, 49, 98, 195, 390, 780, 1561};
  if (code == kNoCode) return Dashes(options, "--");
  if (code > kLastPhgCode) return {};
  if (unit == 1) return WithSuffix(Whole(10ULL << code), options, "ft");
  return WithSuffix(Whole(static_cast<std::uint64_t>(kMetres[code])), options, "m");
}

std::string FormatPhgGain(std::uint8_t code, const RxFormatOptions& options) {
  if (code == kNoCode) return Dashes(options, "-");
  if (code > kLastPhgCode) return {};
  return WithSuffix(Whole(code), options, "dB");
}

std::string FormatPhgDirectivity(std::uint8_t code, const RxFormatOptions& options) {
  static constexpr std::array<const char*, 8> kDirections{"NE", "E",  "SE", "S",
                                                          "SW", "W",  "NW", "N"};
  if (code == kNoCode) return Dashes(options, "---");
  if (code == 0)
    return !options.csv && options.japanese ? kwres::kOmniJapanese : kwres::kOmniEnglish;
  if (code > kDirections.size()) return {};
  std::string text = Whole(45U * code);
  if (!options.csv) text += std::string(1, options.DegreeByte()) + kDirections[code - 1U];
  return text;
}

std::string FormatRxTemperature(std::uint16_t fahrenheit, int unit,
                                const RxFormatOptions& options) {
  if (fahrenheit == 32767) return Dashes(options, "---");
  const auto f = static_cast<std::int16_t>(fahrenheit);
  std::string text;
  if (unit == 1) {
    text = std::to_string(f);
  } else {
    const std::int32_t c = core::FahrenheitToCelsius10(f);
    const auto magnitude = static_cast<std::uint64_t>(std::abs(c));
    text = (c < 0 ? "-" : " ") + Fixed(magnitude, 10, options);
  }
  if (!options.csv) text += std::string(1, options.DegreeByte()) + (unit == 1 ? "F" : "C");
  return text;
}

std::string FormatRxRainfall(std::uint16_t hundredthsInch, int unit,
                             const RxFormatOptions& options) {
  if (hundredthsInch > kLast16) return Dashes(options, "---");
  if (unit == 1) return WithSuffix(Fixed(hundredthsInch, 100, options), options, "in");
  return WithSuffix(Fixed(core::ScaleX254(hundredthsInch), 10, options), options, "mm");
}

std::string FormatRxWindDirection(std::uint16_t degrees, const RxFormatOptions& options) {
  if (degrees > kLast16) return Dashes(options, "---");
  return Whole(degrees) + DegreeSuffix(options);
}

std::string FormatRxWindSpeed(std::uint16_t mph, int unit, const RxFormatOptions& options) {
  if (mph > kLast16) return Dashes(options, "---");
  if (unit == 0) return WithSuffix(Fixed(core::ScaleX447(mph), 10, options), options, "m/s");
  if (unit == 1) return WithSuffix(Fixed(core::ScaleX869(mph), 10, options), options, "kt");
  return WithSuffix(Whole(mph), options, "mph");
}

std::string FormatPressure(std::uint32_t tenthsHpa, int unit, const RxFormatOptions& options) {
  if (tenthsHpa > kLast16) return Dashes(options, "----");
  switch (unit) {
    case 2: return WithSuffix(Whole(core::HpaToMmHg(tenthsHpa)), options, "mmHg");
    case 3: return WithSuffix(Fixed(core::HpaToInHg(tenthsHpa), 10, options), options, "inHg");
    default: {
      const char* suffix = unit == 1 ? "mbar" : "hPa";
      if (options.csv) return Fixed(tenthsHpa, 10, options);
      return WithSuffix(Whole((tenthsHpa + 5) / 10), options, suffix);
    }
  }
}

std::string FormatRxHumidity(std::uint8_t percent, const RxFormatOptions& options) {
  if (percent == 0 || percent == kNoCode) return Dashes(options, "--");
  return WithSuffix(Whole(percent), options, "%");
}
