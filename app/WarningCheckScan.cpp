#include "app/WarningCheckScan.h"

#include <algorithm>

#include "core/cmcGTex.h"
#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellObj.h"

namespace warningcheck {
namespace {

bool Contains(const std::vector<std::string>& list, std::string_view reference) {
  return std::find(list.begin(), list.end(), reference) != list.end();
}

}  // namespace

bool ScanResult::IsError(std::string_view reference) const {
  return Contains(errorReferences, reference);
}

bool ScanResult::IsWarning(std::string_view reference) const {
  return Contains(warningReferences, reference);
}

int ScanResult::OverlayFor(std::string_view reference) const {
  if (IsError(reference)) return 0;
  if (IsWarning(reference)) return 1;
  return -1;
}

ScanResult ScanWarningCheckList(cmcGTex& texts, const Evaluator& evaluate) {
  ScanResult result;
  cmcCellObj cell;
  bool parsed = false;
  for (int n = 0;; ++n) {
    const std::string value = texts.GetText(kListKey, n);
    if (!value.empty() && value[0] == '#') break;
    cell.Parse(value, texts, nullptr, nullptr);
    parsed = true;
    const std::uint8_t state = evaluate(cell);
    const std::string reference = cell.bindingText.value_or("");
    if (state & cellstate::kError) {
      ++result.errors;
      result.errorReferences.push_back(reference);
    } else if (state & cellstate::kWarning) {
      ++result.warnings;
      result.warningReferences.push_back(reference);
    }
  }
  result.renewMarks = parsed && cell.bindingText.has_value();
  return result;
}

}  // namespace warningcheck
