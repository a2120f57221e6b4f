#pragma once
// The bank of the sheet that made a request. Bank sheets are named after
// their number, 21 to 46 for banks A to Z ("21,0" is bank A): the digits of
// the first comma-separated field of the sheet name, minus 21.
#include <cstdint>

class cmcCellCapsule;

// A request of a sheet without a bank.
inline constexpr int kNoSheetBank = 255;

// 0..25 for the bank sheets. A missing sheet name, a name without digits or
// a number below 21 gives 0; a number above 46 (or too large to read) gives
// kNoSheetBank, which callers treat like a slot outside 0..99: as an empty
// slot, never as an index into the bank table.
int GetSheetBankNo(const cmcCellCapsule& capsule);
