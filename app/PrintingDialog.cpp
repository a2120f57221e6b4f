#include "app/PrintingDialog.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/DialogTexts.h"

namespace {

constexpr char kPrintingTextsKey[] = "GI_Sys_Printer_PrintingDialog";
constexpr int kPrintingLineChars = 28;
constexpr int kPrintingMargin = 16;

}  // namespace

PrintingDialog::PrintingDialog(cmcGTex& texts, std::function<void()> onCancel)
    : QDialog(nullptr), onCancel_(std::move(onCancel)) {
  setObjectName(QStringLiteral("printing"));
  setFont(dialogtext::FontOf(texts, "CellModel_BasicDialog"));
  setWindowTitle(dialogtext::Caption(texts, kPrintingTextsKey, 0));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  line_ = new QLabel(dialogtext::Caption(texts, kPrintingTextsKey, 1), this);
  line_->setAlignment(Qt::AlignCenter);
  line_->setMinimumWidth(line_->fontMetrics().averageCharWidth() * kPrintingLineChars);
  cancel_ = new QPushButton(dialogtext::Caption(texts, kPrintingTextsKey, 2), this);
  cancel_->setDefault(true);
  auto* box = new QVBoxLayout(this);
  box->setContentsMargins(kPrintingMargin, kPrintingMargin, kPrintingMargin, kPrintingMargin);
  box->setSpacing(kPrintingMargin);
  box->addWidget(line_, 1);
  box->addWidget(cancel_, 0, Qt::AlignHCenter);
  box->setSizeConstraint(QLayout::SetFixedSize);
  connect(cancel_, &QPushButton::clicked, this, [this] {
    if (onCancel_) onCancel_();
  });
  adjustSize();
}

void PrintingDialog::reject() {
  // Escape: the same as the button; the window stays until the printer
  // has stopped.
  if (onCancel_) onCancel_();
}

void PrintingDialog::closeEvent(QCloseEvent* event) {
  if (onCancel_) onCancel_();
  event->ignore();
}
