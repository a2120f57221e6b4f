#include "platform/gui/QtMessageBoxService.h"

#include <QMessageBox>
#include <QTimer>
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
  if (request.flags & mb::DefButton3) defaultIndex = 2;
  else if (request.flags & mb::DefButton2) defaultIndex = 1;
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
  if (!request.workArea.isEmpty()) {
    const QRect area = request.workArea;
    auto centre = [&box, area] {
      QRect frame = box.frameGeometry();
      frame.moveCenter(area.center());
      box.move(frame.topLeft());
    };
    box.adjustSize();
    centre();
    // The box settles its final size only once it is shown: centre it again
    // on the first turn of its own event loop.
    QTimer::singleShot(0, &box, centre);
  }
  const int result = box.exec();
  return AnswerFor(box.clickedButton() ? box.standardButton(box.clickedButton()) : result);
}

}  // namespace platform
