#include "app/CsvCommands.h"

#include <QFileInfo>

#include "app/cuiMain.h"
#include "core/AppMessageBox.h"
#include "core/EventIds.h"
#include "core/TextTableChoice.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "core/indEnviron.h"
#include "model/cmcEeprom.h"
#include "model/csv/CsvExport.h"
#include "model/csv/CsvImport.h"
#include "model/csv/CsvMenuState.h"
#include "platform/FileDialogService.h"
#include "platform/MessageBoxService.h"
#include "sheet/cmcCellObj.h"
#include "cells/names/CellNames.h"

namespace {

constexpr const char* kTitleKey = "GI_Sys_AppTitle";
constexpr const char* kDialogKey = "GI_Sys_Dialog_FExport";

void Box(QObject* owner, cmcGTex& texts, const std::string& text, unsigned flags) {
  MessageBoxCp932(owner, text, texts.GetFirst(kTitleKey), flags);
}

void LinesBox(QObject* owner, cmcGTex& texts, const char* key) {
  Box(owner, texts, GetGTexLines(texts, key), platform::mb::Ok | platform::mb::IconWarning);
}

void FileErrorBox(QObject* owner, cmcGTex& texts, const char* key) {
  Box(owner, texts, texts.GetFirst("GI_Mess_FileErr_Headline") + "\n\n" + texts.GetFirst(key),
      platform::mb::Ok | platform::mb::IconWarning);
}

// The CSV file dialog: the table's extension and filter, the data folder.
platform::FileDialogResult RunCsvDialog(platform::FileDialogRequest::Kind kind,
                                        const std::string& folder, cmcGTex& texts,
                                        QObject* owner) {
  platform::FileDialogRequest request;
  request.kind = kind;
  request.folder = QString::fromStdString(folder);
  request.filter = QString::fromStdString(texts.GetText(kDialogKey, 1));
  request.defaultExtension = QString::fromStdString(texts.GetText(kDialogKey, 0));
  request.owner = owner;
  return platform::FileDialogs().Run(request);
}

std::string FolderOf(const QString& path) {
  return QFileInfo(path).absolutePath().toStdString();
}

}  // namespace

void ShowCsvImportResult(QObject* owner, cmcGTex& texts, const CsvImportResult& r) {
  const bool grouped = r.grouped;
  if (r.stored == 0) {
    LinesBox(owner, texts, grouped ? "GI_Mess_ImportGps_NoData" : "GI_Mess_Import_NoData");
    return;
  }
  if (r.noSpace)
    LinesBox(owner, texts, grouped ? "GI_Mess_ImportGps_NoChSpace" : "GI_Mess_Import_NoChSpace");
  if (r.discarded != 0)
    LinesBox(owner, texts, grouped ? "GI_Mess_ImportGps_Discard" : "GI_Mess_Import_Discard");
  if (r.corrected != 0)
    LinesBox(owner, texts, grouped ? "GI_Mess_ImportGps_Correct" : "GI_Mess_Import_Correct");
}

CsvContext cuiMain::MakeCsvContext() {
  CsvContext ctx{Choices(), bus_, texts_, CsvSeparator(), CsvDecimal(),
                 static_cast<int>(GetDateOrder()), DateSeparator(), IsJapaneseUi(settings_),
                 {}};
  // The short date format's separator, unless it would split the field.
  if (ctx.dateSeparator == ctx.separator) ctx.dateSeparator = '/';
  QObject* owner = MainForm();
  ctx.keepUseFrom = [this, owner] {
    return MessageBoxCp932(owner, GetGTexLines(texts_, "GI_Mess_Import_RptStatusKeep"),
                           texts_.GetFirst(kTitleKey),
                           platform::mb::YesNo | platform::mb::IconWarning) == platform::mb::IdYes;
  };
  return ctx;
}

void cuiMain::SetDataFolder(const std::string& folder) {
  SetDefaultFolder(folder);
  settings_.CurrentDirectory = folder;
}

