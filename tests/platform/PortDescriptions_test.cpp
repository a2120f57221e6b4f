// What each COM number shows in a port list: the device by the port table
// and what the system's sources tell about it.
#include "platform/PortDescriptions.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "platform/SettingsStore.h"
#include "support/PtyPair.h"
#include "support/ScratchDir.h"

namespace platform {
namespace {

class PortDescriptionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pty_.IsValid());
    ASSERT_TRUE(store_.WriteString(std::string(kProgramKeyPath) + "\\Ports", "COM7", pty_.SlavePath()));
    // A link to the pty in a folder of its own, as /dev/serial/by-id holds them.
    ASSERT_TRUE(QDir().mkpath(dir_.File(QStringLiteral("by-id"))));
    ASSERT_TRUE(QFile::link(QString::fromStdString(pty_.SlavePath()),
                            dir_.File(QStringLiteral("by-id/usb-Quor_Pty_Cable_7-if00"))));
    sources_.ports = {
        {"/dev/ttyUSB0", "USB Serial Cable", "Quor", "A100"},
        {"/dev/ttyACM1", "", "Quor", "B200"},
        {pty_.SlavePath(), "Pseudo Cable", "", ""},
    };
    sources_.links = {{"usb-Quor_USB_Serial_Cable_A100-if00-port0", "/dev/ttyUSB0"}};
  }

  kwtest::PtyPair pty_;
  kwtest::ScratchDir dir_;
  SettingsStore store_{dir_.File(QStringLiteral("user.conf")), QString()};
  PortSources sources_;
};

TEST_F(PortDescriptionsTest, EachNumberNamesItsDeviceAndCable) {
  // The by-id folder as the system reads it: its links, resolved.
  const PortSources read = SystemPortSources(dir_.File(QStringLiteral("by-id")));
  ASSERT_EQ(read.links.size(), 1u);
  EXPECT_EQ(read.links[0].name, "usb-Quor_Pty_Cable_7-if00");
  sources_.links.push_back(read.links[0]);

  struct Case {
    int port;
    std::string text;
  } const cases[] = {
      {1, "1   /dev/ttyUSB0  usb-Quor_USB_Serial_Cable_A100-if00-port0  USB Serial Cable"},
      {7, "7   " + pty_.SlavePath() + "  usb-Quor_Pty_Cable_7-if00  Pseudo Cable"},
      {66, "66   /dev/ttyACM1  Quor  B200"},  // nothing better than the maker's data
      {2, "2   /dev/ttyUSB1"},                // a device the system does not list
      {300, "300"},                          // no device at all
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.port);
    EXPECT_EQ(PortItemText(DescribePort(c.port, &store_, sources_)), c.text);
  }
}

TEST_F(PortDescriptionsTest, ADeviceIsFoundThroughALinkToIt) {
  // The system lists the device under a link's path; the table has the device.
  const QString alias = dir_.File(QStringLiteral("alias"));
  ASSERT_TRUE(QFile::link(QString::fromStdString(pty_.SlavePath()), alias));
  sources_.ports = {{alias.toStdString(), "Linked Cable", "", ""}};
  EXPECT_EQ(DescribePort(7, &store_, sources_).description, "Linked Cable");
  EXPECT_EQ(SystemPortSources(dir_.File(QStringLiteral("missing"))).links.size(), 0u);
}

}  // namespace
}  // namespace platform
