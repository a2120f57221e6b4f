#pragma once
// A cell handler host for tests: the image is the test's own, the modified
// state and the warning-check restarts are counted, list edit commands and
// repeater-use requests are recorded (and do nothing), the call-sign
// selector and the Repeater Setting dialog answer from a script and record
// what they were asked, help is recorded. The dialogs and help are "not
// available" until the test scripts them, as in a program that lacks them.
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