bool cuiMain::ExportCsvFile(bool allGroups) {
  const csv::CsvTarget target = csv::ConfirmCsvImport(GetCurrentSheetNumber(), allGroups);
  if (target.sheet.itemKind == 0) return true;
  const platform::FileDialogResult chosen =
      RunCsvDialog(platform::FileDialogRequest::Kind::Save, DefaultFolder(), texts_, MainForm());
  if (!chosen.accepted) return true;
  NormalizeImage(Image());
  switch (csv::WriteCsvFile(chosen.path.toStdString(), Image(), target, MakeCsvContext())) {
    case csv::WriteResult::kCannotCreate:
      FileErrorBox(MainForm(), texts_, "GI_Mess_FileErr_FileOpen");
      return true;
    case csv::WriteResult::kCannotWrite:
      FileErrorBox(MainForm(), texts_, "GI_Mess_FileErr_FileAccess");
      return true;
    case csv::WriteResult::kDone: break;
  }
  SetDataFolder(FolderOf(chosen.path));
  return false;
}

bool cuiMain::ImportCsvFile(bool allGroups) {
  bus_.Post(ev::EndCellEditing);
  const csv::CsvTarget target = csv::ConfirmCsvImport(GetCurrentSheetNumber(), allGroups);
  if (!csv::IsImportable(target.list) || target.sheet.itemKind == 0) return true;
  const platform::FileDialogResult chosen =
      RunCsvDialog(platform::FileDialogRequest::Kind::Open, DefaultFolder(), texts_, MainForm());
  if (!chosen.accepted) return true;

  bool imported = false;
  if (MessageBoxCp932(MainForm(), GetGTexLines(texts_, target.questionKey),
                      texts_.GetFirst(kTitleKey),
                      platform::mb::OkCancel | platform::mb::IconWarning) == platform::mb::IdOk) {
    const CsvImportResult result = csv::ReadCsvFile(chosen.path.toStdString(), Image(),
                                                    InitialImage(), target, MakeCsvContext());
    switch (result.status) {
      case CsvImportResult::Status::kOpenError:
        LinesBox(MainForm(), texts_, "GI_Mess_Import_OpenErr");
        break;
      case CsvImportResult::Status::kHeaderError:
        LinesBox(MainForm(), texts_, "GI_Mess_Import_TitleErr");
        break;
      case CsvImportResult::Status::kDone:
        imported = true;
        if (result.changed) SetModified();
        SetDataFolder(FolderOf(chosen.path));
        ShowCsvImportResult(MainForm(), texts_, result);
        break;
    }
  }
  NormalizeImage(Image());
  return !imported;
}

void cuiMain::UpdateCsvMenuState(cmcCellObj& cell) {
  csv::MenuItem item;
  switch (cell.cellId) {
    case CL_Menu_File_Import: item = csv::MenuItem::kImport; break;
    case CL_Menu_File_Import_SubMenu: item = csv::MenuItem::kImportSubMenu; break;
    case CL_Menu_File_Import_SubMenu_All: item = csv::MenuItem::kImportAll; break;
    case CL_Menu_File_Import_SubMenu_Grp: item = csv::MenuItem::kImportGroup; break;
    case CL_Menu_File_Import_SubMenu_Bank: item = csv::MenuItem::kImportBank; break;
    case CL_Menu_File_Export: item = csv::MenuItem::kExport; break;
    case CL_Menu_File_Export_SubMenu: item = csv::MenuItem::kExportSubMenu; break;
    case CL_Menu_File_Export_SubMenu_All: item = csv::MenuItem::kExportAll; break;
    case CL_Menu_File_Export_SubMenu_Grp: item = csv::MenuItem::kExportGroup; break;
    case CL_Menu_File_Export_SubMenu_Bank: item = csv::MenuItem::kExportBank; break;
    default:
      cell.SetUserFlag(userflag::kHidden, false);
      cell.SetUserFlag(userflag::kDisabled, false);
      return;
  }
  const csv::MenuFlags flags = csv::CsvMenuState(Image(), GetCurrentSheetNumber(), item);
  cell.SetUserFlag(userflag::kHidden, flags.hidden);
  cell.SetUserFlag(userflag::kDisabled, flags.disabled);
}
