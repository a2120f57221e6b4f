#include "cells/ChannelCaseKit.h"

#include <QColor>
#include <QWidget>
#include <algorithm>
#include <string>

#include "cells/ListCellKit.h"
#include "cells/TextConverters.h"
#include "cells/indActiveCell.h"
#include "cells/names/CellNames.h"
#include "core/AppMessageBox.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "model/ImageAccess.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "platform/MessageBoxService.h"
#include "sheet/cmcCellCapsule.h"
#include "sheet/cuiCanvas.h"

namespace channelcase {

bool IsBlankChannel(const indActiveCell& ctx) {
  return !ctx.record.IsUsed() || ctx.record.freq > kHighestHz;
}

bool IsBankCell(const indActiveCell& ctx) { return ctx.category == CT_BankCh; }

int SlotClaims(indActiveCell& ctx) {
  if (!IsBankCell(ctx)) return 0;
  if (ctx.bankNo < 0 || ctx.bankNo >= layout::kBankCount || ctx.index < 0 ||
      ctx.index >= layout::kBankSlots)
    return 0;
  const std::uint16_t word =
      imageaccess::Get16(ctx.Image(), layout::BankTableEntry(ctx.bankNo, ctx.index));
  if (word == layout::kBankSlotFree) return 0;
  return word < layout::kMemoryChannels ? 1 : 2;
}

void Grey(indActiveCell& ctx, bool grey) {
  if (grey) listcells::Grey(ctx);
}

void BlankUnused(indActiveCell& ctx) {
  if (!ctx.record.IsUsed() && ctx.status != kCellOpenEditor) ctx.capsule.outputText.clear();
}

void ShowCaseMessage(indActiveCell& ctx, std::string_view key) {
  ctx.bus.Post(ev::SheetFlag, 0, 1);
  MessageBoxCp932(ctx.capsule.owner, ctx.texts.GetFirst(key), ctx.texts.GetFirst("GI_Sys_AppTitle"),
                  platform::mb::Ok | platform::mb::IconError);
  ctx.bus.Post(ev::SheetFlag, 0, 0);
}

bool TakeFreeChannel(indActiveCell& ctx) {
  const int channel = ctx.record.FindFreeChannel(0);
  if (channel < 0) {
    ShowCaseMessage(ctx, "GI_AppMess_BankChErr_NoChSpace");
    return false;
  }
  ctx.LoadRecord(itemkind::kChannel, static_cast<std::uint32_t>(channel));
  ctx.record.bank = static_cast<std::uint32_t>(ctx.bankNo);
  ctx.record.bankSlot = static_cast<std::uint32_t>(ctx.index);
  return true;
}

bool EditNameField(indActiveCell& ctx, std::span<char> field) {
  std::string name(field.data(), field.size());
  const ConverterContext converters = listcells::ConvertersFor(ctx);
  if (!EditNameText(converters, ctx.capsule, name, static_cast<int>(field.size()), ctx.status))
    return false;
  listcells::SetField(field, name);
  return true;
}

}  // namespace channelcase
