#pragma once
// A small image for the cell handler's tests, written through the item codec
// and the list primitives onto a blank-lists image of destination 0. Every
// used channel is 145 MHz, FM, tuning step 0, offset 0 and in no bank unless
// listed:
//
//   channels   3, 5, 10 used; 6 unused; 12 at 600 MHz; 13 at 120 MHz, AM,
//              step 2; 7 at 550.005 MHz in bank A slot 3; 11 at 200 MHz in
//              bank A slot 0; 20 and 21 both in bank A slot 2 (the slot reads
//              0xFFFE); 199, 255..260, 299, 300 and 1002 used
//   scan edges 3 from 144 to 200 MHz; 4 from 144 to 146 MHz, step 0
//   repeaters  DV at 439 MHz, duplex off; group 0 holds entries 0..2, group 1
//              entries 3..4; entries 0 and 1 share a call sign, 2 and 3 have
//              their own, entry 4 has none
//   your calls "AB1CDE", "XY2ABC", "AB1CDE"
//   GPS        group 0 at positions 0..1, group 1 at 2..4
//
// A step the codec refuses fails the current test (ADD_FAILURE).
#include "model/cmcEeprom.h"

namespace kwtest {

cmcEeprom MakeCellFixtureImage();

}  // namespace kwtest
