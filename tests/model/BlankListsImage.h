#pragma once
// A current-revision image whose lists are all empty, written through the
// record codec: every channel and scan edge unused (empty bits set, bank
// bytes 1F 00), blank repeaters and your-call signs, every order table and
// group start 0xFFFF, all counts 0, no selected repeater, no GPS alarm, the
// band defaults of the destination, the signature and the layout byte 3.
#include "model/cmcEeprom.h"

namespace kwtest {

cmcEeprom MakeBlankListsImage(int destination = 0);

}  // namespace kwtest
