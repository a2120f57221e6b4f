#pragma once
// Which device a "COM n" port number means. Read at every open, so an entry
// changed in the settings takes effect on the next clone run:
// 1. explicit entries in the settings, key "Ports" under the program's key,
//    string values named like "COM7" holding a device path ("/dev/pts/3");
// 2. the fixed scheme, so a number keeps meaning the same device across
//    restarts: /dev/ttyUSB0-63 are COM 1-64, /dev/ttyACM0-63 COM 65-128 and
//    /dev/ttyS0-127 COM 129-256.
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class SettingsStore;

class PortTable {
 public:
  static constexpr std::string_view kSubkey = "Ports";
  static constexpr int kMaxPort = 256;

  // The device path of COM n, using the installed settings store; empty when
  // the number means no device.
  static std::string DevicePath(int port);
  static std::string DevicePath(int port, const SettingsStore* store);
  // The fixed scheme alone.
  static std::string FixedDevicePath(int port);
  // COM number of a fixed-scheme device path; 0 for any other path.
  static int PortOfFixedDevice(std::string_view path);
  // COM number of an entry name such as "COM7" (any case); 0 when it is none.
  static int PortOfEntryName(std::string_view name);
  // Numbers with an explicit entry, and those of fixed-scheme devices present
  // on the machine; sorted, each once.
  static std::vector<int> PresentPorts(const SettingsStore* store);
};

}  // namespace platform
