#pragma once
// Converters of fixed-point decimals (frequencies and offsets), integers and
// channel numbers between their stored value and the cell text, with the
// editor protocol of cells/EditorProtocol.h.
//
// Each takes the request, the value (in and out) and its parameters, and
// writes the handler's result word into status; it returns 1 when it
// replaced the value (the handler then stores it), else 0. A committed text
// without a digit changes nothing; a number out of range is clamped. Nothing
// here reads the locale: a typed "," reads as ".", the text shows ".".
#include <cstdint>

#include "sheet/cmcCellCapsule.h"

class datCh;

// Fixed-point value: value / 10^scaleExp in display units, shown with
// fractionDigits decimals and the integer part blank-padded to width.
// Minimum and maximum are in display units. The sign flag shows "+" on
// positive values and accepts a typed "+"; the stepping flag makes Space and
// Backspace add and subtract one step (with wrapping), else Space acts as
// Enter; the empty flag (a field with no value yet) opens an empty editor on
// Enter and "0.000000" on a typed ".".
int EditDecimal(cmcCellCapsule& capsule, std::int32_t& value, int scaleExp, int fractionDigits,
                int width, double minimum, double maximum, std::int32_t step, bool signFlag,
                bool steppingFlag, bool emptyFlag, int& status);

// Hertz shown as megahertz with six decimals (width 3, step 1 Hz, no sign,
// no stepping); minimum and maximum in megahertz.
int EditFrequency(cmcCellCapsule& capsule, std::uint32_t& hertz, double minimumMHz,
                  double maximumMHz, bool emptyFlag, int& status);

// A repeater's frequency (width 4), 0 = none, shown as an empty text. A
// committed text with nothing of a number in it stores 0.
int EditRepeaterFrequency(cmcCellCapsule& capsule, std::uint32_t& hertz, double minimumMHz,
                          double maximumMHz, int& status);

// Integer shown as "%s%d" of the sign ("+" with the sign flag on positive
// values) and value + offset, or as the fixed text when one is given. An
// entry is the number typed minus the offset, rounded to a multiple of the
// step and clamped. Space and Backspace add and subtract the step with
// wrapping. With the clamp flag a stored value outside the range is pulled in
// and reported as a change, so the handler stores the corrected value.
int EditInteger(cmcCellCapsule& capsule, std::int32_t& value, std::int32_t minimum,
                std::int32_t maximum, std::int32_t offset, std::int32_t step, bool signFlag,
                const char* fixedText, bool clampFlag, int& status);
// Offset 0, step 1, no sign, no fixed text, no clamp.
int EditInteger(cmcCellCapsule& capsule, std::int32_t& value, std::int32_t minimum,
                std::int32_t maximum, int& status);
// Byte-sized forms.
int EditInteger(cmcCellCapsule& capsule, std::uint8_t& value, std::int32_t minimum,
                std::int32_t maximum, int& status);
int EditInteger(cmcCellCapsule& capsule, std::uint8_t& value, std::int32_t minimum,
                std::int32_t maximum, std::int32_t offset, std::int32_t step, bool signFlag,
                const char* fixedText, bool clampFlag, int& status);

// A memory channel's bank slot: EditInteger without the sign. With the
// channel's record, Space and Backspace step past slots of the channel's
// bank that the bank table shows occupied and stop at the first free one;
// when every slot is taken the value stays. A channel without a bank (or
// without a record) steps plainly.
int EditBankChNo(cmcCellCapsule& capsule, const datCh* record, std::int32_t& value,
                 std::int32_t minimum, std::int32_t maximum, std::int32_t offset, std::int32_t step,
                 const char* fixedText, bool clampFlag, int& status);

// A channel number, maximum + 1 meaning none (shown as an empty text). An
// empty entry sets none. Space, Backspace and Enter open the editor, empty
// with the empty-editor flag.
int EditSelectChNo(cmcCellCapsule& capsule, std::int32_t& value, std::int32_t minimum,
                   std::int32_t maximum, bool emptyEditorFlag, int& status);

// Appends a unit to the output text unless the editor is being opened
// (result word 2) or there is no suffix; returns the result it was given.
int SetEditOutput(int result, cmcCellCapsule& capsule, const char* suffix, int status);
