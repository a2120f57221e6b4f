// The correction of marked settings: what the warning check marks is put
// right before a save with a digest line, so that the radio and other
// programs get only entries they accept.
#include "app/ImagePasses.h"
#include "core/EventIds.h"
#include "core/cmcEvMan.h"
#include "model/BankTable.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/ListEdit.h"
#include "model/RecordChecks.h"
#include "model/datCh.h"
#include "model/indDestination.h"

using namespace layout;

namespace imagepass {
namespace {

bool ChannelFails(const datCh& ch) {
  return ChCheckFreqBand(ch) || ChCheckStepGrid(ch) || ChCheckAirbandMode(ch) ||
         ChCheckTuneStep(ch);
}

bool ScanEdgeFails(const datCh& edge) {
  return ChCheckFreq2Band(edge) || ChCheckFreq1Band(edge) || ChCheckScanEdgeAutoStep(edge);
}

// The entry takes the initial image's record of the same place; memory
// channels and scan edges also become unused, a call channel keeps the
// initial record's state.
void TakeInitialRecord(cmcEeprom& image, const cmcEeprom& initial, std::uint32_t kind, int i,
                       bool markUnused) {
  datCh record(const_cast<cmcEeprom*>(&initial));  // loading only reads
  record.Load(kind, static_cast<std::uint32_t>(i));
  record.SetImage(&image);
  if (markUnused) record.flags &= ~datCh::kUsed;
  record.Store(kind, static_cast<std::uint32_t>(i));
}

// Answers whether a channel was reset.
bool CorrectChannels(cmcEeprom& image, const cmcEeprom& initial) {
  bool reset = false;
  datCh ch(&image);
  for (int n = 0; n < kAllChannels; ++n) {
    ch.Load(itemkind::kChannel, static_cast<std::uint32_t>(n));
    if (!ch.IsUsed() || !ChannelFails(ch)) continue;
    TakeInitialRecord(image, initial, itemkind::kChannel, n, n < kMemoryChannels);
    reset = true;
    if (GetSelectedChannel(image) == n) SetSelectedChannel(image, kNoSelectedChannel);
  }
  return reset;
}

void CorrectScanEdges(cmcEeprom& image, const cmcEeprom& initial) {
  datCh edge(&image);
  for (int n = 0; n < kScanEdges; ++n) {
    edge.Load(itemkind::kScanEdge, static_cast<std::uint32_t>(n));
    if (edge.IsUsed() && ScanEdgeFails(edge))
      TakeInitialRecord(image, initial, itemkind::kScanEdge, n, true);
  }
}

// From the last entry down, so that of two equal entries the later goes.
bool CorrectRepeaters(cmcEeprom& image, const indDestination& destination) {
  bool changed = false;
  datCh r(&image);
  for (int i = GetRptTotalCount(image) - 1; i >= 0; --i) {
    r.Load(itemkind::kRepeater, static_cast<std::uint32_t>(i));
    const bool digital = r.rptMode == rpt::kTypeDv;
    if (ChCheckDuplicateRpt(r)) {
      if (digital) {
        changed |= RptListDelete(image, static_cast<int>(r.rptGroup), i);
        continue;
      }
      SetText(r.rptCall, "");
      r.Store(itemkind::kRepeater, static_cast<std::uint32_t>(i));
    }
    if (digital && destination.IsOutOfRange(r.freq)) {
      r.freq = 0;
      r.Store(itemkind::kRepeater, static_cast<std::uint32_t>(i));
    }
    if (ChCheckRptFreq(r) || ChCheckRptDupWithoutCall(r))
      changed |= RptListDelete(image, static_cast<int>(r.rptGroup), i);
  }
  return changed;
}

bool CorrectYourCalls(cmcEeprom& image) {
  bool changed = false;
  datCh y(&image);
  for (int i = GetYourCallCount(image) - 1; i >= 0; --i) {
    y.Load(itemkind::kYourCall, static_cast<std::uint32_t>(i));
    if (ChCheckDuplicateUr(y)) changed |= UrListDelete(image, i);
  }
  return changed;
}

}  // namespace

bool CorrectMarkedSettings(cmcEeprom& image, const cmcEeprom& initial,
                           const indDestination& destination, bool fromSave) {
  ScopedDestination scope{destination};
  // A reset channel leaves its bank slot; the table is derived from the
  // channels, so it is rebuilt at once rather than left stale until the
  // next edit.
  if (CorrectChannels(image, initial)) RebuildBankTable(image);
  CorrectScanEdges(image, initial);
  bool changed = CorrectRepeaters(image, destination);
  changed |= CorrectYourCalls(image);
  if (fromSave) {
    if (cmcEvMan* bus = EvManIfInstalled())
      bus->Post(changed ? ev::ReopenSheet : ev::CellsRefreshAll);
  }
  return changed;
}

}  // namespace imagepass
