#include "platform/ComPortList.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/SettingsStore.h"
#include "support/PtyPair.h"
#include "support/ScratchDir.h"

namespace platform {
namespace {

using Texts = std::vector<std::string>;

class ComPortListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    store_ = std::make_unique<SettingsStore>(dir_.File("user.conf"), dir_.File("machine.conf"));
  }

  // An entry COMn naming a live pseudo-terminal.
  void LivePort(const std::string& name) {
    ptys_.push_back(std::make_unique<kwtest::PtyPair>());
    ASSERT_TRUE(ptys_.back()->IsValid());
    ASSERT_TRUE(store_->WriteString(kKey, name, ptys_.back()->SlavePath()));
  }

  Texts List() {
    Texts list{"stale"};
    EXPECT_EQ(GetComPortList(list, store_.get()), 0);
    return list;
  }

  static constexpr char kKey[] = "Software\\Quor\\KW-3700\\Ports";
  kwtest::ScratchDir dir_;
  std::unique_ptr<SettingsStore> store_;
  std::vector<std::unique_ptr<kwtest::PtyPair>> ptys_;
  ScopedSerialPortScan noDevices_{[] { return Texts{}; }};
};

TEST_F(ComPortListTest, EntriesOfPresentDevicesSortByNumber) {
  LivePort("COM10");
  LivePort("COM2");
  LivePort("COM1");
  EXPECT_EQ(List(), (Texts{"1", "2", "10"}));
  EXPECT_GT(CompareStringsAsInt(List(), 2, 1), 0);  // 10 after 2, not before
  EXPECT_EQ(StringsGet(List(), 1), "2");
  EXPECT_EQ(StringsGet(List(), 3), "");
}

TEST_F(ComPortListTest, EntriesWithoutANumberOutOfRangeRepeatedOrMissingAreLeftOut) {
  LivePort("COM2");
  LivePort("COM0");
  LivePort("COM300");
  LivePort("COM");
  LivePort("COMX");
  LivePort("com2");  // the same number again
  ASSERT_TRUE(store_->WriteString(kKey, "COM4", dir_.FileStd("no-such-device")));
  ASSERT_TRUE(store_->WriteString(kKey, "COM5", ""));
  EXPECT_EQ(List(), (Texts{"2"}));
}

TEST_F(ComPortListTest, SystemDevicesJoinByTheFixedScheme) {
  LivePort("COM7");
  ScopedSerialPortScan scan(
      [] { return Texts{"/dev/ttyACM1", "/dev/ttyUSB0", "/dev/pts/77", "/dev/ttyUSB0"}; });
  EXPECT_EQ(List(), (Texts{"1", "7", "66"}));
}

TEST_F(ComPortListTest, AnEntryDecidesForItsNumber) {
  // COM1 names a missing device: the system's ttyUSB0 does not bring it back.
  ASSERT_TRUE(store_->WriteString(kKey, "COM1", dir_.FileStd("gone")));
  ScopedSerialPortScan scan([] { return Texts{"/dev/ttyUSB0", "/dev/ttyUSB1"}; });
  EXPECT_EQ(List(), (Texts{"2"}));
}

TEST_F(ComPortListTest, NoDeviceGivesAnEmptyList) {
  EXPECT_TRUE(List().empty());
  Texts list{"x"};
  EXPECT_EQ(GetComPortList(list, nullptr), 0);
  EXPECT_TRUE(list.empty());
}

}  // namespace
}  // namespace platform
