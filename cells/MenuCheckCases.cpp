#include "cells/MenuCheckCases.h"

#include <cstdio>
#include <string>
#include <string_view>

#include "cells/CellCaseTable.h"
#include "cells/CellHost.h"
#include "cells/CheckScans.h"
#include "cells/MemoryDebugCases.h"
#include "cells/ListCellKit.h"
#include "cells/TextConverters.h"
#include "cells/ViewCuts.h"
#include "cells/indActiveCell.h"
#include "cells/names/CellNames.h"
#include "core/AppMessageBox.h"
#include "core/EventIds.h"
#include "core/HexText.h"
#include "core/TextTableChoice.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "core/dst_EtcData.h"
#include "core/indEnviron.h"
#include "model/ItemKinds.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "platform/MessageBoxService.h"
#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellObj.h"

namespace {

// One memory-channel check item per page of channels, then one for the
// call channels.
constexpr int kChannelsPerPage = 100;
constexpr int kMemoryPages = layout::kMemoryChannels / kChannelsPerPage;
static_assert(layout::kMemoryChannels % kChannelsPerPage == 0);

struct ChannelRange {
  int first;
  int count;
};

// Pages 0..9, then the call channels.
constexpr ChannelRange ChannelRangeOf(int page) {
  if (page < kMemoryPages) return {page * kChannelsPerPage, kChannelsPerPage};
  return {layout::kMemoryChannels, layout::kAllChannels - layout::kMemoryChannels};
}

bool Entered(const indActiveCell& ctx) { return ctx.Key() == cellop::kEnter; }

// OK and Cancel under the program's title, Cancel the default.
int AskLanguageChange(indActiveCell& ctx) {
  return MessageBoxCp932(
      ctx.capsule.owner, GetGTexLines(ctx.texts, "GI_Mess_Language_Change"),
      ctx.texts.GetFirst("GI_Sys_AppTitle"),
      platform::mb::OkCancel | platform::mb::IconWarning | platform::mb::DefButton2);
}

void ExitCase(indActiveCell& ctx) {
  if (Entered(ctx)) ctx.host.CloseMainForm();
}

// New, Open and Save act only while the main form shows: not behind the
// initial setup dialog.
void NewCase(indActiveCell& ctx) {
  if (Entered(ctx) && ctx.host.IsMainFormVisible()) ctx.host.NewFile();
}

void OpenCase(indActiveCell& ctx) {
  if (Entered(ctx) && ctx.host.IsMainFormVisible()) ctx.host.OpenFile();
}

void SaveCase(indActiveCell& ctx) {
  if (Entered(ctx) && ctx.host.IsMainFormVisible()) ctx.host.SaveFile(false);
}

void SaveAsCase(indActiveCell& ctx) {
  if (Entered(ctx)) ctx.host.SaveFile(true);
}

void CloneReadCase(indActiveCell& ctx) {
  if (Entered(ctx)) ctx.host.StartCloneRead();
}

void CloneWriteCase(indActiveCell& ctx) {
  if (Entered(ctx)) ctx.host.StartCloneWrite();
}

// The information dialog runs through its event, as the setup dialog's does.
void CloneInfoCase(indActiveCell& ctx) {
  if (Entered(ctx)) ctx.bus.Send(ev::CloneInfoConfirmed);
}

void CallSheetCase(indActiveCell& ctx) {
  if (!Entered(ctx) || !ctx.cell.bindingText || ctx.cell.bindingText->empty()) return;
  ctx.host.OpenSheet(*ctx.cell.bindingText);
}

CellCase ChannelCheck(ChannelRange range) {
  return [range](indActiveCell& ctx) {
    cmcEeprom& image = ctx.Image();
    const int last = range.first + range.count;
    ctx.MarkWarning(ScanMchRangeWarnings(image, range.first, last) != 0);
    ctx.MarkError(ScanMchRangeErrors(image, range.first, last) != 0);
  };
}

CellCase BankCheck(int bank) {
  return [bank](indActiveCell& ctx) {
    cmcEeprom& image = ctx.Image();
    ctx.MarkWarning(ScanBankRangeWarnings(image, bank, 0, layout::kBankSlots) != 0);
    ctx.MarkError(ScanBankRangeErrors(image, bank, 0, layout::kBankSlots) != 0);
  };
}

void ScanEdgeCheck(indActiveCell& ctx) {
  ctx.MarkWarning(ScanScanEdgeChecks(ctx.Image(), 0, layout::kScanEdges) != 0);
}

void YourCallCheck(indActiveCell& ctx) {
  cmcEeprom& image = ctx.Image();
  const int count = GetYourCallCount(image);
  if (count > 0) ctx.MarkWarning(ScanYourCallChecks(image, 0, count) != 0);
}

CellCase RepeaterGroupCheck(int group) {
  return [group](indActiveCell& ctx) {
    cmcEeprom& image = ctx.Image();
    const int count = GetRptGroupCount(image, group);
    if (count <= 0) return;
    const int first = GetRptGroupFirst(image, group);
    ctx.MarkWarning(ScanRptGroupChecks(image, first, first + count) != 0);
  };
}

// --- state flags --------------------------------------------------------------

void SetChecked(indActiveCell& ctx, bool on) { ctx.cell.SetUserFlag(userflag::kChecked, on); }
void SetDisabled(indActiveCell& ctx, bool on) { ctx.cell.SetUserFlag(userflag::kDisabled, on); }
void SetHidden(indActiveCell& ctx, bool on) { ctx.cell.SetUserFlag(userflag::kHidden, on); }

// --- File ---------------------------------------------------------------------

// The import and export items: their states for the open sheet on every
// call; Enter runs the command of an item that shows and is enabled.
CellCase CsvItem(bool import, bool allGroups, bool runs) {
  return [import, allGroups, runs](indActiveCell& ctx) {
    ctx.host.UpdateCsvMenuState(ctx.cell);
    if (!runs || !Entered(ctx)) return;
    if (ctx.cell.UserFlag(userflag::kHidden) || ctx.cell.UserFlag(userflag::kDisabled)) return;
    ctx.host.RunCsvCommand(import, allGroups);
  };
}

void PrintCurrentCase(indActiveCell& ctx) {
  const bool printable = ctx.host.CanPrintCurrent();
  SetDisabled(ctx, !printable);
  if (Entered(ctx) && printable) ctx.host.PrintCurrent();
}

void PrintAllCase(indActiveCell& ctx) {
  if (Entered(ctx)) ctx.host.ShowPrintAllDialog();
}

// Every '&' of a UTF-8 text doubled (no byte of a UTF-8 sequence is '&';
// the code page 932 doubling would take a trail byte for a lead byte).
std::string DoubleAmpersandsUtf8(std::string_view text) {
  std::string doubled;
  doubled.reserve(text.size() + 4);
  for (const char c : text) {
    doubled += c;
    if (c == '&') doubled += '&';
  }
  return doubled;
}

// Recent file item [index]: "&<index + 1> <name>", the name as shown bare
// in the document's folder, its '&'s doubled; the caption is a UTF-8 path.
// Items at or past the list's end are hidden and disabled and do nothing.
void RecentCase(indActiveCell& ctx) {
  cmcRecent& recent = ctx.settings.Recent;
  const int index = ctx.index;
  if (index < 0 || index >= recent.Count()) {
    SetHidden(ctx, true);
    SetDisabled(ctx, true);
    return;
  }
  const std::string shown = recent.GetDisplay(index, ctx.host.DataFolder());
  ctx.cell.SetCaption("&" + std::to_string(index + 1) + " " + DoubleAmpersandsUtf8(shown));
  ctx.cell.SetUserFlag(userflag::kCaptionReplaced, true);
  ctx.cell.SetUserFlag(userflag::kCaptionUtf8, true);
  if (Entered(ctx)) ctx.host.OpenDataFile(recent.GetName(index));
}

// --- Edit -----------------------------------------------------------------------

// An Edit menu without entries shows the "no item" entry.
void EditTopCase(indActiveCell& ctx) {
  if (ctx.host.MainMenuEntryCount(CL_Menu_Edit_Top) != 0) return;
  ctx.bus.PostStr(ev::SubmenuRebuild, ctx.host.MainMenuHandle(), CL_Menu_Edit_Top,
                  "GI_PMenu_NoItem");
}

// Never enabled; hidden under the main menu's Edit item once that item has
// other entries.
void NoItemCase(indActiveCell& ctx) {
  SetDisabled(ctx, true);
  SetHidden(ctx, ctx.host.MainMenuEntryCount(CL_Menu_Edit_Top) > 1);
}

// --- View -----------------------------------------------------------------------

CellCase ViewCutItem(int bit) {
  return [bit](indActiveCell& ctx) {
    SetChecked(ctx, viewcut::Shown(ctx.settings, bit));
    if (!Entered(ctx)) return;
    viewcut::Toggle(ctx, bit);
    SetChecked(ctx, viewcut::Shown(ctx.settings, bit));
  };
}

CellCase ViewCutState(int bit) {
  return [bit](indActiveCell& ctx) { SetChecked(ctx, viewcut::Shown(ctx.settings, bit)); };
}

// Font size [percentage]: the sheet is built again in the new size; what is
// being typed goes in first.
void FontSizeCase(indActiveCell& ctx) {
  if (Entered(ctx) && ctx.settings.FontSizePercentage != ctx.index) {
    ctx.bus.Send(ev::EndCellEditing, 0, 0);
    ctx.settings.FontSizePercentage = ctx.index;
    ctx.host.ReleaseSheet();
  }
  SetChecked(ctx, ctx.settings.FontSizePercentage == ctx.index);
}

// Language [0 English, 1 Japanese]: Japanese on a system of another language
// asks first (its fonts may lack the glyphs). The window is rebuilt once
// this menu command has returned.
void LanguageCase(indActiveCell& ctx) {
  if (Entered(ctx) && ctx.settings.Language != ctx.index) {
    const bool asks = ctx.index == 1 && !IsSystemJapanese();
    if (asks && AskLanguageChange(ctx) != platform::mb::IdOk) {
      SetChecked(ctx, ctx.settings.Language == ctx.index);
      return;
    }
    ctx.bus.Send(ev::EndCellEditing, 0, 0);
    ctx.settings.Language = ctx.index;
    ctx.host.PostLanguageChange();
  }
  SetChecked(ctx, ctx.settings.Language == ctx.index);
}

void ToolBarCase(indActiveCell& ctx) {
  if (Entered(ctx)) ctx.host.SetToolBarVisible();
  SetChecked(ctx, ctx.host.IsToolBarVisible());
}

// --- COM port, Clone, Option, Help ------------------------------------------------

void ComPortCase(indActiveCell& ctx) {
  if (Entered(ctx)) ctx.host.ShowComPortDialog();
}

// The adjustment item shows only with the (unstored) adjustment switch on;
// it has no command.
void AdjustCase(indActiveCell& ctx) {
  const bool off = ctx.settings.AdjustSwitch == 0;
  SetDisabled(ctx, off);
  SetHidden(ctx, off);
}

CellCase SwitchItem(std::int32_t indEnviron::*setting) {
  return [setting](indActiveCell& ctx) {
    std::int32_t& value = ctx.settings.*setting;
    if (Entered(ctx)) value = value != 0 ? 0 : 1;
    SetChecked(ctx, value != 0);
  };
}

void AboutCase(indActiveCell& ctx) {
  if (Entered(ctx)) ctx.host.ShowAbout();
}

void ContentsCase(indActiveCell& ctx) {
  if (Entered(ctx)) ctx.host.ShowHelp(-1);
}

// --- clone information -------------------------------------------------------------

constexpr const char* kDestinationNames[] = {
    "USA_A_0000", "EXP_0001", "XXX_0010", "XXX_0011", "XXX_0100", "EUR_0101",
    "XXX_0110",   "XXX_0111", "XXX_1000", "XXX_1001", "KOR_1010", "TPE_1011",
    "XXX_1100",   "XXX_1101", "ITR_1110", "JPN_1111",
};

// The digits are known to be hexadecimal.
unsigned long SerialPartValue(std::string_view digits) {
  unsigned long value = 0;
  for (const char c : digits) value = value * 16 + static_cast<unsigned long>(core::HexDigitValue(c));
  return value;
}

}  // namespace

