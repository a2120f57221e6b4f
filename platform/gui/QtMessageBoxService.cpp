#include "platform/gui/QtMessageBoxService.h"

#include <QEvent>
#include <QMessageBox>
#include <QWidget>
#include <vector>

namespace platform {
namespace {

QMessageBox::Icon IconOf(unsigned flags) {
  switch (flags & 0xF0) {
    case mb::IconError: return QMessageBox::Critical;
    case mb::IconQuestion: return QMessageBox::Question;
    case mb::IconWarning: return QMessageBox::Warning;
    case mb::IconInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

std::vector<QMessageBox::StandardButton> ButtonsOf(unsigned flags) {
  switch (flags & 0x0F) {
    case mb::OkCancel: return {QMessageBox::Ok, QMessageBox::Cancel};
    case mb::YesNoCancel: return {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    case mb::YesNo: return {QMessageBox::Yes, QMessageBox::No};
    default: return {QMessageBox::Ok};
  }
}

// Keeps a box centred on a work area while Qt settles its size: the box
// takes its final size only as it is shown, so every resize until then
// (and the show itself) centres it again, before anything is painted.
class CentreOnArea final : public QObject {
 public:
  CentreOnArea(QMessageBox& box, const QRect& area) : box_(box), area_(area) {
    if (area_.isEmpty()) return;
    box_.adjustSize();
    Centre();
    box_.installEventFilter(this);
  }
  ~CentreOnArea() override {
    if (!area_.isEmpty()) box_.removeEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &box_ && (event->type() == QEvent::Resize || event->type() == QEvent::Show))
      Centre();
    return false;
  }

 private:
  void Centre() {
    QRect frame = box_.frameGeometry();
    frame.moveCenter(area_.center());
    box_.move(frame.topLeft());
  }

  QMessageBox& box_;
  QRect area_;
};

}  // namespace

void QtMessageBoxService::Configure(QMessageBox& box, const MessageBoxRequest& request) {
  box.setWindowTitle(request.caption);
  box.setText(request.text);
  box.setTextFormat(Qt::PlainText);
  box.setIcon(IconOf(request.flags));
  const auto buttons = ButtonsOf(request.flags);
  QMessageBox::StandardButtons set;
  for (auto b : buttons) set |= b;
  box.setStandardButtons(set);
  std::size_t defaultIndex = 0;
  if (request.flags & mb::DefButton3)
    defaultIndex = 2;
  else if (request.flags & mb::DefButton2)
    defaultIndex = 1;
  if (defaultIndex >= buttons.size()) defaultIndex = 0;
  box.setDefaultButton(buttons[defaultIndex]);
  // Escape (and the close button) answer Cancel where there is one, else the
  // only or the last button, as the classic box does.
  box.setEscapeButton(set.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel : buttons.back());
}

int QtMessageBoxService::AnswerFor(int standardButton) {
  switch (standardButton) {
    case QMessageBox::Ok: return mb::IdOk;
    case QMessageBox::Yes: return mb::IdYes;
    case QMessageBox::No: return mb::IdNo;
    default: return mb::IdCancel;
  }
}

int QtMessageBoxService::Show(const MessageBoxRequest& request) {
  QWidget* owner = request.owner && request.owner->isWidgetType()
                       ? static_cast<QWidget*>(request.owner)
                       : nullptr;
  QMessageBox box(owner);
  Configure(box, request);
  CentreOnArea centring(box, request.workArea);
  const int result = box.exec();
  return AnswerFor(box.clickedButton() ? box.standardButton(box.clickedButton()) : result);
}

}  // namespace platform
