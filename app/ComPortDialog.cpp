#include "app/ComPortDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <optional>

#include "app/ComPortCombo.h"
#include "app/DialogTexts.h"
#include "core/AppMessageBox.h"
#include "core/ComPortNumber.h"
#include "core/TextTableChoice.h"
#include "core/cmcGTex.h"
#include "core/indEnviron.h"
#include "platform/MessageBoxService.h"

namespace {

constexpr char kComButtons[] = "GI_AppInd_Opt_ComSel_Buttons";

}  // namespace

ComPortDialog::ComPortDialog(QWidget* parent, cmcGTex& texts, indEnviron& settings)
    : QDialog(parent), texts_(texts), settings_(settings) {
  const QFont font = dialogtext::FontOf(texts, "CellModel_BasicDialog");
  setFont(font);
  setWindowTitle(dialogtext::Caption(texts, "GI_AppInd_Opt_ComSel_Caption"));

  auto* notice =
      new QLabel(ToDisplayText(GetGTexLines(texts, "GI_AppInd_Opt_ComSel_Notice")), this);
  notice->setTextFormat(Qt::PlainText);
  box_ = new ComPortComboBox(this, &settings.Store());
  FillComPortCombo(box_, &settings.Store());
  if (settings.ComPort >= core::kMinComPort && settings.ComPort <= core::kMaxComPort)
    box_->setEditText(QString::number(settings.ComPort));

  const dialogtext::OkCancel buttons = dialogtext::MakeOkCancel(this, texts, kComButtons, font);
  ok_ = buttons.ok;
  cancel_ = buttons.cancel;
  connect(ok_, &QPushButton::clicked, this, [this] { OnOk(); });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(notice);
  layout->addWidget(box_);
  layout->addLayout(buttons.row);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  box_->setFocus();
}

void ComPortDialog::OnOk() {
  const std::optional<int> port = core::ReadComPortNumber(box_->currentText().toStdString());
  if (port) {
    settings_.ComPort = *port;
    accept();
    return;
  }
  AppMessageBox(this, dialogtext::Caption(texts_, "GI_AppInd_Opt_ComSel_OutofRange"),
                dialogtext::Caption(texts_, "GI_Sys_AppTitle"),
                platform::mb::Ok | platform::mb::IconWarning);
  box_->setFocus();
  if (QLineEdit* edit = box_->lineEdit()) edit->selectAll();
}
