// The file commands: New, Open, Save and Save As of the document, and the
// TR-3700's data-file open. Files are read and written on copies
// (app/DataFileRead.h, app/DataFileSave.h); the document, the settings and
// the recent list change only once a file was read or written whole.
#include <QFileInfo>
#include <QGuiApplication>
#include <algorithm>
#include <string>

#include "app/DataFileRead.h"
#include "app/DataFileSave.h"
#include "app/cuiMain.h"
#include "app/indMain.h"
#include "core/AppMessageBox.h"
#include "core/EventIds.h"
#include "core/TextTableChoice.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "core/indEnviron.h"
#include "model/MemMapConvert.h"
#include "model/MemMapRevision.h"
#include "model/cmcClipCh.h"
#include "model/cmcEeprom.h"
#include "platform/FileDialogService.h"
#include "platform/MessageBoxService.h"

namespace {

constexpr int kCurrentFileRevision = 3;

// The wait cursor while a file is read or written (nothing without a GUI).
class FileWaitCursor {
 public:
  FileWaitCursor() : shown_(qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    if (shown_) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  }
  ~FileWaitCursor() {
    if (shown_) QGuiApplication::restoreOverrideCursor();
  }
  FileWaitCursor(const FileWaitCursor&) = delete;
  FileWaitCursor& operator=(const FileWaitCursor&) = delete;

 private:
  bool shown_;
};

QString FileCommandText(cmcGTex& texts, std::string_view key, int n = 0) {
  return ToDisplayText(texts.GetText(key, n));
}

// A message of several lines (the key's values up to the list end).
QString FileMessage(cmcGTex& texts, std::string_view key) {
  return ToDisplayText(GetGTexLines(texts, key));
}

QString PathText(const std::string& path) { return QString::fromStdString(path); }

// A file name fills "%s" as a path, never through code page 932.
QString WithFileName(QString text, const QString& fileName) {
  if (const qsizetype at = text.indexOf(QLatin1String("%s")); at >= 0)
    text.replace(at, 2, fileName);
  return text;
}

std::string FolderOfFile(const std::string& path) {
  return QFileInfo(PathText(path)).absolutePath().toStdString();
}

}  // namespace

void cuiMain::NewFile() {
  if (ConfirmSaveChanges(false) == platform::mb::IdCancel) return;
  documentRevision_ = kCurrentRevision;
  ResetImageToInitial();
  ClearModified();
  SetFileName("");
  CloseSheet();
  bus_.Send(ev::ListNamesChanged);
}

void cuiMain::OpenFile() {
  bus_.Post(ev::EndCellEditing);
  platform::FileDialogRequest request;
  request.kind = platform::FileDialogRequest::Kind::Open;
  request.folder = PathText(defaultFolder_);
  request.filter = FileCommandText(texts_, "GI_Sys_Dialog_FOpen", 1);
  request.defaultExtension = FileCommandText(texts_, "GI_Sys_Dialog_FOpen", 0);
  request.owner = form_.data();
  const platform::FileDialogResult chosen = platform::FileDialogs().Run(request);
  if (chosen.accepted) OpenIcfFile(chosen.path.toStdString());
}

int cuiMain::Save(bool asDialog) {
  // An untitled document has no name to save under.
  asDialog = asDialog || IsUntitled();
  int result = 1;
  do {
    result = asDialog ? SaveAs()
                      : SaveToFile(GetSaveFileName(), static_cast<int>(documentRevision_));
    asDialog = true;
  } while (result == -1);
  return result;
}

int cuiMain::SaveAs() {
  platform::FileDialogRequest request;
  request.kind = platform::FileDialogRequest::Kind::Save;
  request.folder = PathText(defaultFolder_);
  request.fileName = QFileInfo(PathText(GetSaveFileName())).fileName();
  request.filter = FileCommandText(texts_, "GI_Sys_Dialog_FSave", 1);
  request.filterIndex = MemMapRevisionPos(static_cast<int>(documentRevision_));
  request.defaultExtension = FileCommandText(texts_, "GI_Sys_Dialog_FSave", 0);
  request.owner = form_.data();
  const platform::FileDialogResult chosen = platform::FileDialogs().Run(request);
  if (!chosen.accepted) return 1;
  return SaveToFile(chosen.path.toStdString(), MemMapRevisionAt(chosen.filterIndex));
}

