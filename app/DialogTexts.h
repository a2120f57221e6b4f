#pragma once
// The texts and fonts the program's own dialogs take from the text table:
// one value of a key as a display string, and a font spec key as a QFont.
#include <QFont>
#include <QSize>
#include <QString>
#include <initializer_list>
#include <string_view>

class QBoxLayout;
class QDialog;
class QPushButton;

class cmcGTex;

namespace dialogtext {

// Value n of a key, converted for display.
QString Caption(cmcGTex& texts, std::string_view key, int n = 0);
// The font of a font spec key ("CellModel_BasicDialog"), over the default
// font.
QFont FontOf(cmcGTex& texts, std::string_view key);
// The size of the program's dialog buttons: the width of
// "GI_AppInd_Opt_ComSel_SizeOfButtons" in the font, twice its height.
QSize ButtonSize(cmcGTex& texts, const QFont& font);
void SizeButtons(cmcGTex& texts, const QFont& font, std::initializer_list<QPushButton*> buttons);

// OK and Cancel from values 0 and 1 of a buttons key, sized and in the
// dialog's font, OK the default; Cancel rejects the dialog. Returns the row
// that holds them at its right; the caller connects OK.
struct OkCancel {
  QPushButton* ok;
  QPushButton* cancel;
  QBoxLayout* row;
};
OkCancel MakeOkCancel(QDialog* dialog, cmcGTex& texts, std::string_view buttonsKey,
                      const QFont& font);

}  // namespace dialogtext
