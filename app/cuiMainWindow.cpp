// The controller's side of the main window: building it, its tree and its
// pages, the warning check over the tree and its delayed run, and the
// document's close question.
#include <QTreeWidget>
#include <string>

#include "app/ImagePasses.h"
#include "app/MainFrame.h"
#include "app/WarningCheckScan.h"
#include "app/cuiMain.h"
#include "app/iuiTree.h"
#include "core/AppMessageBox.h"
#include "core/EventIds.h"
#include "core/TextTableChoice.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "core/cmcTick.h"
#include "core/indEnviron.h"
#include "platform/Cp932.h"
#include "platform/InputMethodSwitch.h"
#include "platform/MessageBoxService.h"
#include "sheet/DefaultCellHandler.h"
#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellObj.h"
#include "sheet/cuiSheet.h"

namespace {

constexpr char kTreeKey[] = "GI_Tree_Main";
constexpr char kTreeChangeDelayKey[] = "GI_Sys_TreeChangeDelay";

int TextToMs(const std::string& text) {
  int ms = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    ms = ms * 10 + (c - '0');
    if (ms > 60000) break;
  }
  return ms;
}

// Runs a cell through the registered cell handler as menus do.
std::uint8_t RunCell(cmcCellObj& cell, QWidget* owner, std::int32_t operation) {
  cmcCellCapsule capsule;
  capsule.owner = owner;
  capsule.cell = &cell;
  capsule.operation = operation;
  DefaultCellHandler()(capsule, 0);
  return capsule.stateBits;
}

}  // namespace

MainFrame* cuiMain::Window() const { return window_.data(); }

void cuiMain::RegisterSheetClasses(MainFrame&) {}

void cuiMain::BuildMainWindow(MainFrame& frame) {
  if (settings_.ModelType > 0) settings_.ModelType = 0;
  LoadInitialImage();
  ResetImageToInitial();
  ClearModified();
  CloseSheet();
  TakeCompareSnapshot();

  window_ = &frame;
  SetMainForm(&frame);
  frame.BuildParts(*this);
  RegisterSheetClasses(frame);
  bus_.Send(ev::RefreshToolBar);
  SetStatusSink([this](const QString& text) {
    if (window_) window_->ShowStatus(text);
  });
  BuildTree();

  imagepass::SelfCheckImageSize(imageSize_);
  tick_->SetInterval(kTickIntervalMs);
  if (!IsSystemJapanese()) platform::SetInputMethodsAllowed(false);
}

void cuiMain::OnMainFormClosed() {
  tick_->SetInterval(-1);
  CloseSheet();
  if (window_) window_->DeleteTree();
  window_ = nullptr;
  form_ = nullptr;
  SetStatusSink({});
}

void cuiMain::BuildTree() {
  if (!window_) return;
  iuiTree& tree = window_->NewTree(kTreeKey);
  // Expanding or collapsing a node sets the marks again.
  for (auto signal : {&QTreeWidget::itemExpanded, &QTreeWidget::itemCollapsed})
    QObject::connect(&tree, signal, &tree, [this] { RunWarningCheck(nullptr, nullptr); });
  tree.SetOnChange([this] { OnTreeChange(); });
  tree.SetChangeDelay(TextToMs(texts_.GetFirst(kTreeChangeDelayKey)));
  RunWarningCheck(nullptr, nullptr);
  CloseSheet();
  tree.show();
  tree.SelectNode(tree.Node0());
  bus_.Send(ev::ListNamesChanged);
}

void cuiMain::OpenSheet(const std::string& reference) {
  if (!window_) return;
  window_->OpenSheet(reference, rebuild_);
  rebuild_ = false;
}

void cuiMain::CloseSheet() {
  if (window_) window_->CloseSheet();
}

cuiSheet* cuiMain::CurrentSheet() const { return window_ ? window_->CurrentSheet() : nullptr; }

