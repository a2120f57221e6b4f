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
#include <cstdint>
#include <functional>

class cmcCellCapsule;
class cmcEeprom;
class cmcEvMan;
class cmcGTex;
class datCh;
class datClipCh;

namespace listcmd {
inline constexpr int kBankOff = 192;
inline constexpr int kCopy = 195;
inline constexpr int kPaste = 196;
inline constexpr int kCarryUp = 197;
inline constexpr int kCarryDown = 198;
inline constexpr int kClear = 199;
inline constexpr int kDelete = 200;
inline constexpr int kInsert = 201;
}  // namespace listcmd

// The document the commands work on.
struct ListEditDocument {
  cmcEeprom& image;               // the current image
  const cmcEeprom& initialImage;  // blank records of the lists come from it
  datClipCh& clip;                // the document's copy buffer
  cmcEvMan& bus;
  cmcGTex& texts;
  std::function<void()> setModified;  // called once after a command wrote
};

// The cell a command came from: its category and cell id (the cursor goes to
// the cell of that category and id in the target row) and its row index (a
// bank slot on bank sheets).
struct ListEditCell {
  int category = 0;
  int cellId = 0;
  int index = 0;
};

// Any list but the banks; `group` is the repeater or GPS group the sheet
// shows (other lists ignore it). Other command codes only reload the record.
void ExecListEditCommand(ListEditDocument& doc, int command, cmcCellCapsule& capsule,
                         const ListEditCell& cell, datCh& record, int listFirst, int listLast);
void ExecListEditCommandEx(ListEditDocument& doc, int command, cmcCellCapsule& capsule,
                           const ListEditCell& cell, datCh& record, int listFirst, int listLast,
                           int group);
// Bank sheets: rows are the slots of `bank` (0..25); commands 192 and 195-201.
void ExecBankEditCommand(ListEditDocument& doc, int command, cmcCellCapsule& capsule,
                         const ListEditCell& cell, datCh& record, int bank, int listFirst,
                         int listLast);
// The generic carry: the rows exchange places with the row above (direction
// below 0) or below. Nothing moves at the list's edge.
void MoveListRows(ListEditDocument& doc, cmcCellCapsule& capsule, const ListEditCell& cell,
                  datCh& record, int listFirst, int listLast, int direction);
// USE(FROM) over repeater rows first..last (clipped to the used list): off
// for every entry, or on for every entry that can be an access repeater.
// Answers whether a record changed.
bool SetRepeaterUseFromAll(ListEditDocument& doc, int first, int last, bool use);
