#pragma once
// The cases of the my-call-sign and your-call-sign sheets: the numbers of
// the rows, my call signs with their notes and the one in use, and the
// your-call-sign list's names and call signs, whose new-entry row appends
// an entry.
class CellCaseTable;

void RegisterCallSignCases(CellCaseTable& table);
