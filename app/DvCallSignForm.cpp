#include "app/DvCallSignForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <algorithm>

#include "app/DvCallSignPicker.h"
#include "app/DvFormKit.h"
#include "app/DvListBox.h"
#include "core/WindowPlacement.h"
#include "core/cmcGTex.h"
#include "platform/Monitors.h"

using namespace dvpick;

using dvform::kButtonWidth;
using dvform::kFrameInset;
using dvform::kListHeight;
using dvform::TableText;

DvCallSignForm::DvCallSignForm(QWidget* parent, DvCallSignPicker& picker, cmcGTex& texts,
                               std::function<void()> onShow)
    : QDialog(parent), picker_(picker), onShow_(std::move(onShow)) {
  const int kind = picker_.Kind();
  if (kind == kKindCalled)
    dvform::SetUpForm(*this, "DvCallSignForm", texts, "GI_AppInd_Call_Sign_DR_Caption", 2);
  else if (kind == kKindAccess)
    dvform::SetUpForm(*this, "DvCallSignForm", texts, "GI_AppInd_Call_Sign_DR_Caption", 1);
  else
    dvform::SetUpForm(*this, "DvCallSignForm", texts, "GI_AppInd_Call_Sign_Setting_Caption", 0);

  const QFontMetrics metrics(font());
  u_ = metrics.height();
  const int arrow = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  const QString sixteen(16, QLatin1Char('W'));
  listWidth_[kListKind] = metrics.horizontalAdvance(QStringLiteral(" * 00:") + sixteen) + arrow;
  listWidth_[kListName] = metrics.horizontalAdvance(sixteen) + arrow;
  listWidth_[kListCall] = metrics.horizontalAdvance(sixteen);

  frame_ = new QFrame(this);
  frame_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  static const char* const kListNames[] = {"kindList", "nameList", "callList"};
  int x = u_;
  for (int list = kListKind; list <= kListCall; ++list) {
    auto* box = new DvListBox(frame_, u_ + 2);
    box->setObjectName(QLatin1String(kListNames[list]));
    box->setGeometry(x, 2 * u_, listWidth_[list], kListHeight);
    box->onRow = [this, list](int row) { OnRow(list, row); };
    box->onDoubleClick = [this](int) { OnDoubleClick(); };
    box->onSideKey = [this, list](int direction) { OnSideKey(list, direction); };
    lists_[list] = box;
    auto* label = new QLabel(TableText(texts, "GI_AppInd_Call_Sign_Setting_Label", list), frame_);
    label->setGeometry(x, u_ - 2, listWidth_[list], u_);
    labels_[list] = label;
    x += listWidth_[list] + u_ / 2;
  }
  frame_->setGeometry(kFrameInset, kFrameInset,
                      listWidth_[0] + listWidth_[1] + listWidth_[2] + 3 * u_,
                      2 * u_ + kListHeight + u_ / 2);

  ok_ = new QPushButton(TableText(texts, "GI_AppInd_Call_Sign_Setting_Buttons", 0), this);
  ok_->setObjectName(QStringLiteral("ok"));
  ok_->setDefault(true);
  cancel_ = new QPushButton(TableText(texts, "GI_AppInd_Call_Sign_Setting_Buttons", 1), this);
  cancel_->setObjectName(QStringLiteral("cancel"));
  detail_ = new QCheckBox(TableText(texts, "GI_AppInd_Call_Sign_Detail", 0), this);
  detail_->setObjectName(QStringLiteral("detail"));
  const int buttonHeight = 2 * u_;
  const int buttonTop = frame_->height() + u_;
  for (QWidget* w :
       {static_cast<QWidget*>(ok_), static_cast<QWidget*>(cancel_), static_cast<QWidget*>(detail_)})
    w->setFixedSize(kButtonWidth, buttonHeight);
  detail_->move(2 * u_, buttonTop);
  ok_->move(0, buttonTop);
  cancel_->move(0, buttonTop);
  connect(ok_, &QPushButton::clicked, this, [this] {
    if (picker_.OkEnabled()) accept();
  });
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

  if (picker_.NameMode()) {
    detail_->setChecked(picker_.Detail());
    connect(detail_, &QCheckBox::clicked, this, [this] { OnDetail(); });
    setTabOrder(lists_[kListKind], lists_[kListName]);
    setTabOrder(lists_[kListName], detail_);
    setTabOrder(detail_, ok_);
    setTabOrder(ok_, cancel_);
  } else {
    detail_->setEnabled(false);
    detail_->hide();
    setTabOrder(lists_[kListKind], lists_[kListName]);
    setTabOrder(lists_[kListName], lists_[kListCall]);
    setTabOrder(lists_[kListCall], ok_);
    setTabOrder(ok_, cancel_);
  }
  Relayout();
  Render();
}

bool DvCallSignForm::DetailChecked() const { return detail_->isChecked(); }

// The frame, the buttons and the form follow the columns shown.
void DvCallSignForm::Relayout() {
  const bool three = !picker_.NameMode() || picker_.Detail();
  const int frameWidth = three ? listWidth_[0] + listWidth_[1] + listWidth_[2] + 3 * u_
                               : listWidth_[0] + listWidth_[1] + (5 * u_) / 2;
  frame_->resize(frameWidth, frame_->height());
  const int right = kFrameInset + frameWidth - u_;
  cancel_->move(right - kButtonWidth, cancel_->y());
  ok_->move(cancel_->x() - u_ - kButtonWidth, ok_->y());
  const int height = frame_->height() + u_ + 2 * u_ + u_ / 2;
  setFixedSize(frameWidth + 2 * kFrameInset, height);
}

void DvCallSignForm::Render() {
  const QFontMetrics metrics(font());
  for (int list = kListKind; list <= kListCall; ++list) {
    const PickerList& from = picker_.List(list);
    QStringList texts;
    int widest = 0;
    for (int e = 0; e < static_cast<int>(from.entries.size()); ++e) {
      texts << picker_.DisplayText(list, e);
      widest = std::max(widest, metrics.horizontalAdvance(texts.back()));
    }
    // Names wider than the list scroll sideways.
    int extent = 0;
    if (list == kListName && picker_.CurrentCode() >= kCodeRepeaterList) {
      const int wide = widest + metrics.horizontalAdvance(QStringLiteral("WW"));
      if (wide > listWidth_[list]) extent = wide;
    }
    DvListBox* box = lists_[list];
    box->Show(texts, from.selected, extent);
    box->SetGrey(from.grey);
    box->setEnabled(from.enabled);
    box->setVisible(from.visible);
    labels_[list]->setVisible(from.visible);
  }
  ok_->setEnabled(picker_.OkEnabled());
}

void DvCallSignForm::OnRow(int list, int row) {
  picker_.Click(list, row);
  Render();
}

void DvCallSignForm::OnDoubleClick() {
  if (picker_.OkEnabled()) accept();
}

void DvCallSignForm::OnSideKey(int list, int direction) {
  lists_[picker_.NextList(list, direction)]->setFocus(Qt::TabFocusReason);
}

void DvCallSignForm::OnDetail() {
  picker_.SetDetail(detail_->isChecked());
  Relayout();
  Render();
  // Kept on the screen as it grows.
  const QRect frame = frameGeometry();
  const platform::ScreenRect moved = placement::KeepFormOnScreen(
      platform::ScreenRect::FromQRect(frame), platform::CurrentMonitors().List());
  move(pos() + QPoint(moved.left - frame.left(), moved.top - frame.top()));
}

void DvCallSignForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (onShow_) onShow_();
  lists_[picker_.FocusList()]->setFocus(Qt::OtherFocusReason);
}
