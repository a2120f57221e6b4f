#pragma once
// The bytes of the clone protocol, apart from the engine's state machine.
//
// Frames: FE FE, two address bytes (EE the computer, EF the radio; the
// sender's first), the command, the payload, FD. Data frames (E4) carry
// A3 A2 A1 A0 (address, high byte first), L (count), L data bytes (image
// byte + 0x80) and a checksum C that makes the payload sum to 0 modulo 256;
// every payload byte from FA up travels as FF and its low nibble. The end
// frame (E5) carries the maker text and, with the count suffix, the data
// frame count modulo 256 as two upper-case hex characters, unescaped.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/BcdBits.h"
#include "core/cmcBuff.h"

namespace clonewire {

inline constexpr std::uint8_t kPreamble = 0xFE;
inline constexpr std::uint8_t kEnd = 0xFD;
inline constexpr std::uint8_t kEscape = 0xFF;
inline constexpr std::uint8_t kEscapeFrom = 0xFA;  // payload bytes from here on are escaped
inline constexpr std::uint8_t kComputer = 0xEE;
inline constexpr std::uint8_t kRadio = 0xEF;
inline constexpr std::uint8_t kDataOffset = 0x80;  // wire byte = image byte + this

inline constexpr std::uint8_t kCmdIdentify = 0xE0;
inline constexpr std::uint8_t kCmdIdentifyReply = 0xE1;
inline constexpr std::uint8_t kCmdRead = 0xE2;
inline constexpr std::uint8_t kCmdWrite = 0xE3;
inline constexpr std::uint8_t kCmdData = 0xE4;
inline constexpr std::uint8_t kCmdEnd = 0xE5;
inline constexpr std::uint8_t kCmdWriteAck = 0xE6;

// The nine bytes 51 75 6F 72 20 49 6E 63 2E.
inline constexpr std::string_view kMakerText = "Quor Inc.";

// Command frame templates of the frame builder (core/HexFrame.h).
inline constexpr std::string_view kIdentifyTemplate = "FEFE EE EF E0 %04X %04X FD";
inline constexpr std::string_view kReadTemplate = "FEFE EE EF E2 %04X %04X FD";
inline constexpr std::string_view kWriteTemplate = "FEFE EE EF E3 %04X %04X FD";
inline constexpr std::string_view kDataTemplate = "FEFE EE EF E4";
inline constexpr std::string_view kEndTemplate = "FEFE EE EF E5 51 75 6F 72 20 49 6E 63 2E";

void AppendEscaped(cmcBuff& out, std::uint8_t b);

// One data frame from the computer (no preamble): E4 template, escaped
// address, count, wire data bytes and checksum, FD. count is 0..255.
void AppendDataFrame(cmcBuff& out, std::uint32_t address, const std::uint8_t* data, int count);

// The end frame's payload text.
std::string EndText(bool withCount, int frameCount);

// Payload bytes with the escapes undone. False when an escape is the last
// byte (its nibble is missing); nothing is read past the payload.
bool Unescape(const std::uint8_t* payload, int length, std::vector<std::uint8_t>& out);

// A decoded data payload.
struct DataPayload {
  std::int64_t address = 0;
  int count = 0;
  std::vector<std::uint8_t> data;  // image bytes (wire bytes - 0x80)
};

enum class PayloadCheck { Ok, Malformed };
// Checks an unescaped payload: at least address, count and checksum; the
// count byte equal to the data length; a zero sum.
PayloadCheck DecodeDataPayload(const std::vector<std::uint8_t>& unescaped, DataPayload& out);

// Both nibbles of the byte are decimal digits.
inline bool IsBcdByte(std::uint8_t b) { return core::IsValidBcd(b); }

}  // namespace clonewire
