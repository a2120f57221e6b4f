#include "cells/EditorProtocol.h"

namespace editor {

std::int32_t Key(const cmcCellCapsule& c) {
  if (!HasOwner(c)) return 0;
  return c.operation == cellop::kF2 ? cellop::kEnter : c.operation;
}

char TypedChar(std::int32_t key) {
  if (key < -128 || key > 126) return 0;
  switch (key) {
    case cellop::kQuery:
    case cellop::kBackspace:
    case cellop::kEnter:
    case cellop::kSpace: return 0;
    default: break;
  }
  if (key >= 0 && key < 0x20) return 0;
  return static_cast<char>(key);
}

std::string ZeroPadded(std::int64_t value, int width) {
  const bool negative = value < 0;
  const std::uint64_t magnitude =
      negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  std::string digits = std::to_string(magnitude);
  if (static_cast<int>(digits.size()) < width) digits.insert(0, width - digits.size(), '0');
  if (negative) digits.insert(0, 1, '-');
  return digits;
}

void SetDisplay(cmcCellCapsule& c, std::string text) {
  c.outputText = std::move(text);
  c.caretPos = 0;
  c.selLength = static_cast<std::int32_t>(c.outputText.size());
}

void OpenEditor(cmcCellCapsule& c, int& status) {
  c.caretPos = 0;
  c.selLength = static_cast<std::int32_t>(c.outputText.size());
  status = kCellOpenEditor;
}

void OpenEditorWith(cmcCellCapsule& c, std::string text, int& status) {
  SetDisplay(c, std::move(text));
  status = kCellOpenEditor;
}

void OpenWithChar(cmcCellCapsule& c, char ch, int& status) {
  c.outputText.assign(1, ch);
  c.caretPos = 1;
  c.selLength = 0;
  status = kCellOpenEditor;
}

}  // namespace editor
