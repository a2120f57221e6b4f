#pragma once
// Formatters of the received call's time stamps. The radio keeps them in
// UTC as packed BCD; they are shown in local time, shifted by the radio's
// UTC offset in minutes (32767, none, and offsets beyond +-14:00 shift by
// 0).
#include <array>
#include <cstdint>
#include <string>

#include "cells/rxformat/RxFormatOptions.h"
#include "core/BcdDateTime.h"

// Date and time in the options' date order and separator, then
// " hh:nn:ss". Invalid: CSV empty; a cell the dashed pattern of the order
// ("----/--/-- --:--:--").
std::string FormatGpsTimeStamp(const DateTimeBcd& record, int utcOffset,
                               const RxFormatOptions& options);

// Hour, minute, second as BCD, shifted within the day: "hh:nn:ss";
// "--:--:--" (CSV empty) when a byte is not BCD, the hour is 24 or more or
// a minute or second 60 or more.
std::string FormatRxTime(const std::array<std::uint8_t, 3>& hms, int utcOffset,
                         const RxFormatOptions& options);
