#pragma once
// The cases of the GPS memory sheets (the memories of one group, in the
// order the order table gives) and of the GPS group names: row number and
// new-entry row, name, date, time, position, altitude, the GPS alarm and
// the group name that renames the group's tree node.
class CellCaseTable;

void RegisterGpsCases(CellCaseTable& table);
