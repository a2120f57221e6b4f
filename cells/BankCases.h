#pragma once
// The bank sheets' own cells: the bank's name (which renames its tree node)
// and the channel number of a slot, through which a channel joins or
// leaves the bank.
class CellCaseTable;

// Registers ids 228 and 229.
void RegisterBankCases(CellCaseTable& table);
