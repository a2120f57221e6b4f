#pragma once
// Six on/off flags packed into one byte and back, as the GPS sentence
// cells combine their six sentence switches (RMC, GGA, GLL, GSA, VTG, GSV)
// into one combination index 0..63: flag 0 in bit 4, flag 1 in bit 3,
// flag 2 in bit 2, flag 3 in bit 1, flag 4 in bit 0, flag 5 in bit 5.
//
// Any non-zero byte counts as set; unpacking gives 0 or 1 per flag and
// ignores bits 6 and 7.
#include <array>
#include <cstdint>

using SixFlags = std::array<std::uint8_t, 6>;

std::uint8_t PackSixFlags(const SixFlags& flags);
SixFlags UnpackSixFlags(std::uint8_t packed);
