#pragma once
// Formatters of the received-call texts and flags: call signs and notes,
// message and comment, route status, the BK and EMR flags, SSID, symbol and
// object. Each takes the field's bytes as stored (code page 932, blank
// padded) and answers the text a cell shows or a CSV field holds
// (RxFormatOptions). Nothing here reads past the field given.
#include <cstdint>
#include <string>
#include <string_view>

#include "cells/rxformat/RxFormatOptions.h"

// The field up to its first NUL, without trailing blanks (half- and
// full-width).
std::string FormatFixedText(std::string_view field);

// The 20-byte message: as FormatFixedText, with every byte that is neither
// printable ASCII nor half-width katakana shown as a blank; with
// `replaceKana` half-width katakana shown as "_".
std::string FormatRxMessage(std::string_view field, const RxFormatOptions& options,
                            bool replaceKana);
// The 43-byte position-report comment, as the message.
std::string FormatRxComment(std::string_view field, const RxFormatOptions& options,
                            bool replaceKana);
// The object or item name, as FormatFixedText.
std::string FormatRxObjectName(std::string_view field, const RxFormatOptions& options);

// "RPT?" when the low three bits are 1, "UR?" when they are 2, else "RPT UP"
// with bit 0x40, else empty.
std::string FormatRxRouteStatus(std::uint8_t status);
// "*" when the bit is set (BK 0x20, EMR 0x08), else empty.
std::string FormatFlagStar20(std::uint8_t status);
std::string FormatFlagStar08(std::uint8_t status);

// Two bytes: both 255 "---"; "0" and 255 "(-0)"; x and 255 "x"; else both.
std::string FormatRxSsid(std::string_view field, const RxFormatOptions& options);
// The symbol's name in the interface language (its two characters when the
// program does not name it); "---" when the first byte is 255.
std::string FormatRxAprsSymbol(std::string_view code, const RxFormatOptions& options);
// Codes 0..3: CSV "Live Object", "Live Item", "Killed Object", "Killed
// Item"; cells empty for 0 and 1 and "(KILLED)" for 2 and 3. Empty for
// any other code.
std::string FormatRxObjectState(std::uint8_t code, const RxFormatOptions& options);
