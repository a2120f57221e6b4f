#include "app/indMain.h"

#include <QApplication>
#include <QPixmap>
#include <algorithm>
#include <array>

#include "app/AppCellHost.h"
#include "app/AppIcons.h"
#include "app/MainFrame.h"
#include "app/indDvSet.h"
#include "app/PageClasses.h"
#include "app/iuiTree.h"
#include "core/EventIds.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "model/BankTable.h"
#include "model/LayoutImage.h"
#include "model/cmcEeprom.h"

namespace {

// The software area's head: the three band-default records.
constexpr std::int64_t kSoftwareHead = layout::kBandDefaults;
constexpr int kSoftwareHeadSize = layout::kBandDefaultSize * layout::kBandDefaultCount;

}  // namespace

indMain::indMain(indEnviron& settings, cmcGTex& texts)
    : cuiMain(settings, texts, std::max<std::int32_t>(layout::kMinImageSize, kImageSize)) {
  InitModel();
  appIcon_ = DrawApplicationIcon();
  rigIcon_ = DrawRigIcon();
  bus_.AddListener<indMain, &indMain::OnEvent>(this);
}

indMain::~indMain() { bus_.RemoveListener<indMain, &indMain::OnEvent>(this); }

void indMain::InitModel() {
  cuiMain::InitModel();
  model_.lastAddress = static_cast<std::uint32_t>(layout::kCloneLast);
  model_.modelWord1 = kModelWord1;
  model_.modelWord2 = kModelWord2;
  model_.key = kModelKey;
}

void indMain::AfterImageLoad(cmcEeprom& image) {
  std::array<std::uint8_t, kSoftwareHeadSize> head{};
  InitialImage().GetBlock(kSoftwareHead, head.data(), kSoftwareHeadSize);
  image.SetBlock(kSoftwareHead, head.data(), kSoftwareHeadSize);
  PrepareImage(image);
  NormalizeImage(image);
  bus_.Send(ev::ListNamesChanged);
}

void indMain::BuildTree() {
  cuiMain::BuildTree();
  if (MainFrame* window = Window(); window && window->Tree()) {
    iuiTree& tree = *window->Tree();
    tree.SetNodeText(tree.Node0(), ModelName());
    tree.SetNodeImage(tree.Node0(), 0);
  }
  if (qobject_cast<QApplication*>(QCoreApplication::instance()))
    QApplication::setWindowIcon(ApplicationIcon());
}

bool indMain::RunCallSignDialog(cmcCellCapsule& capsule, int kind, CallSignField& field,
                                const CallSignField* second) {
  indDvSet dialogs(MainForm(), Context(), Settings(), true, [this] { EnableHelpWindows(); });
  return dialogs.CallSignSettingDialog(&capsule, kind, field, second, -1, -1);
}

bool indMain::RunRepeaterDialog(cmcCellCapsule& capsule, datCh& record) {
  indDvSet dialogs(MainForm(), Context(), Settings(), true, [this] { EnableHelpWindows(); });
  return dialogs.RepeaterSettingDialog(&capsule, record, -1, -1);
}

void indMain::RegisterDvDialogs(AppCellHost& host) {
  host.SetCallSignDialog(
      [this](cmcCellCapsule& capsule, int kind, CallSignField& field, const CallSignField* second) {
        return RunCallSignDialog(capsule, kind, field, second);
      });
  host.SetRepeaterDialog([this](cmcCellCapsule& capsule, datCh& record) {
    return RunRepeaterDialog(capsule, record);
  });
}
void indMain::RegisterSheetClasses(MainFrame& frame) { RegisterPageClasses(frame, *this); }

std::string indMain::ModelName() { return Texts().GetFirst("GI_AppInd_Model"); }

QIcon indMain::ApplicationIcon() const { return QIcon(QPixmap::fromImage(appIcon_)); }

QIcon indMain::RigIcon() const { return QIcon(QPixmap::fromImage(rigIcon_)); }

void indMain::OnEvent(const cmcEvent& event) {
  // The radio's other events (list names to the tree, language switch,
  // reopening a sheet, the destination check) are handled here as their
  // commands land.
  switch (event.id) {
    case ev::ListNamesChanged: PostListNames(); break;
    case ev::LanguageChanged: SwitchLanguage(); break;
    case ev::GroupRenamed: PostLinkName(event.p2); break;
    case ev::ReopenSheet: ReopenSheet(event.p1 != 0, event.p2); break;
    case ev::CheckDestination: CheckRadioDestination(event.p1 != 0); break;
    case ev::SetupDoneWithoutRadio: ResetHiddenDocument(); break;
    case ev::ShowMainForm:
      if (QWidget* form = MainForm()) {
        form->setVisible(true);
        form->setEnabled(true);
        form->raise();
        form->activateWindow();
        form->setFocus();
      }
      break;
    case ev::CloneInfoConfirmed: StartCloneInfo(); break;
    case ev::CloneIdentifyStart:
      if (QWidget* form = MainForm(); form && form->isVisible()) form->setEnabled(false);
      break;
    case ev::CloneRunEnded:
    case ev::CloneProgressClosed:
      // A hidden (not minimised) form stays as the setup dialog keeps it.
      if (QWidget* form = MainForm(); form && form->isVisible()) {
        form->setEnabled(true);
        form->activateWindow();
        form->setFocus();
      }
      break;
    case ev::DocumentEdited:
      // Lists changed: the bank table follows the channels, and the warning
      // check waits for the edits to settle. Opening, saving and cloning send
      // this too, so it never marks the document modified.
      RebuildBankTable(Image());
      StartCheckDelay();
      break;
    default: break;
  }
}
