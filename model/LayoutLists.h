#pragma once
// Record layouts of the lists of revision 3 (offsets within one record).
//
// Memory channel, 49 bytes (0..999 at 49 x n, 1000..1003 at 0xBF68 + 49 x (n - 1000)):
//   byte 0   bits 7-5 step class of freq, 4-2 step class of offset,
//            1-0 top of the 18-bit step count of freq (with bytes 1-2)
//   3-4      16-bit step count of offset
//   5        bits 7-2 repeater tone, 1-0 top of the tone-squelch tone
//   6        bits 7-4 rest of the tone-squelch tone, 3-0 mode
//   7        digital code
//   8        bits 7-4 tuning step, 3-1 digital squelch, 0 top of canceller/10
//   9        rest of canceller/10 (9 bits in all)
//   10       bits 7-4 tone mode, 3-2 duplex, 1-0 digital code polarity
//   11-26    name
//   27       digital code-squelch code
//   28-34    packed UR, 35-41 packed RPT1, 42-48 packed RPT2
//
// Scan edge, 24 bytes at 0xCDC0 + 24 x n:
//   byte 0 bits 7-5 class of the high end, 1-0 + bytes 1-2 its count
//   byte 3 bits 7-5 class of the low end,  1-0 + bytes 4-5 its count
//   (bits 4-2 of bytes 0 and 3 belong to no field and keep their value)
//   6 mode, 7 tuning step, 8-23 name
//
// Repeater, 50 bytes at 0xD040 + 50 x i:
//   byte 0 bit 7 class of freq, bit 6 class of offset, bits 5-3 no field,
//          bits 2-0 + bytes 1-2 the 19-bit count of freq
//   3-4 count of offset, 5-6 repeater word,
//   7 bits 7-6 type, 5-4 duplex, 3-2 tone on/off, 1-0 position accuracy
//   8 tone index, 9-15 packed call sign, 16-31 name, 32-39 sub name,
//   40-43 latitude, 44-47 longitude, 48-49 UTC offset
//   (gateway call sign packed at 0x1F538 + 7 x i; USE(FROM) bit in 0x299E1)
//
// GPS memory, 34 bytes at 0x25F00 + 34 x slot:
//   0-3 latitude, 4-7 longitude, 8-10 date (BCD day, month, year),
//   11-13 time (BCD hour, minute, second), 14-17 altitude, 18-33 name
//
// Band default, 17 bytes at 0x2A380 + 17 x r:
//   0-3 freq Hz, 4-7 offset Hz, 8 bits 7-4 offset class, 3-0 freq class,
//   9 mode, 10 tuning step, 11 bits 7-5 digital squelch, 11 bits 4-0 +
//   12 bits 7-4 canceller/10, 12 bits 3-2 duplex, 1-0 polarity,
//   13 bits 7-2 repeater tone, 13 bits 1-0 + 14 bits 7-4 tone-squelch tone,
//   14 bits 3-0 tone mode, 15 digital code, 16 code-squelch code
#include <cstdint>

