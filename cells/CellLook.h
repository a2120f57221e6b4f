#pragma once
// How converters change the look of the cell they answer for: its
// alignment, its text colour, and the grey, key-less look of a field the
// record does not use. Every function does nothing for a request without a
// cell.
#include <cstdint>

class cmcCellCapsule;

namespace celllook {
// The cell's text aligned right.
void AlignRight(cmcCellCapsule& capsule);
// The cell's text in this colour (its own font, otherwise the inherited
// one).
void SetTextColor(cmcCellCapsule& capsule, std::uint32_t color);
// The cell's text back in the colour it inherits.
void InheritTextColor(cmcCellCapsule& capsule);
}  // namespace celllook

// Grey text (0x808080), and every key code from 1 to 126 dropped, so that a
// field the record's type does not use looks read-only and takes no typing.
void GrayOutCell(cmcCellCapsule& capsule);
