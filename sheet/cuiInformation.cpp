#include "sheet/cuiInformation.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

#include "core/TextTableChoice.h"
#include "core/WindowPlacement.h"
#include "core/cmcGTex.h"
#include "platform/Monitors.h"
#include "sheet/FieldDialogFrame.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiSheet.h"

namespace {

constexpr int kInfoMargin = 8;
constexpr int kInfoButtonWidth = 75;

}  // namespace

cuiInformation* cuiInformation::Open(QWidget* owner, const QString& caption, cmcGTex& texts,
                                     const std::string& sheetKey, cuiImageList* images) {
  return new cuiInformation(owner, caption, texts, sheetKey, images);
}

cuiInformation::cuiInformation(QWidget* owner, const QString& caption, cmcGTex& texts,
                               const std::string& sheetKey, cuiImageList* images)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint),
      owner_(owner ? owner->window() : nullptr) {
  setAttribute(Qt::WA_DeleteOnClose);
  setAttribute(Qt::WA_QuitOnClose, false);
  setWindowTitle(caption);
  setFont(fielddialog::DialogFont(texts));

  // The sheet on a panel with a raised outer and a lowered inner bevel.
  auto* outer = new QFrame(this);
  outer->setFrameStyle(QFrame::Panel | QFrame::Raised);
  auto* outerBox = new QVBoxLayout(outer);
  outerBox->setContentsMargins(1, 1, 1, 1);
  auto* host = new QFrame(outer);
  host->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  outerBox->addWidget(host);
  host_ = host;

  sheet_ = new cuiSheet(host, nullptr, 0, 0, texts, sheetKey, images);
  sheet_->Build();
  sheet_->Grid()->SetScrollBarsEnabled(false);
  host->setFixedSize(sheet_->GetFullWidth(), sheet_->GetFullHeight());

  ok_ = new QPushButton(ToDisplayText(texts.GetText("GI_AppInd_Button_OkCancel", 0)), this);
  ok_->setDefault(true);
  ok_->setMinimumWidth(kInfoButtonWidth);
  // The release is deferred: the click finishes before the dialog goes.
  connect(ok_, &QPushButton::clicked, this, &QWidget::close);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(kInfoMargin, kInfoMargin, kInfoMargin, kInfoMargin);
  layout->setSpacing(kInfoMargin);
  layout->addWidget(outer);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  if (owner_) {
    winId();  // the native window, so that it can name its transient parent
    if (QWindow* window = windowHandle(); window && owner_->windowHandle())
      window->setTransientParent(owner_->windowHandle());
  }
  Place();
  if (owner_) owner_->setEnabled(false);
  show();
  FitSheet();
  activateWindow();
  ok_->setFocus();
}

cuiInformation::~cuiInformation() {
  // The sheet goes while its widgets still exist.
  if (sheet_) sheet_->Release();
  sheet_ = nullptr;
  if (owner_) {
    owner_->setEnabled(true);
    owner_->activateWindow();
    owner_->setFocus();
  }
}

void cuiInformation::FitSheet() {
  const cuiGrid* grid = sheet_->Grid();
  const int wider = std::max(grid->GridWidth() - grid->ClientWidth(), 0);
  const int taller = std::max(grid->GridHeight() - grid->ClientHeight(), 0);
  if (wider == 0 && taller == 0) return;
  host_->setFixedSize(host_->width() + wider, host_->height() + taller);
  layout()->activate();
  Place();
}

void cuiInformation::Place() {
  adjustSize();
  const placement::MonitorList monitors = platform::CurrentMonitors().List();
  const std::optional<platform::ScreenRect> ownerRect =
      owner_ ? platform::CurrentMonitors().WindowRect(owner_.data()) : std::nullopt;
  platform::ScreenRect form = platform::ScreenRect::FromSize(x(), y(), width(), height());
  form = ownerRect ? placement::CenterForm(form, *ownerRect, monitors)
                   : placement::FitFormToMonitor(form, std::nullopt, monitors);
  move(form.left, form.top);
}
