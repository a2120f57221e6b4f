#include "cells/ChannelCases.h"

#include <optional>
#include <span>

#include "cells/CallSignConverters.h"
#include "cells/CellCaseTable.h"
#include "cells/CellHost.h"
#include "cells/ChannelCaseKit.h"
#include "cells/CodeConverters.h"
#include "cells/ListCellKit.h"
#include "cells/NumberConverters.h"
#include "cells/indActiveCell.h"
#include "cells/names/CellNames.h"
#include "core/cmcEvMan.h"
#include "model/FrequencySnap.h"
#include "model/ItemKinds.h"
#include "model/LayoutImage.h"
#include "model/RecordChecks.h"
#include "model/RouteDisplay.h"
#include "model/indDestination.h"
#include "sheet/cmcCellCapsule.h"

namespace {

using namespace channelcase;

constexpr double kHighestOffsetMHz = 59.995;
constexpr std::uint32_t kDvSqlCode = 4;

// A new channel takes every field of its band's template from the initial
// image but its bank and slot.
void ApplyBandTemplate(indActiveCell& ctx, std::int64_t frequency) {
  const cmcEeprom* initial = ctx.host.InitialImage();
  if (!initial) return;
  const std::uint32_t bank = ctx.record.bank;
  const std::uint32_t slot = ctx.record.bankSlot;
  ctx.record.SetImage(const_cast<cmcEeprom*>(initial));  // only read
  ctx.record.LoadInto(itemkind::kBandDefault,
                      static_cast<std::uint32_t>(indDestination::BandIndex(frequency)));
  ctx.record.SetImage(&ctx.Image());
  ctx.record.bank = bank;
  ctx.record.bankSlot = slot;
}

void StoreFrequency(indActiveCell& ctx, bool blank, std::uint32_t value) {
  const bool bank = IsBankCell(ctx);
  const int claims = SlotClaims(ctx);
  if (blank && (!bank || claims <= 1)) {
    if (bank && !ctx.record.IsUsed() && !TakeFreeChannel(ctx)) return;
    ApplyBandTemplate(ctx, value);
  }
  const std::int64_t snapped = SnapFrequency(value);
  if (snapped < 0 || (bank && claims >= 2)) return;
  ctx.record.flags |= datCh::kUsed;
  ctx.record.freq = static_cast<std::uint32_t>(snapped);
  if (ctx.StoreRecord()) ctx.bus.Send(ev::DocumentEdited);
  ctx.redrawMask |= redraw::kRow;
}

void Frequency(indActiveCell& ctx) {
  const bool blank = IsBlankChannel(ctx);
  std::uint32_t value = ctx.record.freq;
  if (EditFrequency(ctx.capsule, value, kLowestMHz, kHighestMHz, blank, ctx.status))
    StoreFrequency(ctx, blank, value);
  ctx.MarkWarning(ChCheckFreqBand(ctx.record));
  const bool outOfRange = ChCheckFreqOutOfRange(ctx.record);
  ctx.MarkError(outOfRange);
  if (outOfRange && ctx.Key() == 0) ctx.capsule.outputText.clear();
  BlankUnused(ctx);
  ctx.bus.Send(ev::ListChanged);
}

void Offset(indActiveCell& ctx) {
  std::uint32_t value = ctx.record.offset;
  if (EditFrequency(ctx.capsule, value, 0.0, kHighestOffsetMHz, false, ctx.status)) {
    const std::int64_t snapped = SnapOffsetFrequency(ctx.record.freq, value);
    if (snapped >= 0) {
      ctx.record.offset = static_cast<std::uint32_t>(snapped);
      ctx.StoreRecord();
    }
  }
  Grey(ctx, ctx.record.duplex == 0);
  ctx.MarkWarning(ChCheckStepGrid(ctx.record));
  BlankUnused(ctx);
}

void Name(indActiveCell& ctx) {
  if (EditNameField(ctx, ctx.record.name)) ctx.StoreRecord();
  BlankUnused(ctx);
}

void DigitalCode(indActiveCell& ctx) {
  auto code = static_cast<std::uint8_t>(ctx.record.dvCsqlCode);
  if (EditDigitalCode(ctx.capsule, code, ctx.status)) {
    ctx.record.dvCsqlCode = code;
    ctx.StoreRecord();
  }
  Grey(ctx, ctx.record.dvSql != kDvSqlCode || ctx.record.mode != kModeDv);
  BlankUnused(ctx);
}

// The route cell's field and the popup list its picks come from.
struct RouteField {
  CallSignField* field;
  int popupListId;
};

RouteField RouteFieldOf(indActiveCell& ctx) {
  datCh& r = ctx.record;
  switch (ctx.cellId) {
    case CL_Mch_DYou_Callsign: return {&r.urCall, CL_You_Callsign_Cell_ChNo};
    case CL_Mch_DRpt1_Callsign: return {&r.rpt1Call, CL_Repeater_List_ChNo};
    default: return {&r.rpt2Call, CL_Repeater_List_ChNo};
  }
}

// The Repeater Setting dialog on the channel; true when the user confirmed.
// On a bank sheet an empty row takes a free channel before the dialog (so
// the route it writes makes that channel), and a placeholder row joins the
// slot; both are judged on the row as it was.
bool RunRouteDialog(indActiveCell& ctx, bool& tookChannel) {
  const bool bankRow = IsBankCell(ctx) && SlotClaims(ctx) < 2;
  const bool placeholder = ctx.record.IsUsed() && ctx.record.freq > kHighestHz;
  if (bankRow && !ctx.record.IsUsed()) {
    if (!TakeFreeChannel(ctx)) return false;
    tookChannel = true;
  }
  ctx.bus.Post(ev::SheetFlag, 0, 1);
  ResetChannelRoute(ctx.record);
  ResolveRptDisplay(ctx.record);
  GetDvRouteStatus(ctx.record);
  const std::optional<bool> chosen = ctx.host.RunRepeaterDialog(ctx.capsule, ctx.record);
  ctx.bus.Post(ev::SheetFlag, 0, 0);
  if (!chosen || !*chosen) {
    tookChannel = false;
    return false;
  }
  if (bankRow && (tookChannel || placeholder)) {
    ctx.record.bank = static_cast<std::uint32_t>(ctx.bankNo);
    ctx.record.bankSlot = static_cast<std::uint32_t>(ctx.index);
  }
  return true;
}

void RouteCallSign(indActiveCell& ctx) {
  const ConverterContext converters = listcells::ConvertersFor(ctx);
  const bool blank = IsBlankChannel(ctx);
  RouteField route = RouteFieldOf(ctx);
  const int changed = EditRouteCallSign(converters, ctx.capsule, *route.field, &ctx.Image(),
                                        route.popupListId, ctx.record.IsUsed(), ctx.status);
  if (changed) {
    bool accepted = false;
    bool tookChannel = false;
    if (ctx.status == kCellRedraw) {
      accepted = RunRouteDialog(ctx, tookChannel);
      if (!accepted) return;
    }
    if (ctx.StoreRecord()) {
      if (accepted && SlotClaims(ctx) < 2) ctx.bus.Send(ev::DocumentEdited);
      if (tookChannel) ctx.bus.Send(ev::ListChanged);
    }
  }
  Grey(ctx, ctx.record.mode != kModeDv);
  if (blank && ctx.status != kCellOpenEditor) ctx.capsule.outputText.clear();
}

void BankSlot(indActiveCell& ctx) {
  const bool inBank = ctx.record.bank < layout::kBankCount;
  auto slot = static_cast<std::int32_t>(ctx.record.bankSlot);
  if (EditBankChNo(ctx.capsule, &ctx.record, slot, 0, layout::kBankSlots - 1, 0, 1, nullptr, false,
                   ctx.status) &&
      inBank) {
    ctx.record.bankSlot = static_cast<std::uint32_t>(slot);
    if (ctx.StoreRecord()) ctx.bus.Send(ev::DocumentEdited);
    ctx.redrawMask |= redraw::kAllData;
  }
  Grey(ctx, !inBank);
  ctx.MarkError(ChCheckBankSlot(ctx.record));
  BlankUnused(ctx);
}

}  // namespace

void RegisterChannelCases(CellCaseTable& table) {
  table.Register(CL_Mch_Freq, Frequency);
  table.Register(CL_Mch_Offset_Freq, Offset);
  table.Register(CL_Mch_Name, Name);
  table.Register(CL_Mch_Digital_Code, DigitalCode);
  table.Register(CL_Mch_DYou_Callsign, RouteCallSign);
  table.Register(CL_Mch_DRpt1_Callsign, RouteCallSign);
  table.Register(CL_Mch_DRpt2_Callsign, RouteCallSign);
  table.Register(CL_Mch_Bank_ChNo, BankSlot);
}
