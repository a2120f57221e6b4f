#pragma once
// Call signs in channel and repeater records: eight 7-bit characters joined
// into 56 bits, the first character in the most significant bits, stored as
// 7 bytes. The eighth bit of each character is dropped.
#include <cstdint>

namespace callsign {

void PackText7(const char text[8], std::uint8_t packed[7]);
void UnpackText7(const std::uint8_t packed[7], char text[8]);

}  // namespace callsign
