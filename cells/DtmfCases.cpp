#include "cells/DtmfCases.h"

#include <cstdint>
#include <span>
#include <string>

#include "cells/CellCaseTable.h"
#include "cells/CodeConverters.h"
#include "cells/ListCellKit.h"
#include "cells/indActiveCell.h"
#include "cells/names/CellNames.h"
#include "core/HexText.h"
#include "model/LayoutFixedAreas.h"
#include "sheet/cmcCellCapsule.h"

namespace {

// The memories are named by their key on the radio's keypad.
constexpr char kKeypad[] = "0123456789ABCD*#";

void MemoryName(indActiveCell& ctx) {
  if (ctx.index >= 0 && ctx.index < layout::kDtmfMemoryCount) {
    ctx.capsule.outputText = std::string("d") + kKeypad[ctx.index];
    return;
  }
  ctx.capsule.outputText = "d" + core::HexNumber(static_cast<std::uint32_t>(ctx.index));
}

constexpr listcells::FixedBlockTable kMemories{layout::kDtmfMemoryCount, layout::kDtmfMemorySize,
                                               layout::DtmfMemoryAddress};

void MemoryCode(indActiveCell& ctx) {
  listcells::EditFixedBlock(
      ctx, kMemories, [](indActiveCell& cell, std::span<std::uint8_t> digits) {
        return EditDtmfCode(cell.capsule, digits, static_cast<int>(digits.size()), cell.status);
      });
}

}  // namespace

void RegisterDtmfCases(CellCaseTable& table) {
  table.Register(CL_DTMF_ChNo, MemoryName);
  table.Register(CL_DTMF_Memory_Code, MemoryCode);
  table.Register(CL_Common_DTMF_SPEED, listcells::EditChoiceByte);
}
