// The controller's side of the main window: building it, its tree and its
// pages, the warning check over the tree and its delayed run, and the
// document's close question.
#include <QFileInfo>
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

QString TextOf(cmcGTex& texts, std::string_view key) {
  return ToDisplayText(texts.GetFirst(key));
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
  MakePrinter(frame);

  imagepass::SelfCheckImageSize(imageSize_);
  ArmTick();
  if (!IsSystemJapanese()) platform::SetInputMethodsAllowed(false);
}

void cuiMain::OnMainFormClosed() {
  // Forgotten first, so that closing the sheet arms no tick.
  MainFrame* window = window_.data();
  window_ = nullptr;
  tick_->SetInterval(-1);
  printer_.reset();
  if (window) {
    window->CloseSheet();
    window->DeleteTree();
  }
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
  ArmTick();
}

bool cuiMain::TickHasWork() const {
  // Without the main window (before it is built, after it closed) the tick
  // has nothing to do: a check still waiting runs once the window is there.
  if (!window_) return false;
  return (window_->isVisible() && !CurrentSheet()) || checkDelay_ != nullptr;
}

void cuiMain::ArmTick() {
  // A running timer keeps its phase: a check still runs within one tick of
  // its countdown's end.
  if (tick_ && TickHasWork() && !tick_->TimerActive()) tick_->SetInterval(kTickIntervalMs);
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
  // Idle: no wake-ups until a sheet closes, the window shows without one or
  // an edit starts the check delay.
  if (!TickHasWork()) task.SetInterval(-1);
}

int cuiMain::ConfirmSaveChanges(bool askWriteFile) {
  bus_.Post(ev::EndCellEditing);
  if (!IsModified()) return platform::mb::IdYes;
  QString question;
  if (askWriteFile) {
    question = TextOf(texts_, "GI_Mess_Confirm_WriteFile");
  } else {
    // The file name joins the text as a path, never through code page 932.
    question = TextOf(texts_, "GI_Mess_Confirm_WriteAnother");
    const QString file = QFileInfo(QString::fromStdString(GetSaveFileName())).fileName();
    if (const qsizetype at = question.indexOf(QLatin1String("%s")); at >= 0)
      question.replace(at, 2, file);
  }
  const int answer = AppMessageBox(form_.data(), question, TextOf(texts_, "GI_Sys_AppTitle"),
                                   platform::mb::YesNoCancel | platform::mb::IconWarning);
  if (answer == platform::mb::IdCancel) return platform::mb::IdCancel;
  if (answer == platform::mb::IdYes && Save(askWriteFile || IsUntitled()) != 0)
    return platform::mb::IdCancel;
  return platform::mb::IdYes;
}

bool cuiMain::QueryClose() { return ConfirmSaveChanges(false) != platform::mb::IdCancel; }
