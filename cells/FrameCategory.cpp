// The per-category step of the cell handler: blank channel and edge rows
// hand typed keys on to their key cell, new-entry rows of the GPS,
// repeater and your-call lists show nothing but their number, popup menu
// items see the row they were opened on, and the call lists are drawn as
// display-only.
#include "cells/FrameSteps.h"
#include "cells/ListCellKit.h"
#include "cells/indActiveCell.h"
#include "cells/names/CellNames.h"
#include "core/indEnviron.h"
#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellObj.h"

namespace {

// A channel above this frequency is a placeholder: its row shows blank.
constexpr std::uint32_t kHighestChannelHz = 550'000'000;

bool IsRouteCell(int cellId) {
  return cellId == CL_Mch_DYou_Callsign || cellId == CL_Mch_DRpt1_Callsign ||
         cellId == CL_Mch_DRpt2_Callsign;
}

bool IsBlankChannel(const datCh& record) {
  return !record.IsUsed() || record.freq > kHighestChannelHz;
}

bool IsLeftOrRight(int key) { return key == cellop::kLeftAtEdge || key == cellop::kRightAtEdge; }

// Route cells keep their own case while the settings open the call-sign
// selector from them.
bool RouteCellContinues(const indActiveCell& ctx) {
  return IsRouteCell(ctx.cellId) && ctx.settings.RepeaterDialog != 0;
}

void HandOn(indActiveCell& ctx, int target) {
  ctx.FollowUp(target);
  ctx.handled = true;
}

void MemoryChannelRow(indActiveCell& ctx) {
  if (!IsBlankChannel(ctx.record) || !IsTypingKey(ctx.Key())) return;
  if (ctx.cellId == CL_Misc_ChNo_0Base || ctx.cellId == CL_Misc_ChNo_1Base ||
      ctx.cellId == CL_Misc_ChNo_Edge)
    return;
  ctx.capsule.outputText.clear();
  if (ctx.cellId == CL_Mch_Freq || RouteCellContinues(ctx)) return;
  HandOn(ctx, CL_Mch_Freq);
}

void BankChannelRow(indActiveCell& ctx) {
  if (!IsBlankChannel(ctx.record) || !IsTypingKey(ctx.Key())) return;
  if (ctx.cellId == CL_Misc_ChNo_0Base || ctx.cellId == CL_Misc_ChNo_1Base) return;
  ctx.capsule.outputText.clear();
  if (ctx.cellId == CL_Mch_Freq || RouteCellContinues(ctx)) return;
  if (!ctx.record.IsUsed()) {
    if (ctx.cellId == CL_Mch_Select_ChNo) return;
    HandOn(ctx, CL_Mch_Freq);
    return;
  }
  // A channel placed in the slot but not given a frequency yet: its channel
  // number cell still takes the key too.
  ctx.FollowUp(CL_Mch_Freq);
  if (ctx.cellId != CL_Mch_Select_ChNo) ctx.handled = true;
}

void GpsRow(indActiveCell& ctx) {
  if (ctx.cellId == CL_Gps_ChNo || !ctx.past) return;
  ctx.capsule.outputText.clear();
  if (ctx.cellId == CL_Gps_Name) return;
  HandOn(ctx, CL_Gps_Name);
}

void ScanEdgeRow(indActiveCell& ctx) {
  if (ctx.record.IsUsed() || ctx.cellId == CL_Misc_ChNo_0Base) return;
  ctx.capsule.outputText.clear();
  if (!IsTypingKey(ctx.Key()) || ctx.cellId == CL_PgSrch_Freq_Low ||
      ctx.cellId == CL_PgSrch_Freq_High)
    return;
  HandOn(ctx, CL_PgSrch_Freq_Low);
}

// Repeater and your-call rows: an unused entry takes typed keys on its key
// cell, the new-entry row takes every key there (but Left and Right, which
// only move).
void EntryListRow(indActiveCell& ctx, int numberCell, int keyCell) {
  if (ctx.cellId == numberCell) return;
  const bool blank = !ctx.record.IsUsed() && IsTypingKey(ctx.Key());
  if (!blank && !ctx.past) return;
  ctx.capsule.outputText.clear();
  if (ctx.cellId == keyCell || IsLeftOrRight(ctx.Key())) return;
  HandOn(ctx, keyCell);
}

// The received and transmitted call lists only show: drawn olive, but for
// their row numbers.
void CallListRow(indActiveCell& ctx) {
  if (ctx.cellId != CL_Misc_ChNo_1Base) listcells::Olive(ctx);
}

bool HelpIsHandledIn(int category) {
  return category != CT_Null && category != CT_PopupMenu && category != CT_Prog_Link &&
         category != CT_None;
}

}  // namespace

bool IsTypingKey(int key) { return key <= 0x7F || key == cellop::kF2; }

void RunCategoryStep(indActiveCell& ctx) {
  if (ctx.capsule.popupCommand == CL_PMenu_Help && HelpIsHandledIn(ctx.category))
    ctx.handled = true;
  if (ctx.handled) return;
  switch (ctx.category) {
    case CT_PopupMenu:
      if (ctx.source && ctx.sourceCell) ctx.LoadRow(*ctx.source, *ctx.sourceCell);
      return;
    case CT_Conv: MemoryChannelRow(ctx); return;
    case CT_BankCh: BankChannelRow(ctx); return;
    case CT_Gps: GpsRow(ctx); return;
    case CT_Prog: ScanEdgeRow(ctx); return;
    case CT_Rptlist: EntryListRow(ctx, CL_Repeater_List_ChNo, CL_Repeater_List_Type); return;
    case CT_Urlist: EntryListRow(ctx, CL_You_Callsign_ChNo, CL_You_Callsign_Code); return;
    case CT_RXCall:
    case CT_TXCall_From:
    case CT_TXCall_FAnalog:
    case CT_TXCall_To:
    case CT_TXCall_Ref: CallListRow(ctx); return;
    default: return;
  }
}
