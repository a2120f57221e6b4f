#include "cells/BankCases.h"

#include <span>

#include "cells/CellCaseTable.h"
#include "cells/ChannelCaseKit.h"
#include "cells/ListCellKit.h"
#include "cells/NumberConverters.h"
#include "cells/indActiveCell.h"
#include "cells/names/CellNames.h"
#include "core/cmcEvMan.h"
#include "model/GroupLabels.h"
#include "model/ImageAccess.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/SheetNumbers.h"
#include "sheet/cmcCellCapsule.h"

namespace {

using namespace channelcase;

constexpr std::int32_t kHighestChannel = layout::kMemoryChannels - 1;
constexpr std::int32_t kNoChannel = layout::kMemoryChannels;  // the converter's "none"

// The bank's name; a change renames the bank's tree node.
void BankName(indActiveCell& ctx) {
  const int entry = sheetno::kFirstBank + ctx.index;
  listcells::EditNodeName(ctx, layout::kBankNames, ctx.index, layout::kBankCount, entry,
                          FormatBankNameLabel, entry);
}

// The channel word of the slot; a slot outside the table reads as free.
std::int32_t SlotWord(indActiveCell& ctx) {
  if (ctx.bankNo < 0 || ctx.bankNo >= layout::kBankCount || ctx.index < 0 ||
      ctx.index >= layout::kBankSlots)
    return layout::kBankSlotFree;
  return imageaccess::Get16(ctx.Image(), layout::BankTableEntry(ctx.bankNo, ctx.index));
}

// The slot's channel leaves the bank (it stays as it is otherwise).
void LeaveBank(indActiveCell& ctx) {
  ctx.record.bank = datCh::kBankNone;
  ctx.record.bankSlot = 0;
  ctx.StoreRecord();
}

// Channel `channel` joins this slot; the one there before leaves.
void PlaceChannel(indActiveCell& ctx, std::int32_t channel) {
  if (SlotClaims(ctx) >= 2) return;  // the slot is in dispute: nothing changes
  if (ctx.record.IsUsed()) LeaveBank(ctx);
  ctx.LoadRecord(itemkind::kChannel, static_cast<std::uint32_t>(channel));
  if (ctx.record.IsUsed() && ctx.record.bank < layout::kBankCount)
    ctx.redrawMask |= redraw::kAllData;  // its old row may be on this sheet
  ctx.record.bank = static_cast<std::uint32_t>(ctx.bankNo);
  ctx.record.bankSlot = static_cast<std::uint32_t>(ctx.index);
  if (!ctx.record.IsUsed()) {
    // Kept blank until a frequency is typed.
    ctx.record.flags |= datCh::kUsed;
    ctx.record.freq = kPlaceholderHz;
  }
  if (ctx.StoreRecord()) ctx.bus.Send(ev::DocumentEdited);
}

// Which channel the slot holds: typed as its number, emptied by an empty
// entry. Space and Backspace open the editor as Enter does.
void SlotChannel(indActiveCell& ctx) {
  const std::int32_t word = SlotWord(ctx);
  std::int32_t value = word;
  const int changed =
      EditSelectChNo(ctx.capsule, value, 0, kHighestChannel, !ctx.record.IsUsed(), ctx.status);
  ctx.MarkError(word > kNoChannel && ctx.Key() != 0);
  if (!changed || value == word || ctx.bankNo >= layout::kBankCount) return;
  if (value >= kNoChannel) {
    if (!ctx.record.IsUsed()) return;
    LeaveBank(ctx);
    ctx.bus.Send(ev::DocumentEdited);
    return;
  }
  PlaceChannel(ctx, value);
}

}  // namespace

void RegisterBankCases(CellCaseTable& table) {
  table.Register(CL_Bank_Name, BankName);
  table.Register(CL_Mch_Select_ChNo, SlotChannel);
}
