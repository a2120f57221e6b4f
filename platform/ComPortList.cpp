#include "platform/ComPortList.h"

#include <QSerialPortInfo>
#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <map>

#include "platform/PortTable.h"
#include "platform/SettingsStore.h"

namespace platform {
namespace {

SerialPortScan& InstalledScan() {
  static SerialPortScan scan;
  return scan;
}

std::vector<std::string> CurrentScan() {
  const SerialPortScan& scan = InstalledScan();
  return scan ? scan() : SystemSerialPortPaths();
}

bool DeviceExists(const std::string& path) {
  struct stat st {};
  return !path.empty() && stat(path.c_str(), &st) == 0;
}

bool InPortRange(int port) { return port >= 1 && port <= PortTable::kMaxPort; }

int ReadListEntry(const std::string& text) {
  int value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

}  // namespace

std::vector<std::string> SystemSerialPortPaths() {
  std::vector<std::string> paths;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
    paths.push_back(info.systemLocation().toStdString());
  return paths;
}

ScopedSerialPortScan::ScopedSerialPortScan(SerialPortScan scan)
    : previous_(std::move(InstalledScan())) {
  InstalledScan() = std::move(scan);
}

ScopedSerialPortScan::~ScopedSerialPortScan() { InstalledScan() = std::move(previous_); }

std::vector<int> ComPortNumbers(const SettingsStore* store) {
  // Every number with an explicit entry: whether it is listed depends on
  // that entry's device alone.
  std::map<int, bool> entries;
  if (store != nullptr) {
    const std::string key =
        std::string(kProgramKeyPath) + "\\" + std::string(PortTable::kSubkey);
    for (RegRoot root : {RegRoot::CurrentUser, RegRoot::LocalMachine}) {
      for (const std::string& name : store->ValueNames(root, key)) {
        const int port = PortTable::PortOfEntryName(name);
        std::string path;
        // An entry without a path is none: the fixed scheme stands.
        if (!InPortRange(port) || entries.count(port) ||
            store->ReadString(root, key, name, path) != RegStatus::Ok || path.empty())
          continue;
        entries[port] = DeviceExists(PortTable::DevicePath(port, store));
      }
    }
  }
  std::vector<int> ports;
  for (const auto& [port, present] : entries)
    if (present) ports.push_back(port);
  for (const std::string& path : CurrentScan()) {
    const int port = PortTable::PortOfFixedDevice(path);
    if (InPortRange(port) && !entries.count(port)) ports.push_back(port);
  }
  std::sort(ports.begin(), ports.end());
  ports.erase(std::unique(ports.begin(), ports.end()), ports.end());
  return ports;
}

int GetComPortList(std::vector<std::string>& list) {
  return GetComPortList(list, InstalledSettingsStore());
}

int GetComPortList(std::vector<std::string>& list, const SettingsStore* store) {
  list.clear();
  for (int port : ComPortNumbers(store)) list.push_back(std::to_string(port));
  return 0;
}

int CompareStringsAsInt(const std::vector<std::string>& list, int i, int j) {
  return ReadListEntry(StringsGet(list, i)) - ReadListEntry(StringsGet(list, j));
}

std::string StringsGet(const std::vector<std::string>& list, int i) {
  if (i < 0 || static_cast<std::size_t>(i) >= list.size()) return {};
  return list[static_cast<std::size_t>(i)];
}

}  // namespace platform