std::string FormatSerialNumber(const RadioInformation& info) {
  const std::string_view serial(reinterpret_cast<const char*>(info.data()) + kRadioInfoSerialByte,
                                kRadioInfoSerialSize);
  for (const char c : serial)
    if (core::HexDigitValue(c) < 0) return " ";
  unsigned long parts[3];
  std::size_t at = 0;
  for (int i = 0; i < 3; ++i) {
    parts[i] = SerialPartValue(serial.substr(at, kRadioInfoSerialPartSizes[i]));
    at += kRadioInfoSerialPartSizes[i];
  }
  char text[64];
  std::snprintf(text, sizeof text, "%04lu%02lu%06lu", parts[0], parts[1], parts[2] % 1000000UL);
  return text;
}

std::string DestinationName(std::uint8_t code) {
  return code < std::size(kDestinationNames) ? kDestinationNames[code] : "Unknown";
}

namespace {

void SerialNumberCase(indActiveCell& ctx) {
  ctx.capsule.outputText = FormatSerialNumber(ctx.host.RadioInfo());
}

// Shown only: the radio's comment as it came.
void CloneCommentCase(indActiveCell& ctx) {
  RadioInformation info = ctx.host.RadioInfo();
  char* comment = reinterpret_cast<char*>(info.data()) + kRadioInfoCommentByte;
  EditFixedText(listcells::ConvertersFor(ctx), ctx.capsule,
                std::span<char>(comment, kRadioInfoCommentSize), ctx.status);
}

void DestinationCase(indActiveCell& ctx) {
  ctx.capsule.outputText = DestinationName(ctx.host.RadioInfo()[kRadioInfoDestinationByte]);
}

// A flag of the radio information as one of two words.
CellCase InfoFlag(std::size_t byte, std::uint8_t bit, const char* set, const char* clear) {
  return [=](indActiveCell& ctx) {
    ctx.capsule.outputText = (ctx.host.RadioInfo()[byte] & bit) != 0 ? set : clear;
  };
}

// --- context-menu item states ---------------------------------------------------------
//
// The frame has loaded the row the menu was opened on: its kind, list range
// and past flag; the row's index is that of the source cell.

constexpr std::uint32_t kHighestSelectHz = 550'000'000;
constexpr int kRowsPerHundred = 100;

std::int64_t RowIndex(const indActiveCell& ctx) {
  return ctx.sourceCell ? ctx.sourceCell->index : -1;
}

bool InKindRange(const indActiveCell& ctx, std::int64_t row) {
  return row >= datCh::KindMinChecked(ctx.kind) && row <= datCh::KindMaxChecked(ctx.kind);
}

bool IsListKind(std::uint32_t kind) {
  return kind == itemkind::kGpsMemory || kind == itemkind::kRepeater || kind == itemkind::kYourCall;
}

// The rows a carry may reach: the hundred-block of memory channels and bank
// slots (the call channels on their own), a list's range, else the kind's.
void CarryBounds(const indActiveCell& ctx, std::int64_t row, std::int64_t& first,
                 std::int64_t& last) {
  if (ctx.kind == itemkind::kChannel || ctx.kind == itemkind::kBankChannel) {
    if (ctx.kind == itemkind::kChannel && row >= layout::kMemoryChannels) {
      first = layout::kMemoryChannels;
      last = layout::kAllChannels - 1;
    } else {
      first = row >= 0 ? row / kRowsPerHundred * kRowsPerHundred : 0;
      last = first + kRowsPerHundred - 1;
    }
  } else if (IsListKind(ctx.kind)) {
    first = ctx.range.first;
    last = ctx.range.last;
  } else {
    first = datCh::KindMin(ctx.kind);
    last = datCh::KindMax(ctx.kind);
  }
}

void SelectRepeaterState(indActiveCell& ctx) {
  if (ctx.kind == itemkind::kChannel) {
    SetDisabled(ctx, !ctx.record.IsUsed());
  } else if (ctx.kind == itemkind::kBankChannel) {
    SetDisabled(ctx, !ctx.record.IsUsed() || ctx.record.freq > kHighestSelectHz);
  }
}

void CopyState(indActiveCell& ctx) {
  const std::int64_t row = RowIndex(ctx);
  SetDisabled(ctx, !InKindRange(ctx, row) || ctx.past);
}

void PasteState(indActiveCell& ctx) {
  const std::int64_t row = RowIndex(ctx);
  SetDisabled(ctx, ctx.kind == itemkind::kNone || !ctx.host.CanPaste(ctx.kind) ||
                       !InKindRange(ctx, row) || ctx.past);
}

CellCase CarryState(bool up) {
  return [up](indActiveCell& ctx) {
    const std::int64_t row = RowIndex(ctx);
    std::int64_t first = 0;
    std::int64_t last = 0;
    CarryBounds(ctx, row, first, last);
    SetDisabled(ctx, row == (up ? first : last));
  };
}

// Clear, Delete and Insert by the row's kind.
CellCase RowEditState(bool insert) {
  return [insert](indActiveCell& ctx) {
    const std::int64_t row = RowIndex(ctx);
    switch (ctx.kind) {
      case itemkind::kChannel:
        SetDisabled(ctx, row >= layout::kAllChannels || !InKindRange(ctx, row));
        return;
      case itemkind::kLinkPosition: SetDisabled(ctx, row % layout::kLinkPositions == 0); return;
      case itemkind::kGpsMemory:
      case itemkind::kRepeater:
      case itemkind::kYourCall: SetDisabled(ctx, !insert && ctx.past); return;
      default: SetDisabled(ctx, !InKindRange(ctx, row)); return;
    }
  };
}

}  // namespace