namespace layout {

// Memory and call channels.
inline constexpr std::int64_t kChannelBase = 0x00000;
inline constexpr std::int64_t kCallChannelBase = 0x0BF68;
inline constexpr int kChannelSize = 49;
inline constexpr int kMemoryChannels = 1000;  // 0..999
inline constexpr int kAllChannels = 1004;     // 1000..1003 call channels
inline constexpr std::int64_t kChannelEmptyBitmap = 0x0C040;
inline constexpr std::int64_t kChannelSkipBitmap = 0x0C0BE;
inline constexpr std::int64_t kChannelPSkipBitmap = 0x0C13B;
inline constexpr std::int64_t kChannelBankAssign = 0x0C1C0;
inline constexpr std::int64_t kBankNames = 0x0C9D0;
inline constexpr std::int64_t kLinkNames = 0x0CB70;

namespace ch {
inline constexpr int kFreq = 0;    // 3 bytes
inline constexpr int kOffset = 3;  // 2 bytes
inline constexpr int kTones = 5;   // bytes 5-6
inline constexpr int kDtcsCode = 7;
inline constexpr int kStepSqlCanceller = 8;  // bytes 8-9
inline constexpr int kToneDuplex = 10;
inline constexpr int kName = 11;
inline constexpr int kDvCsqlCode = 27;
inline constexpr int kUrCall = 28;
inline constexpr int kRpt1Call = 35;
inline constexpr int kRpt2Call = 42;
inline constexpr std::uint32_t kFreqCountBits = 18;
inline constexpr std::uint32_t kOffsetCountBits = 16;
}  // namespace ch

constexpr std::int64_t ChannelAddress(int n) {
  return n < kMemoryChannels
             ? kChannelBase + static_cast<std::int64_t>(kChannelSize) * n
             : kCallChannelBase + static_cast<std::int64_t>(kChannelSize) * (n - kMemoryChannels);
}
// Call channels skip bit 1000 of the empty bitmap.
constexpr int ChannelEmptyBit(int n) { return n < kMemoryChannels ? n : n + 1; }

// Scan edges and program links.
inline constexpr std::int64_t kScanEdgeBase = 0x0CDC0;
inline constexpr int kScanEdgeSize = 24;
inline constexpr int kScanEdges = 25;
inline constexpr std::int64_t kScanEdgeEmptyBitmap = 0x0D018;  // 4 bytes
namespace edge {
inline constexpr int kHigh = 0;  // 3 bytes: freq2
inline constexpr int kLow = 3;   // 3 bytes: freq
inline constexpr int kMode = 6;
inline constexpr int kTuneStep = 7;
inline constexpr int kName = 8;
inline constexpr std::uint8_t kFreeBitsMask = 0x1C;  // bits 4-2 of bytes 0 and 3
}  // namespace edge
inline constexpr std::int64_t kLinkEdgeBitmaps = 0x2A298;  // 4 bytes per link
inline constexpr int kLinks = 10;
inline constexpr int kLinkPositions = 26;

// Repeater list.
inline constexpr std::int64_t kRptBase = 0x0D040;
inline constexpr int kRptSize = 50;
inline constexpr int kRptCapacity = 1500;
inline constexpr int kRptGroups = 50;
inline constexpr std::int64_t kRptGatewayCalls = 0x1F538;  // 7 bytes each
inline constexpr int kPackedCallSize = 7;
inline constexpr std::int64_t kRptGroupNames = 0x21E3C;
inline constexpr std::int64_t kRptUseFromBitmap = 0x299E1;
inline constexpr std::int64_t kRptOrderTable = 0x28880;   // 1500 words
inline constexpr std::int64_t kRptGroupStarts = 0x29438;  // 50 words
namespace rpt {
inline constexpr int kFreq = 0;
inline constexpr int kOffset = 3;
inline constexpr int kWord = 5;
inline constexpr int kTypeDuplex = 7;
inline constexpr int kToneIndex = 8;
inline constexpr int kCall = 9;
inline constexpr int kName = 16;
inline constexpr int kSubName = 32;
inline constexpr int kLatitude = 40;
inline constexpr int kLongitude = 44;
inline constexpr int kUtcOffset = 48;
inline constexpr std::uint8_t kFreeBitsMask = 0x38;  // bits 5-3 of byte 0
inline constexpr std::uint32_t kFreqCountBits = 19;
inline constexpr std::uint32_t kOffsetCountBits = 16;
inline constexpr std::uint32_t kTypeDv = 0;
inline constexpr std::uint32_t kTypeFm = 1;
inline constexpr std::uint32_t kTypeFmN = 2;
}  // namespace rpt
constexpr std::int64_t RptAddress(int i) {
  return kRptBase + static_cast<std::int64_t>(kRptSize) * i;
}

// Your-call list.
inline constexpr std::int64_t kUrCalls = 0x221A4;  // 8 bytes each
inline constexpr std::int64_t kUrNames = 0x22B04;  // 16 bytes each
inline constexpr int kUrCapacity = 300;
inline constexpr std::int64_t kUrOrderTable = 0x2949C;  // 300 words

// Received-call history.
inline constexpr std::int64_t kRxStatusBytes = 0x23DC4;
inline constexpr std::int64_t kRxRecords = 0x23DF6;    // 46 bytes
inline constexpr std::int64_t kRxTexts = 0x246F2;      // 20 bytes
inline constexpr std::int64_t kRxPositions = 0x24ADA;  // 92 bytes
inline constexpr std::int64_t kRxOrderTable = 0x296F4;
inline constexpr int kRxEntries = 50;
inline constexpr int kRxRecordSize = 46;
inline constexpr int kRxTextSize = 20;
inline constexpr int kRxPositionSize = 92;

// Call lists A-D (item kinds 10-13): entries and byte-wide order tables.
inline constexpr std::int64_t kCallListA = 0x25CD2;  // 8 bytes, 10 entries
inline constexpr std::int64_t kCallListB = 0x25D22;  // 12 bytes, 10 entries
inline constexpr std::int64_t kCallListC = 0x25D9A;  // 8 bytes, 20 entries
inline constexpr std::int64_t kCallListD = 0x25E3A;  // 8 bytes, 5 entries
inline constexpr std::int64_t kCallListAOrder = 0x29726;
inline constexpr std::int64_t kCallListBOrder = 0x29730;
inline constexpr std::int64_t kCallListCOrder = 0x2973A;
inline constexpr std::int64_t kCallListDOrder = 0x2974E;
inline constexpr std::uint8_t kOrderByteNone = 255;

// GPS memories.
inline constexpr std::int64_t kGpsBase = 0x25F00;
inline constexpr int kGpsSize = 34;
inline constexpr int kGpsCapacity = 300;
inline constexpr std::int64_t kGpsGroupNames = 0x286D8;   // groups 1..26
inline constexpr std::int64_t kGpsOrderTable = 0x29753;   // 300 words
inline constexpr std::int64_t kGpsGroupStarts = 0x299AB;  // 27 words
inline constexpr int kGpsGroups = 27;
inline constexpr std::uint16_t kOrderWordNone = 0xFFFF;
namespace gps {
inline constexpr int kLatitude = 0;
inline constexpr int kLongitude = 4;
inline constexpr int kDate = 8;
inline constexpr int kTime = 11;
inline constexpr int kAltitude = 14;
inline constexpr int kName = 18;
}  // namespace gps
constexpr std::int64_t GpsAddress(int slot) {
  return kGpsBase + static_cast<std::int64_t>(kGpsSize) * slot;
}

}  // namespace layout
