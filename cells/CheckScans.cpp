#include "cells/CheckScans.h"

#include <algorithm>
#include <cstdint>

#include "model/ImageAccess.h"
#include "model/ItemKinds.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/RecordChecks.h"
#include "model/datCh.h"

namespace {

using Check = bool (*)(const datCh&);

constexpr Check kMchWarnings[] = {ChCheckFreqBand, ChCheckStepGrid, ChCheckAirbandMode,
                                  ChCheckTuneStep};
constexpr Check kMchErrors[] = {ChCheckFreqOutOfRange, ChCheckBankSlot};
constexpr Check kEdgeChecks[] = {ChCheckFreq2Band, ChCheckFreq1Band, ChCheckScanEdgeAutoStep};
constexpr Check kYourCallChecks[] = {ChCheckDuplicateUr};
constexpr Check kRptChecks[] = {ChCheckDuplicateRpt, ChCheckRptFreq, ChCheckRptDupWithoutCall};

template <std::size_t N>
bool AnyFails(const datCh& record, const Check (&checks)[N]) {
  for (Check check : checks)
    if (check(record)) return true;
  return false;
}

// [first, last) clipped to the kind's indexes; false when nothing is left.
bool ClipToKind(std::uint32_t kind, int& first, int& last) {
  first = std::max<std::int64_t>(first, datCh::KindMin(kind));
  last = static_cast<int>(std::min<std::int64_t>(last, std::int64_t{datCh::KindMax(kind)} + 1));
  return first < last;
}

template <std::size_t N>
int ScanKind(cmcEeprom& image, std::uint32_t kind, int first, int last, const Check (&checks)[N]) {
  if (!ClipToKind(kind, first, last)) return 0;
  datCh record(&image);
  for (int i = first; i < last; ++i) {
    record.Load(kind, static_cast<std::uint32_t>(i));
    if (AnyFails(record, checks)) return 1;
  }
  return 0;
}

// The channels the bank's slots name, checked; a slot claimed twice fails
// at once when `clashFails` (it stands for the bank-slot check, which the
// channel records cannot show: the table names neither of the two).
template <std::size_t N>
int ScanBank(cmcEeprom& image, int bank, int first, int last, const Check (&checks)[N],
             bool clashFails) {
  if (bank < 0 || bank >= layout::kBankCount) return 0;
  first = std::max(first, 0);
  last = std::min(last, layout::kBankSlots);
  datCh record(&image);
  for (int slot = first; slot < last; ++slot) {
    const std::uint16_t word = imageaccess::Get16(image, layout::BankTableEntry(bank, slot));
    if (word == layout::kBankSlotClash) {
      if (clashFails) return 1;
      continue;
    }
    if (word >= layout::kMemoryChannels) continue;
    record.Load(itemkind::kChannel, word);
    if (AnyFails(record, checks)) return 1;
  }
  return 0;
}

}  // namespace

int ScanMchRangeWarnings(cmcEeprom& image, int first, int last) {
  return ScanKind(image, itemkind::kChannel, first, last, kMchWarnings);
}

int ScanMchRangeErrors(cmcEeprom& image, int first, int last) {
  return ScanKind(image, itemkind::kChannel, first, last, kMchErrors);
}

int ScanBankRangeWarnings(cmcEeprom& image, int bank, int first, int last) {
  return ScanBank(image, bank, first, last, kMchWarnings, false);
}

int ScanBankRangeErrors(cmcEeprom& image, int bank, int first, int last) {
  return ScanBank(image, bank, first, last, kMchErrors, true);
}

int ScanScanEdgeChecks(cmcEeprom& image, int first, int last) {
  return ScanKind(image, itemkind::kScanEdge, first, last, kEdgeChecks);
}

int ScanYourCallChecks(cmcEeprom& image, int first, int last) {
  return ScanKind(image, itemkind::kYourCall, first, last, kYourCallChecks);
}

int ScanRptGroupChecks(cmcEeprom& image, int first, int last) {
  return ScanKind(image, itemkind::kRepeater, first, last, kRptChecks);
}
