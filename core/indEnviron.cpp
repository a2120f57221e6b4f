#include "core/indEnviron.h"

#include <algorithm>
#include <cstdio>

#include "platform/InstanceLock.h"

using platform::RegRoot;
using platform::RegStatus;

namespace {

constexpr char kGlobal[] = "Global";
constexpr char kRecentFileList[] = "Recent File List";
constexpr char kViewOption[] = "View Option";
constexpr char kDisplay[] = "Display";
constexpr char kWindowPosition[] = "Window Position";
constexpr char kSetup[] = "Setup";

std::int32_t Clamp(std::int32_t value, std::int32_t low, std::int32_t high) {
  return std::clamp(value, low, high);
}

std::string RecentValueName(int i) { return "Recent" + std::to_string(i); }

}  // namespace

indEnviron::indEnviron(std::string_view mutexName, std::string_view userKeyPath,
                       std::string_view machineKeyPath, const Options& options)
    : mutexName_(mutexName),
      userKeyPath_(userKeyPath),
      machineKeyPath_(machineKeyPath),
      options_(options) {
  EtcData = dst_EtcData{};
  Language = 0;
  MachineLanguage = 0;

  const std::vector<QString> folders = options_.lockFolders.empty()
                                           ? platform::InstanceLock::DefaultFolders()
                                           : options_.lockFolders;
  lock_ = std::make_unique<platform::InstanceLock>(folders);
  firstInstance_ = lock_->state() != platform::InstanceLock::State::HeldByOther ? 1 : 0;

  if (!firstInstance_) {
    // A later instance reads nothing and writes nothing.
    lock_.reset();
    store_ = std::make_unique<platform::SettingsStore>(QString(), QString());
    return;
  }
  store_ = std::make_unique<platform::SettingsStore>(
      options_.userFile.isEmpty() ? platform::SettingsStore::DefaultUserFile() : options_.userFile,
      options_.machineFile.isEmpty() ? platform::SettingsStore::DefaultMachineFile()
                                     : options_.machineFile);
  previousStore_ = platform::InstalledSettingsStore();
  platform::InstallSettingsStore(store_.get());
  Load();
  if (BBT != kStamp) ApplyDefaults();
}

indEnviron::~indEnviron() {
  if (firstInstance_ && BBT == kStamp) Save();
  if (platform::InstalledSettingsStore() == store_.get())
    platform::InstallSettingsStore(previousStore_);
  // The lock goes last, after the settings are on disk.
  store_.reset();
  lock_.reset();
}

std::string indEnviron::SubKey(std::string_view sub) const {
  std::string path = userKeyPath_;
  path += '\\';
  path += sub;
  return path;
}

void indEnviron::Load() {
  LoadMachinePart();
  LoadUserPart();
  if (HasSetupSwitch(options_.arguments)) SetupDone = 0;
}

void indEnviron::LoadMachinePart() {
  MachineLanguage = 0;
  std::int32_t value = 0;
  if (store_->ReadInt(RegRoot::LocalMachine, machineKeyPath_, "Language", value) == RegStatus::Ok)
    MachineLanguage = Clamp(value, 0, 1);
}

// Every value is read on its own: a missing or unreadable one takes its
// default and the rest still load.
void indEnviron::LoadUserPart() {
  const platform::SettingsStore& s = *store_;
  const WindowPlace place0 = DefaultWindowPlace(options_.screenWidth, options_.screenHeight);
  auto readInt = [&](const std::string& key, std::string_view name, std::int32_t fallback) {
    std::int32_t value = 0;
    return s.ReadInt(RegRoot::CurrentUser, key, name, value) == RegStatus::Ok ? value : fallback;
  };
  // A stored value is kept in its range; a missing one takes its default as it is.
  auto readInRange = [&](const std::string& key, std::string_view name, std::int32_t fallback,
                         std::int32_t low, std::int32_t high) {
    std::int32_t value = 0;
    return s.ReadInt(RegRoot::CurrentUser, key, name, value) == RegStatus::Ok
               ? Clamp(value, low, high)
               : fallback;
  };

  const std::string global = SubKey(kGlobal);
  BBT = readInt(global, "BBT", 0);
  ComPort = readInRange(global, "ComPort", 0, 1, 256);
  ComSpeedHigh = readInRange(global, "ComSpeedHigh", 1, 0, 1);
  TransType = readInRange(global, "TransType", 0, 0, 4);
  CurrentDirectory.clear();
  if (std::string dir;
      s.ReadString(RegRoot::CurrentUser, global, "Current Directory", dir) == RegStatus::Ok)
    CurrentDirectory = dir;
  RepeaterDialog = readInRange(global, "Repeater Dialog", 1, 0, 1);
  AutoCorrect = readInRange(global, "Auto Correct", 1, 0, 1);

  const std::string recent = SubKey(kRecentFileList);
  Recent.Clear();
  for (int i = 0; i < kRecentCapacity; ++i) {
    std::string name;
    if (s.ReadString(RegRoot::CurrentUser, recent, RecentValueName(i), name) == RegStatus::Ok)
      Recent.Append(name);
  }

  const std::string view = SubKey(kViewOption);
  FontSizePercentage = readInRange(view, "FontSize Percentage", 100, 25, 1000);
  Language = readInRange(view, "Language", MachineLanguage, 0, 1);
  ToolbarVisible = readInt(view, "Toolbar Visible", 1) != 0 ? 1 : 0;
  FontSizePrinter = readInRange(view, "FontSize Printer", 10, 8, 12);

  DrDetail = readInRange(SubKey(kDisplay), "DrDetail", 0, 0, 1);

  const std::string window = SubKey(kWindowPosition);
  WindowLeft = readInt(window, "Left", place0.left);
  WindowTop = readInt(window, "Top", place0.top);
  WindowWidth = readInt(window, "Width", place0.width);
  WindowHeight = readInt(window, "Height", place0.height);
  SplitterV = readInt(window, "SplitterV", 200);

  const std::string setup = SubKey(kSetup);
  ModelType = readInt(setup, "ModelType", 0);
  EtcData = dst_EtcData{};
  std::int32_t etc = 0;
  if (s.ReadInt(RegRoot::CurrentUser, setup, "Etc Data", etc) == RegStatus::Ok) {
    dst_EtcData decoded;
    if (DecodeEtcData(static_cast<std::uint32_t>(etc), decoded)) {
      EtcData = decoded;
    } else {
      EtcData.destination = dst_EtcData::kNoDestination;
    }
  }
  SetupDone = EtcData.destination < dst_EtcData::kNoDestination ? 1 : 0;
}

