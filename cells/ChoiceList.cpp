#include "cells/ChoiceList.h"

#include "cells/EditorProtocol.h"
#include "cells/names/CellNames.h"
#include "core/SjisBytes.h"
#include "sheet/FieldDialogOpener.h"
#include "sheet/choices/ChoiceOptions.h"
#include "sheet/choices/TypedChoice.h"
#include "sheet/choices/cmcFCache.h"
#include "sheet/cmcCellObj.h"

namespace {

// The longest shown text F2 takes into a typed entry.
constexpr std::size_t kTakenTextMax = choices::kTypedEntryMax - 1;

// The text the cell of the value shows: "?N" for a value missing from a
// Flex0 list, an empty text for one missing from an explicit-id list.
std::string ShownText(cmcFCache& cache, std::string_view key, int listId, std::int32_t value) {
  if (listId == Flex0) return cache.GetText(key, listId, value);
  const choices::ChoiceTable* table = cache.Table(key, listId);
  if (!table) return {};
  const choices::ChoiceOption* option = table->Find(value);
  return option ? option->text : std::string();
}

// The step from the value; false when the list has no option of the id.
bool StepFrom(cmcFCache& cache, std::string_view key, int listId, std::int32_t current,
              int direction, std::int32_t& out) {
  if (listId == Flex0) {
    int stepped = 0;
    if (!cache.Step(key, listId, current, direction, stepped)) return false;
    out = stepped;
    return true;
  }
  const choices::ChoiceTable* table = cache.Table(key, listId);
  if (!table) return false;
  out = table->Step(current, direction, true).value;
  return true;
}

// Whether a key starts a typed entry in the mode (F2 aside).
bool StartsTypedEntry(char ch, int mode) {
  if (ch == 0 || !core::IsAsciiPrintable(static_cast<std::uint8_t>(ch)) || ch == ' ') return false;
  switch (mode) {
    case 0: return editor::IsDigit(ch);
    case 1:
    case 2: return true;
    default: return false;
  }
}

}  // namespace

int SelectChoice(cmcFCache& cache, cmcCellCapsule& capsule, std::string_view key,
                 std::int32_t& value, int& status) {
  return SelectChoiceCore(cache, capsule, key, value, value, Flex0, status);
}

int SelectChoiceById(cmcFCache& cache, cmcCellCapsule& capsule, std::string_view key,
                     std::int32_t& value, int listId, int& status) {
  return SelectChoiceCore(cache, capsule, key, value, value, listId, status);
}

int SelectChoiceCore(cmcFCache& cache, cmcCellCapsule& capsule, std::string_view key,
                     std::int32_t& value, std::int32_t current, int listId, int& status) {
  // The answer of a popup list: only a confirmed option of this list counts.
  if (capsule.parent) {
    const cmcCellObj* chosen = capsule.parent->cell;
    if (capsule.mode != cellmode::kChoice || !chosen || chosen->cellId != listId) return 0;
    value = chosen->index;
    return 1;
  }

  capsule.outputText = ShownText(cache, key, listId, current);
  if (!editor::HasOwner(capsule)) return 0;

  switch (capsule.operation) {
    case cellop::kSpace:
    case cellop::kBackspace: {
      std::int32_t stepped = 0;
      const int direction = capsule.operation == cellop::kSpace ? +1 : -1;
      if (!StepFrom(cache, key, listId, current, direction, stepped)) return 0;
      value = stepped;
      return 1;
    }
    case cellop::kEnter:
    case cellop::kClick:
      if (FieldDialogOpener* opener = InstalledFieldDialogOpener()) {
        if (opener->OpenChoiceList(capsule, key, listId, current)) status = kCellRedraw;
      }
      return 0;
    default: return 0;
  }
}

int SelectTypedChoice(cmcFCache& cache, cmcCellCapsule& capsule, std::string_view key,
                      std::int32_t& value, int mode, int listId, int& status) {
  if (capsule.mode == cellmode::kCommit && status == 0 && !capsule.parent) {
    int changed = 0;
    if (const std::optional<int> match = cache.MatchTyped(key, listId, capsule.inputText, mode)) {
      value = *match;
      changed = 1;
    }
    capsule.outputText = ShownText(cache, key, listId, value);
    return changed;
  }
  if (editor::HasOwner(capsule) && !capsule.parent && mode != 3) {
    if (capsule.operation == cellop::kF2) {
      const std::string shown = ShownText(cache, key, listId, value);
      editor::OpenEditorWith(capsule, std::string(core::CutSjisText(shown, kTakenTextMax)), status);
      capsule.maxLength = static_cast<std::int32_t>(choices::kTypedEntryMax);
      return 0;
    }
    const char ch = editor::TypedChar(capsule.operation);
    if (StartsTypedEntry(ch, mode)) {
      editor::OpenWithChar(capsule, ch, status);
      capsule.maxLength = static_cast<std::int32_t>(choices::kTypedEntryMax);
      return 0;
    }
  }
  return SelectChoiceById(cache, capsule, key, value, listId, status);
}

std::string ChoiceTextOf(cmcGTex& texts, std::string_view key, int listId, std::int32_t value) {
  const std::optional<choices::ChoiceTable> table = choices::ReadChoiceTable(texts, key, listId);
  if (!table) return {};
  const choices::ChoiceOption* option = table->Find(value);
  return option ? option->text : std::string();
}

int ChoiceStep(cmcGTex& texts, std::string_view key, int listId, std::int32_t value, bool forward,
               cmcCellObj& out) {
  const std::optional<choices::ChoiceTable> table = choices::ReadChoiceTable(texts, key, listId);
  if (!table) return 0;
  const choices::ChoiceOption& option = table->Step(value, forward ? +1 : -1, true);
  out.cellId = listId;
  out.index = option.value;
  return 1;
}
