#pragma once
// The cases of the repeater-list sheets (the entries of one repeater group)
// and of the repeater-group names: row number and new-entry row, the entry's
// type, names, call signs, frequency and duplex, tone, RPT1 use, position
// and UTC offset, and the group name that renames the group's tree node.
// Fields the entry's type does not use show "---", grey, and take no
// typing.
class CellCaseTable;

void RegisterRepeaterCases(CellCaseTable& table);
