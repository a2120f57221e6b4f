#include "app/PrintAllDialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/DialogTexts.h"

namespace {

constexpr char kPrintAllCaption[] = "GI_AppInd_Print_All_Setting_Caption";
constexpr char kPrintAllButtons[] = "GI_AppInd_Print_All_Setting_Buttons";

}  // namespace

PrintAllDialog::PrintAllDialog(QWidget* parent, cmcGTex& texts, bool anyBankChannel)
    : QDialog(parent) {
  const QFont font = dialogtext::FontOf(texts, "CellModel_BasicDialog");
  setFont(font);
  setWindowTitle(dialogtext::Caption(texts, kPrintAllCaption, 0));

  auto* group = new QGroupBox(dialogtext::Caption(texts, kPrintAllCaption, 1), this);
  memory_ = new QCheckBox(dialogtext::Caption(texts, kPrintAllCaption, 2), group);
  memory_->setChecked(true);
  auto* groupBox = new QVBoxLayout(group);
  groupBox->addWidget(memory_);

  bank_ = new QCheckBox(dialogtext::Caption(texts, kPrintAllCaption, 3), this);
  bank_->setChecked(anyBankChannel);
  bank_->setEnabled(anyBankChannel);

  const dialogtext::OkCancel buttons =
      dialogtext::MakeOkCancel(this, texts, kPrintAllButtons, font);
  ok_ = buttons.ok;
  cancel_ = buttons.cancel;
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addWidget(bank_);
  layout->addSpacing(font.pointSize() > 0 ? font.pointSize() : 8);
  layout->addLayout(buttons.row);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}
