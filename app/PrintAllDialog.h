#pragma once
// The print-all choice dialog: "Memory CH" pages (a group box with its "All"
// box) and "Bank CH" pages, both checked at first; "Bank CH" is cleared and
// disabled when no channel is in a bank. OK and Cancel close it; the caller
// reads the two boxes.
#include <QDialog>

class QCheckBox;
class QPushButton;
class cmcGTex;

class PrintAllDialog : public QDialog {
  Q_OBJECT
 public:
  PrintAllDialog(QWidget* parent, cmcGTex& texts, bool anyBankChannel);

  QCheckBox* MemoryBox() const { return memory_; }
  QCheckBox* BankBox() const { return bank_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }

 private:
  QCheckBox* memory_ = nullptr;
  QCheckBox* bank_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
};
