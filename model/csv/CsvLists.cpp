#include "model/csv/CsvLists.h"

#include "model/ItemKinds.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/ImageAccess.h"
#include "model/cmcEeprom.h"
#include "model/datCh.h"

namespace csv {
namespace {

constexpr int kFirstBankSheet = 21;
constexpr int kLastBankSheet = 46;
constexpr int kCallSheet = 47;
constexpr int kScanEdgeSheet = 48;
constexpr int kYourCallSheet = 120;
constexpr int kRptTopSheet = 121;
constexpr int kRptNamesSheet = 122;
constexpr int kFirstRptSheet = 123;
constexpr int kLastRptSheet = 172;
constexpr int kFirstTxSheet = 210;
constexpr int kLastTxSheet = 213;
constexpr int kRxSheet = 215;
constexpr int kGpsTopSheet = 219;
constexpr int kGpsNamesSheet = 220;
constexpr int kFirstGpsSheet = 221;
constexpr int kLastGpsSheet = 247;
constexpr int kBankSlots = 100;
constexpr int kNoChannelWord = 1000;

}  // namespace

SheetList ResolveCsvListKind(int n) {
  SheetList s;
  s.sheetNumber = n;
  if (n >= 0 && n <= 9) {
    s.itemKind = itemkind::kChannel;
    s.group = n;
  } else if (n == kCallSheet) {
    s.itemKind = itemkind::kCallChannel;
    s.group = kCallSheet;
  } else if (n >= kFirstBankSheet && n <= kLastBankSheet) {
    s.itemKind = itemkind::kBankChannel;
    s.bank = n - kFirstBankSheet;
  } else if (n == kScanEdgeSheet) {
    s.itemKind = itemkind::kScanEdge;
  } else if (n == kGpsTopSheet || n == kGpsNamesSheet) {
    s.itemKind = itemkind::kGpsMemory;
    s.group = kAllGroups;
  } else if (n >= kFirstGpsSheet && n <= kLastGpsSheet) {
    s.itemKind = itemkind::kGpsMemory;
    s.group = n - kFirstGpsSheet;
  } else if (n == kYourCallSheet) {
    s.itemKind = itemkind::kYourCall;
  } else if (n == kRptTopSheet || n == kRptNamesSheet) {
    s.itemKind = itemkind::kRepeater;
    s.group = kAllGroups;
  } else if (n >= kFirstRptSheet && n <= kLastRptSheet) {
    s.itemKind = itemkind::kRepeater;
    s.group = n - kFirstRptSheet;
  } else if (n == kRxSheet) {
    s.itemKind = itemkind::kRxCall;
  } else if (n >= kFirstTxSheet && n <= kLastTxSheet) {
    s.itemKind = itemkind::kCallListA + static_cast<std::uint32_t>(n - kFirstTxSheet);
  }
  return s;
}

int CsvListNumber(std::uint32_t itemKind) {
  switch (itemKind) {
    case itemkind::kGpsMemory: return kListGps;
    case itemkind::kRepeater: return kListRepeaters;
    case itemkind::kYourCall: return kListYourCalls;
    case itemkind::kScanEdge: return kListScanEdges;
    case itemkind::kRxCall: return kListRxCalls;
    case itemkind::kCallListA: return kListTxFromDv;
    case itemkind::kCallListB: return kListTxFromFm;
    case itemkind::kCallListC: return kListTxTo;
    case itemkind::kCallListD: return kListTxReflector;
    default: return kListChannels;
  }
}

int GetSheetRowCount(std::uint32_t itemKind) {
  switch (itemKind) {
    case itemkind::kChannel:
    case itemkind::kBankChannel: return 100;
    case itemkind::kCallChannel: return 4;
    case itemkind::kNone: return 0;
    default:
      return itemKind <= itemkind::kCallListD ? static_cast<int>(datCh::KindMax(itemKind)) + 1 : 0;
  }
}

bool IsImportable(int listNumber) { return listNumber >= kListChannels && listNumber <= kListScanEdges; }

int ResolveSheetRow(const cmcEeprom& image, const SheetList& sheet, int row) {
  switch (sheet.itemKind) {
    case itemkind::kChannel: return 100 * sheet.group + row;
    case itemkind::kCallChannel: return layout::kMemoryChannels + row;
    case itemkind::kBankChannel: {
      if (sheet.bank < 0 || sheet.bank >= 26 || row < 0 || row >= kBankSlots) return -1;
      const int word = imageaccess::Get16(image, layout::BankTableEntry(sheet.bank, row));
      return word < kNoChannelWord ? word : -1;
    }
    default: return -1;
  }
}

datCh LoadSheetRow(const cmcEeprom& image, const SheetList& sheet, int row) {
  const int channel = ResolveSheetRow(image, sheet, row);
  if (channel < 0) {
    datCh blank;
    blank.flags = 0;
    return blank;
  }
  return LoadDetached(image, itemkind::kChannel, static_cast<std::uint32_t>(channel));
}

CsvTarget ConfirmCsvImport(int sheetNumber, bool allGroups) {
  CsvTarget t;
  t.sheet = ResolveCsvListKind(sheetNumber);
  t.list = CsvListNumber(t.sheet.itemKind);
  t.group = 0;
  if (t.sheet.itemKind == itemkind::kGpsMemory) {
    if (allGroups || t.sheet.group == kAllGroups) {
      t.group = kAllGroups;
      t.questionKey = "GI_Mess_Confirm_ImportFile_All_Gps";
    } else {
      t.group = t.sheet.group;
    }
  } else if (t.sheet.itemKind == itemkind::kRepeater) {
    if (allGroups || t.sheet.group == kAllGroups) {
      t.group = kAllGroups;
      t.questionKey = "GI_Mess_Confirm_ImportFile_All_Rpt";
    } else {
      t.group = t.sheet.group;
    }
  }
  return t;
}

}  // namespace csv
