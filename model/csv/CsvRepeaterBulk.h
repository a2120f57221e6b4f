#pragma once
// Whole-group moves of the repeater list for the import: the same image,
// byte for byte, as deleting or inserting the entries one at a time with
// RptListDelete and RptListInsert (model/ListEdit.h) and storing each new
// record at its place, but with one pass over the list instead of one per
// entry. The selected repeater follows as it would.
#include <utility>
#include <vector>

#include "model/datCh.h"

class cmcEeprom;

namespace csv {

// Deletes every entry of groups first..last (0..49).
void DeleteRptGroups(cmcEeprom& image, int first, int last);

// Appends each record at the end of its group (0..49), in order; the caller
// keeps the total within the list's capacity. A record that does not store
// leaves the blank entry, as a failed store after an insert would.
void AppendRptRecords(cmcEeprom& image, const std::vector<std::pair<int, datCh>>& rows);

}  // namespace csv
