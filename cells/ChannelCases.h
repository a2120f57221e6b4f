#pragma once
// The columns of the memory-channel and bank-channel sheets that edit a
// channel through a value converter: frequency (a frequency typed on an
// empty row makes a new channel from its band's template, on a bank sheet
// in the first free channel), duplex offset, name, digital code, the three
// route call signs and the bank slot. The choice columns are registered by
// RegisterChannelChoiceCases.
class CellCaseTable;

// Registers ids 230, 232, 233, 241, 242-244 and 246.
void RegisterChannelCases(CellCaseTable& table);
