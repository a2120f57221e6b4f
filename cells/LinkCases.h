#pragma once
// The program-link sheets: the link's name (which renames its tree node),
// the edge a link position holds, and that edge's name and two ends as
// seen from the link.
class CellCaseTable;

// Registers ids 256-260.
void RegisterLinkCases(CellCaseTable& table);
