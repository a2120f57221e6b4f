#include "cells/CellLook.h"

#include "core/ColorNames.h"
#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellObj.h"

namespace celllook {

void AlignRight(cmcCellCapsule& capsule) {
  if (!capsule.cell) return;
  std::uint8_t& flags = capsule.cell->layoutFlags;
  flags = static_cast<std::uint8_t>((flags & ~celllayout::kHorizontalMask) |
                                    static_cast<std::uint8_t>(HAlign::Right));
}

void SetTextColor(cmcCellCapsule& capsule, std::uint32_t color) {
  if (!capsule.cell) return;
  FontSpec font = capsule.cell->EffectiveFont();
  font.color = color;
  capsule.cell->font = font;
}

void InheritTextColor(cmcCellCapsule& capsule) {
  cmcCellObj* cell = capsule.cell;
  if (!cell || !cell->font) return;
  cell->font->color = cell->base ? cell->base->EffectiveFont().color : DefaultFontSpec().color;
}

}  // namespace celllook

void GrayOutCell(cmcCellCapsule& capsule) {
  celllook::SetTextColor(capsule, color::kGray);
  if (capsule.operation >= 1 && capsule.operation <= 126) capsule.operation = cellop::kQuery;
}
