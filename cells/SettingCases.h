#pragma once
// The set-mode cells (ids 353-577): every cell runs its row of the settings
// table (cells/ChoiceFields.h) through one row runner:
//   1. the row at the cell's index (an index outside the row's array shows
//      an empty text and writes nothing; so does the auto-repeater cell for a
//      destination that has no auto repeater);
//   2. the row's hook may answer first (the GPS alarm's group and memory);
//   3. the grey rule draws the cell light grey where the setting does not
//      apply (it stays editable);
//   4. the shape's converter shows the field and takes keys, entries, popup
//      picks and dialog results; only a change writes, and only the row's
//      own bytes;
//   5. after a change the hook adds its own writes, and a field other cells
//      read redraws every data cell.
// A display never writes. The frame registers 381, 461 and 489-491.
class CellCaseTable;
class indActiveCell;

void RegisterSettingCases(CellCaseTable& table);

// The runner itself (every registered set-mode id runs it).
void RunSettingRow(indActiveCell& ctx);
