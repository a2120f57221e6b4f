#pragma once
// What the two field dialogs (bit selection, GPS field) share: a frameless
// tool window at the opening cell, placed like a popup choice list, in the
// dialog font of the text table, with OK and Cancel; the request that sends
// the confirmed value back to the opening cell's handler; and the release
// of the window that ends the dialog.
//
// The answer travels like a popup choice: a copy of the opening request,
// linked to a result capsule whose cell carries Flex0, in mode 2 with the
// value in its input text, handed to the cell handler with notification.
#include <QFont>
#include <functional>
#include <string>

#include "sheet/cmcCellCapsule.h"

class QPushButton;
class QWidget;
class cmcGTex;

// The handler that answers a dialog's result: the opening sheet's handler,
// else the default cell handler.
using DialogHandlerFor = std::function<CellHandler(const cmcCellCapsule& owner)>;

namespace fielddialog {

// The font of "CellModel_BasicDialog".
QFont DialogFont(cmcGTex& texts);
// A frameless tool window owned by the owner control's window; it does not
// close on deactivation.
QWidget* MakeForm(const cmcCellCapsule& owner);
// Captioned by values 0 and 1 of "GI_AppInd_Button_OkCancel", sized by
// "GI_AppInd_Opt_ComSel_SizeOfButtons" (its width, twice its height).
void SetUpButtons(cmcGTex& texts, const QFont& font, QPushButton* ok, QPushButton* cancel);
// Moves the form (at its size hint) next to the owner's cell, inside the
// monitor's work area, as a popup choice list opens.
void PlaceAtCell(QWidget* form, const cmcCellCapsule& owner);
// Calls `cancel` for Escape pressed in the widget (or a child that passes
// it on) and for the widget's own close; the key and the close are eaten.
void OnEscapeOrClose(QWidget* widget, std::function<void()> cancel);
// The sheet's handler when the owner request came from a sheet, else the
// registered default handler.
CellHandler SheetOrDefaultHandler(const cmcCellCapsule& owner);
// Sends the value back to the opening cell; returns the handler's result
// (0 when there is no handler).
int SendResult(const cmcCellCapsule& owner, const DialogHandlerFor& handlerFor,
               const std::string& value);

}  // namespace fielddialog
