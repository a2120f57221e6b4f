// kw-test: gui
// The COM port boxes' list: bare numbers of the ports present, refilled
// when the list opens, the typed text kept.
#include "app/ComPortCombo.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include "platform/ComPortList.h"
#include "platform/SettingsStore.h"
#include "support/PtyPair.h"
#include "support/ScratchDir.h"

namespace {

QStringList Items(const QComboBox& box) {
  QStringList items;
  for (int i = 0; i < box.count(); ++i) items << box.itemText(i);
  return items;
}

TEST(ComPortComboTest, RefillKeepsTheTypedTextAndNoDeviceLeavesAnEmptyList) {
  kwtest::ScratchDir dir;
  platform::SettingsStore store(dir.File("user.conf"), QString());
  kwtest::PtyPair pty;
  ASSERT_TRUE(pty.IsValid());
  ASSERT_TRUE(store.WriteString("Software\\Quor\\KW-3700\\Ports", "COM7", pty.SlavePath()));
  std::vector<std::string> devices{"/dev/ttyUSB0", "/dev/ttyACM1"};
  platform::ScopedSerialPortScan scan([&devices] { return devices; });

  ComPortComboBox box(nullptr, &store);
  box.setEditText(QStringLiteral("12"));
  FillComPortCombo(&box, &store);
  EXPECT_EQ(Items(box), (QStringList{"1", "7", "66"}));
  EXPECT_EQ(box.currentText(), QStringLiteral("12"));

  // Opening the list reads the ports again.
  devices = {"/dev/ttyUSB1"};
  box.showPopup();
  EXPECT_EQ(Items(box), (QStringList{"2", "7"}));
  EXPECT_EQ(box.currentText(), QStringLiteral("12"));
  box.hidePopup();

  devices.clear();
  platform::ScopedSettingsStore none(nullptr);
  FillComPortCombo(&box);
  EXPECT_EQ(box.count(), 0);
  EXPECT_EQ(box.currentText(), QStringLiteral("12"));
}

}  // namespace
