#include "model/CallSignPack.h"

namespace callsign {

void PackText7(const char text[8], std::uint8_t packed[7]) {
  std::uint64_t bits = 0;
  for (int i = 0; i < 8; ++i) bits = (bits << 7) | (static_cast<std::uint8_t>(text[i]) & 0x7F);
  for (int i = 6; i >= 0; --i) {
    packed[i] = static_cast<std::uint8_t>(bits);
    bits >>= 8;
  }
}

void UnpackText7(const std::uint8_t packed[7], char text[8]) {
  std::uint64_t bits = 0;
  for (int i = 0; i < 7; ++i) bits = (bits << 8) | packed[i];
  for (int i = 7; i >= 0; --i) {
    text[i] = static_cast<char>(bits & 0x7F);
    bits >>= 7;
  }
}

}  // namespace callsign
