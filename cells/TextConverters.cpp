#include "cells/TextConverters.h"

#include <algorithm>
#include <string_view>

#include "cells/ConverterContext.h"
#include "cells/EditorProtocol.h"
#include "core/HalfWidth.h"
#include "core/SjisBytes.h"
#include "core/SjisCleaners.h"
#include "core/TextFields.h"

namespace {

std::span<std::uint8_t> Bytes(std::span<char> field) {
  return {reinterpret_cast<std::uint8_t*>(field.data()), field.size()};
}

std::string TrimmedFieldText(std::span<const char> field) {
  return std::string(core::TrimRightBlanksView(std::string_view(field.data(), field.size())));
}

bool IsEntry(const cmcCellCapsule& c) {
  return c.mode == cellmode::kCommit || c.mode == cellmode::kChoice;
}

// The code-page rule applies to plain queries under a non-Japanese
// interface.
bool PlainQuery(const ConverterContext& ctx, const cmcCellCapsule& c) {
  return !editor::HasOwner(c) && !IsEntry(c) && !ctx.japaneseUi;
}

// Enter, or a typed printable character: opens the editor.
void TextKeys(const ConverterContext& ctx, cmcCellCapsule& c, int& status) {
  const std::int32_t key = TextKey(ctx, c);
  if (key == cellop::kEnter) {
    editor::OpenEditor(c, status);
    return;
  }
  const char typed = editor::TypedChar(key);
  if (typed >= 0x21 && typed <= 0x7E) editor::OpenWithChar(c, typed, status);
}

}  // namespace

std::int32_t TextKey(const ConverterContext& ctx, const cmcCellCapsule& capsule) {
  if (!editor::HasOwner(capsule)) return 0;
  switch (capsule.operation) {
    case cellop::kSpace:
    case cellop::kBackspace:
    case cellop::kF2:
    case cellop::kEnter: return cellop::kEnter;
    case cellop::kImeStart: return ctx.systemJapanese ? cellop::kEnter : 0;
    default: return capsule.operation;
  }
}

std::string ShowAsSingleByte(std::string_view text) {
  std::string shown;
  shown.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = core::SjisCharLength(text, i);
    const std::uint8_t b = core::ByteAt(text, i);
    if (n == 2) {
      shown += "==";
    } else if (core::IsHalfKana(b)) {
      shown += '_';
    } else {
      shown += text[i];
    }
    i += n;
  }
  return shown;
}

int EditNameText(const ConverterContext& ctx, cmcCellCapsule& capsule, std::string& name,
                 int maxLength, int& status) {
  int changed = 0;
  if (IsEntry(capsule)) {
    std::string text = capsule.inputText;
    core::ReplaceInvalidSjis(text, ' ');
    core::TrimRightBlanks(text);
    name = std::string(core::CutSjisText(text, static_cast<std::size_t>(std::max(maxLength, 0))));
    changed = 1;
  }
  std::string shown(core::TrimRightBlanksView(name));
  if (PlainQuery(ctx, capsule)) shown = ShowAsSingleByte(shown);
  editor::SetDisplay(capsule, shown);
  TextKeys(ctx, capsule, status);
  return changed;
}

int EditFixedText(const ConverterContext& ctx, cmcCellCapsule& capsule, std::span<char> field,
                  int& status) {
  int changed = 0;
  if (IsEntry(capsule)) {
    std::string text = core::HalfWidthText(capsule.inputText);
    core::ReplaceHalfKana(text, 0);
    core::CopyToBlankField(Bytes(field), text);
    changed = 1;
  }
  editor::SetDisplay(capsule, TrimmedFieldText(field));
  TextKeys(ctx, capsule, status);
  return changed;
}

int EditMessageText(const ConverterContext& ctx, cmcCellCapsule& capsule, std::span<char> field,
                    int maxEntry, int& status) {
  int changed = 0;
  if (IsEntry(capsule)) {
    const std::string text = core::HalfWidthText(capsule.inputText);
    const std::size_t room =
        maxEntry < 0 ? field.size() : std::min(field.size(), static_cast<std::size_t>(maxEntry));
    std::fill(field.begin(), field.end(), ' ');
    core::CopyToBlankField(Bytes(field).first(room), text);
    changed = 1;
  }
  std::string shown = TrimmedFieldText(field);
  if (PlainQuery(ctx, capsule)) shown = ShowAsSingleByte(shown);
  editor::SetDisplay(capsule, shown);
  TextKeys(ctx, capsule, status);
  return changed;
}
