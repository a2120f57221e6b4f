#pragma once
// The cases of the DTMF memory sheet: the memory's name ("d0".."dD", "d*",
// "d#"), its digits and the DTMF speed setting below the list.
class CellCaseTable;

void RegisterDtmfCases(CellCaseTable& table);
