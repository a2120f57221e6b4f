#include "sheet/cuiSheetEditor.h"

#include <QApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <vector>

#include "core/SjisBytes.h"
#include "core/TextTableChoice.h"
#include "platform/Cp932.h"

namespace {

// Bytes of one character (a surrogate pair counts as one); 0 when code page
// 932 lacks it. A paragraph break counts 2.
int CharBytes(const QString& text, int i, int* width) {
  const QChar c = text.at(i);
  *width = (c.isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
  if (c == QChar::ParagraphSeparator || c == QLatin1Char('\n')) return 2;
  bool lossy = false;
  const std::string bytes = platform::UnicodeToCp932(text.mid(i, *width), &lossy);
  return lossy ? 0 : static_cast<int>(bytes.size());
}

bool IsControl(QChar c) {
  return c.unicode() < 0x20 || c.unicode() == 0x7F || c.category() == QChar::Other_Control;
}

}  // namespace

cuiSheetEditor::cuiSheetEditor(QWidget* parent) : QPlainTextEdit(parent) {
  setFrameShape(QFrame::NoFrame);
  setContentsMargins(0, 0, 0, 0);
  document()->setDocumentMargin(0);
  setTabChangesFocus(true);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setUndoRedoEnabled(true);
  hide();
}

int cuiSheetEditor::BytesBefore(int position) const {
  const QString text = toPlainText();
  int bytes = 0;
  for (int i = 0; i < position && i < text.size();) {
    int width = 1;
    bytes += CharBytes(text, i, &width);
    i += width;
  }
  return bytes;
}

void cuiSheetEditor::SetBytes(std::string_view text, int caret, int length) {
  // Breaks as the document keeps them; offsets are mapped on the bytes given.
  QString shown;
  std::vector<int> charAt(text.size() + 1, 0);  // byte offset -> character position
  std::size_t i = 0;
  while (i < text.size()) {
    charAt[i] = static_cast<int>(shown.size());
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      charAt[i + 1] = static_cast<int>(shown.size());
      shown += QLatin1Char('\n');
      i += 2;
      continue;
    }
    const std::size_t n = core::SjisCharLength(text, i);
    if (n == 2) charAt[i + 1] = static_cast<int>(shown.size());
    shown += ToDisplayText(text.substr(i, n));
    i += n;
  }
  charAt[text.size()] = static_cast<int>(shown.size());
  setPlainText(shown);
  const auto clampByte = [&](long v) {
    return static_cast<std::size_t>(std::clamp<long>(v, 0, static_cast<long>(text.size())));
  };
  const std::size_t start = clampByte(caret);
  const std::size_t end = clampByte(static_cast<long>(caret) + std::max(length, 0));
  QTextCursor cursor = textCursor();
  cursor.setPosition(charAt[start]);
  cursor.setPosition(charAt[end], QTextCursor::KeepAnchor);
  setTextCursor(cursor);
}

std::string cuiSheetEditor::Bytes() const {
  QString text = toPlainText();
  text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return platform::UnicodeToCp932(text);
}

int cuiSheetEditor::CaretBytes() const { return BytesBefore(textCursor().selectionStart()); }

int cuiSheetEditor::SelectionBytes() const {
  const QTextCursor cursor = textCursor();
  return BytesBefore(cursor.selectionEnd()) - BytesBefore(cursor.selectionStart());
}

QString cuiSheetEditor::Admit(const QString& incoming) const {
  long room = -1;
  if (maxBytes_ > 0) {
    const int total = BytesBefore(static_cast<int>(toPlainText().size()));
    room = std::max<long>(maxBytes_ - (total - SelectionBytes()), 0);
  }
  QString kept;
  for (int i = 0; i < incoming.size();) {
    int width = 1;
    const int bytes = CharBytes(incoming, i, &width);
    if (bytes > 0 && !IsControl(incoming.at(i))) kept += incoming.mid(i, width);
    i += width;
  }
  if (room < 0) return kept;
  const std::string bytes = platform::UnicodeToCp932(kept);
  const std::size_t fit = core::CutSjisText(bytes, static_cast<std::size_t>(room)).size();
  QString out;
  std::size_t used = 0;
  for (int i = 0; i < kept.size();) {
    int width = 1;
    const int n = CharBytes(kept, i, &width);
    if (used + static_cast<std::size_t>(n) > fit) break;
    used += static_cast<std::size_t>(n);
    out += kept.mid(i, width);
    i += width;
  }
  return out;
}

void cuiSheetEditor::keyPressEvent(QKeyEvent* event) {
  int key = event->key();
  if (OnKeyDown) OnKeyDown(key, event->modifiers());
  if (key == 0 || !isVisible()) {
    event->accept();
    return;
  }
  if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
    event->accept();
    return;
  }
  const QString text = event->text();
  const bool typed = !text.isEmpty() && !IsControl(text.at(0)) &&
                     !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
  if (typed) {
    const QString admitted = Admit(text);
    if (!admitted.isEmpty()) insertPlainText(admitted);
    event->accept();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void cuiSheetEditor::focusOutEvent(QFocusEvent* event) {
  QPlainTextEdit::focusOutEvent(event);
  if (!exitHook_ || !OnExit || !isVisible() || event->reason() == Qt::PopupFocusReason) return;
  const QWidget* next = QApplication::focusWidget();
  if (next && next != this && next->window() == window()) OnExit();
}

void cuiSheetEditor::inputMethodEvent(QInputMethodEvent* event) {
  if (event->commitString().isEmpty()) {
    QPlainTextEdit::inputMethodEvent(event);
    return;
  }
  QInputMethodEvent filtered(event->preeditString(), event->attributes());
  filtered.setCommitString(Admit(event->commitString()), event->replacementStart(),
                           event->replacementLength());
  QPlainTextEdit::inputMethodEvent(&filtered);
  event->accept();
}

void cuiSheetEditor::insertFromMimeData(const QMimeData* source) {
  if (!source || !source->hasText()) return;
  const QString admitted = Admit(source->text());
  if (!admitted.isEmpty()) insertPlainText(admitted);
}

void cuiSheetEditor::SetWrapped(bool on) {
  wrapped_ = on;
  setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  setWordWrapMode(on ? QTextOption::WrapAnywhere : QTextOption::NoWrap);
  UpdateWrapMargin();
}

void cuiSheetEditor::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  UpdateWrapMargin();
}

void cuiSheetEditor::UpdateWrapMargin() {
  // Lines break at 90 % of the width: the last tenth stays free.
  const int margin = wrapped_ ? width() * 10 / 100 : 0;
  if (viewportMargins().right() != margin) setViewportMargins(0, 0, margin, 0);
}
