#pragma once
// The trace window "Free Debug Window": a window of the main form (a
// Qt::Window child, so it closes with it) filled by a read-only memo with
// both scroll bars, max(100, 0.8 x the main form's height) pixels high,
// centred over the main form and shown when it is made.
//
// Each trace event (25) appends its text (code page 932 bytes, shown as
// such) as one line, unless text is selected in the memo (the user is
// reading or copying it). Only the event's text travels: an event that
// carries no text, or other data, adds nothing.
//
// Built with new; the window frees itself when it is closed (and with the
// main form) and leaves the event bus as it goes. An event bus must be
// installed (EvMan()) and outlive the window.
#include <QWidget>

class QPlainTextEdit;
class cmcEvMan;
struct cmcEvent;

class cuiDebugWin : public QWidget {
 public:
  static constexpr int kMinHeight = 100;
  static constexpr int kMinWidth = 300;

  explicit cuiDebugWin(QWidget* mainForm);
  ~cuiDebugWin() override;
  cuiDebugWin(const cuiDebugWin&) = delete;
  cuiDebugWin& operator=(const cuiDebugWin&) = delete;

  QPlainTextEdit* Memo() const { return memo_; }
  // The window's height for a main form of this height.
  static int HeightFor(int mainFormHeight);

 private:
  void OnEvent(const cmcEvent& event);

  cmcEvMan& bus_;  // the bus the listener was added to; it outlives the window
  QPlainTextEdit* memo_ = nullptr;
};
