#include "model/csv/CsvMenuState.h"

#include "model/ItemKinds.h"
#include "model/ListCounts.h"
#include "model/csv/CsvLists.h"

namespace csv {

MenuFlags CsvMenuState(const cmcEeprom& image, int sheetNumber, MenuItem item) {
  const SheetList sheet = ResolveCsvListKind(sheetNumber);
  const std::uint32_t kind = sheet.itemKind;
  const bool singleList = kind >= itemkind::kChannel && kind <= itemkind::kScanEdge;
  const bool gps = kind == itemkind::kGpsMemory;
  const bool grouped = gps || kind == itemkind::kRepeater;
  const bool yourCall = kind == itemkind::kYourCall;
  const bool exportOnly = kind >= itemkind::kRxCall && kind <= itemkind::kCallListD;
  const bool singleGroup = grouped && sheet.group != kAllGroups;
  const int groupEntries = !singleGroup ? 0
                           : gps        ? GpsGroupCount(image, sheet.group)
                                        : GetRptGroupCount(image, sheet.group);
  const bool wholeEmpty = !grouped || (gps ? GpsOrderCount(image) == 0
                                           : GetRptTotalCount(image) == 0);
  const bool yourCallItems = yourCall && GetYourCallCount(image) > 0;
  switch (item) {
    case MenuItem::kImport: return {grouped, !(singleList || yourCall)};
    case MenuItem::kImportSubMenu:
    case MenuItem::kImportAll: return {!grouped, !grouped};
    case MenuItem::kImportGroup: return {!grouped, !singleGroup};
    case MenuItem::kImportBank: return {true, !singleGroup};
    case MenuItem::kExport: return {grouped, !(singleList || exportOnly || yourCallItems)};
    case MenuItem::kExportSubMenu:
    case MenuItem::kExportAll: return {!grouped, wholeEmpty};
    case MenuItem::kExportGroup: return {!grouped, !singleGroup || groupEntries == 0};
    case MenuItem::kExportBank: return {true, !singleGroup || groupEntries == 0};
  }
  return {};
}

}  // namespace csv