int cuiMain::SaveToFile(const std::string& name, int revision) {
  bus_.Post(ev::EndCellEditing);
  if (revision < 1 || revision > kCurrentFileRevision) revision = kCurrentFileRevision;
  const QString title = FileCommandText(texts_, "GI_Sys_AppTitle");
  const savefile::PassContext passes{*initial_, SettingsDestination(),
                                     settings_.EtcData.secondFlag != 0};
  if (revision != kCurrentFileRevision) {
    // The question says what the old format cannot hold before it is lost.
    const OldLayoutLoss loss = savefile::PredictOldLayoutLoss(*image_, passes, revision);
    QString question = FileMessage(texts_, "GI_Mess_SaveOldMapRev");
    question = WithFileName(question, QString::fromLatin1(MemMapRevisionName(revision)));
    question += ToDisplayText(savefile::OldLayoutLossText(texts_, loss));
    const int answer =
        AppMessageBox(form_.data(), question, title,
                      platform::mb::YesNoCancel | platform::mb::IconWarning | platform::mb::DefButton2);
    if (answer == platform::mb::IdCancel) return 1;
    if (answer == platform::mb::IdNo) return -1;
  }

  int errors = 0;
  int warnings = 0;
  RunWarningCheck(&errors, &warnings);
  bool digest = true;
  bool correct = false;
  if (errors > 0) {
    AppMessageBox(form_.data(), FileMessage(texts_, "GI_Mess_Confirm_ErrMark"), title,
                  platform::mb::Ok | platform::mb::IconWarning);
    digest = false;
  } else if (warnings > 0) {
    const int answer =
        AppMessageBox(form_.data(), FileMessage(texts_, "GI_Mess_Confirm_WarnMark"), title,
                      platform::mb::YesNo | platform::mb::IconWarning | platform::mb::DefButton2);
    correct = answer == platform::mb::IdYes;
    digest = correct;
  }

  // Normalised and corrected on a copy: a failed write leaves the document
  // exactly as it was.
  cmcEeprom document = *image_;
  NormalizeImage(document);
  if (correct) CorrectMarkedSettings(document, true);
  cmcEeprom fileImage = savefile::FileImageFor(document, revision);
  savefile::DataFileSpec spec;
  spec.model = model_.modelWord1;
  spec.subCode = model_.modelWord2;
  spec.key = model_.key;
  spec.digest = digest;
  spec.destination = settings_.EtcData;
  spec.revision = revision;
  spec.writeFault = writeFault_;
  {
    FileWaitCursor wait;
    if (savefile::WriteDataFile(name, fileImage, spec) != 0) return 1;
  }
  AdoptSavedImage(name, revision, document, fileImage);
  return 0;
}

void cuiMain::AdoptSavedImage(const std::string& name, int revision, cmcEeprom& document,
                              const cmcEeprom& fileImage) {
  if (revision != kCurrentFileRevision) {
    // The document becomes what the file holds: what the old layout cannot
    // hold is gone, as it would be after opening the file.
    cmcEeprom back;
    MemMapConvertImage(back, fileImage, kCurrentFileRevision, revision);
    image_->Fill(0xFF);
    image_->SetBlock(0, back.Data(), std::min(back.GetSize(), image_->GetSize()));
    AfterImageLoad(*image_);
    bus_.Post(ev::CellsRefreshAll);
    bus_.Send(ev::ListNamesChanged);
    bus_.Send(ev::ReopenSheet);
  } else {
    *image_ = document;
    // The copy's bank table follows its channels.
    bus_.Send(ev::DocumentEdited);
  }
  defaultFolder_ = FolderOfFile(name);
  settings_.CurrentDirectory = defaultFolder_;
  settings_.Recent.AddTop(name);
  documentRevision_ = static_cast<std::uint32_t>(revision);
  SetFileName(name);
  ClearModified();
}

int indMain::OpenIcfFile(const std::string& name) {
  if (ConfirmSaveChanges(name != FileName()) == platform::mb::IdCancel) return 1;
  DataFileContent file;
  {
    FileWaitCursor wait;
    if (ReadDataFileChecked(name, Model().modelWord1, Model().modelWord2, file) != 0) return 1;
  }

  // A file saved before the setup names no destination (16): it never
  // replaces the user's; its data is loaded for the destination in force.
  bool keepName = true;
  const dst_EtcData& settings = Settings().EtcData;
  const bool fileHasDestination = file.destination.destination < dst_EtcData::kNoDestination;
  const bool settingsHaveDestination = settings.destination < dst_EtcData::kNoDestination;
  if (!fileHasDestination && settingsHaveDestination) {
    keepName = false;
  } else if (Settings().CompareEtcData(file.destination) != 0) {
    const int answer = AppMessageBox(
        MainForm(), FileMessage(Texts(), "GI_AppMess_ChangeModel_ICF"),
        FileCommandText(Texts(), "GI_Sys_AppTitle"),
        platform::mb::YesNoCancel | platform::mb::IconWarning | platform::mb::DefButton2);
    if (answer == platform::mb::IdCancel) return 1;
    if (answer == platform::mb::IdYes) {
      ApplyDestinationOnly(file.image, file.destination, 2);
    } else {
      keepName = false;
    }
  }
  if (!keepName) NormalizeImage(file.image);

  SetDefaultFolder(FolderOfFile(name));
  Settings().CurrentDirectory = DefaultFolder();
  Settings().Recent.AddTop(name);
  SetDocumentRevision(static_cast<std::uint32_t>(file.revision));
  Image() = file.image;
  AfterImageLoad(Image());
  SetFileName(keepName ? name : std::string());
  if (keepName) {
    ClearModified();
  } else {
    SetModified();
  }
  CloseSheet();
  bus_.Send(ev::ListNamesChanged);
  return 0;
}

int indMain::LoadInitialData(const std::string& name) {
  DataFileContent file;
  {
    FileWaitCursor wait;
    if (ReadDataFileChecked(name, Model().modelWord1, Model().modelWord2, file, true) != 0)
      return 1;
  }
  // Only the file's destination and flags are taken, the flags first: the
  // initial image built for the destination reads the second one.
  Settings().EtcData.secondFlag = file.destination.secondFlag;
  Settings().EtcData.thirdFlag = file.destination.thirdFlag;
  ApplyDestinationOnly(file.image, file.destination, 2);
  ResetImageToInitial();
  SetDocumentRevision(kCurrentRevision);
  SetFileName("");
  ClearModified();
  SetDefaultFolder(FolderOfFile(name));
  Settings().CurrentDirectory = DefaultFolder();
  bus_.Send(ev::CloseSetupDialog2);
  return 0;
}
