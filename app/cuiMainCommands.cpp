// The controller's view, option, help and About commands: the tool bar,
// help, the COM port and print-all dialogs and the About box.
#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QPushButton>
#include <QToolBar>

#include "app/AboutBox.h"
#include "app/ComPortDialog.h"
#include "app/MainFrame.h"
#include "app/ModalRunner.h"
#include "app/PrintAllDialog.h"
#include "app/cuiHtmlHelp.h"
#include "app/cuiMain.h"
#include "core/TextTableChoice.h"
#include "core/cmcGTex.h"
#include "core/indEnviron.h"
#include "model/ListRows.h"
#include "platform/SettingsStore.h"
#include "platform/StandardFolders.h"

void cuiMain::SetToolBarVisible() {
  settings_.ToolbarVisible = settings_.ToolbarVisible != 0 ? 0 : 1;
  if (window_ && window_->ToolBar()) window_->ToolBar()->setVisible(settings_.ToolbarVisible != 0);
}

bool cuiMain::ToolBarVisible() const { return settings_.ToolbarVisible != 0; }

QString cuiMain::HelpFile() const {
  const int value = IsJapaneseSetting(settings_) ? 1 : 0;
  const std::string name = texts_.GetText("GI_Sys_MyHelpFile", value);
  return QString::fromStdString(platform::CurrentStandardFolders().program) + '/' +
         QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

void cuiMain::ShowHelp(int topic) {
  QPointer<QWidget> window;
  if (topic == -1) {
    help_->ShowTopic(HelpFile(), &window);
  } else {
    help_->ShowPopup(HelpFile(), topic, &window);
  }
}

void cuiMain::ShowPrintAllDialog() {
  PrintAllDialog dialog(form_.data(), texts_, AnyChannelInBank(Image()));
  dialog.setWindowModality(Qt::WindowModal);
  const int result = RunModalForm(dialog);
  EnableHelpWindows();
  if (result != QDialog::Accepted) return;
  SetPrintChoiceMemory(dialog.MemoryBox()->isChecked());
  SetPrintChoiceBank(dialog.BankBox()->isChecked());
  PrintAll();
}

void cuiMain::ShowAbout() {
  const QString details =
      QStringLiteral("Settings: %1\nHelp: %2\nQt %3")
          .arg(settings_.Store().UserFile(), HelpFile(), QString::fromLatin1(qVersion()));
  QWidget* form = form_.data();
  auto* box =
      new AboutBox(form, texts_, form ? form->windowIcon() : QIcon(), version_, years_, details);
  if (form) form->setEnabled(false);
  box->show();
  box->Button()->setFocus();
}

void cuiMain::ShowComPortDialog() {
  ComPortDialog dialog(form_.data(), texts_, settings_);
  dialog.setWindowModality(Qt::WindowModal);
  RunModalForm(dialog);
  EnableHelpWindows();
}
