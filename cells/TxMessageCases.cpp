#include "cells/TxMessageCases.h"

#include <cstdint>
#include <span>

#include "cells/CellCaseTable.h"
#include "cells/ListCellKit.h"
#include "cells/TextConverters.h"
#include "cells/indActiveCell.h"
#include "cells/names/CellNames.h"
#include "core/NumberText.h"
#include "model/LayoutFixedAreas.h"
#include "model/cmcEeprom.h"
#include "sheet/cmcCellCapsule.h"

namespace {

void MessageNumber(indActiveCell& ctx) {
  ctx.capsule.outputText = core::WriteFixedPoint(ctx.index, 0, '.');
}

void MessageText(indActiveCell& ctx) {
  if (ctx.index < 0 || ctx.index >= layout::kTxMessageCount) return;
  cmcEeprom& image = ctx.Image();
  const std::int64_t address = layout::TxMessageAddress(ctx.index);
  char text[layout::kTxMessageSize];
  image.GetBlock(address, text, layout::kTxMessageSize);
  if (EditMessageText(listcells::ConvertersFor(ctx), ctx.capsule, std::span<char>(text), -1,
                      ctx.status) != 0)
    image.SetBlock(address, text, layout::kTxMessageSize);
}

}  // namespace

void RegisterTxMessageCases(CellCaseTable& table) {
  table.Register(CL_Tx_Message_ChNo, MessageNumber);
  table.Register(CL_Tx_Message_Code, MessageText);
  table.Register(CL_Tx_Message_Ch_No, listcells::EditChoiceByte);
  table.Register(CL_Tx_Message_Repeat, listcells::EditChoiceByte);
}
