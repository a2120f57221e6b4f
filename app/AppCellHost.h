#pragma once
// The main controller's side of the cell handler's host interface: the
// document's current image, its modified state and delayed warning check
// come from the controller, the list edit commands run on the controller's
// document; the call-sign selector and the help commands are registered by
// the parts of the program that provide them. Until one is registered the
// host answers "not available" and the cell handler does nothing for the
// request that needed it.
//
// The controller must outlive the host.
#include <functional>

#include "cells/CellHost.h"

class cuiMain;

class AppCellHost final : public CellHost {
 public:
  using CallSignDialog = std::function<bool(cmcCellCapsule& capsule, int kind, CallSignField& field,
                                            const CallSignField* second)>;
  using RepeaterDialog = std::function<bool(cmcCellCapsule& capsule, datCh& record)>;
  using HelpContext = std::function<int(const cmcCellObj& cell)>;
  using HelpShow = std::function<void(int context)>;

  explicit AppCellHost(cuiMain& controller) : controller_(controller) {}

  // Registration; an empty closure takes the part away again.
  void SetCallSignDialog(CallSignDialog dialog) { callSignDialog_ = std::move(dialog); }
  // The Repeater Setting dialog, registered like the selector.
  void SetRepeaterDialog(RepeaterDialog dialog) { repeaterDialog_ = std::move(dialog); }
  void SetHelpCommands(HelpContext context, HelpShow show);

  cmcEeprom& Image() override;
  bool IsModified() override;
  void StartCheckDelay() override;
  int DateOrder() override;
  bool RunListEdit(const ListEditRequest& request, cmcCellCapsule& capsule, datCh& record) override;
  bool SetRepeaterUseFromAll(int first, int last, bool use) override;
  std::optional<bool> RunCallSignDialog(cmcCellCapsule& capsule, int kind, CallSignField& field,
                                        const CallSignField* second) override;
  std::optional<bool> RunRepeaterDialog(cmcCellCapsule& capsule, datCh& record) override;
  std::optional<int> GetHelpIds(const cmcCellObj& cell) override;
  void ShowHelp(int context) override;
  const cmcEeprom* InitialImage() override;
  const cmcEeprom* CompareImage() override;
  std::string VersionText() override;
  std::string YearsText() override;
  void OpenSheet(std::string_view reference) override;
  void CloseMainForm() override;
  bool IsMainFormVisible() override;
  void NewFile() override;
  void OpenFile() override;
  void SaveFile(bool askName) override;
  void StartCloneRead() override;
  void StartCloneWrite() override;
  void OpenDataFile(const std::string& path) override;
  std::string DataFolder() override;
  void UpdateCsvMenuState(cmcCellObj& cell) override;
  void RunCsvCommand(bool import, bool allGroups) override;
  bool CanPrintCurrent() override;
  void PrintCurrent() override;
  void ShowPrintAllDialog() override;
  void ReleaseSheet() override;
  void PostLanguageChange() override;
  bool IsToolBarVisible() override;
  void SetToolBarVisible() override;
  void ShowComPortDialog() override;
  void ShowAbout() override;
  RadioInformation RadioInfo() override;
  bool CanPaste(std::uint32_t kind) override;
  int MainMenuEntryCount(std::int32_t cellId) override;
  std::intptr_t MainMenuHandle() override;

 private:
  cuiMain& controller_;
  CallSignDialog callSignDialog_;
  RepeaterDialog repeaterDialog_;
  HelpContext helpContext_;
  HelpShow helpShow_;
};
