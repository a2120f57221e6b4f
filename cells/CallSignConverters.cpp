#include "cells/CallSignConverters.h"

#include <algorithm>
#include <string_view>

#include "cells/ConverterContext.h"
#include "cells/EditorProtocol.h"
#include "cells/TextConverters.h"
#include "core/SjisBytes.h"
#include "core/TextFields.h"
#include "model/LayoutLists.h"
#include "model/cmcEeprom.h"
#include "sheet/cmcCellObj.h"

namespace {

constexpr std::size_t kCallSignLength = 8;
constexpr int kCqIndex = 255;
constexpr char kCqCall[] = "CQCQCQ  ";

// The your-call-sign list entry's address.
std::int64_t EntryAddress(int index) {
  return layout::kUrCalls + static_cast<std::int64_t>(index) * kCallSignLength;
}

bool IsCallChar(char ch) {
  return (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z') || ch == '/';
}

char ToUpper(char ch) { return (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 'a' + 'A') : ch; }

// Each byte of the text as a call-sign character or a blank; both bytes of a
// double-byte character become blanks.
void NormalizeBytes(std::span<char> bytes) {
  const std::string_view view(bytes.data(), bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t n = core::SjisCharLength(view, i);
    if (n == 2) {
      bytes[i] = ' ';
      bytes[i + 1] = ' ';
    } else {
      const char up = ToUpper(bytes[i]);
      bytes[i] = IsCallChar(up) ? up : ' ';
    }
    i += n;
  }
}

bool IsEntry(const cmcCellCapsule& c) { return c.mode == cellmode::kCommit; }

void SetEditorLimit(cmcCellCapsule& c, std::size_t length) {
  c.maxLength = static_cast<std::int32_t>(length);
}

// Enter or a call-sign character typed: the editor, limited to the field.
// Returns true when the key was one of them.
bool CallSignKeys(const ConverterContext& ctx, cmcCellCapsule& c, std::size_t length, int& status,
                  bool act) {
  const std::int32_t key = TextKey(ctx, c);
  const char typed = editor::TypedChar(key);
  const bool accepted = typed == '/' || editor::IsDigit(typed) || (typed >= 'A' && typed <= 'Z') ||
                        (typed >= 'a' && typed <= 'z');
  if (key != cellop::kEnter && !accepted) return false;
  if (!act) return true;
  if (key == cellop::kEnter) {
    editor::OpenEditor(c, status);
  } else {
    editor::OpenWithChar(c, typed, status);
  }
  SetEditorLimit(c, length);
  return true;
}

// The entry's characters position by position into the field.
void TakeEntry(std::span<char> field, std::string_view input) {
  std::string text(input.substr(0, std::min(input.size(), field.size() + 1)));
  std::span<char> bytes(text.data(), text.size());
  NormalizeBytes(bytes);
  std::fill(field.begin(), field.end(), ' ');
  std::copy_n(text.begin(), std::min(text.size(), field.size()), field.begin());
}

std::string Shown(std::span<const char> field) {
  return std::string(core::TrimRightBlanksView(std::string_view(field.data(), field.size())));
}

}  // namespace

bool NormalizeCallSign(std::span<char> field) {
  const std::string before(field.data(), field.size());
  NormalizeBytes(field);
  return before != std::string_view(field.data(), field.size());
}

void MoveLastWordRight(std::span<char> field, bool gatewayFlag) {
  if (field.size() != kCallSignLength) return;
  const int last = static_cast<int>(kCallSignLength) - 1;
  int endOfWord = -1;  // the last non-blank position
  for (int i = last; i >= 1; --i) {
    if (field[i] != ' ') {
      endOfWord = i;
      break;
    }
  }
  if (endOfWord < 1) return;
  int gap = -1;  // the rightmost blank below it directly followed by a non-blank
  for (int i = endOfWord - 1; i >= 1; --i) {
    if (field[i] == ' ' && field[i + 1] != ' ') {
      gap = i;
      break;
    }
  }
  if (gap < 0) return;
  if (gatewayFlag && field[endOfWord] != 'G') return;
  const int shift = last - endOfWord;
  if (shift == 0) return;
  for (int i = endOfWord; i > gap; --i) {
    field[i + shift] = field[i];
    field[i] = ' ';
  }
}

void FilterCallSignChar(std::uint8_t& ch) {
  const char c = ToUpper(static_cast<char>(ch));
  ch = (IsCallChar(c) || c == '\\') ? static_cast<std::uint8_t>(c) : 255;
}

void FilterCallSignField(std::span<char> field) {
  bool ok = true;
  for (char& ch : field) {
    ch = ToUpper(ch);
    if (!IsCallChar(ch) && ch != ' ') ok = false;
  }
  if (!ok) std::fill(field.begin(), field.end(), ' ');
}

int EditCallSignCode(const ConverterContext& ctx, cmcCellCapsule& capsule, std::span<char> field,
                     bool gatewayFlag, int& status) {
  int changed = 0;
  if (IsEntry(capsule)) {
    TakeEntry(field, capsule.inputText);
    if (ctx.autoCorrect) MoveLastWordRight(field, gatewayFlag);
    changed = 1;
  }
  NormalizeCallSign(field);
  editor::SetDisplay(capsule, Shown(field));
  CallSignKeys(ctx, capsule, field.size(), status, true);
  return changed;
}

int EditRouteCallSign(const ConverterContext& ctx, cmcCellCapsule& capsule, std::span<char> field,
                      const cmcEeprom* image, int popupListId, bool recordInUse, int& status) {
  int changed = 0;
  const cmcCellObj* picked = capsule.parent ? capsule.parent->cell : nullptr;
  if (picked && picked->cellId == popupListId) {
    // The call-sign popup's answer: the chosen entry is the picked cell's
    // index, 255 for CQ.
    if (capsule.mode != cellmode::kChoice) return 0;
    const int index = picked->index;
    if (index == kCqIndex) {
      std::fill(field.begin(), field.end(), ' ');
      std::copy_n(kCqCall, std::min(field.size(), sizeof kCqCall - 1), field.begin());
      changed = 1;
    } else if (index >= 0 && index < layout::kUrCapacity && image &&
               EntryAddress(index + 1) <= image->GetSize()) {
      std::fill(field.begin(), field.end(), ' ');
      char entry[kCallSignLength];
      image->GetBlock(EntryAddress(index), entry, kCallSignLength);
      std::copy_n(entry, std::min(field.size(), kCallSignLength), field.begin());
      changed = 1;
    }
    editor::SetDisplay(capsule, Shown(field));
    return changed;
  }
  if (IsEntry(capsule)) {
    TakeEntry(field, capsule.inputText);
    if (ctx.autoCorrect) MoveLastWordRight(field, false);
    changed = 1;
  }
  NormalizeCallSign(field);
  editor::SetDisplay(capsule, Shown(field));
  if (ctx.repeaterDialog) {
    const bool enter = TextKey(ctx, capsule) == cellop::kEnter;
    const bool editing = CallSignKeys(ctx, capsule, field.size(), status, false);
    if (enter || (!recordInUse && editing)) {
      status = kCellRedraw;
      return 1;
    }
  }
  CallSignKeys(ctx, capsule, kCallSignLength, status, true);
  return changed;
}
