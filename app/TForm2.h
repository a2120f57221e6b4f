#pragma once
// The initial setup dialog, opened instead of the main window on a first
// start or after "/setup": an explanation, a choice between the COM port of
// the radio and a data file, and OK and Cancel. It is modeless, with the main
// window hidden behind it.
//
// Cancel, or closing the dialog, shows the main window without marking the
// setup done (the dialog opens again at the next start): the main form is
// moved into the work area of the dialog's monitor, "show the main form" and
// "refresh the tool bar" are sent, and the dialog goes (deleteLater).
// OK with a COM port (a whole number 1..256, else a notice) stores the port
// and asks the controller for the radio's clone information; with a data
// file the controller takes the file's destination (LoadInitialData). While
// a clone run of the setup is going the dialog is disabled and a user's
// close is refused; a failed run enables it again. The end of the setup
// (events 59 and 60) marks it done when a destination (0..15) was taken,
// resets the document behind it and closes the dialog in any case.
#include <QDialog>
#include <string>

class QButtonGroup;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class cmcGTex;
class indEnviron;
struct cmcEvent;

class TForm2 : public QDialog {
  Q_OBJECT
 public:
  enum Mode { kComPort = 0, kDataFile = 1 };

  // `mainForm` is the owner: the dialog centres on its monitor and shows it
  // when it closes. Texts, settings and the main form must outlive it.
  TForm2(QWidget* mainForm, cmcGTex& texts, indEnviron& settings);
  ~TForm2() override;

  Mode CurrentMode() const { return mode_; }
  // The chosen data file (UTF-8 path; empty before a choice).
  const std::string& FileName() const { return fileName_; }

  // OK and the file-choice button.
  void Button1Click();
  void btIcfSelClick();

  QPushButton* Button1 = nullptr;  // OK
  QPushButton* Button2 = nullptr;  // Cancel
  QPlainTextEdit* Memo1 = nullptr;
  QLabel* Image1 = nullptr;
  QComboBox* cbComm = nullptr;
  QPushButton* btIcfSel = nullptr;
  QLabel* lbIcfName = nullptr;
  QRadioButton* rbCom = nullptr;
  QRadioButton* rbIcf = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  void rbComClick();
  void rbIcfClick();
  void FillPorts();
  void FormClose();
  void OnEvent(const cmcEvent& event);

  QWidget* mainForm_;
  cmcGTex& texts_;
  indEnviron& settings_;
  Mode mode_ = kComPort;
  std::string fileName_;
  bool closed_ = false;
  bool setupEnded_ = false;  // events 59/60: the close goes through
};
