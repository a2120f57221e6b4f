// kw-test: gui
// The COM boxes' drop-down: each number shows the device and cable behind
// it, in the setup dialog's box too, while the box's text stays the number.
#include "app/PortItemDelegate.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>

#include "app/TForm2.h"
#include "core/indEnviron.h"
#include "platform/SettingsStore.h"
#include "support/PtyPair.h"
#include "tests/app/MainWindowRig.h"

namespace {

class PortItemDelegateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pty_.IsValid());
    ASSERT_TRUE(rig_.env->Store().WriteString(std::string(indEnviron::kKeyPath) + "\\Ports",
                                              "COM7", pty_.SlavePath()));
    sources_.ports = {{"/dev/ttyUSB0", "USB Serial Cable", "Quor", "A100"},
                      {"/dev/ttyACM1", "Data Cable", "Quor", "B200"},
                      {pty_.SlavePath(), "Pseudo Cable", "", ""}};
    sources_.links = {{"usb-Quor_USB_Serial_Cable_A100-if00-port0", "/dev/ttyUSB0"},
                      {"usb-Quor_Data_Cable_B200-if02", "/dev/ttyACM1"},
                      {"pty-Quor_Test_Line", pty_.SlavePath()}};
  }

  // The lines the box's list shows for items "1", "7" and "66".
  std::vector<std::string> Lines(QComboBox& box) {
    box.clear();
    box.addItems({QStringLiteral("1"), QStringLiteral("7"), QStringLiteral("66")});
    auto* delegate = dynamic_cast<PortItemDelegate*>(box.itemDelegate());
    if (!delegate) {
      ADD_FAILURE() << "the box has no port delegate";
      return {};
    }
    delegate->SetSources([this] { return sources_; });
    std::vector<std::string> lines;
    for (int i = 0; i < box.count(); ++i)
      lines.push_back(delegate->displayText(box.itemText(i), QLocale()).toStdString());
    return lines;
  }

  std::vector<std::string> Expected() const {
    return {"1   /dev/ttyUSB0  usb-Quor_USB_Serial_Cable_A100-if00-port0  USB Serial Cable",
            "7   " + pty_.SlavePath() + "  pty-Quor_Test_Line  Pseudo Cable",
            "66   /dev/ttyACM1  usb-Quor_Data_Cable_B200-if02  Data Cable"};
  }

  kwtest::PtyPair pty_;
  kwtest::MainWindowRig rig_;
  platform::PortSources sources_;
};

TEST_F(PortItemDelegateTest, ItemsNameTheirDeviceAndTheTextStaysTheNumber) {
  QComboBox box;
  box.setEditable(true);
  PortItemDelegate::Install(&box, &rig_.env->Store());
  EXPECT_EQ(Lines(box), Expected());
  box.setCurrentIndex(1);
  EXPECT_EQ(box.currentText(), QStringLiteral("7"));
  // The list is wide enough for its lines.
  EXPECT_GT(box.view()->minimumWidth(),
            box.view()->fontMetrics().horizontalAdvance(QString::fromStdString(Expected()[0])));
  // An alias names the same port; other texts show as they are.
  auto* delegate = static_cast<PortItemDelegate*>(box.itemDelegate());
  EXPECT_EQ(delegate->ItemText(QStringLiteral("COM7")).toStdString(), Expected()[1]);
  EXPECT_EQ(delegate->ItemText(QStringLiteral("abc")), QStringLiteral("abc"));
  EXPECT_EQ(delegate->ItemText(QStringLiteral("0")), QStringLiteral("0"));
}

TEST_F(PortItemDelegateTest, TheSetupDialogsBoxShowsThemToo) {
  rig_.env->ComPort = 7;
  rig_.Build();
  auto* setup = new TForm2(rig_.window.get(), rig_.texts, *rig_.env);
  EXPECT_EQ(Lines(*setup->cbComm), Expected());
  setup->cbComm->setEditText(QStringLiteral("7"));
  EXPECT_EQ(setup->cbComm->currentText(), QStringLiteral("7"));
  delete setup;
}

}  // namespace
