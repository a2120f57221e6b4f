#include "model/RecordChecks.h"

#include "model/ImageAccess.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/RepeaterListType.h"
#include "model/RouteLookup.h"
#include "model/cmcEeprom.h"
#include "model/datCh.h"
#include "model/indDestination.h"

using namespace layout;

namespace {

constexpr std::int64_t kRangeLow = 118000000;
constexpr std::int64_t kRangeHigh = 550000000;
constexpr std::int64_t k300MHz = 300000000;
constexpr std::int64_t kLimitLow = 30000;
constexpr std::int64_t kLimitHigh = 1399995000;
constexpr std::uint32_t kAirModeAm = 3;
constexpr std::uint32_t kAirModeAmN = 4;
constexpr std::uint32_t kTuneStepBad = 2;
constexpr std::uint32_t kTuneStepAuto = 14;
constexpr std::uint32_t kFirstCallChannel = 1000;

const indDestination& Dest() { return indDestination::Current(); }

bool InAir(std::int64_t f) { return indDestination::IsAirBand(f); }

bool IsAirMode(std::uint32_t mode) { return mode == kAirModeAm || mode == kAirModeAmN; }

// Destinations that allow the automatic tuning step away from the air band.
bool AllowsAutoStep() { return Dest().IsGroupB(); }

}  // namespace

bool ChCheckFreqBand(const datCh& r) {
  if (!r.IsUsed()) return false;
  if (Dest().IsOutOfBand(r.freq)) return true;
  if (Dest().Code() >= indDestination::kNone) return false;
  switch (r.index) {
    case kFirstCallChannel:
    case kFirstCallChannel + 1: return r.freq >= k300MHz;
    case kFirstCallChannel + 2:
    case kFirstCallChannel + 3: return r.freq < k300MHz;
    default: return false;
  }
}

bool ChCheckFreqOutOfRange(const datCh& r) {
  return r.IsUsed() && (r.freq < kRangeLow || r.freq > kRangeHigh);
}

bool ChCheckStepGrid(const datCh& r) {
  if (!r.IsUsed()) return false;
  if (InAir(r.freq)) return (r.offset % 25000) % 8333 != 0;
  return r.offset % 5000 != 0 && r.offset % 6250 != 0;
}

bool ChCheckAirbandMode(const datCh& r) { return r.IsUsed() && InAir(r.freq) != IsAirMode(r.mode); }

bool ChCheckTuneStep(const datCh& r) {
  if (!r.IsUsed()) return false;
  if (!InAir(r.freq))
    return r.tuneStep == kTuneStepBad || (r.tuneStep == kTuneStepAuto && !AllowsAutoStep());
  switch (r.tuneStep) {
    case 0:
    case 1:
    case 4:
    case 5:
    case 6:
    case 7:
    case 9:
    case 10: return true;
    default: return false;
  }
}

bool ChCheckBankSlot(const datCh& r) {
  const cmcEeprom* image = r.Image();
  if (!r.IsUsed() || image == nullptr || r.bank >= static_cast<std::uint32_t>(kBankCount) ||
      r.bankSlot >= static_cast<std::uint32_t>(kBankSlots))
    return false;
  const std::int64_t at = BankTableEntry(static_cast<int>(r.bank), static_cast<int>(r.bankSlot));
  return image->IsValidAddress(at + 1) && imageaccess::Get16(*image, at) == kBankSlotClash;
}

bool ChCheckFreqLimits(const datCh& r) {
  return r.IsUsed() && r.freq != 0 && (r.freq < kLimitLow || r.freq > kLimitHigh);
}

bool ChCheckFreq2Band(const datCh& r) { return r.IsUsed() && Dest().IsOutOfBand(r.freq2); }

bool ChCheckFreq1Band(const datCh& r) { return r.IsUsed() && Dest().IsOutOfBand(r.freq); }

bool ChCheckScanEdgeAutoStep(const datCh& r) {
  return r.IsUsed() && r.tuneStep == kTuneStepAuto && !InAir(r.freq2) && !AllowsAutoStep();
}

bool ChCheckDuplicateUr(const datCh& r) {
  const cmcEeprom* image = r.Image();
  if (image == nullptr) return false;
  return FindYourCallSignAny(*image, r.urCall.data(), 8) != static_cast<int>(r.index);
}

bool ChCheckDuplicateRpt(const datCh& r) {
  const cmcEeprom* image = r.Image();
  if (image == nullptr || IsBlankText(r.rptCall) ||
      r.index >= static_cast<std::uint32_t>(kRptCapacity))
    return false;
  const int own = static_cast<int>(r.index);
  const int first = r.rptMode == rpt::kTypeDv
                        ? FindRptByPlainCall(*image, r.rptCall.data(), 0, own + 1)
                        : FindFmRptByCallRange(*image, r.rptCall.data(), r.freq, 0, own + 1);
  // An entry past the used list finds nothing and clashes with nothing.
  return first != kRptNotFound && first != own;
}

bool ChCheckRptFreq(const datCh& r) {
  if (!r.IsUsed()) return false;
  if (Dest().IsOutOfRange(r.freq)) return true;
  return GetRepeaterListType(r) != kRptTypeDvRepeater && r.freq == 0;
}

bool ChCheckRptDupWithoutCall(const datCh& r) {
  return GetRepeaterListType(r) == kRptTypeDvSimplex && r.duplex != 0;
}
