#pragma once
// What the cell handler needs of the program around it: the document's
// current image, its modified state and delayed warning check, the list edit
// commands, the file, clone, print, view and help commands, the call-sign
// selector and the radio information. The cell handler reaches the program
// only through this interface (cells/ never includes app/); the main
// controller's side implements it, tests use doubles.
//
// Parts the program does not have (yet) answer "not available": the
// handler then does nothing for the request that needed them, never
// something in their place.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/dst_EtcData.h"

class cmcCellCapsule;
class cmcCellObj;
class cmcEeprom;
class datCh;

// A row command of a list or bank sheet, as its popup menu gives it (copy,
// paste, carry up, carry down, clear, delete, insert, bank off).
struct ListEditRequest {
  enum class List {
    Plain,  // memory channels, call channels, scan edges, links, your-call signs, ...
    Group,  // the repeater or GPS group `group`
    Bank,   // the slots of bank `bank`
  };
  List list = List::Plain;
  int command = 0;
  // The requesting cell: the cursor goes to this category and cell id in the
  // row the command leaves it on; the index is the cursor row (a bank slot
  // on bank sheets).
  int category = 0;
  int cellId = 0;
  int index = 0;
  // The rows the command may touch, inclusive.
  int first = 0;
  int last = 0;
  int group = 0;
  int bank = 0;
  bool operator==(const ListEditRequest&) const = default;
};

// Call-sign fields are 8 bytes, blank padded.
using CallSignField = std::array<char, 8>;

class CellHost {
 public:
  virtual ~CellHost() = default;

  // The document's current image.
  virtual cmcEeprom& Image() = 0;
  // The document's modified state; also marks the document modified when
  // the image now differs from the saved snapshot.
  virtual bool IsModified() = 0;
  // Restarts the countdown of the delayed warning check.
  virtual void StartCheckDelay() = 0;
  // The order in which date cells show year, month and day: 0 yyyy/mm/dd,
  // 1 mm/dd/yyyy, 2 dd/mm/yyyy (the document's regional formats). A host
  // without regional formats shows the year first.
  virtual int DateOrder() { return 0; }

  // Runs a list edit command on the record of the requesting row; false
  // when the program has no list edit commands.
  virtual bool RunListEdit(const ListEditRequest& request, cmcCellCapsule& capsule,
                           datCh& record) = 0;
  // Sets (or clears) the repeater use flag of repeaters first..last; false
  // when nothing changed or the program has no such command.
  virtual bool SetRepeaterUseFromAll(int first, int last, bool use) = 0;

  // The call-sign selector on one field of a channel (kind 0 your call,
  // 1 RPT1, 2 RPT2 with the RPT1 field as second call sign): true when the
  // user chose (the field then holds the choice), false when cancelled,
  // nothing when the program has no selector.
  virtual std::optional<bool> RunCallSignDialog(cmcCellCapsule& capsule, int kind,
                                                CallSignField& field,
                                                const CallSignField* second) = 0;
  // The Repeater Setting dialog on a channel record whose route summary is
  // filled: true when the user confirmed (the record then holds the new
  // route), false when cancelled, nothing when the program has no such
  // dialog.
  virtual std::optional<bool> RunRepeaterDialog(cmcCellCapsule& capsule, datCh& record) {
    return std::nullopt;
  }

  // The help context of a cell; nothing when the program has no help
  // commands.
  virtual std::optional<int> GetHelpIds(const cmcCellObj& cell) = 0;
  // Opens help at a context (-1: the contents).
  virtual void ShowHelp(int context) = 0;

  // The image new channels take their band's settings from; null when the
  // program has none (a new channel then keeps the fields it had).
  virtual const cmcEeprom* InitialImage() { return nullptr; }
  // The compare snapshot the memory debug window measures the image
  // against; null when the program keeps none.
  virtual const cmcEeprom* CompareImage() { return nullptr; }
  // The version file's version and years texts; empty when unknown.
  virtual std::string VersionText() { return {}; }
  virtual std::string YearsText() { return {}; }
  // Opens the sheet page a tree node or menu cell names (its page
  // reference); a program without pages does nothing.
  virtual void OpenSheet(std::string_view reference) {}
  // Asks the main form to close (its close query may refuse); a program
  // without a main form does nothing.
  virtual void CloseMainForm() {}

  // The document's file and clone commands; a program without them does
  // nothing. Whether the main form shows (it is hidden behind the initial
  // setup dialog); false without one.
  virtual bool IsMainFormVisible() { return false; }
  virtual void NewFile() {}
  virtual void OpenFile() {}
  // Saves the document, with the save dialog when askName is set.
  virtual void SaveFile(bool askName) {}
  virtual void StartCloneRead() {}
  virtual void StartCloneWrite() {}

  // --- the remaining menu commands; a program without them does nothing --
  // Opens a data file by its full path (the recent-file items).
  virtual void OpenDataFile(const std::string& path) {}
  // The folder recent files are shown bare in (the document's folder).
  virtual std::string DataFolder() { return {}; }
  // The CSV menu cells: their hidden and disabled flags for the open sheet,
  // and the export or import of its list (allGroups: the whole list).
  virtual void UpdateCsvMenuState(cmcCellObj& cell) {}
  virtual void RunCsvCommand(bool import, bool allGroups) {}
  // Whether a sheet is open and printable; printing it, and the print-all
  // choice dialog.
  virtual bool CanPrintCurrent() { return false; }
  virtual void PrintCurrent() {}
  virtual void ShowPrintAllDialog() {}
  // Closes the open sheet so that the next tick builds it again (with a new
  // font size).
  virtual void ReleaseSheet() {}
  // Rebuilds the main window in the settings' language, once the running
  // menu command has returned.
  virtual void PostLanguageChange() {}
  // The tool bar: whether it shows, and showing or hiding it (toggles).
  virtual bool IsToolBarVisible() { return false; }
  virtual void SetToolBarVisible() {}
  virtual void ShowComPortDialog() {}
  virtual void ShowAbout() {}
  // The radio information of the last identification (all zero before one).
  virtual RadioInformation RadioInfo() { return {}; }
  // Whether the copy buffer holds entries that paste into a record kind.
  virtual bool CanPaste(std::uint32_t kind) { return false; }
  // The number of entries under the main menu's item of a cell id; -1 when
  // there is no main menu or no such item. The menu's handle goes with the
  // events that rebuild that item's entries (0 without a menu).
  virtual int MainMenuEntryCount(std::int32_t cellId) { return -1; }
  virtual std::intptr_t MainMenuHandle() { return 0; }
};
