#pragma once
// The radio's destination (region code) and its flags, as kept in the
// settings and written into data files ("EtcData=", encoded by
// indEnviron::EncodeEtcData).
#include <array>
#include <cstddef>
#include <cstdint>

struct dst_EtcData {
  static constexpr std::uint32_t kNoDestination = 16;

  std::uint32_t destination = kNoDestination;  // 0..15; 16 means none
  std::uint8_t firstFlag = 1;                  // destination variant bit of the radio
  std::uint8_t secondFlag = 0;                 // set from the document
  std::uint8_t thirdFlag = 0;                  // set from the document; not encoded

  friend bool operator==(const dst_EtcData&, const dst_EtcData&) = default;
};

// The radio information block read at identification.
inline constexpr std::size_t kRadioInformationSize = 45;
using RadioInformation = std::array<std::uint8_t, kRadioInformationSize>;

// Where the destination sits in the radio information.
inline constexpr std::size_t kRadioInfoDestinationByte = 18;
inline constexpr std::size_t kRadioInfoVariantByte = 20;
inline constexpr std::uint8_t kRadioInfoVariantBit = 0x08;
