#pragma once
// The cases of the menu cells that act on the main window and of the
// warning-check items:
//
// - CL_Menu_File_New, _Open, _Save: Enter runs New, Open, Save (with the
//   save dialog when the document is untitled), only while the main form
//   shows; CL_Menu_File_SaveAs: Save with the dialog.
// - CL_Menu_File_Exit: Enter closes the main form (the close query decides).
// - CL_Menu_Clone_Read, _Write: Enter starts the clone read or write;
//   CL_Menu_Clone_Info sends "clone information" (event 34).
// - CallSheet: Enter opens the page its ':' text names, when it has one
//   (the tree's nodes are such cells).
// - CL_Check_MemoryCH0..9, CL_Check_MemoryCHC: memory channels 0-99 ...
//   900-999 and the call channels 1000-1003; CL_Check_BankCHA..Z: slots
//   0-99 of bank A..Z (warning and error marks); CL_Check_ScanEdge: scan
//   edges 0-24; CL_Check_URList: the your-call list; CL_Check_RPTList0..49:
//   the entries of repeater group 0..49 (warning mark only). An empty list
//   leaves its item without marks.
//
// - The import and export items (states for the open sheet), print current
//   (disabled without a printable sheet) and print all, the recent files
//   (items past the list's end hidden and disabled), the Edit menu's "no
//   item" entry, the view cuts (checked while their columns show), font
//   size and language (checked at the setting), the tool bar, the COM port
//   dialog, the clone adjustment item (shown only with its switch), the two
//   call-sign input switches, About and the help contents.
// - CL_CloneInfo_*: the serial number, comment, destination and flags of the
//   last identification's radio information.
// - The context-menu items' states over the row the menu was opened on.
//
// Font size, language and view cuts end cell editing before the sheet goes.
// A query (key 0) never runs a command. The check items only read the image;
// they never restart the warning check (the frame does that only for
// requests that carry a key).
#include <cstdint>
#include <string>

#include "core/dst_EtcData.h"

class CellCaseTable;

void RegisterMenuCheckCases(CellCaseTable& table);

// The serial number of the radio information: its three hexadecimal parts
// as decimal numbers of 4, 2 and 6 digits (the last modulo 1 000 000); a
// single blank when a character is not a hexadecimal digit.
std::string FormatSerialNumber(const RadioInformation& info);
// "USA_A_0000" .. "JPN_1111" for destination codes 0..15, else "Unknown".
std::string DestinationName(std::uint8_t code);
