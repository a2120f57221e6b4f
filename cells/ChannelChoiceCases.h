#pragma once
// The choice columns of the memory-channel and bank-channel sheets: duplex,
// tuning step and mode (lists by band, marking the choices the channel
// would not accept), tone mode, tones, DTCS code and polarity, DV squelch,
// bank and scan skip. Cells that do not apply to the channel's mode or tone
// mode are drawn light grey and stay editable.
class CellCaseTable;

// Registers ids 231, 234-240, 245, 247 and 248.
void RegisterChannelChoiceCases(CellCaseTable& table);
