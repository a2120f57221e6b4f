#pragma once
// The call cells (ids 306-352): the columns of the received-call history
// (kind 9) and of the four transmitted-call lists (kinds 10-13). Each column
// is a row of one table: the cell id, the field it shows and the formatter
// (cells/rxformat) with the options the sheet gives it (interface language,
// date order, the image's units and UTC offset). The frame loads the row's
// record and draws these cells olive.
//
// They only show: no key, entry or pick changes anything, and the result is
// always 0. A row that holds no entry shows the formatters' empty forms
// ("---", "------", the dashed date) as for a record without values, never
// values decoded from its bytes. The frequency, duplex and offset of a
// transmitted call show only for an entry the repeater or your-call lists
// know.
class CellCaseTable;

void RegisterCallCases(CellCaseTable& table);
