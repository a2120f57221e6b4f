#include "app/AboutBox.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/DialogTexts.h"
#include "app/OwnedWindow.h"
#include "core/TextTableChoice.h"
#include "core/cmcGTex.h"

namespace {

constexpr int kAboutIconSize = 32;
constexpr int kAboutMargin = 16;

}  // namespace

std::string AboutBox::LabelText(cmcGTex& texts, const std::string& version,
                                const std::string& years) {
  std::string text = GetGTexLines(texts, "GI_App_About_Label_Reg");
  std::size_t at = 0;
  for (const std::string* fill : {&version, &years}) {
    const std::size_t mark = text.find("%s", at);
    if (mark == std::string::npos) break;
    text.replace(mark, 2, *fill);
    at = mark + fill->size();
  }
  return text;
}

AboutBox::AboutBox(QWidget* mainForm, cmcGTex& texts, const QIcon& icon, const std::string& version,
                   const std::string& years, QString details)
    : QDialog(nullptr), mainForm_(mainForm) {
  setAttribute(Qt::WA_DeleteOnClose);
  const QFont font = dialogtext::FontOf(texts, "CellModel_BasicDialog");
  setFont(font);
  setWindowTitle(dialogtext::Caption(texts, "GI_App_About_Caption"));
  if (!icon.isNull()) setWindowIcon(icon);

  auto* picture = new QLabel(this);
  picture->setPixmap(icon.pixmap(kAboutIconSize, kAboutIconSize));
  picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
  label_ = new QLabel(ToDisplayText(LabelText(texts, version, years)), this);
  label_->setTextFormat(Qt::PlainText);
  details_ = new QLabel(details, this);
  details_->setTextFormat(Qt::PlainText);
  details_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  details_->hide();
  button_ = new QPushButton(dialogtext::Caption(texts, "GI_App_About_Button"), this);
  dialogtext::SizeButtons(texts, font, {button_});
  button_->setDefault(true);
  connect(button_, &QPushButton::clicked, this, &QDialog::accept);

  auto* text = new QVBoxLayout;
  text->addWidget(label_);
  text->addWidget(details_);
  auto* top = new QHBoxLayout;
  top->addWidget(picture);
  top->addSpacing(kAboutMargin);
  top->addLayout(text, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(button_);
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(kAboutMargin, kAboutMargin, kAboutMargin, kAboutMargin);
  layout->setSpacing(kAboutMargin);
  layout->addLayout(top);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  adjustSize();
  if (mainForm) {
    ownedwindow::Attach(this, mainForm);
    ownedwindow::CenterOver(this, mainForm);
  }
}

void AboutBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_I && event->modifiers() == Qt::ControlModifier) {
    details_->setVisible(!details_->isVisible());
    adjustSize();
    return;
  }
  QDialog::keyPressEvent(event);
}

void AboutBox::closeEvent(QCloseEvent* event) {
  QDialog::closeEvent(event);
  if (event->isAccepted()) GiveBackMainForm();
}

void AboutBox::done(int result) {
  QDialog::done(result);
  GiveBackMainForm();
}

void AboutBox::GiveBackMainForm() {
  if (given_) return;
  given_ = true;
  if (!mainForm_) return;
  mainForm_->setEnabled(true);
  mainForm_->activateWindow();
  mainForm_->setFocus();
}
