#include "app/AppCellHost.h"

#include <QAction>
#include <QMenu>
#include <QWidget>
#include <string>

#include "app/DocumentContext.h"
#include "app/ListEditCommands.h"
#include "app/MainFrame.h"
#include "app/cuiMain.h"
#include "app/indMain.h"
#include "model/cmcClipCh.h"
#include "sheet/cuiMenu.h"
#include "sheet/cuiSheet.h"

void AppCellHost::SetHelpCommands(HelpContext context, HelpShow show) {
  helpContext_ = std::move(context);
  helpShow_ = std::move(show);
}

cmcEeprom& AppCellHost::Image() { return controller_.Image(); }

bool AppCellHost::IsModified() { return controller_.IsModified(); }

void AppCellHost::StartCheckDelay() { controller_.StartCheckDelay(); }

int AppCellHost::DateOrder() { return static_cast<int>(controller_.GetDateOrder()); }

bool AppCellHost::RunListEdit(const ListEditRequest& request, cmcCellCapsule& capsule,
                              datCh& record) {
  DocumentContext document = controller_.Context();
  switch (request.list) {
    case ListEditRequest::List::Plain:
      ExecListEditCommand(document, request.command, capsule, record, request.first, request.last);
      break;
    case ListEditRequest::List::Group:
      ExecListEditCommandEx(document, request.command, capsule, record, request.first, request.last,
                            request.group);
      break;
    case ListEditRequest::List::Bank:
      ExecBankEditCommand(document, request.command, capsule, record, request.bank, request.first,
                          request.last);
      break;
  }
  return true;
}

bool AppCellHost::SetRepeaterUseFromAll(int first, int last, bool use) {
  DocumentContext document = controller_.Context();
  return ::SetRepeaterUseFromAll(document, first, last, use);
}

std::optional<bool> AppCellHost::RunCallSignDialog(cmcCellCapsule& capsule, int kind,
                                                   CallSignField& field,
                                                   const CallSignField* second) {
  if (!callSignDialog_) return std::nullopt;
  return callSignDialog_(capsule, kind, field, second);
}

std::optional<bool> AppCellHost::RunRepeaterDialog(cmcCellCapsule& capsule, datCh& record) {
  if (!repeaterDialog_) return std::nullopt;
  return repeaterDialog_(capsule, record);
}

std::optional<int> AppCellHost::GetHelpIds(const cmcCellObj& cell) {
  if (!helpContext_ || !helpShow_) return std::nullopt;
  return helpContext_(cell);
}

void AppCellHost::ShowHelp(int context) {
  if (helpShow_) helpShow_(context);
}

const cmcEeprom* AppCellHost::InitialImage() { return &controller_.InitialImage(); }

const cmcEeprom* AppCellHost::CompareImage() { return &controller_.CompareImage(); }

std::string AppCellHost::VersionText() { return controller_.VersionText(); }

std::string AppCellHost::YearsText() { return controller_.YearsText(); }

void AppCellHost::OpenSheet(std::string_view reference) {
  controller_.OpenSheet(std::string(reference));
}

void AppCellHost::CloseMainForm() {
  if (QWidget* form = controller_.MainForm()) form->close();
}

bool AppCellHost::IsMainFormVisible() {
  const QWidget* form = controller_.MainForm();
  return form && form->isVisible();
}

void AppCellHost::NewFile() { controller_.NewFile(); }

void AppCellHost::OpenFile() { controller_.OpenFile(); }

void AppCellHost::SaveFile(bool askName) { controller_.Save(askName || controller_.IsUntitled()); }

void AppCellHost::StartCloneRead() { controller_.StartCloneRead(); }

void AppCellHost::StartCloneWrite() { controller_.StartCloneWrite(); }

void AppCellHost::OpenDataFile(const std::string& path) {
  if (!path.empty()) controller_.OpenIcfFile(path);
}

std::string AppCellHost::DataFolder() { return controller_.DefaultFolder(); }

void AppCellHost::UpdateCsvMenuState(cmcCellObj& cell) { controller_.UpdateCsvMenuState(cell); }

void AppCellHost::RunCsvCommand(bool import, bool allGroups) {
  if (import) {
    controller_.ImportCsvFile(allGroups);
  } else {
    controller_.ExportCsvFile(allGroups);
  }
}

bool AppCellHost::CanPrintCurrent() {
  const cuiSheet* sheet = controller_.CurrentSheet();
  return sheet && sheet->IsPrintable();
}

void AppCellHost::PrintCurrent() { controller_.PrintCurrent(); }

void AppCellHost::ShowPrintAllDialog() { controller_.ShowPrintAllDialog(); }

// The next build of the page takes the new font's default widths.
void AppCellHost::ReleaseSheet() {
  controller_.SetRebuildFlag(true);
  controller_.ReleaseSheet();
}

bool AppCellHost::IsToolBarVisible() { return controller_.ToolBarVisible(); }

void AppCellHost::SetToolBarVisible() { controller_.SetToolBarVisible(); }

void AppCellHost::PostLanguageChange() {
  if (auto* radio = dynamic_cast<indMain*>(&controller_)) radio->PostEvent31();
}

void AppCellHost::ShowComPortDialog() { controller_.ShowComPortDialog(); }

void AppCellHost::ShowAbout() { controller_.ShowAbout(); }

RadioInformation AppCellHost::RadioInfo() { return controller_.RadioInfo(); }

bool AppCellHost::CanPaste(std::uint32_t kind) { return controller_.ClipBuffer().CanPaste(kind); }

int AppCellHost::MainMenuEntryCount(std::int32_t cellId) {
  const MainFrame* window = controller_.Window();
  const cuiMenu* menu = window ? window->Menu() : nullptr;
  const QAction* item = menu ? menu->FindItemByCellId(cellId) : nullptr;
  if (!item) return -1;
  return item->menu() ? static_cast<int>(item->menu()->actions().size()) : 0;
}

std::intptr_t AppCellHost::MainMenuHandle() {
  const MainFrame* window = controller_.Window();
  return window ? reinterpret_cast<std::intptr_t>(window->Menu()) : 0;
}
