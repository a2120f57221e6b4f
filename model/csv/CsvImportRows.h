#pragma once
// The per-list halves of an import (used by model/csv/CsvImport.cpp): each
// list's header check and its rows, read into the scratch image of the run.
// Row counters follow the messages: a row stored, discarded (not read, or
// read as blank), corrected (a value changed to a valid one).
#include <string_view>
#include <vector>

#include "model/csv/CsvContext.h"
#include "model/csv/CsvFields.h"
#include "model/csv/CsvLists.h"

class cmcEeprom;

namespace csv {

struct ImportRun {
  cmcEeprom& image;          // the scratch copy
  const cmcEeprom& initial;  // defaults and starting records
  const CsvTarget& target;
  const CsvContext& ctx;
  CsvImportResult& result;
  std::vector<int> columns;
  CsvRow row;
  // Events to give once the copy has replaced the document's image.
  bool sendBankEvent = false;
  std::vector<std::pair<int, std::string>> labels;  // event 50: p2 and text

  std::string_view Field(int position) const {
    return row.Get(columns[static_cast<std::size_t>(position)]);
  }
  bool Has(int position) const { return columns[static_cast<std::size_t>(position)] >= 0; }
  // Adds one row's marks to the totals.
  void Count(bool discarded, int corrections) {
    ++result.stored;
    if (discarded) ++result.discarded;
    if (corrections > 0) ++result.corrected;
  }
  // Out of room: the earlier rows stay, and the overflow is reported.
  void NoSpace() {
    result.noSpace = true;
    if (result.stored == 0) result.stored = 1;
  }
};

// The titles each list looks for, in column-table order, and whether a
// header holds its key columns.
const std::vector<const char*>& ImportTitles(int list);
bool HasKeyColumns(int list, const std::vector<int>& columns);

void ReadChannelRows(ImportRun& run, const std::vector<std::string_view>& lines);
void ReadScanEdgeRows(ImportRun& run, const std::vector<std::string_view>& lines);
void ReadGpsRows(ImportRun& run, const std::vector<std::string_view>& lines);
void ReadRepeaterRows(ImportRun& run, const std::vector<std::string_view>& lines);
void ReadYourCallRows(ImportRun& run, const std::vector<std::string_view>& lines);

}  // namespace csv
