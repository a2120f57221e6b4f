#pragma once
// A QLineEdit that edits through a MaskedEditModel: typed characters that
// pass the character filter go to the template's slots, Backspace and Delete blank a slot, Home,
// End, Left and Right keep the caret in the editable range, pasted text is filtered, and the input
// method is off. The model holds code page 932 bytes; the widget shows them converted for the
// interface table in force (one byte, one character, so positions match).
#include <QLineEdit>
#include <functional>
#include <string>

#include "sheet/MaskedEditModel.h"

class MaskedLineEdit : public QLineEdit {
 public:
  // The model is not owned and must outlive the widget.
  explicit MaskedLineEdit(MaskedEditModel& model, QWidget* parent = nullptr);

  MaskedEditModel& Model() { return model_; }
  // Shows the model's text and caret (after changing the model directly).
  void Refresh();
  // Called after every change of the text.
  void SetChangeHandler(std::function<void()> handler) { onChange_ = std::move(handler); }
  // Called for Escape.
  void SetEscapeHandler(std::function<void()> handler) { onEscape_ = std::move(handler); }
  // Called for Enter and Return.
  void SetEnterHandler(std::function<void()> handler) { onEnter_ = std::move(handler); }
  // Typed and pasted characters must pass it (every character without one).
  void SetCharFilter(std::function<bool(char)> filter) { filter_ = std::move(filter); }

  // Pastes text as the clipboard would (filtered into the slots).
  void PasteText(const QString& text);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  void Changed();

  MaskedEditModel& model_;
  std::function<void()> onChange_;
  std::function<void()> onEscape_;
  std::function<void()> onEnter_;
  std::function<bool(char)> filter_;
};
