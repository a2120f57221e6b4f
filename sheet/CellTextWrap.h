#pragma once
// Rebreaking a cell's text to fit its width when it is drawn: a line feed
// goes before the character whose addition makes the line since the last
// break wider than the limit. Every line keeps at least one character, so a
// character wider than the limit stands alone on its line instead of
// breaking forever; a double-byte character is measured and kept as one.
// Line feeds already in the text stay and start a new line.
#include <string>
#include <string_view>

#include "core/TextExtent.h"

std::string WrapCellText(const core::LineMeasurer& canvas, std::string_view text, int limit);

// The limit for a text rectangle of the given width: 90 % of it (integer:
// width - width * 10 / 100, so a 10-pixel column holds 9 pixels).
inline int WrapLimit(int width) { return width - width * 10 / 100; }
