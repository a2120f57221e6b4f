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
#include "sheet/cmcCellCapsule.h"

namespace {

void MessageNumber(indActiveCell& ctx) {
  ctx.capsule.outputText = core::WriteFixedPoint(ctx.index, 0, '.');
}

constexpr listcells::FixedBlockTable kMessages{layout::kTxMessageCount, layout::kTxMessageSize,
                                               layout::TxMessageAddress};

void MessageText(indActiveCell& ctx) {
  listcells::EditFixedBlock(ctx, kMessages, [](indActiveCell& cell, std::span<std::uint8_t> block) {
    const std::span<char> text(reinterpret_cast<char*>(block.data()), block.size());
    return EditMessageText(listcells::ConvertersFor(cell), cell.capsule, text, -1, cell.status);
  });
}

}  // namespace

void RegisterTxMessageCases(CellCaseTable& table) {
  table.Register(CL_Tx_Message_ChNo, MessageNumber);
  table.Register(CL_Tx_Message_Code, MessageText);
  table.Register(CL_Tx_Message_Ch_No, listcells::EditChoiceByte);
  table.Register(CL_Tx_Message_Repeat, listcells::EditChoiceByte);
}
