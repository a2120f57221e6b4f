#pragma once
// The cases of the TX message sheet: the message number, its text, which
// message the radio sends and its repeat switch.
class CellCaseTable;

void RegisterTxMessageCases(CellCaseTable& table);