void indEnviron::ApplyDefaults() {
  const WindowPlace place = DefaultWindowPlace(options_.screenWidth, options_.screenHeight);
  BBT = kStamp;
  ComPort = 0;
  ComSpeedHigh = 1;
  TransType = 0;
  CurrentDirectory.clear();
  RepeaterDialog = 1;
  AutoCorrect = 1;
  Recent.Clear();
  FontSizePercentage = 100;
  Language = MachineLanguage;
  ToolbarVisible = 1;
  FontSizePrinter = 10;
  WindowWidth = place.width;
  WindowHeight = place.height;
  WindowLeft = place.left;
  WindowTop = place.top;
  SplitterV = 200;
  ViewCutBits = 7;
  DrDetail = 0;
  ModelType = 0;
  SetupDone = 0;
}

bool indEnviron::Save() {
  if (!firstInstance_ || BBT != kStamp) return false;
  platform::SettingsStore& s = *store_;
  bool ok = true;
  auto writeInt = [&](const std::string& key, std::string_view name, std::int32_t value) {
    ok = s.WriteInt(key, name, value) && ok;
  };

  const std::string global = SubKey(kGlobal);
  writeInt(global, "BBT", BBT);
  writeInt(global, "ComPort", ComPort);
  writeInt(global, "ComSpeedHigh", ComSpeedHigh);
  writeInt(global, "TransType", TransType);
  ok = s.WriteString(global, "Current Directory", CurrentDirectory) && ok;
  writeInt(global, "Repeater Dialog", RepeaterDialog);
  writeInt(global, "Auto Correct", AutoCorrect);

  const std::string recent = SubKey(kRecentFileList);
  for (int i = 0; i < kRecentCapacity; ++i)
    ok = s.WriteString(recent, RecentValueName(i), Recent.GetName(i)) && ok;

  const std::string view = SubKey(kViewOption);
  writeInt(view, "FontSize Percentage", FontSizePercentage);
  writeInt(view, "Language", Language);
  writeInt(view, "Toolbar Visible", ToolbarVisible);
  writeInt(view, "FontSize Printer", FontSizePrinter);

  writeInt(SubKey(kDisplay), "DrDetail", DrDetail);

  const std::string window = SubKey(kWindowPosition);
  writeInt(window, "Left", WindowLeft);
  writeInt(window, "Top", WindowTop);
  writeInt(window, "Width", WindowWidth);
  writeInt(window, "Height", WindowHeight);
  writeInt(window, "SplitterV", SplitterV);

  const std::string setup = SubKey(kSetup);
  writeInt(setup, "ModelType", ModelType);
  writeInt(setup, "Etc Data", static_cast<std::int32_t>(EncodeEtcData(EtcData)));

  if (!ok) return false;
  return s.Save();
}

indEnviron::WindowPlace indEnviron::DefaultWindowPlace(int screenWidth, int screenHeight) {
  WindowPlace place{};
  place.width = std::min(screenWidth * 9 / 10, 800);
  place.height = std::min(screenHeight * 9 / 10, 600);
  place.left = (screenWidth - place.width) / 2;
  place.top = (screenHeight - place.height) * 3 / 10;
  return place;
}

bool indEnviron::HasSetupSwitch(const std::vector<std::string>& arguments) {
  for (const std::string& argument : arguments) {
    std::string lower = argument;
    for (char& c : lower)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (lower == "/setup") return true;
  }
  return false;
}

std::int32_t indEnviron::RegReadInt(RegRoot root, std::string_view keyPath,
                                    std::string_view name) const {
  std::int32_t value = 0;
  return store_->ReadInt(root, keyPath, name, value) == RegStatus::Ok ? value : -1;
}

bool indEnviron::RegWriteInt(RegRoot root, std::string_view keyPath, std::string_view name,
                             std::int32_t value) {
  if (root != RegRoot::CurrentUser) return false;
  return store_->WriteInt(keyPath, name, value);
}

bool indEnviron::RegDeleteKey(RegRoot root, std::string_view keyPath, std::string_view subkey) {
  if (root != RegRoot::CurrentUser) return false;
  return store_->DeleteKey(keyPath, subkey);
}

std::vector<std::string> indEnviron::RegGetValueNames(RegRoot root,
                                                      std::string_view keyPath) const {
  return store_->ValueNames(root, keyPath);
}

std::string indEnviron::RegReadString(RegRoot root, std::string_view keyPath,
                                      std::string_view name) const {
  std::string value;
  return store_->ReadString(root, keyPath, name, value) == RegStatus::Ok ? value : std::string();
}
