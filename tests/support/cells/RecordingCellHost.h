#pragma once
// A cell handler host for tests: the image is the test's own, the modified
// state and the warning-check restarts are counted, list edit commands and
// repeater-use requests are recorded (and do nothing), the call-sign
// selector and the Repeater Setting dialog answer from a script and record
// what they were asked, help is recorded. The dialogs and help are "not
// available" until the test scripts them, as in a program that lacks them.
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cells/CellHost.h"
#include "model/datCh.h"

namespace kwtest {

class RecordingCellHost : public CellHost {
 public:
  explicit RecordingCellHost(cmcEeprom& image) : image_(image) {}

  cmcEeprom& Image() override { return image_; }
  bool IsModified() override;
  void StartCheckDelay() override { ++checkDelayStarts; }
  int DateOrder() override { return dateOrder; }
  bool RunListEdit(const ListEditRequest& request, cmcCellCapsule& capsule, datCh& record) override;
  bool SetRepeaterUseFromAll(int first, int last, bool use) override;
  std::optional<bool> RunCallSignDialog(cmcCellCapsule& capsule, int kind, CallSignField& field,
                                        const CallSignField* second) override;
  std::optional<bool> RunRepeaterDialog(cmcCellCapsule& capsule, datCh& record) override;
  std::optional<int> GetHelpIds(const cmcCellObj& cell) override;
  void ShowHelp(int context) override { helpShown.push_back(context); }
  const cmcEeprom* InitialImage() override { return initialImage; }
  const cmcEeprom* CompareImage() override { return compareImage; }
  std::string VersionText() override { return versionText; }
  std::string YearsText() override { return yearsText; }
  void OpenSheet(std::string_view reference) override { sheetsOpened.emplace_back(reference); }
  void CloseMainForm() override { ++closeRequests; }
  bool IsMainFormVisible() override { return mainFormVisible; }
  void NewFile() override { documentCommands.emplace_back("new"); }
  void OpenFile() override { documentCommands.emplace_back("open"); }
  void SaveFile(bool askName) override {
    documentCommands.emplace_back(askName ? "save as" : "save");
  }
  void StartCloneRead() override { documentCommands.emplace_back("read"); }
  void StartCloneWrite() override { documentCommands.emplace_back("write"); }
  void OpenDataFile(const std::string& path) override { filesOpened.push_back(path); }
  std::string DataFolder() override { return dataFolder; }
  void UpdateCsvMenuState(cmcCellObj& cell) override;
  void RunCsvCommand(bool import, bool allGroups) override {
    documentCommands.push_back(std::string(import ? "import" : "export") +
                               (allGroups ? " all" : ""));
  }
  bool CanPrintCurrent() override { return printable; }
  void PrintCurrent() override { documentCommands.emplace_back("print"); }
  void ShowPrintAllDialog() override { documentCommands.emplace_back("print all"); }
  void ReleaseSheet() override { documentCommands.emplace_back("release sheet"); }
  void PostLanguageChange() override { documentCommands.emplace_back("language"); }
  bool IsToolBarVisible() override { return toolBarVisible; }
  void SetToolBarVisible() override { toolBarVisible = !toolBarVisible; }
  void ShowComPortDialog() override { documentCommands.emplace_back("com port"); }
  void ShowAbout() override { documentCommands.emplace_back("about"); }
  RadioInformation RadioInfo() override { return radioInfo; }
  bool CanPaste(std::uint32_t kind) override { return pasteKind && *pasteKind == kind; }
  int MainMenuEntryCount(std::int32_t cellId) override {
    return cellId == editMenuCellId ? editMenuEntries : -1;
  }
  std::intptr_t MainMenuHandle() override { return mainMenuHandle; }

  // --- scripting ------------------------------------------------------------
  // The document's date order (0 yyyy/mm/dd, 1 mm/dd/yyyy, 2 dd/mm/yyyy).
  int dateOrder = 0;
  // The selector's next answers; each writes `choice` into the field when
  // it answers true. With none queued the program "has no selector".
  struct DialogAnswer {
    bool ok = true;
    std::string choice;
  };
  std::deque<DialogAnswer> dialogAnswers;
  // The Repeater Setting dialog's next answers; an accepted one applies
  // `edit` to the record. With none queued the program "has no such dialog".
  struct RepeaterAnswer {
    bool ok = true;
    std::function<void(datCh&)> edit;
  };
  std::deque<RepeaterAnswer> repeaterAnswers;
  // The help context of every cell; none: "no help commands".
  std::optional<int> helpContext;
  // The image new channels take their band's settings from (none: null).
  const cmcEeprom* initialImage = nullptr;
  // The compare snapshot of the memory debug cells (none: null).
  const cmcEeprom* compareImage = nullptr;
  std::string versionText;
  std::string yearsText;
  // Every page reference asked to open, and the close requests of the main form.
  std::vector<std::string> sheetsOpened;
  int closeRequests = 0;
  // Whether the main form shows, and every file and clone command run.
  bool mainFormVisible = true;
  std::vector<std::string> documentCommands;
  // The recent files' folder, and every file opened by its path.
  std::string dataFolder;
  std::vector<std::string> filesOpened;
  // The CSV items' answer for the open sheet: hidden and disabled flags.
  bool csvHidden = false;
  bool csvDisabled = false;
  bool printable = true;
  bool toolBarVisible = true;
  RadioInformation radioInfo{};
  // The one record kind the copy buffer pastes into; none: an empty buffer.
  std::optional<std::uint32_t> pasteKind;
  // The main menu's item of this cell id holds editMenuEntries entries.
  std::int32_t editMenuCellId = -1;
  int editMenuEntries = -1;
  std::intptr_t mainMenuHandle = 0;

  // --- what was asked -------------------------------------------------------
  int modifiedQueries = 0;
  int checkDelayStarts = 0;
  std::vector<ListEditRequest> listEdits;
  struct UseFromAll {
    int first, last;
    bool use;
    bool operator==(const UseFromAll&) const = default;
  };
  std::vector<UseFromAll> useFromAll;
  struct DialogCall {
    int kind;
    std::string field;   // the field as the selector got it
    std::string second;  // the second call sign, "" for none
  };
  std::vector<DialogCall> dialogCalls;
  // Every record the Repeater Setting dialog was given, as given.
  std::vector<datCh> repeaterCalls;
  std::vector<int> helpShown;

 private:
  cmcEeprom& image_;
};

}  // namespace kwtest
