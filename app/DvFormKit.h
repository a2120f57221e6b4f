#pragma once
// What the DV call-sign dialogs' forms share: a fixed-size dialog without
// minimise and maximise boxes, in the dialog font of the text table,
// captioned by a table text; the measures their lists and buttons take.
#include <QPalette>
#include <QString>
#include <string_view>

class QDialog;
class QWidget;
class cmcGTex;

namespace dvform {

inline constexpr int kListHeight = 160;
inline constexpr int kButtonWidth = 75;
// The sunken frame's distance from the form's edges.
inline constexpr int kFrameInset = 4;

// Value n of a key, as the interface table shows its bytes.
QString TableText(cmcGTex& texts, std::string_view key, int n);

// Object name, window flags, the font of "CellModel_BasicDialog" and the
// caption (value n of the key).
void SetUpForm(QDialog& form, const char* objectName, cmcGTex& texts, std::string_view captionKey,
               int n);

// The widget's text background (palette role Base, in every state) in the
// application's colour of `role`: Button for the grey look.
void SetBackground(QWidget* widget, QPalette::ColorRole role);

}  // namespace dvform
