#include "sheet/MaskedLineEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>

#include "core/TextTableChoice.h"
#include "platform/Cp932.h"

MaskedLineEdit::MaskedLineEdit(MaskedEditModel& model, QWidget* parent)
    : QLineEdit(parent), model_(model) {
  setAttribute(Qt::WA_InputMethodEnabled, false);
  setContextMenuPolicy(Qt::NoContextMenu);
  setDragEnabled(false);
  setAcceptDrops(false);
  Refresh();
}

void MaskedLineEdit::Refresh() {
  const QString shown = ToDisplayText(model_.Text());
  if (text() != shown) setText(shown);
  setCursorPosition(model_.Caret());
}

void MaskedLineEdit::Changed() {
  Refresh();
  if (onChange_) onChange_();
}

void MaskedLineEdit::PasteText(const QString& text) {
  std::string bytes = platform::UnicodeToCp932(text);
  if (filter_ && static_cast<int>(bytes.size()) != model_.Size()) {
    std::string kept;
    for (char ch : bytes) {
      if (filter_(ch)) kept.push_back(ch);
    }
    bytes = kept;
  }
  model_.Paste(bytes);
  Changed();
}

void MaskedLineEdit::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Paste)) {
    PasteText(QApplication::clipboard()->text());
    return;
  }
  switch (event->key()) {
    case Qt::Key_Escape:
      if (onEscape_) onEscape_();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (onEnter_) onEnter_();
      return;
    case Qt::Key_Home:
      model_.Home();
      Refresh();
      return;
    case Qt::Key_End:
      model_.End();
      Refresh();
      return;
    case Qt::Key_Left:
      model_.Left();
      Refresh();
      return;
    case Qt::Key_Right:
      model_.Right();
      Refresh();
      return;
    case Qt::Key_Backspace:
      model_.Backspace();
      Changed();
      return;
    case Qt::Key_Delete:
      model_.Delete();
      Changed();
      return;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: QLineEdit::keyPressEvent(event); return;
    default: break;
  }
  const QString typed = event->text();
  if (typed.size() == 1 && typed[0].unicode() >= 0x20 && typed[0].unicode() < 0x7F) {
    const char ch = static_cast<char>(typed[0].unicode());
    if ((!filter_ || filter_(ch)) && model_.Type(ch)) Changed();
  }
  event->accept();
}

void MaskedLineEdit::mouseReleaseEvent(QMouseEvent* event) {
  QLineEdit::mouseReleaseEvent(event);
  deselect();
  model_.SetCaret(cursorPosition());
  Refresh();
}

void MaskedLineEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  deselect();
  Refresh();
}
