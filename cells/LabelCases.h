#pragma once
// The numbering and label cells of the list sheets: row numbers counted
// from 0 or 1, bank letters, the scan-edge pair labels, link positions,
// group numbers, the grey quarter pillar between column groups, and the
// version and copyright lines of the top page.
#include <string>

class CellCaseTable;

// Registers ids 214-224.
void RegisterLabelCases(CellCaseTable& table);

// The label of scan-edge end n: the pair number in two digits and "A" for
// the lower or "B" for the upper end (49 is "24B").
std::string EdgeLabelText(int n);
