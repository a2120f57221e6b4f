#include "cells/MenuCheckCases.h"

#include <string>

#include "cells/CellCaseTable.h"
#include "cells/CellHost.h"
#include "cells/CheckScans.h"
#include "cells/MemoryDebugCases.h"
#include "cells/indActiveCell.h"
#include "cells/names/CellNames.h"
#include "core/EventIds.h"
#include "core/cmcEvMan.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellObj.h"

namespace {

// One memory-channel check item per page of channels, then one for the
// call channels.
constexpr int kChannelsPerPage = 100;
constexpr int kMemoryPages = layout::kMemoryChannels / kChannelsPerPage;
static_assert(layout::kMemoryChannels % kChannelsPerPage == 0);

struct ChannelRange {
  int first;
  int count;
};

// Pages 0..9, then the call channels.
constexpr ChannelRange ChannelRangeOf(int page) {
  if (page < kMemoryPages) return {page * kChannelsPerPage, kChannelsPerPage};
  return {layout::kMemoryChannels, layout::kAllChannels - layout::kMemoryChannels};
}

bool Entered(const indActiveCell& ctx) { return ctx.Key() == cellop::kEnter; }

void ExitCase(indActiveCell& ctx) {
  if (Entered(ctx)) ctx.host.CloseMainForm();
}

// New, Open and Save act only while the main form shows: not behind the
// initial setup dialog.
void NewCase(indActiveCell& ctx) {
  if (Entered(ctx) && ctx.host.IsMainFormVisible()) ctx.host.NewFile();
}

void OpenCase(indActiveCell& ctx) {
  if (Entered(ctx) && ctx.host.IsMainFormVisible()) ctx.host.OpenFile();
}

void SaveCase(indActiveCell& ctx) {
  if (Entered(ctx) && ctx.host.IsMainFormVisible()) ctx.host.SaveFile(false);
}

void SaveAsCase(indActiveCell& ctx) {
  if (Entered(ctx)) ctx.host.SaveFile(true);
}

void CloneReadCase(indActiveCell& ctx) {
  if (Entered(ctx)) ctx.host.StartCloneRead();
}

void CloneWriteCase(indActiveCell& ctx) {
  if (Entered(ctx)) ctx.host.StartCloneWrite();
}

// The information dialog runs through its event, as the setup dialog's does.
void CloneInfoCase(indActiveCell& ctx) {
  if (Entered(ctx)) ctx.bus.Send(ev::CloneInfoConfirmed);
}

void CallSheetCase(indActiveCell& ctx) {
  if (!Entered(ctx) || !ctx.cell.bindingText || ctx.cell.bindingText->empty()) return;
  ctx.host.OpenSheet(*ctx.cell.bindingText);
}

CellCase ChannelCheck(ChannelRange range) {
  return [range](indActiveCell& ctx) {
    cmcEeprom& image = ctx.Image();
    const int last = range.first + range.count;
    ctx.MarkWarning(ScanMchRangeWarnings(image, range.first, last) != 0);
    ctx.MarkError(ScanMchRangeErrors(image, range.first, last) != 0);
  };
}

CellCase BankCheck(int bank) {
  return [bank](indActiveCell& ctx) {
    cmcEeprom& image = ctx.Image();
    ctx.MarkWarning(ScanBankRangeWarnings(image, bank, 0, layout::kBankSlots) != 0);
    ctx.MarkError(ScanBankRangeErrors(image, bank, 0, layout::kBankSlots) != 0);
  };
}

void ScanEdgeCheck(indActiveCell& ctx) {
  ctx.MarkWarning(ScanScanEdgeChecks(ctx.Image(), 0, layout::kScanEdges) != 0);
}

void YourCallCheck(indActiveCell& ctx) {
  cmcEeprom& image = ctx.Image();
  const int count = GetYourCallCount(image);
  if (count > 0) ctx.MarkWarning(ScanYourCallChecks(image, 0, count) != 0);
}

CellCase RepeaterGroupCheck(int group) {
  return [group](indActiveCell& ctx) {
    cmcEeprom& image = ctx.Image();
    const int count = GetRptGroupCount(image, group);
    if (count <= 0) return;
    const int first = GetRptGroupFirst(image, group);
    ctx.MarkWarning(ScanRptGroupChecks(image, first, first + count) != 0);
  };
}

}  // namespace

void RegisterMenuCheckCases(CellCaseTable& table) {
  RegisterMemoryDebugCases(table);
  table.Register(CL_Menu_File_New, NewCase);
  table.Register(CL_Menu_File_Open, OpenCase);
  table.Register(CL_Menu_File_Save, SaveCase);
  table.Register(CL_Menu_File_SaveAs, SaveAsCase);
  table.Register(CL_Menu_File_Exit, ExitCase);
  table.Register(CL_Menu_Clone_Read, CloneReadCase);
  table.Register(CL_Menu_Clone_Write, CloneWriteCase);
  table.Register(CL_Menu_Clone_Info, CloneInfoCase);
  table.Register(CallSheet, CallSheetCase);
  for (int page = 0; page <= kMemoryPages; ++page)
    table.Register(CL_Check_MemoryCH0 + page, ChannelCheck(ChannelRangeOf(page)));
  for (int bank = 0; bank < layout::kBankCount; ++bank)
    table.Register(CL_Check_BankCHA + bank, BankCheck(bank));
  table.Register(CL_Check_ScanEdge, ScanEdgeCheck);
  table.Register(CL_Check_URList, YourCallCheck);
  for (int group = 0; group < layout::kRptGroups; ++group)
    table.Register(CL_Check_RPTList0 + group, RepeaterGroupCheck(group));
}
