#include "sheet/cuiFBitsR.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>
#include <string>

#include "core/cmcEvMan.h"
#include "sheet/cmcCellObj.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiSheet.h"

namespace {

constexpr char kSheetKey[] = "GI_Sheet_FBitsR";
constexpr char kSetMark[] = "o";
constexpr char kPrintedMark[] = "\x81\x9B";  // a circle

}  // namespace

cuiFBitsR::cuiFBitsR(const cmcCellCapsule& owner, cmcGTex& texts, std::uint32_t flags,
                     int firstItem, int lastItem, int headerKind, int number1, int number2,
                     DialogHandlerFor handlerFor)
    : parent_(owner),
      handlerFor_(std::move(handlerFor)),
      model_(flags, firstItem, lastItem, headerKind),
      initialFlags_(flags),
      number1_(number1),
      number2_(number2) {
  markup_.SetSource(model_.Markup());
  const QFont font = fielddialog::DialogFont(texts);
  form_ = fielddialog::MakeForm(owner);
  form_->setFont(font);
  auto* sheetHost = new QWidget(form_);
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
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(sheetHost);
  layout->addLayout(buttons);

  sheet_ = new cuiSheet(sheetHost, &parent_, CL_FBits, firstItem, markup_, kSheetKey, nullptr);
  sheet_->SetCellHandler(
      [this](cmcCellCapsule& capsule, int notify) { return HandleCell(capsule, notify); });
  sheet_->Build();
  sheet_->Grid()->SetScrollBarsEnabled(false);
  sheetHost->setFixedSize(sheet_->GetFullWidth(), sheet_->GetFullHeight());
  ok_->setEnabled(model_.OkEnabled());

  fielddialog::OnEscapeOrClose(form_, [this] { Cancel(); });
  fielddialog::OnEscapeOrClose(sheet_->Grid(), [this] { Cancel(); });
  QObject::connect(form_, &QObject::destroyed, [this] { delete this; });
  if (cmcEvMan* bus = EvManIfInstalled()) {
    bus->AddListener(this, [this](const cmcEvent& event) { OnEvent(event); });
  }
  fielddialog::PlaceAtCell(form_, parent_);
  form_->show();
  form_->activateWindow();
  sheet_->Grid()->setFocus();
}

cuiFBitsR::~cuiFBitsR() {
  if (cmcEvMan* bus = EvManIfInstalled()) bus->RemoveListener(this);
  if (sheet_) sheet_->Release();
}

int cuiFBitsR::HandleCell(cmcCellCapsule& capsule, int notify) {
  const cmcCellObj* cell = capsule.cell;
  if (!cell) return kCellNothing;
  if (cell->cellId != CL_FBits) {
    capsule.outputText = std::string(cell->GetCaption());
    return kCellNothing;
  }
  const int item = cell->index;
  int result = kCellNothing;
  const int key = capsule.operation;
  if (!released_ && capsule.owner &&
      (key == cellop::kSpace || key == cellop::kBackspace || key == cellop::kClick)) {
    model_.Toggle(item);
    ok_->setEnabled(model_.OkEnabled());
    // The markers of every check cell follow the count.
    if (cmcEvMan* bus = EvManIfInstalled()) bus->Post(ev::CellsRefreshAll);
    result = kCellRedraw;
  }
  if (model_.IsSet(item)) {
    capsule.outputText = (capsule.stateBits & cellstate::kPrinting) ? kPrintedMark : kSetMark;
  } else {
    capsule.outputText.clear();
  }
  if (model_.WantsMarker()) capsule.stateBits |= cellstate::kError;
  return result;
}

void cuiFBitsR::OnEvent(const cmcEvent& event) {
  if (released_) return;
  if (event.id == ev::SheetDestroying &&
      event.p2 == reinterpret_cast<std::intptr_t>(parent_.owner)) {
    Cancel();
  } else if (event.id == ev::EndCellEditing && !cancelled_) {
    Send(model_.OkEnabled() && model_.Flags() != initialFlags_);
  }
}

void cuiFBitsR::Commit() {
  if (released_ || !model_.OkEnabled()) return;
  Send(true);
}

void cuiFBitsR::Send(bool send) {
  if (committed_ || cancelled_) return;
  committed_ = true;
  if (send) fielddialog::SendResult(parent_, handlerFor_, std::to_string(model_.Flags()));
  Release();
}

void cuiFBitsR::Cancel() {
  if (released_) return;
  cancelled_ = true;
  Release();
}

void cuiFBitsR::Release() {
  if (released_) return;
  released_ = true;
  if (sheet_) {
    sheet_->Release();
    sheet_ = nullptr;
  }
  if (form_) {
    form_->hide();
    form_->deleteLater();
  }
}
