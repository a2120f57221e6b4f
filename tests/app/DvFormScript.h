#pragma once
// Drives the live DV dialogs in tests: a modal-form runner that takes each
// form the program runs, checks it is the one expected, shows it, lets a
// step work it with mouse and keys (a step ends its form with OK, Cancel,
// Escape or a close) and answers its result; nested forms come back to it
// while their opener's step runs. Also finders and clicks for the forms'
// widgets.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/DvListBox.h"

namespace kwtest {

// Drives each form the dialogs run, in order; a step ends its form with OK,
// Cancel, Escape or a close.
class DvFormScript {
 public:
  using Step = std::function<void(QDialog&)>;

  void Then(std::string name, Step step) { steps_.push_back({std::move(name), std::move(step)}); }
  bool Done() const { return steps_.empty(); }

  int Run(QDialog& form) {
    forms.push_back(&form);
    parents.push_back(form.parentWidget());
    windowModal.push_back(form.windowModality() == Qt::WindowModal);
    if (steps_.empty()) {
      ADD_FAILURE() << "unexpected form " << form.objectName().toStdString();
      form.reject();
      return form.result();
    }
    auto [name, step] = std::move(steps_.front());
    steps_.pop_front();
    EXPECT_EQ(form.objectName().toStdString(), name);
    form.show();
    QApplication::processEvents();
    step(form);
    if (form.isVisible()) {
      ADD_FAILURE() << name << " was left open";
      form.reject();
    }
    return form.result();
  }

  std::vector<QPointer<QDialog>> forms;
  std::vector<QWidget*> parents;
  std::vector<bool> windowModal;

 private:
  std::deque<std::pair<std::string, Step>> steps_;
};

inline DvListBox* ListOf(QDialog& form, const char* name) {
  auto* list = form.findChild<DvListBox*>(QLatin1String(name));
  EXPECT_NE(list, nullptr) << name;
  return list;
}
inline QPushButton* ButtonOf(QDialog& form, const char* name) {
  auto* button = form.findChild<QPushButton*>(QLatin1String(name));
  EXPECT_NE(button, nullptr) << name;
  return button;
}
inline QLineEdit* EditOf(QDialog& form, const char* name) {
  auto* edit = form.findChild<QLineEdit*>(QLatin1String(name));
  EXPECT_NE(edit, nullptr) << name;
  return edit;
}

inline QStringList Rows(DvListBox* list) {
  QStringList rows;
  for (int r = 0; r < list->count(); ++r) rows << list->item(r)->text().trimmed();
  return rows;
}
inline void ClickRow(DvListBox* list, int row) {
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(row)).center());
}
inline void DoubleClickRow(DvListBox* list, int row) {
  const QPoint at = list->visualItemRect(list->item(row)).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}
inline void Click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

}  // namespace kwtest
