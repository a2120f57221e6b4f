#include "cells/CallSignCases.h"

#include <cstdint>
#include <span>
#include <string>

#include "cells/CallSignConverters.h"
#include "cells/CellCaseTable.h"
#include "cells/ListCellKit.h"
#include "cells/TextConverters.h"
#include "cells/indActiveCell.h"
#include "cells/names/CellNames.h"
#include "core/HexText.h"
#include "model/LayoutFixedAreas.h"
#include "model/RecordChecks.h"
#include "model/cmcEeprom.h"
#include "sheet/cmcCellCapsule.h"

namespace {

using namespace listcells;

constexpr int kYourCallNameLength = 16;

void BlankWhenUnused(indActiveCell& ctx) {
  if (!ctx.record.IsUsed() && ctx.status != kCellOpenEditor) ctx.capsule.outputText.clear();
}

// "M00".."M05": the memories are numbered in hexadecimal.
void MyCallNumber(indActiveCell& ctx) {
  ctx.capsule.outputText = "M" + core::HexNumber(static_cast<std::uint32_t>(ctx.index), 2);
}

// My call sign (8 characters) or its note (4), edited in place.
void MyCallField(indActiveCell& ctx, int offset, int length) {
  if (ctx.index < 0 || ctx.index >= layout::kMyCallSignCount) return;
  cmcEeprom& image = ctx.Image();
  const std::int64_t address = layout::MyCallSignAddress(ctx.index) + offset;
  char field[layout::kMyCallSignLength];
  const std::span<char> bytes(field, static_cast<std::size_t>(length));
  image.GetBlock(address, field, length);
  if (EditCallSignCode(ConvertersFor(ctx), ctx.capsule, bytes, false, ctx.status) != 0)
    image.SetBlock(address, field, length);
}

void YourCallNumber(indActiveCell& ctx) { ShowListRowNumber(ctx, ctx.index + 1); }

void YourCallName(indActiveCell& ctx) {
  std::string name = FieldText(ctx.record.name);
  if (EditNameText(ConvertersFor(ctx), ctx.capsule, name, kYourCallNameLength, ctx.status) != 0) {
    SetField(ctx.record.name, name);
    ctx.StoreRecord();
  }
  BlankWhenUnused(ctx);
}

// The key cell of the row: on the new-entry row a key the call-sign
// converter acts on appends an entry first; any other key (a "-" among
// them) adds nothing.
void YourCallSign(indActiveCell& ctx) {
  const ConverterContext converters = ConvertersFor(ctx);
  if (ctx.past && (!CallSignConverterActsOn(converters, ctx) || !InsertEntry(ctx))) return;
  if (EditCallSignCode(converters, ctx.capsule, ctx.record.urCall, false, ctx.status) != 0)
    ctx.StoreRecord();
  if (ctx.record.IsUsed()) ctx.MarkWarning(ChCheckDuplicateUr(ctx.record));
  BlankWhenUnused(ctx);
}

}  // namespace

void RegisterCallSignCases(CellCaseTable& table) {
  table.Register(CL_My_Callsign_ChNo, MyCallNumber);
  table.Register(CL_My_Callsign_Sel, EditChoiceByte);
  table.Register(CL_My_Callsign_Code,
                 [](indActiveCell& ctx) { MyCallField(ctx, 0, layout::kMyCallSignLength); });
  table.Register(CL_My_Callsign2_Code, [](indActiveCell& ctx) {
    MyCallField(ctx, layout::kMyCallSignLength, layout::kMyCallSignNoteLength);
  });
  table.Register(CL_You_Callsign_ChNo, YourCallNumber);
  table.Register(CL_You_Callsign_Name, YourCallName);
  table.Register(CL_You_Callsign_Code, YourCallSign);
}
