#pragma once
// Check scans over list ranges: each loads every record of the half-open
// index range [first, last) of one list from the image and answers 1 when
// any record fails one of its checks (model/RecordChecks.h), else 0. The
// warning check marks faulty lists in the tree with them, and the check
// items of the menu cells show them.
//
// The range is clipped to the list's indexes; an empty range (first >= last
// after clipping), or a bank outside 0..25, gives 0. Frequencies are judged
// against the destination in force. A scan reads the image only.
class cmcEeprom;

// Memory channels: outside the destination's bands, offset off the step
// grid, mode not allowed for the band, tuning step not allowed.
int ScanMchRangeWarnings(cmcEeprom& image, int first, int last);
// Memory channels: below 118 MHz or above 550 MHz, bank slot claimed twice.
int ScanMchRangeErrors(cmcEeprom& image, int first, int last);

// The same two sets over slots [first, last) of a bank, for the channel
// each slot names. Free slots (and damaged words of 1000 or more) are
// skipped; a slot that two channels claim (0xFFFE) is a bank-slot error.
int ScanBankRangeWarnings(cmcEeprom& image, int bank, int first, int last);
int ScanBankRangeErrors(cmcEeprom& image, int bank, int first, int last);

// Program scan edges: high or low end outside the bands, Auto step outside
// the air band.
int ScanScanEdgeChecks(cmcEeprom& image, int first, int last);
// Your-call signs: a duplicate (or blank) call sign.
int ScanYourCallChecks(cmcEeprom& image, int first, int last);
// Repeaters: duplicate call sign, frequency not allowed, a DV entry without
// call sign that has a duplex set.
int ScanRptGroupChecks(cmcEeprom& image, int first, int last);
