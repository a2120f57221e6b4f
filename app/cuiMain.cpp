#include "app/cuiMain.h"

#include <QWidget>

#include "app/CloneProgressWindow.h"
#include "app/MainFrame.h"
#include "app/VersionFile.h"
#include "app/cuiHtmlHelp.h"
#include "app/cuiPrinter.h"
#include "clone/dst_CDrv_Result.h"
#include "clone/indCloneMan.h"
#include "core/TextTableChoice.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "core/cmcTick.h"
#include "core/indEnviron.h"
#include "model/LayoutImage.h"
#include "model/cmcClipCh.h"
#include "model/cmcEeprom.h"
#include "model/cmcIcfFile.h"
#include "platform/Cp932.h"
#include "platform/LocaleInfo.h"
#include "platform/StandardFolders.h"
#include "sheet/choices/cmcFCache.h"
#include "sheet/cuiToolBar.h"

namespace {

QString TableText(cmcGTex& texts, std::string_view key) {
  return ToDisplayText(texts.GetFirst(key));
}

// The settings' last folder, else the user's documents, else the working
// directory.
std::string FindDefaultFolder(const indEnviron& settings,
                              const platform::StandardFolders& folders) {
  if (!settings.CurrentDirectory.empty()) return settings.CurrentDirectory;
  if (!folders.documents.empty()) return folders.documents;
  return folders.current;
}

}  // namespace

cuiMain::cuiMain(indEnviron& settings, cmcGTex& texts, std::int32_t imageSize)
    : bus_(EvMan()), settings_(settings), texts_(texts), imageSize_(imageSize) {
  SelectTextLanguage();
  // The choice lists' option texts, read once per list from this table.
  choices_ = std::make_unique<cmcFCache>(texts_);

  const platform::StandardFolders folders = platform::CurrentStandardFolders();
  defaultFolder_ = FindDefaultFolder(settings_, folders);
  fileName_.clear();
  // Date, time and CSV formats come from the system in one go.
  locale_ = DocumentLocaleFor(platform::CurrentLocaleInfo());

  cloneMan_ = std::make_unique<indCloneMan>(settings_, texts_);
  cloneMan_->SetIdentifyHandler([this](dst_CDrv_Result& result) { OnIdentifyResult(result); });
  cloneMan_->SetReadHandler([this](dst_CDrv_Result& result) { OnReadResult(result); });
  phase_ = ClonePhase{};
  documentRevision_ = kCurrentRevision;

  writeImage_ = std::make_unique<cmcEeprom>();
  help_ = std::make_unique<cuiHtmlHelp>(texts_);
  clip_ = std::make_unique<datClipCh>();
  image_ = std::make_unique<cmcEeprom>();
  image_->SetSize(imageSize_);  // every byte 0
  // Equal to the current image, so a new document is not modified.
  saved_ = std::make_unique<cmcEeprom>(*image_);
  initial_ = std::make_unique<cmcEeprom>(*image_);
  compare_ = std::make_unique<cmcEeprom>();
  modified_ = false;

  VersionTexts versionTexts{texts_.GetText("GI_Version_Default", 0),
                            texts_.GetText("GI_Version_Default", 1)};
  if (!folders.program.empty()) {
    const std::string name = TableText(texts_, "GI_Version_File").toStdString();
    versionTexts = ReadVersionFile(folders.program + "/" + name, versionTexts);
  }
  version_ = versionTexts.version;
  years_ = versionTexts.years;

  tick_.reset(new cmcTask);
  tick_->SetHandler(this, &cuiMain::OnTick);  // stopped: interval -1
  bus_.AddListener<cuiMain, &cuiMain::OnEvent>(this);
  cuiMain::InitModel();
  region_ = {0, static_cast<std::uint32_t>(layout::kCloneLast), 1, 0};
}

cuiMain::~cuiMain() {
  tick_.reset();  // stops it, or lets it go after its own tick
  printer_.reset();
  bus_.RemoveListener<cuiMain, &cuiMain::OnEvent>(this);
  // The clone manager goes before the images and texts its closures reach.
  cloneMan_.reset();
}

