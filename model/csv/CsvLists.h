#pragma once
// Which list a CSV file exchanges: the one behind the open sheet, found
// from the sheet's number, and the rows of a channel sheet.
//
// Sheet numbers: memory-channel groups 0..9, banks A..Z 21..46, call
// channels 47, scan edges 48, your call signs 120, repeater list 121 (top),
// 122 (group names), groups 123..172, transmitted calls 210..213, received
// calls 215, GPS memory 219 (top), 220 (group names), groups 221..247.
#include <cstdint>

class cmcEeprom;
class datCh;

namespace csv {

// The ten CSV lists.
enum ListNumber : int {
  kListChannels = 0,
  kListGps = 1,
  kListRepeaters = 2,
  kListYourCalls = 3,
  kListScanEdges = 4,
  kListRxCalls = 5,
  kListTxFromDv = 6,
  kListTxFromFm = 7,
  kListTxTo = 8,
  kListTxReflector = 9,
};

inline constexpr int kAllGroups = 255;

struct SheetList {
  std::uint32_t itemKind = 0;  // 0: no CSV list
  int group = -1;              // 255 all; -1 none
  int bank = -1;
  int sheetNumber = -1;
};

SheetList ResolveCsvListKind(int sheetNumber);
// 0 for kinds 1, 2, 3 and any kind without a list of its own.
int CsvListNumber(std::uint32_t itemKind);
// 100 for memory channels and banks, 4 for call channels, the list's size
// for the others, 0 without a list.
int GetSheetRowCount(std::uint32_t itemKind);
bool IsImportable(int listNumber);

// The channel a row of a channel sheet holds: -1 for a bank slot naming
// none (1000 or more).
int ResolveSheetRow(const cmcEeprom& image, const SheetList& sheet, int row);
// The row's record; a row without a channel loads blank with the used flag
// clear.
datCh LoadSheetRow(const cmcEeprom& image, const SheetList& sheet, int row);

// What a command works on: the list and group (the open group, or all
// groups for the commands' "All" form) and, for imports, its question.
struct CsvTarget {
  SheetList sheet;
  int list = kListChannels;
  int group = 0;  // 0..26 GPS, 0..49 repeaters, 255 all; 0 otherwise
  const char* questionKey = "GI_Mess_Confirm_ImportFile";
};
CsvTarget ConfirmCsvImport(int sheetNumber, bool allGroups);

}  // namespace csv
