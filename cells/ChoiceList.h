#pragma once
// The choice-list operations of the cell handler: a cell whose stored value
// is picked from a list of the text table ("GI_Sheet_Sel_..." keys). The
// cell's case hands over the stored value, the list key and the request;
// these answer the display text in the capsule and report whether the value
// changed. The case stores a changed value back into its field; nothing
// here writes to the image.
//
// For each request:
//  - the answer of a popup list (the capsule links to the popup's capsule,
//    mode 2): the value becomes the index of the chosen option when that
//    option carries the list id; otherwise nothing changes;
//  - else the output text is the text of the value: for Flex0 lists "?N"
//    for a value no option holds, for lists with an explicit id an empty
//    text; a list without any option of its id shows an empty text;
//  - with an owner control, Space and Backspace step through the options in
//    reading order (wrapping; a value no option holds steps to the first,
//    or for explicit-id lists back to the last), and Enter (a click arrives
//    as Enter) opens the popup list at the cell through the installed
//    field-dialog opener (status 1); the pick comes back later as a popup
//    answer. Other keys do nothing.
// A value is never corrected: it changes only on a step, a pick or a
// matched typed entry.
#include <cstdint>
#include <string>
#include <string_view>

#include "sheet/cmcCellCapsule.h"

class cmcCellObj;
class cmcFCache;
class cmcGTex;

// A list whose options carry Flex0.
int SelectChoice(cmcFCache& cache, cmcCellCapsule& capsule, std::string_view key,
                 std::int32_t& value, int& status);
// A list whose options carry the given cell id (Flex0 or one of the flex
// marks of channel modes and steps, scan-edge modes and steps, and repeater
// duplex).
int SelectChoiceById(cmcFCache& cache, cmcCellCapsule& capsule, std::string_view key,
                     std::int32_t& value, int listId, int& status);
// The common body: `current` is the value whose text is shown and from which
// a step starts.
int SelectChoiceCore(cmcFCache& cache, cmcCellCapsule& capsule, std::string_view key,
                     std::int32_t& value, std::int32_t current, int listId, int& status);

// A list whose values can also be typed (tuning steps, tones, DTCS codes,
// modes, banks). A committed edit (mode 1) with status 0 is matched to an
// option by the mode (see choices::MatchTypedChoice: 0 nearest number,
// 2 nearest number over the typed length, 1 and 3 prefix); an entry that
// matches nothing changes nothing. With an owner control, a key that starts
// a typed entry opens the in-place editor (status 2, room for 10 bytes)
// holding the typed character: in mode 0 a digit, in modes 1 and 2 any
// printable character but Space; F2 opens it holding the shown text (at
// most 9 bytes) in every mode but 3. Everything else goes to the ordinary
// choice list.
int SelectTypedChoice(cmcFCache& cache, cmcCellCapsule& capsule, std::string_view key,
                      std::int32_t& value, int mode, int listId, int& status);

// The text of a value among the options of the list id: the option's binding
// text when it has one, else its caption; empty when no option holds it.
std::string ChoiceTextOf(cmcGTex& texts, std::string_view key, int listId, std::int32_t value);
// The option after (forward) or before the one holding the value, in reading
// order, wrapping; from a value no option holds, the first (forward) or the
// last option. The result goes into `out` (its cell id the list id, its
// index the new value). 0 when the list has no option of the id.
int ChoiceStep(cmcGTex& texts, std::string_view key, int listId, std::int32_t value, bool forward,
               cmcCellObj& out);
