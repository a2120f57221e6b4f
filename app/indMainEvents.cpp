// The TR-3700 controller's answers to the bus's events: list names to the
// tree, the language switch, reopening a sheet, the destination check after
// an identification, the reset behind the setup dialog and the bank table
// after list edits.
#include <string>

#include "app/MainFrame.h"
#include "app/indMain.h"
#include "app/iuiTree.h"
#include "core/AppMessageBox.h"
#include "core/EventIds.h"
#include "core/TextTableChoice.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "core/indEnviron.h"
#include "model/GroupLabels.h"
#include "model/LayoutFixedAreas.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/SheetNumbers.h"
#include "model/cmcClipCh.h"
#include "model/cmcEeprom.h"
#include "platform/MessageBoxService.h"
#include "sheet/cmcCellObj.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiSheet.h"

namespace {

// Destination apply: settings, initial image, tree and sheet.
constexpr int kApplyWhole = 2;

}  // namespace

void indMain::PostEvent31() { bus_.Post(ev::LanguageChanged); }

void indMain::PostListNames() {
  MainFrame* window = Window();
  if (!window || !window->Tree()) return;
  // A hidden form (behind the setup dialog) opens its page when it shows:
  // the tick does that then.
  if (!CurrentSheet() && MainFormVisible()) RunSelectedNode();
  const cmcEeprom& image = Image();
  for (int i = 0; i < layout::kBankCount; ++i) {
    const int page = sheetno::kFirstBank + i;
    bus_.PostStr(ev::RenameTreeNode, 0, page, FormatBankNameLabel(image, page, false));
  }
  for (int i = 0; i < layout::kGpsGroupNameCount; ++i)
    bus_.PostStr(ev::RenameTreeNode, 0, sheetno::kFirstNamedGpsGroup + i,
                 FormatGpsBankNameLabel(image, i, false));
  for (int i = 0; i < layout::kLinks; ++i)
    bus_.PostStr(ev::RenameTreeNode, 0, sheetno::kFirstLink + i,
                 FormatSheetNameLabel51(image, i, false));
  for (int i = 0; i < layout::kRptGroups; ++i)
    bus_.PostStr(ev::RenameTreeNode, 0, sheetno::kFirstRepeaterGroup + i,
                 FormatGroupNameLabel(image, i, false));
}

void indMain::PostLinkName(std::intptr_t list) {
  if (list < 0 || list >= layout::kLinks) return;
  const int entry = static_cast<int>(list);
  bus_.PostStr(ev::RenameTreeNode, 0, sheetno::kFirstLink + entry,
               FormatSheetNameLabel51(Image(), entry, false));
}

void indMain::SwitchLanguage() {
  // Nothing may still point into the old table or cache: the editor, the
  // popups and the sheet go first.
  bus_.Send(ev::EndCellEditing);
  CloseSheet();
  SetRebuildFlag(true);
  SelectTextLanguage();
  RenewChoices();
  if (MainFrame* window = Window()) {
    window->RebuildBars();
    bus_.Send(ev::RefreshToolBar);
  }
  // The new tree selects node 0 and names the lists, which opens its page.
  BuildTree();
  UpdateTitle();
}

void indMain::ReopenSheet(bool select, std::intptr_t index) {
  cuiSheet* sheet = CurrentSheet();
  if (!sheet) return;
  std::int32_t category = CT_None;
  std::int32_t cellId = CL_None;
  std::int32_t cellIndex = 0;
  if (const cuiGrid* grid = sheet->Grid(); grid && sheet->InTable(grid->Col(), grid->Row())) {
    const cmcCellObj* cell = sheet->GetCell(grid->Col(), grid->Row());
    category = cell->category;
    cellId = cell->cellId;
    cellIndex = cell->index;
  }
  // A copy: opening the page deletes the sheet that holds the title.
  const std::string reference = sheet->GetTitle();
  OpenSheet(reference);
  if (!select) return;
  if (cuiSheet* reopened = CurrentSheet())
    reopened->FindCell(category, cellId, index == 0 ? cellIndex : static_cast<std::int32_t>(index));
}

void indMain::CheckRadioDestination(bool forRead) {
  const RadioInformation info = RadioInfo();
  if (info[kRadioInfoLengthByte] < kRadioInformationSize) return;  // no identification yet
  // Codes above 15 name no band plan; the settings could not keep them.
  if (info[kRadioInfoDestinationByte] >= dst_EtcData::kNoDestination) return;
  const bool same = Settings().CompareDest(info) == 0;
  if (!same && MainFormVisible() && !ConfirmModelChange(forRead)) return;
  const std::uint8_t flags = info[kRadioInfoFlagsByte];
  const std::uint8_t second = (flags & kRadioInfoFirstFlagBit) ? 1 : 0;
  const std::uint8_t third = (flags & kRadioInfoSecondFlagBit) ? 1 : 0;
  if (forRead) {
    // Nothing of the document or the settings changes before the data is
    // in: a read failing later leaves both as they were.
    if (!same) ApplyDestination(info, kApplyWhole, true);
    CloneDestination().secondFlag = second;
    CloneDestination().thirdFlag = third;
    return;
  }
  // The flags first: the initial image rebuilt for the destination takes
  // the second flag.
  Settings().EtcData.secondFlag = second;
  Settings().EtcData.thirdFlag = third;
  if (!same) ApplyDestination(info, kApplyWhole, false);
}

bool indMain::ConfirmModelChange(bool forRead) {
  const int answer = AppMessageBox(
      MainForm(), ToDisplayText(GetGTexLines(Texts(), "GI_AppMess_ChangeModel")),
      ToDisplayText(Texts().GetFirst("GI_Sys_AppTitle")),
      platform::mb::OkCancel | platform::mb::IconWarning | platform::mb::DefButton2);
  if (answer != platform::mb::IdOk) return false;
  if (forRead) return true;
  if (ConfirmSaveChanges(false) == platform::mb::IdCancel) return false;
  if (!IsUntitled() || IsModified()) {
    // The document no longer matches its file: it is kept as a new one.
    SetModified();
    SetFileName("");
    ClipBuffer().Clear();
  }
  return true;
}

void indMain::ResetHiddenDocument() {
  if (MainFormVisible()) return;
  ResetImageToInitial();
  ClearModified();
}
