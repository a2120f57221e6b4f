#pragma once
// The COM port dialog: the notice, a box of the machine's port numbers
// (refilled whenever it opens; a number may be typed), OK and Cancel. It
// starts at the settings' port when that is 1..256. OK takes the trimmed
// text when it is all digits naming a port 1..256 (as the setup dialog
// reads its box) into the settings and closes; anything else shows
// "GI_AppInd_Opt_ComSel_OutofRange" and gives the box the focus again.
#include <QDialog>

class QPushButton;
class ComPortComboBox;
class cmcGTex;
class indEnviron;

class ComPortDialog : public QDialog {
  Q_OBJECT
 public:
  // The text table and the settings must outlive the dialog.
  ComPortDialog(QWidget* parent, cmcGTex& texts, indEnviron& settings);

  ComPortComboBox* PortBox() const { return box_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }

 private:
  void OnOk();

  cmcGTex& texts_;
  indEnviron& settings_;
  ComPortComboBox* box_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
};
