#pragma once
// The About box: the program's icon, the lines of "GI_App_About_Label_Reg"
// with the version and the copyright years in its two "%s", and a default
// button that closes it. It has no parent widget (the main form is disabled
// while it shows): it sits over the main form as its transient child,
// centred on it, and deletes itself when closed; closing it enables the
// main form again and gives it the focus.
//
// Ctrl+I adds a few lines for support: where the settings are kept, the
// help folder and the Qt version.
#include <QDialog>
#include <QPointer>
#include <string>

class QLabel;
class QPushButton;
class cmcGTex;

class AboutBox : public QDialog {
  Q_OBJECT
 public:
  // The text of the label, the two "%s" filled in order (a "%s" inside a
  // filled text stays as it is); CP932 bytes.
  static std::string LabelText(cmcGTex& texts, const std::string& version,
                               const std::string& years);

  AboutBox(QWidget* mainForm, cmcGTex& texts, const QIcon& icon, const std::string& version,
           const std::string& years, QString details);

  QLabel* Label() const { return label_; }
  QLabel* Details() const { return details_; }
  QPushButton* Button() const { return button_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void done(int result) override;

 private:
  void GiveBackMainForm();

  QPointer<QWidget> mainForm_;
  QLabel* label_ = nullptr;
  QLabel* details_ = nullptr;
  QPushButton* button_ = nullptr;
  bool given_ = false;
};
