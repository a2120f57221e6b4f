#pragma once
// List fixtures: readable tables of channels, repeaters, your-call signs and
// GPS memories (tests/data/lists/*.txt) written through the item codec onto
// an image. Lines, one entry each ("#" starts a comment):
//
//   channel <n> freq=<Hz> name="<text>" [bank=<A..Z> slot=<0..99>]
//           [duplex=<code> offset=<Hz> mode=<code>]
//           [ur="<call>" rpt1="<call>" rpt2="<call>"]
//   repeater <group> type=DV|FM|FM-N name=".." call=".." [gateway=".."]
//            [freq=<Hz> duplex=<code> offset=<Hz> usefrom=<0|1>]
//   group-name <group> name=".."   a repeater group's name
//   yourcall name=".." call=".."
//   gps <group> name=".." [date=<DDMMYY> time=<hhmmss>]   (BCD digits)
//   gps-alarm type=<n> group=<n> position=<n>
//   selected-channel <n> | none
//   selected-repeater <n> | none
//   blank-repeater <index>   a blank repeater record past the list, written
//                            from zeros as the list primitives write it
//
// Repeaters, your-call signs and GPS memories are appended to their group
// or list in file order. The bank table is rebuilt at the end. Blank
// records are those of destination 0 (installed while the table is read);
// GPS memories get the table's date and time, never the clock's.
#include <string>

#include "model/cmcEeprom.h"

namespace kwtest {

// The initial image of destination 0: its default image filled out to a
// full image the way the program builds its initial image.
cmcEeprom InitialImageDest0();

// Applies the table in tests/data/lists/<name> to the image; a malformed
// line fails the current test (ADD_FAILURE) naming file and line.
void ApplyListFixture(cmcEeprom& image, const std::string& name);

// InitialImageDest0() with the table applied.
cmcEeprom LoadListFixture(const std::string& name);

}  // namespace kwtest
