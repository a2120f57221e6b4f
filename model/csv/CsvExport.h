#pragma once
// The export of one list: the header line of its titles and one line per
// row, fields joined by the separator, every line ended by CR LF; every row
// has as many fields as the header. Values come from the column codecs
// (model/csv/CsvCodecs.h) and the received-call formatters.
//
// The file is written through a temporary file that replaces the target only
// when complete: a failed export never leaves a cut file, nor harms the file
// it would have replaced.
#include <string>

#include "model/csv/CsvContext.h"
#include "model/csv/CsvLists.h"

class cmcEeprom;

namespace csv {

// The whole text of the target's list.
std::string WriteCsvText(const cmcEeprom& image, const CsvTarget& target, const CsvContext& ctx);

enum class WriteResult { kDone, kCannotCreate, kCannotWrite };
WriteResult WriteCsvFile(const std::string& path, const cmcEeprom& image, const CsvTarget& target,
                         const CsvContext& ctx);

}  // namespace csv
