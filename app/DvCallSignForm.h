#pragma once
// The "Call Sign Setting" form (and its "Access Repeater Select" and
// "Called Station Select" forms): a fixed-size dialog with the picker's
// three lists in a sunken frame, their captions, OK, Cancel and, for names,
// "Detail", which widens the form to show the call-sign column. It renders
// a DvCallSignPicker and forwards clicks and keys to it; the picker decides.
//
// The caller runs it (RunModalForm) and then reads the picker's value and
// DetailChecked().
#include <QDialog>
#include <functional>

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class DvCallSignPicker;
class DvListBox;
class cmcGTex;

class DvCallSignForm : public QDialog {
 public:
  // `onShow` runs each time the form is shown (the caller enables its help
  // windows there). The picker and the table must outlive the form.
  DvCallSignForm(QWidget* parent, DvCallSignPicker& picker, cmcGTex& texts,
                 std::function<void()> onShow);

  bool DetailChecked() const;
  DvListBox* ListBox(int list) const { return lists_[list]; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Render();
  void Relayout();
  void OnRow(int list, int row);
  void OnDoubleClick();
  void OnSideKey(int list, int direction);
  void OnDetail();

  DvCallSignPicker& picker_;
  std::function<void()> onShow_;
  int u_ = 0;
  int listWidth_[3] = {};
  QFrame* frame_ = nullptr;
  DvListBox* lists_[3] = {};
  QLabel* labels_[3] = {};
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QCheckBox* detail_ = nullptr;
};
