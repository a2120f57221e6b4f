#pragma once
// The numbering and label cells of the list sheets: row numbers counted
// from 0 or 1, bank letters, the scan-edge pair labels, link positions,
// group numbers, the grey quarter pillar between column groups, and the
// version and copyright lines of the top page.
class CellCaseTable;

// Registers ids 214-224.
void RegisterLabelCases(CellCaseTable& table);
