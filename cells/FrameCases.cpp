#include "cells/FrameCases.h"

#include <string>

#include "cells/CellCaseTable.h"
#include "cells/indActiveCell.h"
#include "cells/names/CellNames.h"
#include "core/NumberText.h"
#include "model/ItemKinds.h"
#include "model/RecordChecks.h"
#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellObj.h"

namespace {

// Where a flex mark draws its marker: after the caption.
constexpr std::int32_t kMarkAfterText = 3;

// Ids that show "%d *Yet*": debug and placeholder cells, and popup items
// whose command runs before the dispatch.
constexpr std::int32_t kWithoutBehaviour[] = {
    FlexSpace,
    FlexKeyOpt,
    CL_Menu_Com_Speed,
    CL_Menu_Debug_Compare,
    CL_Menu_Debug_CorrectComp,
    CL_Menu_Debug_CorrectComp_Model,
    CL_Menu_Debug_CautionCorrectComp,
    CL_Menu_Debug_CorrectSort,
    CL_Menu_Debug_CorrectOut,
    CL_Menu_Debug_CorrectIn,
    CL_Menu_Debug_EepFill00,
    CL_Menu_Debug_EepFill55,
    CL_Menu_Debug_EepFillAA,
    CL_Menu_Debug_EepFillFF,
    CL_Menu_Debug_Window,
    CL_Menu_Debug_EeWindow,
    CL_Check_RPTList50,
    CL_Debug_Info_Rx_Expansion,
    CL_Debug_Info_Rx_Expansion31,
    CL_Debug_Info_Rx_Expansion21,
    CL_Debug_Info_FccInh,
    CL_Debug_Info_FccInh31,
    CL_Debug_Info_FccInh21,
    CL_Debug_Info_Destination,
    CL_Debug_Info_Destination31,
    CL_Debug_Info_Destination21,
    CL_Debug_Info_M_REP,
    CL_Debug_Info_DvInh,
    CL_Debug_Info_DvInh31,
    CL_Debug_Info_DvInh21,
    CL_Debug_Language,
    CL_Debug_ICS_LOAD,
    CL_PMenu_BankOff,
    CL_PMenu_Help,
    CL_PMenu_RptUseFromAllNo,
    CL_PMenu_RptUseFromAllYes,
    CL_PMenu_HomeCH_Clear,
    CL_FBits,
    CL_Mch_No,
    CL_Mch_CH_Atr,
    CL_Mch_CH_Inh,
    CL_Mch_Freq_DbgRef,
    CL_Mch_Offset_Freq_DbgRef,
    CL_You_Callsign_Cell_ChNo,
    CL_You_Callsign_Debug_Clear,
    CL_Repeater_List_Debug_ChIndex,
    CL_Repeater_List_Debug_GwIndex,
    CL_Common_GPS_Internal,
    CL_Common_POffGpsLog,
    CL_Common_HmchVfo_Dbg,
    CL_Common_HmchMr_Dbg,
    CL_Common_HmchDr_Dbg,
};
static_assert(std::size(kWithoutBehaviour) == 52);

void DoNothing(indActiveCell&) {}

void ShowCaption(indActiveCell& ctx) {
  ctx.capsule.outputText = std::string(ctx.cell.GetCaption());
}

// The source row of the choice list, loaded as its own cell loads it; false
// when the list was not opened from a cell.
bool LoadSourceRow(indActiveCell& ctx) {
  if (!ctx.source || !ctx.sourceCell) return false;
  ctx.LoadRow(*ctx.source, *ctx.sourceCell);
  return true;
}

// The item's value tried on the source record; the record is never stored.
void MarkChannelChoice(indActiveCell& ctx) {
  ShowCaption(ctx);
  if (!LoadSourceRow(ctx)) return;
  const auto value = static_cast<std::uint32_t>(ctx.index);
  switch (ctx.sourceCell->cellId) {
    case CL_Mch_TS_Pitch:
      ctx.capsule.markerPosition = kMarkAfterText;
      ctx.record.tuneStep = value;
      ctx.MarkWarning(ChCheckTuneStep(ctx.record));
      return;
    case CL_Mch_Mode:
      ctx.capsule.markerPosition = kMarkAfterText;
      ctx.record.mode = value;
      ctx.MarkWarning(ChCheckAirbandMode(ctx.record));
      return;
    default: return;
  }
}

void MarkScanEdgeChoice(indActiveCell& ctx) {
  ShowCaption(ctx);
  if (!LoadSourceRow(ctx) || ctx.sourceCell->cellId != CL_PgSrch_TS) return;
  ctx.capsule.markerPosition = kMarkAfterText;
  ctx.record.tuneStep = static_cast<std::uint32_t>(ctx.index);
  ctx.MarkWarning(ChCheckScanEdgeAutoStep(ctx.record));
}

void MarkRepeaterDuplexChoice(indActiveCell& ctx) {
  ShowCaption(ctx);
  if (!LoadSourceRow(ctx) || ctx.record.kind != itemkind::kRepeater) return;
  ctx.record.duplex = static_cast<std::uint32_t>(ctx.index);
  ctx.MarkWarning(ChCheckRptDupWithoutCall(ctx.record));
}

}  // namespace

void ShowNotYetText(indActiveCell& ctx) {
  ctx.capsule.outputText = core::WriteFixedPoint(ctx.cellId, 0, '.') + " *Yet*";
}

void RegisterFrameCases(CellCaseTable& table) {
  table.Register(CL_Null, DoNothing);
  table.Register(Flex0, ShowCaption);
  table.Register(CL_FlexMarking, ShowCaption);
  table.Register(CL_FlexMark_Mch, MarkChannelChoice);
  table.Register(CL_FlexMark_PgSrch, MarkScanEdgeChoice);
  table.Register(CL_FlexMark_RptDup, MarkRepeaterDuplexChoice);
  table.Register(CL_PMenu_Edit, DoNothing);
  table.Register(CL_None, DoNothing);
  for (std::int32_t id : kWithoutBehaviour) table.Register(id, ShowNotYetText);
}
