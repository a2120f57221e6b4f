#pragma once
// The "Repeater Setting" form: the access repeater and the called station
// with their "..." buttons, the RPT2 choice ("Repeater Select") and the
// three call signs the route gives, OK and Cancel. A fixed-size dialog that
// renders a DvRouteEditor and forwards what the user does: the "..." buttons
// of the two names ask the chooser (the call-sign selector), typing in the
// called edit reads the text back as a 16-byte name, and the RPT2 "..."
// asks for a row of the editor's choices (the small "Repeater Select" form).
//
// The caller runs it (RunModalForm) and then takes the editor's record.
#include <QDialog>
#include <QPoint>
#include <functional>

#include "model/DvRoute.h"

class QGroupBox;
class QLineEdit;
class QPushButton;
class DvListBox;
class DvRouteEditor;
class cmcGTex;

class DvRepeaterForm : public QDialog {
 public:
  // Runs the selector of `kind` (3 called station, 4 access repeater) on the
  // name, placed at `at` (screen coordinates); true when a name was chosen.
  using Chooser = std::function<bool(int kind, RouteName& name, QPoint at)>;
  // Offers the RPT2 choices (the current one selected) at `at`; the row
  // chosen, or -1.
  using Rpt2Chooser = std::function<int(const QStringList& choices, int selected, QPoint at)>;

  // `onShow` runs each time the form is shown. The editor and the table
  // must outlive the form.
  DvRepeaterForm(QWidget* parent, DvRouteEditor& editor, cmcGTex& texts, Chooser chooser,
                 Rpt2Chooser rpt2Chooser, std::function<void()> onShow);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Render();
  void ChooseAccess();
  void ChooseCalled();
  void SelectRpt2();

  DvRouteEditor& editor_;
  cmcGTex& texts_;
  Chooser chooser_;
  Rpt2Chooser rpt2Chooser_;
  std::function<void()> onShow_;
  int calledRevision_ = -1;
  QGroupBox* callSetting_ = nullptr;
  QLineEdit* access_ = nullptr;
  QLineEdit* called_ = nullptr;
  QLineEdit* select_ = nullptr;
  QPushButton* accessButton_ = nullptr;
  QPushButton* calledButton_ = nullptr;
  QPushButton* selectButton_ = nullptr;
  QLineEdit* boxes_[3] = {};
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

// The small "Repeater Select" form: one list of the RPT2 choices with the
// current one selected, OK and Cancel. Selected() is the row chosen (-1
// for none).
class DvRepeaterSelectForm : public QDialog {
 public:
  DvRepeaterSelectForm(QWidget* parent, const QStringList& choices, int selected, cmcGTex& texts,
                       std::function<void()> onShow);
  int Selected() const;
  DvListBox* List() const { return list_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  std::function<void()> onShow_;
  DvListBox* list_ = nullptr;
};
