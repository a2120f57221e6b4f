#pragma once
// The four kinds of repeater-list entry that the repeater sheet offers:
// 0 DV repeater, 1 DV simplex (a DV entry without call sign), 2 FM repeater
// (FM or FM-N with duplex), 3 FM simplex. The type is not stored as such; it
// is read from and written into a record's mode, duplex and call signs. An
// unused record counts as type 0.
//
// Both work on the record only; the caller stores it.
#include <cstdint>

class datCh;

inline constexpr int kRptTypeDvRepeater = 0;
inline constexpr int kRptTypeDvSimplex = 1;
inline constexpr int kRptTypeFmRepeater = 2;
inline constexpr int kRptTypeFmSimplex = 3;

int GetRepeaterListType(const datCh& record);
// 0: a blank call sign becomes "CALLSIGN", mode DV. 1: call sign and gateway
// blank, duplex off, mode DV. 2: duplex off becomes duplex 1, mode FM (FM-N
// stays). 3: call sign and gateway blank, duplex off, mode FM (FM-N stays).
// Any other type changes nothing and answers false.
bool SetRepeaterListType(int type, datCh& record);
