#pragma once
// The steps the cell handler runs before it dispatches by cell id (used by
// indCellFrame only): the popup command of a context-menu item, and the
// per-category handling of blank rows, new-entry rows and display-only
// lists. Each may set the context's handled flag, after which the dispatch
// runs nothing.
class indActiveCell;

// Runs the capsule's popup command (not 0): list edit commands, the
// call-sign selector, help, repeater use for all, view cuts, home-channel
// clears. 193 (Edit) turns the request into Enter on the cell.
void RunPopupCommand(indActiveCell& context);

// The per-category step; skipped once the request is handled.
void RunCategoryStep(indActiveCell& context);

// A key a blank row passes on to its key cell: any code up to 0x7F (the
// state query 0, Backspace, Enter, Space, characters, and bytes from 0x80,
// which arrive negative) or F2.
bool IsTypingKey(int key);
