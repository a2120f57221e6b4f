#pragma once
// The bank table of the software area (26 banks x 100 slots, the channel in
// each slot) is derived data: it is rebuilt from the channels' own bank and
// slot fields after every edit.
class cmcEeprom;

// Every slot 0xFFFF, then each used memory channel with a bank below 26 and
// a slot below 100 claims its slot; a slot claimed twice becomes 0xFFFE.
void RebuildBankTable(cmcEeprom& image);
