// The popup-command step of the cell handler.
#include "cells/CellHost.h"
#include "cells/CommonSettings.h"
#include "cells/FrameSteps.h"
#include "cells/SheetBankNo.h"
#include "cells/ViewCuts.h"
#include "cells/indActiveCell.h"
#include "cells/names/CellNames.h"
#include "core/cmcEvMan.h"
#include "core/indEnviron.h"
#include "model/ItemKinds.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellObj.h"

namespace {

constexpr int kRowsPerBlock = 100;
constexpr int kFirstCallChannel = layout::kMemoryChannels;  // 1000
constexpr int kLastCallChannel = layout::kAllChannels - 1;  // 1003

void HundredBlock(int index, int& first, int& last) {
  first = index >= 0 ? index / kRowsPerBlock * kRowsPerBlock : 0;
  last = first + kRowsPerBlock - 1;
}

// A list edit over the rows the cell's category gives.
void RunListEdit(indActiveCell& ctx, int command) {
  ListEditRequest request;
  request.command = command;
  request.category = ctx.category;
  request.cellId = ctx.cellId;
  request.index = ctx.index;
  switch (ctx.category) {
    case CT_Conv:
      if (ctx.index < kFirstCallChannel) {
        HundredBlock(ctx.index, request.first, request.last);
      } else {
        request.first = kFirstCallChannel;
        request.last = kLastCallChannel;
      }
      break;
    case CT_BankCh:
      // A sheet that names no bank has no slots to edit.
      if (ctx.bankNo == kNoSheetBank) return;
      HundredBlock(ctx.index, request.first, request.last);
      request.list = ListEditRequest::List::Bank;
      request.bank = ctx.bankNo;
      break;
    case CT_Gps:
    case CT_Rptlist:
      request.first = ctx.range.first;
      request.last = ctx.range.last;
      request.list = ListEditRequest::List::Group;
      request.group = ctx.range.group;
      break;
    case CT_Urlist:
      request.first = ctx.range.first;
      request.last = ctx.range.last;
      break;
    default:
      request.first = static_cast<int>(datCh::KindMin(ctx.kind));
      request.last = static_cast<int>(datCh::KindMax(ctx.kind));
      break;
  }
  ctx.host.RunListEdit(request, ctx.capsule, ctx.record);
}

// The call-sign selector on the route field of the cell.
void RunCallSignSelector(indActiveCell& ctx) {
  int kind = 2;
  CallSignField* field = &ctx.record.rpt2Call;
  const CallSignField* second = &ctx.record.rpt1Call;
  if (ctx.cellId == CL_Mch_DYou_Callsign) {
    kind = 0;
    field = &ctx.record.urCall;
    second = nullptr;
  } else if (ctx.cellId == CL_Mch_DRpt1_Callsign) {
    kind = 1;
    field = &ctx.record.rpt1Call;
    second = nullptr;
  }
  const std::optional<bool> chosen = ctx.host.RunCallSignDialog(ctx.capsule, kind, *field, second);
  if (!chosen) return;  // the program has no selector: nothing happened
  if (*chosen) ctx.StoreRecord();
  ctx.bus.Post(ev::CellsRefreshAll, 0, 0);
  ctx.bus.Send(ev::ListChanged, 0, 0);
}

void ClearHomeChannel(indActiveCell& ctx) {
  switch (ctx.cellId) {
    case CL_Common_HmchVfo: commonset::ClearHomeVfo(ctx.common); break;
    case CL_Common_HmchMr: SetSelectedChannel(ctx.Image(), kNoSelectedChannel); break;
    case CL_Common_HmchDr: SetSelectedRepeater(ctx.Image(), kNoSelectedRepeater); break;
    default: break;
  }
}

}  // namespace

void RunPopupCommand(indActiveCell& ctx) {
  cmcCellCapsule& capsule = ctx.capsule;
  const int command = capsule.popupCommand;
  switch (command) {
    case CL_PMenu_BankOff:
    case CL_PMenu_Copy:
    case CL_PMenu_Paste:
    case CL_PMenu_CarryUp:
    case CL_PMenu_CarryDown:
    case CL_PMenu_Clear:
    case CL_PMenu_Delete:
    case CL_PMenu_Insert:
      RunListEdit(ctx, command);
      ctx.handled = true;
      return;
    case CL_PMenu_Edit:
      capsule.operation = cellop::kEnter;
      capsule.popupCommand = 0;
      return;
    case CL_PMenu_Rpt_Set:
      RunCallSignSelector(ctx);
      ctx.handled = true;
      return;
    case CL_PMenu_Help:
      if (const std::optional<int> context = ctx.host.GetHelpIds(ctx.cell))
        ctx.host.ShowHelp(*context);
      return;
    case CL_PMenu_RptUseFromAllNo:
    case CL_PMenu_RptUseFromAllYes:
      if (ctx.category == CT_Rptlist && ctx.range.count > 0)
        ctx.host.SetRepeaterUseFromAll(ctx.range.first, ctx.range.last,
                                       command == CL_PMenu_RptUseFromAllYes);
      ctx.handled = true;
      return;
    case CL_PMenu_Tone_Cut:
    case CL_PMenu_Digital_Cut:
    case CL_PMenu_Call_Cut:
    case CL_PMenu_Mobile_Cut:
    case CL_PMenu_Fixed_Cut:
    case CL_PMenu_ObjItm_Cut:
    case CL_PMenu_WX_Cut:
      // The owning pages' stored masks change with the one in force, so the
      // choice holds on every page that shows the group.
      viewcut::Toggle(ctx, command - CL_PMenu_Tone_Cut);
      return;
    case CL_PMenu_HomeCH_Clear:
      ClearHomeChannel(ctx);
      ctx.handled = true;
      return;
    default: return;
  }
}
