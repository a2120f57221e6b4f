#include "platform/PortTable.h"

#include <gtest/gtest.h>

#include "platform/SettingsStore.h"
#include "support/ScratchDir.h"

namespace platform {
namespace {

TEST(PortTableTest, FixedSchemeMapsEachFamilyBothWays) {
  struct Case {
    int port;
    const char* path;
  } cases[] = {
      {1, "/dev/ttyUSB0"},    {64, "/dev/ttyUSB63"}, {65, "/dev/ttyACM0"},
      {128, "/dev/ttyACM63"}, {129, "/dev/ttyS0"},   {256, "/dev/ttyS127"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.port);
    EXPECT_EQ(PortTable::FixedDevicePath(c.port), c.path);
    EXPECT_EQ(PortTable::PortOfFixedDevice(c.path), c.port);
    EXPECT_EQ(PortTable::DevicePath(c.port, nullptr), c.path);
  }
  for (int port : {0, -1, 257, 1000}) EXPECT_EQ(PortTable::DevicePath(port, nullptr), "") << port;
  for (const char* path : {"/dev/ttyUSB64", "/dev/ttyS128", "/dev/ttyUSB01", "/dev/ttyUSB",
                           "/dev/pts/3", "/dev/ttyUSB-1"})
    EXPECT_EQ(PortTable::PortOfFixedDevice(path), 0) << path;
}

TEST(PortTableTest, EntryNamesAreComAndADecimalNumber) {
  EXPECT_EQ(PortTable::PortOfEntryName("COM7"), 7);
  EXPECT_EQ(PortTable::PortOfEntryName("com12"), 12);
  EXPECT_EQ(PortTable::PortOfEntryName("COM300"), 300);
  for (const char* name : {"COM", "COM0", "COM07", "COMX", "COM7a", "PORT7", "COM-1"})
    EXPECT_EQ(PortTable::PortOfEntryName(name), 0) << name;
}

TEST(PortTableTest, SettingsEntriesComeBeforeTheFixedScheme) {
  kwtest::ScratchDir dir;
  SettingsStore store(dir.File("user.conf"), QString());
  const std::string key = std::string(kProgramKeyPath) + "\\Ports";
  ASSERT_TRUE(store.WriteString(key, "COM7", "/dev/pts/3"));
  ASSERT_TRUE(store.WriteString(key, "COM300", "/dev/pts/9"));
  ASSERT_TRUE(store.WriteInt(key, "COM8", 5));  // not a path: ignored
  EXPECT_EQ(PortTable::DevicePath(7, &store), "/dev/pts/3");
  EXPECT_EQ(PortTable::DevicePath(300, &store), "/dev/pts/9");
  EXPECT_EQ(PortTable::DevicePath(8, &store), "/dev/ttyUSB7");
  EXPECT_EQ(PortTable::DevicePath(1, &store), "/dev/ttyUSB0");

  // Read at every call, through the installed store.
  EXPECT_EQ(PortTable::DevicePath(7), "/dev/ttyUSB6");
  ScopedSettingsStore installed(&store);
  EXPECT_EQ(PortTable::DevicePath(7), "/dev/pts/3");
  ASSERT_TRUE(store.WriteString(key, "COM7", "/dev/pts/4"));
  EXPECT_EQ(PortTable::DevicePath(7), "/dev/pts/4");

  const std::vector<int> present = PortTable::PresentPorts(&store);
  for (int port : {7, 8, 300})
    EXPECT_NE(std::find(present.begin(), present.end(), port), present.end()) << port;
  EXPECT_TRUE(std::is_sorted(present.begin(), present.end()));
}

}  // namespace
}  // namespace platform
