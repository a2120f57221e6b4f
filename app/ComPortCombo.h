#pragma once
// The COM port boxes' list: FillComPortCombo replaces a box's items by the
// port numbers present on the machine (platform/ComPortList.h: bare
// numbers, "1", "2", "10", as OK reads them) and keeps the text typed in
// the box. ComPortComboBox is an editable box that refills its list each
// time it opens.
#include <QComboBox>

namespace platform {
class SettingsStore;
}

// With the installed settings store's port entries, or the given store's
// (null: the system's devices alone).
void FillComPortCombo(QComboBox* box);
void FillComPortCombo(QComboBox* box, const platform::SettingsStore* store);

class ComPortComboBox : public QComboBox {
 public:
  // The store gives the port entries (null: the installed one) and must
  // outlive the box.
  explicit ComPortComboBox(QWidget* parent, const platform::SettingsStore* store = nullptr);

  void showPopup() override;

 private:
  const platform::SettingsStore* store_;
};
