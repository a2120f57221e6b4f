#pragma once
// Formatters of the received-call measures: course, speed, altitude, the
// power-height-gain-directivity codes and the weather values. Each takes the
// value as stored and the unit setting of the image where the value has
// one; units are numbered as their setting lists. A value at its empty
// marker gives dashes in a cell and the empty text in CSV; a code the
// radio does not define gives the empty text. Conversions are integer
// (core/Units.h) and cannot overflow.
#include <cstdint>
#include <string>

#include "cells/rxformat/RxFormatOptions.h"

// Degrees and the degree byte (no degree byte in CSV); "---" above 65534.
std::string FormatRxCourse(std::uint16_t degrees, const RxFormatOptions& options);
// Tenths of a knot: unit 0 km/h, 1 mph, 2 knots, one decimal, suffix
// "km/h", "mph", "kt"; "---" above 65534.
std::string FormatRxSpeed(std::uint16_t tenthsKnot, int unit, const RxFormatOptions& options);
// Tenths of a foot (signed 32 bits as stored; 0x7FFFFFFF none): unit 1
// feet, else metres; cells the whole number rounded half up with "ft" or
// "m", CSV one decimal; "-" before a negative value; "------" for none.
std::string FormatRxAltitude(std::uint32_t tenthsFoot, int unit, const RxFormatOptions& options);

// Codes 0..9 (255 none): power code squared, "W"; height 10 x 2^code feet
// (unit 1, "ft") or its metres ("m"); gain "dB"; directivity "Omni" or 45 x
// code degrees, in cells with the degree byte and the direction.
std::string FormatPhgPower(std::uint8_t code, const RxFormatOptions& options);
std::string FormatPhgHeight(std::uint8_t code, int unit, const RxFormatOptions& options);
std::string FormatPhgGain(std::uint8_t code, const RxFormatOptions& options);
std::string FormatPhgDirectivity(std::uint8_t code, const RxFormatOptions& options);

// Whole degrees Fahrenheit (signed 16 bits; 32767 none): unit 1 Fahrenheit,
// else tenths of a degree Celsius with a blank or "-" in front; in cells
// the degree byte and "F" or "C".
std::string FormatRxTemperature(std::uint16_t fahrenheit, int unit,
                                const RxFormatOptions& options);
// Hundredths of an inch: unit 1 inches with two decimals, else millimetres
// with one; "in" or "mm"; "---" above 65534.
std::string FormatRxRainfall(std::uint16_t hundredthsInch, int unit,
                             const RxFormatOptions& options);
// Degrees and the degree byte; "---" above 65534.
std::string FormatRxWindDirection(std::uint16_t degrees, const RxFormatOptions& options);
// Whole mph: unit 0 m/s and 1 knots with one decimal, 2 mph; "m/s", "kt",
// "mph"; "---" above 65534.
std::string FormatRxWindSpeed(std::uint16_t mph, int unit, const RxFormatOptions& options);
// Tenths of a hectopascal: units 0 hPa and 1 mbar (cells whole, rounded half
// up; CSV one decimal), 2 mmHg whole, 3 inHg one decimal; "----" above 65534.
std::string FormatPressure(std::uint32_t tenthsHpa, int unit, const RxFormatOptions& options);
// Percent; "--" for 0 and 255.
std::string FormatRxHumidity(std::uint8_t percent, const RxFormatOptions& options);
