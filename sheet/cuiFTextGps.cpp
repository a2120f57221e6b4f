#include "sheet/cuiFTextGps.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

#include "core/cmcEvMan.h"
#include "sheet/MaskedLineEdit.h"

namespace {

// Digits and the hemisphere letters pass; everything else is dropped.
bool GpsChar(char ch) {
  if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  return (ch >= '0' && ch <= '9') || ch == 'E' || ch == 'N' || ch == 'S' || ch == 'W';
}

}  // namespace

cuiFTextGps::cuiFTextGps(const cmcCellCapsule& owner, std::string_view initialText, int fieldKind,
                         cmcGTex& texts, DialogHandlerFor handlerFor)
    : parent_(owner), handlerFor_(std::move(handlerFor)), model_(fieldKind, initialText) {
  const QFont font = fielddialog::DialogFont(texts);
  form_ = fielddialog::MakeForm(owner);
  form_->setFont(font);
  edit_ = new MaskedLineEdit(model_.Field(), form_);
  edit_->setFont(font);
  edit_->SetCharFilter(&GpsChar);
  edit_->SetChangeHandler([this] { Changed(); });
  edit_->SetEscapeHandler([this] { Cancel(); });
  edit_->SetEnterHandler([this] {
    if (ok_->isEnabled()) Commit();
  });
  ok_ = new QPushButton(form_);
  auto* cancel = new QPushButton(form_);
  fielddialog::SetUpButtons(texts, font, ok_, cancel);
  QObject::connect(ok_, &QPushButton::clicked, form_, [this] { Commit(); });
  QObject::connect(cancel, &QPushButton::clicked, form_, [this] { Cancel(); });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(form_);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(edit_);
  layout->addLayout(buttons);

  // The window's end ends the dialog.
  QObject::connect(form_, &QObject::destroyed, [this] { delete this; });
  if (cmcEvMan* bus = EvManIfInstalled()) {
    bus->AddListener(this, [this](const cmcEvent& event) { OnEvent(event); });
  }
  Changed();
  fielddialog::PlaceAtCell(form_, parent_);
  form_->show();
  form_->activateWindow();
  edit_->setFocus();
  model_.Field().Home();
  edit_->Refresh();
}

cuiFTextGps::~cuiFTextGps() {
  if (cmcEvMan* bus = EvManIfInstalled()) bus->RemoveListener(this);
}

void cuiFTextGps::Changed() { ok_->setEnabled(model_.IsValid()); }

void cuiFTextGps::OnEvent(const cmcEvent& event) {
  if (released_) return;
  if (event.id == ev::SheetDestroying &&
      event.p2 == reinterpret_cast<std::intptr_t>(parent_.owner)) {
    Cancel();
  } else if (event.id == ev::EndCellEditing && !cancelled_) {
    Send(model_.CloseText());
  }
}

void cuiFTextGps::Commit() {
  if (released_) return;
  Send(model_.OkText());
}

void cuiFTextGps::Send(const std::optional<std::string>& text) {
  if (committed_ || cancelled_) return;
  committed_ = true;
  if (text) fielddialog::SendResult(parent_, handlerFor_, *text);
  Release();
}

void cuiFTextGps::Cancel() {
  if (released_) return;
  cancelled_ = true;
  Release();
}

void cuiFTextGps::Release() {
  if (released_) return;
  released_ = true;
  if (form_) {
    form_->hide();
    form_->deleteLater();
  }
}
