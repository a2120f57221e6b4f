#pragma once
// The in-place editor a sheet opens over a cell: a frameless plain-text
// editor whose text, caret, selection and maximum length count code page 932
// bytes (a line break counts 2, as CR LF).
//
// It refuses what the cell could not store: typed, pasted, dropped and
// input-method text loses every character code page 932 lacks and every
// control character, and is cut at a character boundary so the text never
// grows past the maximum (0 or less: no maximum). Enter and Escape never
// reach the text; Tab moves the focus on. Wrapped editors break lines
// themselves at 90 % of their width, anywhere and never before the first
// character of a line, so no break enters the text.
//
// The sheet hears of keys through OnKeyDown (setting the key to 0 consumes
// it) and of the focus moving to another widget of the same window through
// OnExit; a popup menu, another window or a detached hook commit nothing.
#include <QPlainTextEdit>
#include <functional>
#include <string>
#include <string_view>

class cuiSheetEditor : public QPlainTextEdit {
  Q_OBJECT
 public:
  using KeyFn = std::function<void(int& key, Qt::KeyboardModifiers modifiers)>;

  explicit cuiSheetEditor(QWidget* parent);

  void SetMaxBytes(int max) { maxBytes_ = max; }
  int MaxBytes() const { return maxBytes_; }

  // The text and the selection from caret to caret + length, in bytes of the
  // text (offsets inside a character or past the end are pulled back).
  void SetBytes(std::string_view text, int caret, int length);
  // The text with breaks as CR LF.
  std::string Bytes() const;
  // Byte offsets of the selection (start, length).
  int CaretBytes() const;
  int SelectionBytes() const;

  void SetWrapped(bool on);
  bool Wrapped() const { return wrapped_; }

  // What the editor takes of an insertion at the current selection.
  QString Admit(const QString& incoming) const;

  KeyFn OnKeyDown;
  std::function<void()> OnExit;
  // A detached hook hides without committing (Escape, a commit in progress).
  void SetExitHookEnabled(bool on) { exitHook_ = on; }
  bool ExitHookEnabled() const { return exitHook_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  int BytesBefore(int position) const;
  void UpdateWrapMargin();

  int maxBytes_ = 1024;
  bool wrapped_ = false;
  bool exitHook_ = true;
};
