#pragma once
// Call-sign converters and character rules. A call sign is a blank-padded
// field (8 bytes as a rule) of "0"-"9", "A"-"Z", "/" and blanks; lower-case
// letters become upper case and every other character a blank (a
// double-byte character becomes two blanks, never the letter its second
// byte looks like).
//
// The converters keep the text rule for keys of cells/TextConverters.h
// (Space, Backspace, F2 open the editor) and accept "/", digits and letters
// as typed characters; when they open the editor they limit it to the
// field's length. Each returns 1 when it replaced the call sign and writes
// the handler's result word into status.
#include <cstdint>
#include <span>

#include "sheet/cmcCellCapsule.h"

class cmcEeprom;
struct ConverterContext;

// A call sign field. On every call the field is normalised to call-sign
// characters (reported as a change only for an entry). An entry takes the
// input's characters position by position. With "Auto Correct" on, an 8-byte
// entry's last word moves to the right end ("AB1CD B" becomes "AB1CD  B");
// with the gateway flag only when that word ends in "G".
int EditCallSignCode(const ConverterContext& ctx, cmcCellCapsule& capsule, std::span<char> field,
                     bool gatewayFlag, int& status);

// The UR, RPT1 or RPT2 call sign (8 bytes) of a memory channel. A popup pick
// (mode 2 from a cell carrying the popup list id) copies an entry of the
// your-call-sign list of the image, or "CQCQCQ" for index 255. Entries as
// EditCallSignCode with Auto Correct. With "Repeater Dialog" on, Enter (and
// any editing key on a channel not in use) reports a change with result word
// 1 and leaves the field: the handler then offers its repeater dialog.
int EditRouteCallSign(const ConverterContext& ctx, cmcCellCapsule& capsule, std::span<char> field,
                      const cmcEeprom* image, int popupListId, bool recordInUse, int& status);

// Digits, "A"-"Z", "\" and "/" stay; "a"-"z" become upper case; any other
// character becomes 255 (refused).
void FilterCallSignChar(std::uint8_t& ch);

// Upper-cases the field; when any byte is then not a digit, "A"-"Z", "/" or
// a blank, the whole field becomes blanks.
void FilterCallSignField(std::span<char> field);

// The field normalised to call-sign characters (see above); true when it
// changed.
bool NormalizeCallSign(std::span<char> field);

// Moves the last word of an 8-byte call sign to its right end (the Auto
// Correct rule); with the gateway flag only when the word ends in "G".
void MoveLastWordRight(std::span<char> field, bool gatewayFlag);
