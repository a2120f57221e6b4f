#pragma once
// The columns of the program scan-edge sheet: name, low and high edge (a
// frequency typed on an unused edge makes a new edge of that one
// frequency), tuning step and mode (by the bands of the two edges).
class CellCaseTable;

// Registers ids 251-255.
void RegisterScanEdgeCases(CellCaseTable& table);
