#include "cells/MemoryDebugCases.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "cells/CellCaseTable.h"
#include "cells/CellHost.h"
#include "cells/CodeConverters.h"
#include "cells/EditorProtocol.h"
#include "cells/ListCellKit.h"
#include "cells/indActiveCell.h"
#include "cells/names/CellNames.h"
#include "core/EventIds.h"
#include "core/HexText.h"
#include "core/cmcEvMan.h"
#include "model/cmcEeprom.h"
#include "sheet/cmcCellCapsule.h"

namespace {

constexpr std::int64_t kDebugBytesPerRow = 16;
constexpr std::size_t kDebugAddressDigits = 4;
// The search covers the clone range and the software area, rounded up to
// whole rows.
constexpr std::int64_t kDebugSearchEnd = 0x2B870;
constexpr std::int32_t kDebugSearchForward = cellop::FunctionKey(3);
constexpr std::int32_t kDebugSearchBackward = cellop::FunctionKey(4);

std::int64_t DebugRowAddress(const indActiveCell& ctx) {
  return static_cast<std::int64_t>(ctx.index) * kDebugBytesPerRow;
}

void DebugAddressCase(indActiveCell& ctx) {
  const std::int64_t address = DebugRowAddress(ctx);
  if (address < 0) return;
  ctx.capsule.outputText = core::HexNumber(static_cast<std::uint64_t>(address));
  if (ctx.capsule.outputText.size() < kDebugAddressDigits)
    ctx.capsule.outputText.insert(0, kDebugAddressDigits - ctx.capsule.outputText.size(), ' ');
}

// The snapshot's byte at the address; none without a snapshot or outside it.
std::optional<std::uint8_t> DebugCompareByte(const cmcEeprom* compare, std::int64_t address) {
  if (!compare || !compare->IsValidAddress(address)) return std::nullopt;
  return compare->GetByte(address);
}

// The first address, going one step at a time from the neighbour of `from`
// in the direction, whose byte differs from the snapshot's; once round the
// searched span at most.
std::optional<std::int64_t> FindSnapshotDifference(const cmcEeprom& image, const cmcEeprom& compare,
                                                   std::int64_t from, bool forward) {
  const std::int64_t span =
      std::min<std::int64_t>({kDebugSearchEnd, image.GetSize(), compare.GetSize()});
  if (span <= 0) return std::nullopt;
  const std::uint8_t* now = image.Data();
  const std::uint8_t* then = compare.Data();
  std::int64_t address = from;
  for (std::int64_t step = 0; step < span; ++step) {
    if (forward) {
      ++address;
      if (address >= span) address = 0;
    } else {
      --address;
      if (address < 0 || address >= span) address = span - 1;
    }
    if (now[address] != then[address]) return address;
  }
  return std::nullopt;
}

void PostNextDifference(indActiveCell& ctx, std::int64_t from, bool forward) {
  const cmcEeprom* compare = ctx.host.CompareImage();
  if (!compare) return;
  if (const std::optional<std::int64_t> found =
          FindSnapshotDifference(ctx.Image(), *compare, from, forward))
    ctx.bus.Post(ev::ImageWindowSelect, 0, static_cast<std::intptr_t>(*found));
}

CellCase DebugByteCase(int column) {
  return [column](indActiveCell& ctx) {
    const std::int64_t address = DebugRowAddress(ctx) + column;
    cmcEeprom& image = ctx.Image();
    if (!image.IsValidAddress(address)) return;
    std::uint8_t value = image.GetByte(address);
    const std::uint8_t reference =
        DebugCompareByte(ctx.host.CompareImage(), address).value_or(value);
    const ConverterContext converters = listcells::ConvertersFor(ctx);
    if (EditHexBits(converters, ctx.capsule, value, reference, 0, 0, ctx.status))
      image.SetByte(address, value);
    const std::int32_t key = editor::Key(ctx.capsule);
    if (key == kDebugSearchForward || key == kDebugSearchBackward)
      PostNextDifference(ctx, address, key == kDebugSearchForward);
  };
}

}  // namespace

void RegisterMemoryDebugCases(CellCaseTable& table) {
  table.Register(CL_EeDebugWin_Adr, DebugAddressCase);
  for (int column = 0; column < kDebugBytesPerRow; ++column)
    table.Register(CL_EeDebugWin_0 + column, DebugByteCase(column));
}
