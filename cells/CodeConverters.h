#pragma once
// Converters of hexadecimal bytes, memory bits, DTMF digits, two-digit
// codes and the UTC offset, with the editor protocol of
// cells/EditorProtocol.h: each returns 1 when it replaced the value and
// writes the handler's result word into status. Unusable entries change
// nothing; out-of-range entries are clamped (hex bytes) or refused (codes,
// offsets beyond 14:00).
#include <cstdint>
#include <span>

#include "sheet/cmcCellCapsule.h"

struct ConverterContext;

// Bytes shown as "%02X" each, joined. An entry fills the bytes with its
// hexadecimal digits from the right (missing leading digits are 0) and
// clamps the first byte; Space and Backspace step the first byte within the
// range, wrapping.
int EditHexBytes(cmcCellCapsule& capsule, std::span<std::uint8_t> bytes, std::int32_t minimum,
                 std::int32_t maximum, int& status);

// One byte of the image as two hexadecimal digits. Enter opens the
// bit-selection dialog with items 1..8 headed B7..B0; its answer (the flag
// word, mode 2) is stored back. The reference is the byte of the compare
// snapshot: a differing byte is drawn red.
int EditHexBits(const ConverterContext& ctx, cmcCellCapsule& capsule, std::uint8_t& value,
                std::uint8_t reference, int number1, int number2, int& status);

// DTMF digits, one code 0..15 per byte, 0xFF after the last; the field is the
// span (24 bytes for the radio's DTMF memories), at most maxDigits are kept.
// Shown through "0123456789ABCD*#"; "*" and "#" enter as E and F. An empty
// entry clears the code. A byte above 15 in a damaged field ends the digits.
int EditDtmfCode(cmcCellCapsule& capsule, std::span<std::uint8_t> field, int maxDigits,
                 int& status);

// A digital squelch code 0..99 shown as "%02d": an entry of one or two digits.
int EditDigitalCode(cmcCellCapsule& capsule, std::uint8_t& value, int& status);

// Signed minutes, 32767 = none ("--:--"); shown "+9:00", "-3:30", "0:00".
// Entries are rounded to 5 minutes; beyond 14:00 or with minutes of 60 or
// more they are refused. Space and Backspace step by 5 minutes and wrap
// between +14:00 and -14:00.
inline constexpr std::int32_t kUtcOffsetNone = 32767;
int EditUtcOffset(cmcCellCapsule& capsule, std::int32_t& minutes, bool emptyAllowed, int& status);
