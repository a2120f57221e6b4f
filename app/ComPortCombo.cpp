#include "app/ComPortCombo.h"

#include <string>
#include <vector>

#include "platform/ComPortList.h"
#include "platform/SettingsStore.h"

void FillComPortCombo(QComboBox* box) { FillComPortCombo(box, platform::InstalledSettingsStore()); }

void FillComPortCombo(QComboBox* box, const platform::SettingsStore* store) {
  if (!box) return;
  const QString typed = box->currentText();
  std::vector<std::string> ports;
  platform::GetComPortList(ports, store);
  // Clearing an editable box's list would select the first new item and
  // lose what was typed; the text goes back afterwards.
  box->clear();
  for (const std::string& port : ports) box->addItem(QString::fromStdString(port));
  if (box->isEditable()) {
    box->setEditText(typed);
  } else {
    box->setCurrentIndex(box->findText(typed));
  }
}

ComPortComboBox::ComPortComboBox(QWidget* parent, const platform::SettingsStore* store)
    : QComboBox(parent), store_(store) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
}

void ComPortComboBox::showPopup() {
  FillComPortCombo(this, store_ ? store_ : platform::InstalledSettingsStore());
  QComboBox::showPopup();
}
