#pragma once
// Item kinds of the record codec: which list an item record is loaded from.
#include <cstdint>

namespace itemkind {

inline constexpr std::uint32_t kNone = 0;
inline constexpr std::uint32_t kChannel = 1;  // memory channels 0..999, call channels 1000..1003
inline constexpr std::uint32_t kCallChannel = 2;   // decoded as kind 1, index = channel number
inline constexpr std::uint32_t kBankChannel = 3;   // decoded as kind 1, index = channel number
inline constexpr std::uint32_t kScanEdge = 4;      // 0..24
inline constexpr std::uint32_t kLinkPosition = 5;  // link x 26 + position, 0..259
inline constexpr std::uint32_t kGpsMemory = 6;     // order-table position 0..299
inline constexpr std::uint32_t kRepeater = 7;      // 0..1499
inline constexpr std::uint32_t kYourCall = 8;      // 0..299
inline constexpr std::uint32_t kRxCall = 9;        // 0..49
inline constexpr std::uint32_t kCallListA = 10;    // 0..9
inline constexpr std::uint32_t kCallListB = 11;    // 0..9, call sign with frequency
inline constexpr std::uint32_t kCallListC = 12;    // 0..19
inline constexpr std::uint32_t kCallListD = 13;    // 0..4
inline constexpr std::uint32_t kNone14 = 14;
inline constexpr std::uint32_t kBandDefault = 15;  // index = band index
inline constexpr std::uint32_t kBlankGps = 16;
inline constexpr std::uint32_t kBlankGpsNoDate = 17;
inline constexpr std::uint32_t kBlankRepeater = 18;
inline constexpr std::uint32_t kBlankYourCall = 19;
inline constexpr std::uint32_t kLast = 19;

}  // namespace itemkind
