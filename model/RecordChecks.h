#pragma once
// Checks of single list entries: each answers true when the entry is faulty.
// The cell handler colours cells with them and the warning check runs them
// over whole lists (which of them count as errors is decided there).
//
// A check on an unused record answers false unless its comment says the used
// bit is not consulted. Frequencies are judged against the destination in
// force (indDestination::Current()). Checks that look at other entries (bank
// slots, duplicates) read the record's own image and nothing outside its
// lists; a record without image passes them.
class datCh;

// Memory and call channels (kinds 1-3, index = channel number).
// Out of band for the destination; for destinations 0..15 also call channels
// 1000 and 1001 at or above 300 MHz and 1002 and 1003 below it.
bool ChCheckFreqBand(const datCh& record);
// Below 118 MHz or above 550 MHz.
bool ChCheckFreqOutOfRange(const datCh& record);
// The duplex offset is off the grid of the frequency's band: 8.33 kHz steps
// (within each 25 kHz) in the air band, 5 or 6.25 kHz elsewhere.
bool ChCheckStepGrid(const datCh& record);
// An air-band mode (3, 4) outside the air band, or another mode inside it.
bool ChCheckAirbandMode(const datCh& record);
// Tuning step 2 outside the air band (and 14 unless the destination allows
// it); 0, 1, 4, 5, 6, 7, 9 and 10 inside it.
bool ChCheckTuneStep(const datCh& record);
// The channel's bank slot is claimed by another channel as well (0xFFFE).
bool ChCheckBankSlot(const datCh& record);
// Neither 0 nor within 30000..1399995000 Hz.
bool ChCheckFreqLimits(const datCh& record);

// Scan edges (kind 4).
bool ChCheckFreq2Band(const datCh& record);  // high end out of band
bool ChCheckFreq1Band(const datCh& record);  // low end out of band
// Tuning step 14 with the high end outside the air band, where the
// destination does not allow it.
bool ChCheckScanEdgeAutoStep(const datCh& record);

// Your-call signs (kind 8). A blank call sign, or one an earlier entry has
// already; the used bit is not consulted.
bool ChCheckDuplicateUr(const datCh& record);

// Repeater list (kind 7).
// An earlier entry has the same call sign (DV: module "A" and blank alike;
// FM: also the same general frequency range); the used bit is not consulted.
bool ChCheckDuplicateRpt(const datCh& record);
// Frequency outside the general ranges, or 0 Hz on a DV simplex or FM entry.
bool ChCheckRptFreq(const datCh& record);
// A DV entry without call sign has duplex on; the used bit is not consulted.
bool ChCheckRptDupWithoutCall(const datCh& record);
