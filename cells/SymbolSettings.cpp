// The position-report symbol settings: a choice and an editable code over
// the same two bytes of the common settings block.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "cells/ChoiceList.h"
#include "cells/EditorProtocol.h"
#include "cells/ListCellKit.h"
#include "cells/SettingHooks.h"
#include "cells/TextConverters.h"
#include "cells/indActiveCell.h"
#include "cells/names/CellNames.h"
#include "cells/rxformat/AprsSymbols.h"
#include "core/TextFields.h"
#include "sheet/choices/cmcFCache.h"
#include "sheet/cmcCellCapsule.h"

namespace settinghooks {
namespace {

constexpr char kQyCode[] = "QY";  // a selectable code whose "Q" is no overlay

std::string_view CodeOf(std::span<const std::uint8_t> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), 2};
}

bool HasOverlay(std::string_view code) { return IsAprsOverlayChar(code[0]) && code != kQyCode; }

// A step that lands on "none" goes one option further in the same direction.
void StepPastNone(indActiveCell& ctx, const char* list, std::int32_t& index) {
  const std::int32_t key = editor::Key(ctx.capsule);
  if (index != aprscodes::kNoIndex || (key != cellop::kSpace && key != cellop::kBackspace)) return;
  int next = index;
  if (ctx.Choices().Step(list, Flex0, index, key == cellop::kSpace ? 1 : -1, next) != 0)
    index = next;
}

}  // namespace

bool EditSymbol(indActiveCell& ctx, const choicefield::ChoiceField& row) {
  return listcells::EditImageBlock(
      ctx, choicefield::ChoiceByteOffset(row, ctx.index), row.size,
      [&row](indActiveCell& cell, std::span<std::uint8_t> bytes) {
        const std::string_view stored = CodeOf(bytes);
        std::int32_t index = FindAprsSymbolIndex(stored, true);
        if (SelectChoice(cell.Choices(), cell.capsule, row.list, index, cell.status) == 0) return 0;
        StepPastNone(cell, row.list, index);
        const std::optional<aprscodes::Code> picked = GetAprsSymbolCode(index);
        if (!picked) return 0;
        const bool keepOverlay = picked->table == '\\' && HasOverlay(stored);
        if (!keepOverlay) bytes[0] = static_cast<std::uint8_t>(picked->table);
        bytes[1] = static_cast<std::uint8_t>(picked->symbol);
        return 1;
      });
}

bool EditSymbolCode(indActiveCell& ctx, const choicefield::ChoiceField& row) {
  return listcells::EditImageBlock(
      ctx, choicefield::ChoiceByteOffset(row, ctx.index), row.size,
      [](indActiveCell& cell, std::span<std::uint8_t> bytes) {
        const std::string before(CodeOf(bytes));
        const std::span<char> text(reinterpret_cast<char*>(bytes.data()), bytes.size());
        if (EditFixedText(listcells::ConvertersFor(cell), cell.capsule, text, cell.status) == 0)
          return 0;
        if (IsAprsTableChar(text[0]) && IsAllowedTextChar(text[1])) return 1;
        // Refused: the cell shows the stored code again.
        editor::SetDisplay(cell.capsule, std::string(core::TrimRightBlanksView(before)));
        return 0;
      });
}

}  // namespace settinghooks
