#include "model/csv/CsvLists.h"

#include "model/ImageAccess.h"
#include "model/ItemKinds.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/SheetNumbers.h"
#include "model/cmcEeprom.h"
#include "model/datCh.h"

namespace csv {
namespace {

constexpr int kBankSlots = 100;
constexpr int kNoChannelWord = 1000;

}  // namespace

SheetList ResolveCsvListKind(int n) {
  SheetList s;
  s.sheetNumber = n;
  if (n >= sheetno::kFirstMemory && n <= sheetno::kLastMemory) {
    s.itemKind = itemkind::kChannel;
    s.group = n;
  } else if (n == sheetno::kCallChannels) {
    s.itemKind = itemkind::kCallChannel;
    s.group = sheetno::kCallChannels;
  } else if (n >= sheetno::kFirstBank && n <= sheetno::kLastBank) {
    s.itemKind = itemkind::kBankChannel;
    s.bank = n - sheetno::kFirstBank;
  } else if (n == sheetno::kScanEdges) {
    s.itemKind = itemkind::kScanEdge;
  } else if (n == sheetno::kGpsTop || n == sheetno::kGpsNames) {
    s.itemKind = itemkind::kGpsMemory;
    s.group = kAllGroups;
  } else if (n >= sheetno::kFirstGpsGroup && n <= sheetno::kLastGpsGroup) {
    s.itemKind = itemkind::kGpsMemory;
    s.group = n - sheetno::kFirstGpsGroup;
  } else if (n == sheetno::kYourCalls) {
    s.itemKind = itemkind::kYourCall;
  } else if (n == sheetno::kRepeaterTop || n == sheetno::kRepeaterNames) {
    s.itemKind = itemkind::kRepeater;
    s.group = kAllGroups;
  } else if (n >= sheetno::kFirstRepeaterGroup && n <= sheetno::kLastRepeaterGroup) {
    s.itemKind = itemkind::kRepeater;
    s.group = n - sheetno::kFirstRepeaterGroup;
  } else if (n == sheetno::kRxCalls) {
    s.itemKind = itemkind::kRxCall;
  } else if (n >= sheetno::kFirstTxCalls && n <= sheetno::kLastTxCalls) {
    s.itemKind = itemkind::kCallListA + static_cast<std::uint32_t>(n - sheetno::kFirstTxCalls);
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
