#include "cells/SheetBankNo.h"

#include <string_view>

#include "model/SheetNumbers.h"
#include "sheet/cmcCellCapsule.h"

int GetSheetBankNo(const cmcCellCapsule& capsule) {
  if (!capsule.sheetName) return 0;
  std::string_view name = *capsule.sheetName;
  name = name.substr(0, name.find(','));
  std::int64_t number = 0;
  for (char ch : name) {
    if (ch < '0' || ch > '9') continue;
    number = number * 10 + (ch - '0');
    if (number > sheetno::kLastBank) return kNoSheetBank;  // also stops any overflow
  }
  if (number < sheetno::kFirstBank) return 0;
  return static_cast<int>(number - sheetno::kFirstBank);
}
