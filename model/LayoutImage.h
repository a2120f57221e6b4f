#pragma once
// Layout of the current memory-image revision ("1.20 -", revision 3).
//
// Offsets are from the first byte of the image; multi-byte numbers are
// big-endian. "Bitmap" means one bit per record: record i at byte i / 8,
// mask 1 << (i mod 8).
//
//   offset    size     region  content
//   0x00000   0xBF68   2       memory channels 0..999, 49 bytes each
//   0x0BF68   0xD8     3       call channels 1000..1003 (49 bytes), 20 spare bytes
//   0x0C040   0x7E     5       empty bitmap: bit n for channels 0..999,
//                              bit n + 1 for call channels 1000..1003
//   0x0C0BE   0x7D     6       skip bitmap of channels 0..999
//   0x0C13B   0x85     7       program-skip bitmap of channels 0..999
//   0x0C1C0   0x800    8       bank assignment, 2 bytes per channel 0..999:
//                              byte 0 bits 7-5 step class copy, 4-0 bank
//                              (26..31 none); byte 1 slot 0..99
//   0x0C9C0   0x10     10      settings
//   0x0C9D0   0x1A0    11      26 bank names, 16 bytes
//   0x0CB70   0xA0     12      10 program-link names, 16 bytes
//   0x0CC10   0x1B0    13      settings
//   0x0CDC0   0x258    15      25 scan edges, 24 bytes
//   0x0D018   0x28     16      bytes 0..3 empty bitmap of scan edges; settings
//   0x0D040   0x1511C  18      1500 repeaters of 50 bytes; 1500 packed gateway
//                              call signs of 7 bytes (0x1F538); 50 repeater-
//                              group names of 16 bytes (0x21E3C)
//   0x2215C   0x1C68   19      72 bytes of settings; 300 your-call signs of
//                              8 bytes (0x221A4); 300 names of 16 (0x22B04)
//   0x23DC4   0x1F0E   20      received calls: 50 status bytes, 50 records of
//                              46 (0x23DF6), 50 texts of 20 (0x246F2), 50
//                              position records of 92 (0x24ADA)
//   0x25CD2   0xC8     21      list A: 10 call signs of 8; list B: 10 records
//                              of 12 (0x25D22: call sign, 32-bit Hz)
//   0x25D9A   0xC8     22      list C: 20 call signs of 8; list D: 5 (0x25E3A)
//   0x25E62   0x64     23      five 20-byte texts
//   0x25EC6   0x3A     24      settings
//   0x25F00   0x2980   25      300 GPS memories of 34 bytes; names of GPS
//                              groups 1..26, 16 bytes, at 0x286D8
//   0x28880   0x1161   27      index tables (repeater order, group starts,
//                              your-call order, the byte-wide order tables of
//                              the history and lists A-D, GPS order and the
//                              27 GPS group starts)
//   0x299E1   0xBC     28      USE(FROM) bitmap of repeaters 0..1499
//   0x29A9D   0x4E3    29      common settings (memory home 0x29B32, selected
//                              repeater 0x29B34, GPS alarm 0x29D7D, UTC
//                              offset 0x29D83)
//   0x29F80   ...      31-48   set-mode settings; region 48 (0x2A298) starts
//                              with one 4-byte scan-edge bitmap per link
//   0x2A340   1        50      layout byte
//   0x2A370   0x10     53      signature "QuorCloneFormat3"
//   0x2A380   0x15800  54      software area (never sent to the radio):
//     0x2A380  3 x 17          band-default records
//     0x2A3B3  26x100x2        bank table (channel, 0xFFFF free, 0xFFFE twice)
//     0x2B803  50 x 2          repeater-group counts
//     0x2B867  2               your-call count
//   0x3FB80   0x300    55      reserved, same offset in every revision
//   0x3FE80   -        56      end marker
#include <array>
#include <cstdint>

namespace layout {

inline constexpr std::int32_t kImageSize = 0x40000;
inline constexpr std::int64_t kCloneLast = 0x2A37F;  // last byte the radio exchanges
inline constexpr std::int64_t kSoftwareAreaLast = 0x2B868;
inline constexpr std::int64_t kMinImageSize = 0x2B869;
inline constexpr int kRevision = 3;

inline constexpr int kRegionCount = 57;
// Start offset of every region of revision 3; a region ends where the next
// one starts (several regions are empty markers).
inline constexpr std::array<std::int64_t, kRegionCount> kRegionStartRev3 = {
    0x00000, 0x00000, 0x00000, 0x0BF68, 0x0C040, 0x0C040, 0x0C0BE, 0x0C13B,  // 0-7
    0x0C1C0, 0x0C9C0, 0x0C9C0, 0x0C9D0, 0x0CB70, 0x0CC10, 0x0CDC0, 0x0CDC0,  // 8-15
    0x0D018, 0x0D040, 0x0D040, 0x2215C, 0x23DC4, 0x25CD2, 0x25D9A, 0x25E62,  // 16-23
    0x25EC6, 0x25F00, 0x28880, 0x28880, 0x299E1, 0x29A9D, 0x29F80, 0x29F80,  // 24-31
    0x29FE6, 0x2A046, 0x2A1A6, 0x2A218, 0x2A238, 0x2A23A, 0x2A23C, 0x2A240,  // 32-39
    0x2A244, 0x2A278, 0x2A27A, 0x2A27E, 0x2A280, 0x2A282, 0x2A28E, 0x2A290,  // 40-47
    0x2A298, 0x2A340, 0x2A340, 0x2A341, 0x2A350, 0x2A370, 0x2A380, 0x3FB80,  // 48-55
    0x3FE80,                                                                 // 56
};

// Format signature at region 53.
inline constexpr std::int64_t kSignature = 0x2A370;
inline constexpr char kSignatureText[] = "QuorCloneFormat3";
inline constexpr std::int64_t kLayoutByte = 0x2A340;

// The common settings block (region 29); set-mode fields are offsets into it.
inline constexpr std::int64_t kCommonSettings = 0x29A9D;
// Common settings the list primitives and blank records touch.
inline constexpr std::int64_t kMemoryHomeChannel = 0x29B32;  // word, 0xFFFF none
inline constexpr std::int64_t kSelectedRepeater = 0x29B34;   // word, 0xFFFF none
inline constexpr std::int64_t kGpsAlarm = 0x29D7D;           // type, group, word position
inline constexpr std::int64_t kUtcOffset = 0x29D83;          // signed word, minutes
inline constexpr std::int64_t kGpsPositionFormat = 0x29AF5;

// Software area.
inline constexpr std::int64_t kBandDefaults = 0x2A380;
inline constexpr int kBandDefaultSize = 17;
inline constexpr int kBandDefaultCount = 3;
inline constexpr int kBandDefaultBytes = kBandDefaultCount * kBandDefaultSize;
inline constexpr std::int64_t kBankTable = 0x2A3B3;
inline constexpr int kBankCount = 26;
inline constexpr int kBankSlots = 100;
inline constexpr std::uint16_t kBankSlotFree = 0xFFFF;
inline constexpr std::uint16_t kBankSlotClash = 0xFFFE;
inline constexpr std::int64_t kRptGroupCounts = 0x2B803;
inline constexpr std::int64_t kYourCallCount = 0x2B867;

constexpr std::int64_t BankTableEntry(int bank, int slot) {
  return kBankTable + 200 * static_cast<std::int64_t>(bank) + 2 * static_cast<std::int64_t>(slot);
}

}  // namespace layout
