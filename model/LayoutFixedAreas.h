#pragma once
// Fixed areas of the current image revision that list sheets edit in place
// (no item record: the cells read and write the bytes directly).
//
//   offset    size       content
//   0x0CC10   16 x 24    DTMF memories d0..dF: one digit code 0..15 a byte,
//                        0xFF after the last digit
//   0x2215C   6 x 12     my call signs: 8-byte call sign, 4-byte note
//   0x25E62   5 x 20     TX messages, blank padded
//   0x25EC6   1          the TX message in use
//   0x25EC7   1          the TX message's repeat switch
//
// The repeater-group and GPS-group names are with their lists
// (model/LayoutLists.h).
#include <cstdint>

namespace layout {

inline constexpr std::int64_t kDtmfMemories = 0x0CC10;
inline constexpr int kDtmfMemoryCount = 16;
inline constexpr int kDtmfMemorySize = 24;

inline constexpr std::int64_t kMyCallSigns = 0x2215C;
inline constexpr int kMyCallSignCount = 6;
inline constexpr int kMyCallSignSize = 12;  // call sign, then its note
inline constexpr int kMyCallSignLength = 8;
inline constexpr int kMyCallSignNoteLength = 4;

inline constexpr std::int64_t kTxMessages = 0x25E62;
inline constexpr int kTxMessageCount = 5;
inline constexpr int kTxMessageSize = 20;

inline constexpr int kGroupNameSize = 16;      // repeater-group and GPS-group names
inline constexpr int kGpsGroupNameCount = 26;  // GPS groups 1..26 (A..Z) have names

constexpr std::int64_t DtmfMemoryAddress(int n) {
  return kDtmfMemories + static_cast<std::int64_t>(kDtmfMemorySize) * n;
}
constexpr std::int64_t MyCallSignAddress(int n) {
  return kMyCallSigns + static_cast<std::int64_t>(kMyCallSignSize) * n;
}
constexpr std::int64_t TxMessageAddress(int n) {
  return kTxMessages + static_cast<std::int64_t>(kTxMessageSize) * n;
}

}  // namespace layout
