#pragma once
// The texts and fonts the program's own dialogs take from the text table:
// one value of a key as a display string, and a font spec key as a QFont.
#include <QFont>
#include <QString>
#include <string_view>

class cmcGTex;

namespace dialogtext {

// Value n of a key, converted for display.
QString Caption(cmcGTex& texts, std::string_view key, int n = 0);
// The font of a font spec key ("CellModel_BasicDialog"), over the default
// font.
QFont FontOf(cmcGTex& texts, std::string_view key);

}  // namespace dialogtext