int cuiMain::GetCurrentSheetNumber() const {
  return window_ ? window_->CurrentSheetNumber() : MainFrame::kNoSheetNumber;
}

void cuiMain::RunSelectedNode() {
  if (!window_ || !window_->Tree()) return;
  if (cmcCellObj* cell = window_->Tree()->GetSelectedCell())
    RunCell(*cell, window_, cellop::kEnter);
}

void cuiMain::OnTreeChange() {
  if (!window_ || !window_->Tree()) return;
  cmcCellObj* cell = window_->Tree()->GetSelectedCell();
  if (!cell) return;
  const cuiSheet* sheet = CurrentSheet();
  if (sheet && cell->bindingText && sheet->GetTitle() == *cell->bindingText) return;
  RunCell(*cell, window_, cellop::kEnter);
}

void cuiMain::RunWarningCheck(int* errors, int* warnings) {
  if (errors) *errors = 0;
  if (warnings) *warnings = 0;
  iuiTree* tree = window_ ? window_->Tree() : nullptr;
  if (!tree) return;
  QWidget* owner = window_;
  const warningcheck::ScanResult result = warningcheck::ScanWarningCheckList(
      texts_, [owner](cmcCellObj& cell) { return RunCell(cell, owner, cellop::kQuery); });
  if (errors) *errors = result.errors;
  if (warnings) *warnings = result.warnings;
  if (!result.renewMarks) return;
  QTreeWidgetItem* root = tree->Node0();
  tree->ClearMarks(root);
  tree->MarkIds(
      root, [&](const std::string& ref) { return result.IsWarning(ref) ? 0 : -1; },
      iuiTree::kWarningOverlay);
  tree->MarkIds(
      root, [&](const std::string& ref) { return result.IsError(ref) ? 0 : -1; },
      iuiTree::kErrorOverlay);
}

void cuiMain::StartCheckDelay() {
  if (!checkDelay_) checkDelay_ = std::make_unique<cmcTick>();
  checkDelay_->Start(kCheckDelayMs);
}

void cuiMain::OnTick(cmcTask& task) {
  if (!CurrentSheet() && window_ && window_->isVisible()) {
    if (window_->Tree()) {
      RunSelectedNode();
    } else if (!window_->SheetPositions().empty()) {
      OpenSheet(window_->SheetPositions().front().reference);
    }
  }
  if (checkDelay_ && checkDelay_->GetRemain() == 0) {
    checkDelay_.reset();
    RunWarningCheck(nullptr, nullptr);
    bus_.Post(ev::ImageWindowRebuild);
  }
}

int cuiMain::ConfirmSaveChanges(bool askWriteFile) {
  bus_.Post(ev::EndCellEditing);
  std::string question;
  if (askWriteFile) {
    question = texts_.GetFirst("GI_Mess_Confirm_WriteFile");
  } else {
    const std::string path = GetSaveFileName();
    const std::size_t slash = path.rfind('/');
    const std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
    // The file part is a UTF-8 path: it joins the CP932 text as CP932.
    const std::string fileCp932 = platform::UnicodeToCp932(QString::fromStdString(file));
    question = texts_.GetFirst("GI_Mess_Confirm_WriteAnother");
    if (const std::size_t at = question.find("%s"); at != std::string::npos)
      question.replace(at, 2, fileCp932);
  }
  if (!IsModified()) return platform::mb::IdYes;
  const int answer = MessageBoxCp932(form_.data(), question, texts_.GetFirst("GI_Sys_AppTitle"),
                                     platform::mb::YesNoCancel | platform::mb::IconWarning);
  if (answer == platform::mb::IdCancel) return platform::mb::IdCancel;
  // Saving comes with the file commands; until then a Yes cannot save and
  // so does not go on.
  if (answer == platform::mb::IdYes) return platform::mb::IdCancel;
  return platform::mb::IdYes;
}

bool cuiMain::QueryClose() { return ConfirmSaveChanges(false) != platform::mb::IdCancel; }
