#pragma once
// The row commands of the list sheets: copy, paste, carry up and down, clear,
// delete and insert (and bank off on bank sheets), as the popup menus and the
// edit menu offer them. The cell handler calls one of two dispatchers: the
// bank dispatcher for bank-channel sheets, the list dispatcher for every
// other list (which list comes from the record's kind).
//
// Rows: the sheet's selected rows when it has a selection, else the cursor
// row; a range is clipped to the list's rows (listFirst..listLast, and one
// row further for inserts into the repeater, your-call and GPS lists, which
// append there). An empty or malformed range, or a cursor outside the list,
// does nothing at all. A command asks before it destroys data (a declined
// question leaves the image byte for byte as it was), writes through the
// item codec, marks the document modified only when it wrote, reports in the
// status bar (event 4) only when it wrote, leaves the affected rows selected
// or sends the cursor to a row through the capsule, and reloads the record.
//
// No widgets: questions go through the message-box service, events through
// the document's bus.
#include "app/DocumentContext.h"

class cmcCellCapsule;
class datCh;

// The commands work on the controller's document view (DocumentContext): the
// current image, the initial image (blank rows come from it), the copy
// buffer, the bus, the texts, and the modified mark. The capsule's cell is
// the cell the command came from: its index is the cursor row (a bank slot
// on bank sheets), and the cursor goes to the cell of its category and id in
// the target row. A capsule without a cell does nothing.
//
// `command` is the cell id of the popup-menu item: CL_PMenu_Copy, _Paste,
// _CarryUp, _CarryDown, _Clear, _Delete, _Insert (and _BankOff on bank
// sheets); any other only reloads the record.
//
// Any list but the banks; `group` is the repeater or GPS group the sheet
// shows (other lists ignore it).
void ExecListEditCommand(DocumentContext& doc, int command, cmcCellCapsule& capsule, datCh& record,
                         int listFirst, int listLast);
void ExecListEditCommandEx(DocumentContext& doc, int command, cmcCellCapsule& capsule,
                           datCh& record, int listFirst, int listLast, int group);
// Bank sheets: rows are the slots of `bank` (0..25, the sheet's bank as
// GetSheetBankNo gives it); any other bank ("no bank") does nothing.
void ExecBankEditCommand(DocumentContext& doc, int command, cmcCellCapsule& capsule, datCh& record,
                         int bank, int listFirst, int listLast);
// The generic carry: the rows exchange places with the row above (direction
// below 0) or below. Nothing moves at the list's edge.
void MoveListRows(DocumentContext& doc, cmcCellCapsule& capsule, datCh& record, int listFirst,
                  int listLast, int direction);
// USE(FROM) over repeater rows first..last (clipped to the used list): off
// for every entry, or on for every entry that can be an access repeater.
// Answers whether a record changed.
bool SetRepeaterUseFromAll(DocumentContext& doc, int first, int last, bool use);
