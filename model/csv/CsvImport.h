#pragma once
// The import of one list: the file's first line is the header, whose titles
// find the columns (any order, extra columns ignored); every further
// non-empty line is a row. The rows are read into a copy of the image; the
// copy replaces the image only once every row is read, then the sheet and
// tree are told (event 45 after channels, event 50 for each group label of
// the GPS memory and the repeater list, event 33 to reopen the sheet).
//
// A file that cannot be read, or whose header lacks the list's key columns,
// changes nothing and sends nothing. Bad rows never stop an import: they
// are counted; only a full list stops it, keeping the rows before.
#include <string>
#include <string_view>

#include "model/csv/CsvContext.h"
#include "model/csv/CsvLists.h"

class cmcEeprom;

namespace csv {

CsvImportResult ReadCsvFile(const std::string& path, cmcEeprom& image, const cmcEeprom& initial,
                            const CsvTarget& target, const CsvContext& ctx);
// The same over the file's bytes.
CsvImportResult ReadCsvText(std::string_view bytes, cmcEeprom& image, const cmcEeprom& initial,
                            const CsvTarget& target, const CsvContext& ctx);

}  // namespace csv
