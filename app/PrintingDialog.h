#pragma once
// The "Now Printing" window of a print run: a caption, one line and a
// Cancel button, which Escape and closing the window press as well. It
// only reports the wish to cancel; the printer decides when to stop and
// frees the window.
#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;
class cmcGTex;

class PrintingDialog : public QDialog {
  Q_OBJECT
 public:
  // The texts come from "GI_Sys_Printer_PrintingDialog" (caption, line,
  // button); `onCancel` runs for every press of Cancel.
  PrintingDialog(cmcGTex& texts, std::function<void()> onCancel);

  QLabel* Line() const { return line_; }
  QPushButton* CancelButton() const { return cancel_; }

 protected:
  void reject() override;
  void closeEvent(QCloseEvent* event) override;

 private:
  std::function<void()> onCancel_;
  QLabel* line_ = nullptr;
  QPushButton* cancel_ = nullptr;
};
