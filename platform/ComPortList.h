#pragma once
// The COM ports present on the machine, as the port boxes offer them: the
// port numbers 1..256 as decimal texts ("1", "2", "10"), sorted by number,
// each once. Two sources name them:
// 1. the explicit entries of the port table ("COM7" under "Ports" in the
//    settings, either root) whose device exists; an entry without a number,
//    out of 1..256 or naming a missing device is left out (opening a port
//    still reads the table as it stands, PortTable);
// 2. the serial devices the system reports (QSerialPortInfo), numbered by
//    the port table's fixed scheme (/dev/ttyUSB0 is 1, /dev/ttyACM1 66);
//    devices outside the scheme are left out, and a number that has an
//    explicit entry follows that entry alone.
// The system's report can be replaced for a scope (ScopedSerialPortScan),
// so that a test sees only its own devices. Nothing here opens a device.
#include <functional>
#include <string>
#include <vector>

namespace platform {

class SettingsStore;

// Device paths of the serial ports the system reports.
using SerialPortScan = std::function<std::vector<std::string>()>;
std::vector<std::string> SystemSerialPortPaths();

// Replaces the system's report while it lives (nests).
class ScopedSerialPortScan {
 public:
  explicit ScopedSerialPortScan(SerialPortScan scan);
  ~ScopedSerialPortScan();
  ScopedSerialPortScan(const ScopedSerialPortScan&) = delete;
  ScopedSerialPortScan& operator=(const ScopedSerialPortScan&) = delete;

 private:
  SerialPortScan previous_;
};

// The port numbers, sorted, each once: from the store's entries (null: none)
// and the system's report.
std::vector<int> ComPortNumbers(const SettingsStore* store);
// The same as decimal texts into `list` (replacing what it held), with the
// installed settings store; answers 0.
int GetComPortList(std::vector<std::string>& list);
int GetComPortList(std::vector<std::string>& list, const SettingsStore* store);
// The sort order of the list: entry i minus entry j, both read as numbers.
int CompareStringsAsInt(const std::vector<std::string>& list, int i, int j);
// Entry i (empty out of range).
std::string StringsGet(const std::vector<std::string>& list, int i);

}  // namespace platform
