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

// The radio information: byte 0 its length (45), byte 1 the radio's layout
// revision, bytes 2-17 the clone comment, byte 18 the destination, byte 19
// the transmit inhibits, byte 20 bit 3 the destination variant, byte 22 the
// two information flags (bits 0 and 1) and the data preamble request (bit
// 2), bytes 23-36 the serial number in three parts of 4, 2 and 8
// characters.
inline constexpr std::size_t kRadioInfoLengthByte = 0;
inline constexpr std::size_t kRadioInfoRevisionByte = 1;
inline constexpr std::size_t kRadioInfoCommentByte = 2;
inline constexpr std::size_t kRadioInfoCommentSize = 16;
inline constexpr std::size_t kRadioInfoDestinationByte = 18;
inline constexpr std::size_t kRadioInfoVariantByte = 20;
inline constexpr std::uint8_t kRadioInfoVariantBit = 0x08;
inline constexpr std::size_t kRadioInfoFlagsByte = 22;
inline constexpr std::uint8_t kRadioInfoFirstFlagBit = 0x01;
inline constexpr std::uint8_t kRadioInfoSecondFlagBit = 0x02;
inline constexpr std::uint8_t kRadioInfoPreambleBit = 0x04;
inline constexpr std::size_t kRadioInfoSerialByte = 23;
inline constexpr std::size_t kRadioInfoSerialSize = 14;
// The serial number's three parts: hexadecimal digits, each read as an
// unsigned number.
inline constexpr std::size_t kRadioInfoSerialPartSizes[] = {4, 2, 8};
// Byte 19: the transmit inhibits of the two bands (bits 2 and 3).
inline constexpr std::size_t kRadioInfoTxByte = 19;
inline constexpr std::uint8_t kRadioInfoVhfTxInhibitBit = 0x04;
inline constexpr std::uint8_t kRadioInfoUhfTxInhibitBit = 0x08;
// Byte 20 bit 3 also inhibits digital voice; byte 22 bit 0 marks the
// expanded receive range, bit 1 the FCC inhibit.
inline constexpr std::uint8_t kRadioInfoDvInhibitBit = kRadioInfoVariantBit;
inline constexpr std::uint8_t kRadioInfoRxExpansionBit = kRadioInfoFirstFlagBit;
inline constexpr std::uint8_t kRadioInfoFccInhibitBit = kRadioInfoSecondFlagBit;
