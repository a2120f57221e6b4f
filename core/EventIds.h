#pragma once
// Ids of the events exchanged over the bus (cmcEvMan). Mode: S sent,
// P posted, Q query. p1/p2 are pointer-sized; data is a typed value.

namespace ev {

// S, p2 = the owner window being closed: popups, field dialogs and the tree
// owned by that window close themselves.
inline constexpr int SheetDestroying = 1;
// S: refresh the tool bar.
inline constexpr int RefreshToolBar = 2;
// No sender: the main controller opens the About box or a debug window.
inline constexpr int OpenAbout = 3;
// S/P, p1/p2 = two system colours, data = text: status message of edit
// commands; the main controller hands the text to its status sink.
inline constexpr int StatusMessage = 4;
inline constexpr int OpenTraceWindow = 5;
inline constexpr int OpenImageWindow = 6;
inline constexpr int OpenDebugWindow7 = 7;
// S: take the debug snapshot of the image.
inline constexpr int DebugSnapshot = 8;
// S: menus re-evaluate all their items.
inline constexpr int MenusRefresh = 9;
// S, p2 = cell id of a submenu item: clear that submenu.
inline constexpr int SubmenuClear = 10;
// S/P, p1 = flag, p2 = cell id of the submenu item, data = key text: rebuild
// the submenu from the markup under key + "_Body".
inline constexpr int SubmenuRebuild = 11;
// Q, p1 = a sheet's id: that sheet answers its current cell (data).
inline constexpr int QueryCurrentCell = 12;
// Q: the sheet answers its name / its title.
inline constexpr int QuerySheetName = 13;
inline constexpr int QuerySheetTitle = 14;
// P: sheets re-evaluate every cell.
inline constexpr int CellsRefreshAll = 15;
// p2 = category / cell id / index: re-evaluate matching cells.
inline constexpr int CellsRefreshCategory = 16;
inline constexpr int CellsRefreshCellId = 17;
inline constexpr int CellsRefreshIndex = 18;
inline constexpr int CellsRefreshIndex2 = 19;
inline constexpr int CellsRefreshIndex3 = 20;
// P, data = 12-byte record of the selected cell; nobody listens.
inline constexpr int CellSelected = 21;
// P, p2 = 0 or 1: sheets store p2 in a flag of theirs.
inline constexpr int SheetFlag = 22;
// The tool bar refreshes its button states.
inline constexpr int ToolBarRefreshStates = 23;
// S: end in-place editing, close popups and field dialogs.
inline constexpr int EndCellEditing = 24;
// data = text: the debug trace window appends the text.
inline constexpr int TraceText = 25;
// P: the image debug window rebuilds / selects p2 as address.
inline constexpr int ImageWindowRebuild = 26;
inline constexpr int ImageWindowSelect = 27;
// Q: the tree answers the text of its selected node.
inline constexpr int QueryTreeSelection = 28;
// data = node text: the tree selects the node with that text.
inline constexpr int TreeSelectNode = 29;
// S: list names changed, rename the tree's nodes.
inline constexpr int ListNamesChanged = 30;
// P: the interface language changed, rebuild the main window.
inline constexpr int LanguageChanged = 31;
// S, p2 = group: rename one group node.
inline constexpr int GroupRenamed = 32;
// S/P, p1 = 0 or 1: reopen the current sheet keeping the current cell.
inline constexpr int ReopenSheet = 33;
// S: clone information or setup confirmed.
inline constexpr int CloneInfoConfirmed = 34;
// S: show the main form.
inline constexpr int ShowMainForm = 35;
// S, p1 = 1 after a clone read: check the image's destination.
inline constexpr int CheckDestination = 36;
// S: initial setup finished without a radio.
inline constexpr int SetupDoneWithoutRadio = 37;
// No sender: setup dialog and main controller.
inline constexpr int SetupEvent40 = 40;
// S: a clone identification starts.
inline constexpr int CloneIdentifyStart = 41;
// S, p1 = 1 when the run ended with code 0: a clone run ended.
inline constexpr int CloneRunEnded = 42;
// S: the clone progress window closed.
inline constexpr int CloneProgressClosed = 43;
// S: list sheets refresh their rows.
inline constexpr int ListChanged = 44;
// S: lists were edited or normalised: the main controller rebuilds the bank
// table and restarts the delayed check. It never marks the document
// modified (opening, saving and cloning send it too); commands that write
// the image do that themselves.
inline constexpr int DocumentEdited = 45;
// Q: a settings or channel page answers its title text (std::string).
inline constexpr int QuerySheetKind = 46;
// Q: a settings page answers its page kind, a channel page its sheet number
// (std::int32_t); 48: channel pages only.
inline constexpr int QueryListNumber = 47;
inline constexpr int QueryListNumber2 = 48;
// Bank pages listen to it; no sender.
inline constexpr int BankPageEvent49 = 49;
// P, p2 = node index, data = text: the main tree renames a numbered node.
inline constexpr int RenameTreeNode = 50;
// Q: the list sheet answers its displayed range as typed data: group, first
// index and count (ListRangeAnswer, core/ListRangeAnswer.h).
inline constexpr int QueryListRange = 51;
// S: the list sheet inserts / deletes a row.
inline constexpr int ListRowInserted = 52;
inline constexpr int ListRowDeleted = 53;
// S: close the initial setup dialog.
inline constexpr int CloseSetupDialog = 59;
inline constexpr int CloseSetupDialog2 = 60;

}  // namespace ev
