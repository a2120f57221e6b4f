#pragma once
// Which CSV menu items are shown and enabled for the open sheet: channel
// sheets and the scan edges have one list; the GPS memory and the repeater
// list offer a group (on a group sheet) and all groups; the your-call list
// exports only when it holds an entry; the call records export only.
class cmcEeprom;

namespace csv {

enum class MenuItem {
  kImport,
  kImportSubMenu,
  kImportAll,
  kImportGroup,
  kImportBank,
  kExport,
  kExportSubMenu,
  kExportAll,
  kExportGroup,
  kExportBank,
};

struct MenuFlags {
  bool hidden = false;
  bool disabled = false;
};

MenuFlags CsvMenuState(const cmcEeprom& image, int sheetNumber, MenuItem item);

}  // namespace csv
