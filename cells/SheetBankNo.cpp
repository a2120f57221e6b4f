#include "cells/SheetBankNo.h"

#include <string_view>

#include "sheet/cmcCellCapsule.h"

namespace {
constexpr int kFirstBankSheet = 21;
constexpr int kLastBankSheet = 46;
}  // namespace

int GetSheetBankNo(const cmcCellCapsule& capsule) {
  if (!capsule.sheetName) return 0;
  std::string_view name = *capsule.sheetName;
  name = name.substr(0, name.find(','));
  std::int64_t number = 0;
  for (char ch : name) {
    if (ch < '0' || ch > '9') continue;
    number = number * 10 + (ch - '0');
    if (number > kLastBankSheet) return kNoSheetBank;  // also stops any overflow
  }
  if (number < kFirstBankSheet) return 0;
  return static_cast<int>(number - kFirstBankSheet);
}