void RegisterMenuCheckCases(CellCaseTable& table) {
  RegisterMemoryDebugCases(table);
  table.Register(CL_Menu_File_New, NewCase);
  table.Register(CL_Menu_File_Open, OpenCase);
  table.Register(CL_Menu_File_Save, SaveCase);
  table.Register(CL_Menu_File_SaveAs, SaveAsCase);
  table.Register(CL_Menu_File_Exit, ExitCase);
  table.Register(CL_Menu_Clone_Read, CloneReadCase);
  table.Register(CL_Menu_Clone_Write, CloneWriteCase);
  table.Register(CL_Menu_Clone_Info, CloneInfoCase);
  table.Register(CallSheet, CallSheetCase);

  table.Register(CL_Menu_File_Import, CsvItem(true, false, true));
  table.Register(CL_Menu_File_Import_SubMenu, CsvItem(true, false, false));
  table.Register(CL_Menu_File_Import_SubMenu_All, CsvItem(true, true, true));
  table.Register(CL_Menu_File_Import_SubMenu_Grp, CsvItem(true, false, true));
  table.Register(CL_Menu_File_Import_SubMenu_Bank, CsvItem(true, false, true));
  table.Register(CL_Menu_File_Export, CsvItem(false, false, true));
  table.Register(CL_Menu_File_Export_SubMenu, CsvItem(false, false, false));
  table.Register(CL_Menu_File_Export_SubMenu_All, CsvItem(false, true, true));
  table.Register(CL_Menu_File_Export_SubMenu_Grp, CsvItem(false, false, true));
  table.Register(CL_Menu_File_Export_SubMenu_Bank, CsvItem(false, false, true));
  table.Register(CL_Menu_File_Print_Current, PrintCurrentCase);
  table.Register(CL_Menu_File_Print_All, PrintAllCase);
  table.Register(CL_Menu_File_Recent, RecentCase);
  table.Register(CL_Menu_Edit_Top, EditTopCase);
  for (int bit = 0; bit < viewcut::kGroupCount; ++bit) {
    table.Register(CL_Menu_View_Tone_Cut + bit, ViewCutItem(bit));
    table.Register(CL_PMenu_Tone_Cut + bit, ViewCutState(bit));
  }
  table.Register(CL_Menu_View_FontSize, FontSizeCase);
  table.Register(CL_Menu_View_Language, LanguageCase);
  table.Register(CL_Menu_View_ToolBar, ToolBarCase);
  table.Register(CL_Menu_Port_Usb, ComPortCase);
  table.Register(CL_Menu_Clone_Adj, AdjustCase);
  table.Register(CL_Menu_CallSign_RptDialog, SwitchItem(&indEnviron::RepeaterDialog));
  table.Register(CL_Menu_CallSign_AutoCorrect, SwitchItem(&indEnviron::AutoCorrect));
  table.Register(CL_Help_About, AboutCase);
  table.Register(CL_Help_Contents, ContentsCase);

  table.Register(CL_CloneInfo_Esn, SerialNumberCase);
  table.Register(CL_CloneInfo_Comment, CloneCommentCase);
  table.Register(CL_CloneInfo_Destination, DestinationCase);
  table.Register(CL_CloneInfo_Rx_Expansion,
                 InfoFlag(kRadioInfoFlagsByte, kRadioInfoRxExpansionBit, "Expansion", "Inhibit"));
  table.Register(CL_CloneInfo_VTx_Expansion,
                 InfoFlag(kRadioInfoTxByte, kRadioInfoVhfTxInhibitBit, "Inhibit", "Expansion"));
  table.Register(CL_CloneInfo_UTx_Expansion,
                 InfoFlag(kRadioInfoTxByte, kRadioInfoUhfTxInhibitBit, "Inhibit", "Expansion"));
  table.Register(CL_CloneInfo_FccInh,
                 InfoFlag(kRadioInfoFlagsByte, kRadioInfoFccInhibitBit, "Inhibit", "Normal"));
  table.Register(CL_CloneInfo_DvInh,
                 InfoFlag(kRadioInfoVariantByte, kRadioInfoDvInhibitBit, "Inhibit", "Normal"));

  table.Register(CL_PMenu_NoItem, NoItemCase);
  table.Register(CL_PMenu_Rpt_Set, SelectRepeaterState);
  table.Register(CL_PMenu_Copy, CopyState);
  table.Register(CL_PMenu_Paste, PasteState);
  table.Register(CL_PMenu_CarryUp, CarryState(true));
  table.Register(CL_PMenu_CarryDown, CarryState(false));
  table.Register(CL_PMenu_Clear, RowEditState(false));
  table.Register(CL_PMenu_Delete, RowEditState(false));
  table.Register(CL_PMenu_Insert, RowEditState(true));
  for (int page = 0; page <= kMemoryPages; ++page)
    table.Register(CL_Check_MemoryCH0 + page, ChannelCheck(ChannelRangeOf(page)));
  for (int bank = 0; bank < layout::kBankCount; ++bank)
    table.Register(CL_Check_BankCHA + bank, BankCheck(bank));
  table.Register(CL_Check_ScanEdge, ScanEdgeCheck);
  table.Register(CL_Check_URList, YourCallCheck);
  for (int group = 0; group < layout::kRptGroups; ++group)
    table.Register(CL_Check_RPTList0 + group, RepeaterGroupCheck(group));
}
