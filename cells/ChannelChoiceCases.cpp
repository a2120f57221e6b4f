#include "cells/ChannelChoiceCases.h"

#include <initializer_list>

#include "cells/CellCaseTable.h"
#include "cells/ChannelCaseKit.h"
#include "cells/ChoiceList.h"
#include "cells/RecordChoiceLists.h"
#include "cells/indActiveCell.h"
#include "cells/names/CellNames.h"
#include "core/cmcEvMan.h"
#include "model/LayoutImage.h"
#include "model/ListRows.h"
#include "model/RecordChecks.h"
#include "sheet/cmcCellCapsule.h"

namespace {

using namespace channelcase;

// How a typed entry picks an option: the nearest number, or the first
// option the typed text begins.
constexpr int kTypedNearest = 0;
constexpr int kTypedPrefix = 1;
// Where the marker of a list with marked choices is drawn: the right edge.
constexpr std::int32_t kMarkRightEdge = 2;

bool IsIn(std::uint32_t value, std::initializer_list<std::uint32_t> set) {
  for (std::uint32_t v : set)
    if (v == value) return true;
  return false;
}

// Tones apply to FM and FM-N channels only.
bool IsFm(const datCh& r) { return r.mode == 0 || r.mode == 1; }

// A choice through a plain list; the field is stored on a change.
void PlainChoice(indActiveCell& ctx, const char* key, std::uint32_t& field) {
  auto value = static_cast<std::int32_t>(field);
  if (SelectChoice(ctx.Choices(), ctx.capsule, key, value, ctx.status)) {
    field = static_cast<std::uint32_t>(value);
    ctx.StoreRecord();
  }
}

// A choice through a list that also takes a typed value.
void TypedChoice(indActiveCell& ctx, const char* key, int mode, int listId, std::uint32_t& field) {
  auto value = static_cast<std::int32_t>(field);
  if (SelectTypedChoice(ctx.Choices(), ctx.capsule, key, value, mode, listId, ctx.status)) {
    field = static_cast<std::uint32_t>(value);
    ctx.StoreRecord();
  }
}

void Duplex(indActiveCell& ctx) {
  PlainChoice(ctx, "GI_Sheet_Sel_Mch_Dup", ctx.record.duplex);
  BlankUnused(ctx);
}

void TuningStep(indActiveCell& ctx) {
  datCh& r = ctx.record;
  TypedChoice(ctx, recordlists::ChannelStepList(r.freq, r.tuneStep, ctx.isDestGroupB),
              kTypedNearest, CL_FlexMark_Mch, r.tuneStep);
  ctx.capsule.markerPosition = kMarkRightEdge;
  ctx.MarkWarning(ChCheckTuneStep(r));
  BlankUnused(ctx);
}

void ToneMode(indActiveCell& ctx) {
  TypedChoice(ctx, "GI_Sheet_Sel_Mch_TSQL", kTypedPrefix, Flex0, ctx.record.toneMode);
  Grey(ctx, !IsFm(ctx.record));
  BlankUnused(ctx);
}

void RepeaterTone(indActiveCell& ctx) {
  datCh& r = ctx.record;
  TypedChoice(ctx, "GI_Sheet_Sel_Mch_TFreq", kTypedNearest, Flex0, r.rptTone);
  Grey(ctx, !IsIn(r.toneMode, {1, 9, 11}) || !IsFm(r));
  BlankUnused(ctx);
}

void SquelchTone(indActiveCell& ctx) {
  datCh& r = ctx.record;
  TypedChoice(ctx, "GI_Sheet_Sel_Mch_TFreq", kTypedNearest, Flex0, r.tsqlTone);
  Grey(ctx, !IsIn(r.toneMode, {3, 6, 10, 11}) || !IsFm(r));
  BlankUnused(ctx);
}

bool UsesDtcs(const datCh& r) { return IsIn(r.toneMode, {5, 7, 8, 9, 10}) && IsFm(r); }

void DtcsCode(indActiveCell& ctx) {
  TypedChoice(ctx, "GI_Sheet_Sel_Mch_DTCS", kTypedNearest, Flex0, ctx.record.dtcsCode);
  Grey(ctx, !UsesDtcs(ctx.record));
  BlankUnused(ctx);
}

void DtcsPolarity(indActiveCell& ctx) {
  PlainChoice(ctx, "GI_Sheet_Sel_Mch_DTCS_Polarity", ctx.record.dtcsPolarity);
  Grey(ctx, !UsesDtcs(ctx.record));
  BlankUnused(ctx);
}

void DvSquelch(indActiveCell& ctx) {
  PlainChoice(ctx, "GI_Sheet_Sel_Mch_DSQL", ctx.record.dvSql);
  Grey(ctx, ctx.record.mode != kModeDv);
  BlankUnused(ctx);
}

// A channel moved into another bank takes that bank's first free slot; a
// full bank takes nobody. "OFF" takes it out of its bank.
void Bank(indActiveCell& ctx) {
  datCh& r = ctx.record;
  auto bank = static_cast<std::int32_t>(r.bank);
  const int changed = SelectTypedChoice(ctx.Choices(), ctx.capsule, "GI_Sheet_Sel_Mch_Bank_Group",
                                        bank, kTypedPrefix, Flex0, ctx.status);
  if (changed && static_cast<std::uint32_t>(bank) != r.bank && ctx.CanStore()) {
    bool move = true;
    if (bank >= 0 && bank < layout::kBankCount) {
      const std::optional<int> slot = FindFreeBankSlot(ctx.Image(), bank);
      move = slot.has_value();
      if (move) {
        r.bank = static_cast<std::uint32_t>(bank);
        r.bankSlot = static_cast<std::uint32_t>(*slot);
      }
    } else {
      r.bank = datCh::kBankNone;
      r.bankSlot = 0;
    }
    if (move && ctx.StoreRecord()) {
      ctx.bus.Send(ev::DocumentEdited);
      ctx.redrawMask |= redraw::kAllData;
    }
  }
  ctx.MarkError(ChCheckBankSlot(r));
  BlankUnused(ctx);
}

void Mode(indActiveCell& ctx) {
  datCh& r = ctx.record;
  TypedChoice(ctx, recordlists::ChannelModeList(r.freq, r.mode), kTypedPrefix, CL_FlexMark_Mch,
              r.mode);
  ctx.capsule.markerPosition = kMarkRightEdge;
  ctx.MarkWarning(ChCheckAirbandMode(r));
  BlankUnused(ctx);
}

void ScanSkip(indActiveCell& ctx) {
  PlainChoice(ctx, "GI_Sheet_Sel_Mch_Scan_Skip", ctx.record.skip);
  BlankUnused(ctx);
}

}  // namespace

void RegisterChannelChoiceCases(CellCaseTable& table) {
  table.Register(CL_Mch_Dup, Duplex);
  table.Register(CL_Mch_TS_Pitch, TuningStep);
  table.Register(CL_Mch_Decode, ToneMode);
  table.Register(CL_Mch_TONE_Freq, RepeaterTone);
  table.Register(CL_Mch_TSQL_Freq, SquelchTone);
  table.Register(CL_Mch_DTCS, DtcsCode);
  table.Register(CL_Mch_DTCS_Polarity, DtcsPolarity);
  table.Register(CL_Mch_Digital_Sql, DvSquelch);
  table.Register(CL_Mch_Bank_Group, Bank);
  table.Register(CL_Mch_Mode, Mode);
  table.Register(CL_Mch_Scan_Skip, ScanSkip);
}
