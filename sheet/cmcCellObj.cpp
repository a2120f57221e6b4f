#include "sheet/cmcCellObj.h"

namespace {

// Base chains are a few cells long; the bound only keeps a chain that a
// caller made circular from hanging the program.
constexpr int kMaxChain = 64;

}  // namespace

cmcCellObj::cmcCellObj() { Reset(nullptr); }

void cmcCellObj::Reset(const cmcCellObj* newBase) {
  if (newBase == this) newBase = nullptr;  // a cell is never its own base
  bindingText.reset();
  caption.reset();
  font.reset();
  popupMenuName.reset();
  colCutPopupMenuName.reset();
  cellId = CL_None;
  imageIndex = -1;
  layoutFlags = 0;
  ruleFlags = 0;
  userFlags = 0;
  color = color::kWindow;
  combinationSet = false;
  combination = {};
  base = newBase;
  if (!newBase) return;
  category = newBase->category;
  cellId = newBase->cellId;
  index = newBase->index;
  imageIndex = newBase->imageIndex;
  layoutFlags = newBase->layoutFlags;
  ruleFlags = newBase->ruleFlags;
  userFlags = newBase->userFlags;
  color = newBase->color;
  combinationSet = newBase->combinationSet;
  combination = newBase->combination;
  bindingText = newBase->bindingText;
  caption = newBase->caption;
}

std::string_view cmcCellObj::GetPopupMenuName(int kind) const {
  const cmcCellObj* cell = this;
  for (int step = 0; cell && step < kMaxChain; ++step, cell = cell->base) {
    const std::optional<std::string>& name =
        kind == 0 ? cell->popupMenuName : cell->colCutPopupMenuName;
    if (name && !name->empty()) return *name;
  }
  return {};
}

FontSpec cmcCellObj::EffectiveFont() const {
  const cmcCellObj* cell = this;
  for (int step = 0; cell && step < kMaxChain; ++step, cell = cell->base)
    if (cell->font) return *cell->font;
  return DefaultFontSpec();
}

bool cmcCellObj::UserFlag(int n) const {
  if (n == 0) return HasRule(cellrule::kUserFlag0);
  if (n == 1) return HasRule(cellrule::kUserFlag1);
  if (n >= 2 && n <= 7) return (userFlags & (1u << (n - 2))) != 0;
  return false;
}

void cmcCellObj::SetUserFlag(int n, bool on) {
  std::uint8_t* bits = nullptr;
  std::uint8_t mask = 0;
  if (n == 0 || n == 1) {
    bits = &ruleFlags;
    mask = n == 0 ? cellrule::kUserFlag0 : cellrule::kUserFlag1;
  } else if (n >= 2 && n <= 7) {
    bits = &userFlags;
    mask = static_cast<std::uint8_t>(1u << (n - 2));
  } else {
    return;
  }
  *bits = static_cast<std::uint8_t>(on ? (*bits | mask) : (*bits & ~mask));
}
