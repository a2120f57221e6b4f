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
#include "model/cmcEeprom.h"
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

void MemoryCode(indActiveCell& ctx) {
  if (ctx.index < 0 || ctx.index >= layout::kDtmfMemoryCount) return;
  cmcEeprom& image = ctx.Image();
  const std::int64_t address = layout::DtmfMemoryAddress(ctx.index);
  std::uint8_t digits[layout::kDtmfMemorySize];
  image.GetBlock(address, digits, layout::kDtmfMemorySize);
  if (EditDtmfCode(ctx.capsule, std::span<std::uint8_t>(digits), layout::kDtmfMemorySize,
                   ctx.status) != 0)
    image.SetBlock(address, digits, layout::kDtmfMemorySize);
}

}  // namespace

void RegisterDtmfCases(CellCaseTable& table) {
  table.Register(CL_DTMF_ChNo, MemoryName);
  table.Register(CL_DTMF_Memory_Code, MemoryCode);
  table.Register(CL_Common_DTMF_SPEED, listcells::EditChoiceByte);
}