void cuiMain::InitModel() {
  model_ = ModelRecord{};
  model_.word16 = 16;
  model_.modelWord1 = 0;
  model_.modelWord2 = 0;
  model_.key = cmcIcfFile::kDefaultKey;
}

void cuiMain::AfterImageLoad(cmcEeprom& image) {}

int cuiMain::OpenIcfFile(const std::string& name) { return 0; }

int cuiMain::LoadInitialData(const std::string&) { return 1; }


void cuiMain::SelectTextLanguage() { SelectTextTable(texts_, ChooseTextTable(settings_)); }

void cuiMain::RenewChoices() {
  auto renewed = std::make_unique<cmcFCache>(texts_);
  if (choicesRenewed_) choicesRenewed_(*renewed);
  choices_ = std::move(renewed);
}

void cuiMain::TakeCompareSnapshot() { *compare_ = *initial_; }

void cuiMain::ResetImageToInitial() { *image_ = *initial_; }

bool cuiMain::IsModified() {
  if (modified_) return true;
  if (*image_ == *saved_) return false;
  SetModified();
  return true;
}

void cuiMain::SetModified() {
  modified_ = true;
  UpdateTitle();
}

void cuiMain::ClearModified() {
  *saved_ = *image_;
  modified_ = false;
  UpdateTitle();
}

void cuiMain::SetFileName(const std::string& name) {
  fileName_ = name;
  UpdateTitle();
}

std::string cuiMain::GetSaveFileName() {
  if (!fileName_.empty()) return fileName_;
  const std::string untitled = TableText(texts_, "GI_ICF_New_File_Name").toStdString();
  // No folder at all: the bare name (never a name at the root by accident).
  if (defaultFolder_.empty()) return untitled;
  std::string path = defaultFolder_;
  if (path.back() != '/') path += '/';
  return path + untitled;
}

void cuiMain::UpdateTitle() {
  const std::string path = GetSaveFileName();
  const std::size_t slash = path.rfind('/');
  QString title =
      QString::fromStdString(slash == std::string::npos ? path : path.substr(slash + 1));
  if (documentRevision_ < kCurrentRevision) title += TableText(texts_, "GI_Sys_AppTitle_OldVer");
  title += QStringLiteral(" - ");
  title += TableText(texts_, "GI_Sys_AppTitle");
  title_ = title;
  if (form_) form_->setWindowTitle(title_);
}

void cuiMain::SetRadioInfo(const RadioInformation& info, std::uint32_t modelWord) {
  radioInfo_ = info;
  radioModelWord_ = modelWord;
}

void cuiMain::EnableHelpWindows() {
  cuiHtmlHelp::EnableHelpWindows(help_->TopicWindow(), help_->PopupWindow());
}

DocumentContext cuiMain::Context() {
  return DocumentContext{*image_, *initial_, *clip_, bus_, texts_, [this] { SetModified(); }};
}

void cuiMain::SetMainForm(QWidget* form) {
  form_ = form;
  if (form_ && !title_.isEmpty()) form_->setWindowTitle(title_);
  // Reads and writes show the "Cloning" window over the main form.
  if (form_ && !progressFactory_) {
    progressFactory_ = std::make_unique<CloneProgressWindowFactory>();
    cloneMan_->SetProgressFactory(progressFactory_.get());
  }
  cloneMan_->SetMainWindow(form_.data());
}

bool cuiMain::MainFormVisible() const { return form_ && form_->isVisible(); }

QWidget* cuiMain::MainForm() const { return form_.data(); }

void cuiMain::OnEvent(const cmcEvent& event) {
  switch (event.id) {
    case ev::RefreshToolBar:
      if (window_ && window_->Buttons()) window_->Buttons()->Refresh();
      break;
    case ev::StatusMessage:
      if (statusSink_) {
        const std::string* text = event.Text();
        statusSink_(text ? ToDisplayText(*text) : QString());
      }
      break;
    default: break;
  }
}
