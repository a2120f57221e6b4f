#include "platform/PortTable.h"

#include <sys/stat.h>

#include <algorithm>
#include <charconv>

#include "platform/SettingsStore.h"

namespace platform {
namespace {

struct Family {
  std::string_view prefix;  // device path before the number
  int firstPort;
  int count;
};

constexpr Family kFamilies[] = {
    {"/dev/ttyUSB", 1, 64},
    {"/dev/ttyACM", 65, 64},
    {"/dev/ttyS", 129, 128},
};

std::string PortsKey() {
  return std::string(kProgramKeyPath) + "\\" + std::string(PortTable::kSubkey);
}

// Decimal digits only, no sign, no leading zero unless "0"; -1 otherwise.
int ParseIndex(std::string_view digits) {
  if (digits.empty() || (digits.size() > 1 && digits[0] == '0')) return -1;
  int value = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (ec != std::errc() || end != digits.data() + digits.size()) return -1;
  return value;
}

std::string ExplicitEntry(int port, const SettingsStore* store) {
  if (store == nullptr) return {};
  const std::string key = PortsKey();
  for (RegRoot root : {RegRoot::CurrentUser, RegRoot::LocalMachine}) {
    for (const std::string& name : store->ValueNames(root, key)) {
      if (PortTable::PortOfEntryName(name) != port) continue;
      std::string path;
      if (store->ReadString(root, key, name, path) == RegStatus::Ok && !path.empty()) return path;
    }
  }
  return {};
}

}  // namespace

std::string PortTable::DevicePath(int port) { return DevicePath(port, InstalledSettingsStore()); }

std::string PortTable::DevicePath(int port, const SettingsStore* store) {
  if (port <= 0) return {};
  std::string path = ExplicitEntry(port, store);
  if (!path.empty()) return path;
  return FixedDevicePath(port);
}

std::string PortTable::FixedDevicePath(int port) {
  for (const Family& f : kFamilies) {
    if (port >= f.firstPort && port < f.firstPort + f.count)
      return std::string(f.prefix) + std::to_string(port - f.firstPort);
  }
  return {};
}

int PortTable::PortOfFixedDevice(std::string_view path) {
  for (const Family& f : kFamilies) {
    if (path.substr(0, f.prefix.size()) != f.prefix) continue;
    const int index = ParseIndex(path.substr(f.prefix.size()));
    if (index >= 0 && index < f.count) return f.firstPort + index;
  }
  return 0;
}

int PortTable::PortOfEntryName(std::string_view name) {
  if (name.size() < 4) return 0;
  auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; };
  if (upper(name[0]) != 'C' || upper(name[1]) != 'O' || upper(name[2]) != 'M') return 0;
  const int port = ParseIndex(name.substr(3));
  return port > 0 ? port : 0;
}

std::vector<int> PortTable::PresentPorts(const SettingsStore* store) {
  std::vector<int> ports;
  if (store != nullptr) {
    for (RegRoot root : {RegRoot::CurrentUser, RegRoot::LocalMachine}) {
      for (const std::string& name : store->ValueNames(root, PortsKey())) {
        const int port = PortOfEntryName(name);
        if (port > 0) ports.push_back(port);
      }
    }
  }
  for (const Family& f : kFamilies) {
    for (int i = 0; i < f.count; ++i) {
      struct stat st {};
      const std::string path = std::string(f.prefix) + std::to_string(i);
      if (stat(path.c_str(), &st) == 0 && S_ISCHR(st.st_mode)) ports.push_back(f.firstPort + i);
    }
  }
  std::sort(ports.begin(), ports.end());
  ports.erase(std::unique(ports.begin(), ports.end()), ports.end());
  return ports;
}

}  // namespace platform
