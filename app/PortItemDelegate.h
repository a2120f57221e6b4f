#pragma once
// The drop-down of a COM port box: each item, a port number ("7", or the
// alias "COM7"), is shown with the device behind it and what the system
// tells of that device ("7   /dev/ttyUSB0  usb-...-port0  USB Serial
// Cable"). Only the list shows this: the box's text, and so the port the
// program stores, stays the number.
//
// The sources are read when the delegate is installed and each time the
// list opens; an item that is no port number shows as it is.
#include <QAbstractItemView>
#include <QPointer>
#include <QStyledItemDelegate>
#include <functional>
#include <map>

#include "platform/PortDescriptions.h"

class QComboBox;

namespace platform {
class SettingsStore;
}

class PortItemDelegate : public QStyledItemDelegate {
 public:
  using SourceFn = std::function<platform::PortSources()>;

  // Becomes the box's item delegate (the box owns it). The store gives the
  // port table's entries (null: the fixed scheme alone) and must outlive
  // the box.
  static PortItemDelegate* Install(QComboBox* box, const platform::SettingsStore* store);

  // Where descriptions come from (the system's by default); reads them now.
  void SetSources(SourceFn sources);
  // Reads the sources again (the list does when it opens).
  void Refresh();
  // The line shown for an item's text.
  QString ItemText(const QString& itemText) const;

  QString displayText(const QVariant& value, const QLocale& locale) const override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  PortItemDelegate(QComboBox* box, const platform::SettingsStore* store);

  QComboBox* box_;
  QPointer<QAbstractItemView> view_;  // the list whose opening refreshes
  const platform::SettingsStore* store_;
  SourceFn sourceFn_;
  platform::PortSources sources_;
  mutable std::map<int, QString> lines_;
};
