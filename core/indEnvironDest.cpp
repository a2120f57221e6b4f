// The destination half of the settings object: the "Etc Data" encoding and
// the comparisons against the radio information.
#include <bit>

#include "core/indEnviron.h"

namespace {

// Where the five check bits sit, lowest check bit first.
constexpr int kCheckBits[5] = {0, 4, 6, 11, 17};
constexpr std::uint32_t kCheckMask = (1u << 0) | (1u << 4) | (1u << 6) | (1u << 11) | (1u << 17);
constexpr int kDestinationShift = 18;
constexpr std::uint32_t kDestinationMask = 0x1F;
constexpr int kFirstFlagBit = 14;
constexpr int kSecondFlagBit = 2;

std::uint32_t SpreadCheck(std::uint32_t check) {
  std::uint32_t bits = 0;
  for (int i = 0; i < 5; ++i)
    if (check & (1u << i)) bits |= 1u << kCheckBits[i];
  return bits;
}

std::uint32_t GatherCheck(std::uint32_t value) {
  std::uint32_t check = 0;
  for (int i = 0; i < 5; ++i)
    if (value & (1u << kCheckBits[i])) check |= 1u << i;
  return check;
}

}  // namespace

std::uint32_t indEnviron::EncodeEtcData(const dst_EtcData& record) {
  const std::uint32_t destination = record.destination & kDestinationMask;
  const std::uint32_t first = record.firstFlag ? 1u : 0u;
  const std::uint32_t second = record.secondFlag ? 1u : 0u;
  const std::uint32_t check =
      (static_cast<std::uint32_t>(std::popcount(destination)) + first + second) % 32u;
  return (destination << kDestinationShift) | (first << kFirstFlagBit) |
         (second << kSecondFlagBit) | SpreadCheck(check);
}

bool indEnviron::DecodeEtcData(std::uint32_t value, dst_EtcData& record) {
  record.destination = (value >> kDestinationShift) & kDestinationMask;
  record.firstFlag = static_cast<std::uint8_t>((value >> kFirstFlagBit) & 1u);
  record.secondFlag = static_cast<std::uint8_t>((value >> kSecondFlagBit) & 1u);
  record.thirdFlag = 0;
  const std::uint32_t expected =
      static_cast<std::uint32_t>(std::popcount(value & ~kCheckMask)) % 32u;
  return expected == GatherCheck(value);
}

void indEnviron::GetDestFromImage(const RadioInformation& block, dst_EtcData& record) {
  record.destination = block[kRadioInfoDestinationByte];
  record.firstFlag = (block[kRadioInfoVariantByte] & kRadioInfoVariantBit) ? 1 : 0;
}

void indEnviron::LoadDestFromImage(const RadioInformation& block) {
  GetDestFromImage(block, EtcData);
}

int indEnviron::CompareImageDest(const RadioInformation& block, const dst_EtcData& record) {
  dst_EtcData fromRadio = record;
  GetDestFromImage(block, fromRadio);
  return (fromRadio.destination == record.destination &&
          fromRadio.firstFlag == (record.firstFlag ? 1 : 0))
             ? 0
             : 2;
}

int indEnviron::CompareDest(const RadioInformation& block) const {
  return CompareImageDest(block, EtcData);
}

int indEnviron::CompareEtcData(const dst_EtcData& record) const {
  return (record.destination == EtcData.destination &&
          (record.firstFlag ? 1 : 0) == (EtcData.firstFlag ? 1 : 0))
             ? 0
             : 2;
}

void indEnviron::SetDest(const dst_EtcData& record) {
  EtcData.destination = record.destination;
  EtcData.firstFlag = record.firstFlag;
}

bool indEnviron::IsDestGroupBOf(std::uint32_t destination) {
  switch (destination) {
    case 2:
    case 3:
    case 4:
    case 6:
    case 7:
    case 8:
    case 9:
    case 12:
    case 13:
    case 15: return true;
    default: return false;
  }
}
