#include "cells/ScanEdgeCases.h"

#include "cells/CellCaseTable.h"
#include "cells/ChannelCaseKit.h"
#include "cells/ChoiceList.h"
#include "cells/NumberConverters.h"
#include "cells/RecordChoiceLists.h"
#include "cells/indActiveCell.h"
#include "cells/names/CellNames.h"
#include "model/FrequencySnap.h"
#include "model/RecordChecks.h"
#include "model/indDestination.h"
#include "sheet/cmcCellCapsule.h"

namespace {

using namespace channelcase;

// Mode and step of an edge whose ends lie in different bands: none ("---").
constexpr std::uint32_t kNoneForTwoBands = 0xFF;
// Typed steps pick the nearest number, typed modes the first option they
// begin; the step list marks steps the edge would not accept at the right.
constexpr int kTypedNearest = 0;
constexpr int kTypedPrefix = 1;
constexpr std::int32_t kMarkRightEdge = 2;

void EdgeName(indActiveCell& ctx) {
  if (EditNameField(ctx, ctx.record.name)) ctx.StoreRecord();
  BlankUnused(ctx);
}

void StoreEdge(indActiveCell& ctx, bool low, std::int64_t frequency) {
  datCh& edge = ctx.record;
  const auto hz = static_cast<std::uint32_t>(frequency);
  if (!edge.IsUsed()) {
    // A new edge: both ends at the typed frequency, mode and step to be
    // chosen, no name.
    edge.freq = edge.freq2 = hz;
    edge.mode = edge.tuneStep = kNoneForTwoBands;
    SetText(edge.name, "");
    edge.flags |= datCh::kUsed;
  } else if (low) {
    edge.freq = hz;
  } else {
    edge.freq2 = hz;
  }
  if (indDestination::BandIndex(edge.freq) != indDestination::BandIndex(edge.freq2))
    edge.mode = edge.tuneStep = kNoneForTwoBands;
  ctx.StoreRecord();
}

void EdgeFrequency(indActiveCell& ctx) {
  const bool low = ctx.cellId == CL_PgSrch_Freq_Low;
  std::uint32_t value = low ? ctx.record.freq : ctx.record.freq2;
  if (EditFrequency(ctx.capsule, value, kLowestMHz, kHighestMHz, !ctx.record.IsUsed(),
                    ctx.status)) {
    const std::int64_t snapped = SnapFrequency(value);
    if (snapped >= 0) StoreEdge(ctx, low, snapped);
  }
  ctx.MarkWarning(low ? ChCheckFreq1Band(ctx.record) : ChCheckFreq2Band(ctx.record));
  BlankUnused(ctx);
}

// The step list follows the bands of the two ends ("---" across bands).
void EdgeStep(indActiveCell& ctx) {
  datCh& edge = ctx.record;
  auto step = static_cast<std::int32_t>(edge.tuneStep);
  const char* list =
      recordlists::ScanEdgeStepList(edge.freq, edge.freq2, edge.tuneStep, ctx.isDestGroupB);
  if (SelectTypedChoice(ctx.Choices(), ctx.capsule, list, step, kTypedNearest, CL_FlexMark_PgSrch,
                        ctx.status)) {
    edge.tuneStep = static_cast<std::uint32_t>(step);
    ctx.StoreRecord();
  }
  ctx.capsule.markerPosition = kMarkRightEdge;
  ctx.MarkWarning(ChCheckScanEdgeAutoStep(edge));
  BlankUnused(ctx);
}

void EdgeMode(indActiveCell& ctx) {
  datCh& edge = ctx.record;
  auto mode = static_cast<std::int32_t>(edge.mode);
  if (SelectTypedChoice(ctx.Choices(), ctx.capsule,
                        recordlists::ScanEdgeModeList(edge.freq, edge.freq2), mode, kTypedPrefix,
                        Flex0, ctx.status)) {
    edge.mode = static_cast<std::uint32_t>(mode);
    ctx.StoreRecord();
  }
  BlankUnused(ctx);
}

}  // namespace

void RegisterScanEdgeCases(CellCaseTable& table) {
  table.Register(CL_PgSrch_Name, EdgeName);
  table.Register(CL_PgSrch_Freq_Low, EdgeFrequency);
  table.Register(CL_PgSrch_Freq_High, EdgeFrequency);
  table.Register(CL_PgSrch_TS, EdgeStep);
  table.Register(CL_PgSrch_Mode, EdgeMode);
}
