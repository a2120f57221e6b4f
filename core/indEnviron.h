#pragma once
// The settings and environment object: the user's settings, loaded at
// start-up and written back when the object goes; the recent-files list; the
// radio's destination; and whether this process is the single running
// instance. Other code reads and writes the public fields directly.
//
// Settings live in the registry stand-in (platform::SettingsStore): the
// user's values under "Software\Quor\KW-3700" (subkeys "Global",
// "Recent File List", "View Option", "Display", "Window Position", "Setup"),
// the machine's "Language" under the same path of the machine root.
#include <QString>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/cmcRecent.h"
#include "core/dst_EtcData.h"
#include "platform/SettingsStore.h"

namespace platform {
class InstanceLock;
}

class indEnviron {
 public:
  static constexpr char kMutexName[] = "Quor KW-3700 APP Exclusive Mutex";
  static constexpr char kKeyPath[] = "Software\\Quor\\KW-3700";
  static constexpr std::int32_t kStamp = 753951;  // 0xB811F
  static constexpr std::int32_t kRecentCapacity = 10;

  // Where things are, and what the platform tells at start-up. Empty paths
  // come from the environment (platform::SettingsStore, platform::InstanceLock).
  struct Options {
    QString userFile;
    QString machineFile;
    std::vector<QString> lockFolders;    // tried in order
    std::vector<std::string> arguments;  // the command line, program path included
    int screenWidth = 1024;
    int screenHeight = 768;
  };

  indEnviron(std::string_view mutexName, std::string_view userKeyPath,
             std::string_view machineKeyPath, const Options& options);
  ~indEnviron();
  indEnviron(const indEnviron&) = delete;
  indEnviron& operator=(const indEnviron&) = delete;

  // 1 when this process holds the single-instance lock (or no lock could be
  // made at all, see platform::InstanceLock).
  int IsFirstInstance() const { return firstInstance_; }

  // --- settings, by their registry value names -------------------------
  std::int32_t Language = 0;         // interface: 0 English, 1 Japanese
  std::int32_t MachineLanguage = 0;  // machine root "Language"
  cmcRecent Recent{kRecentCapacity};
  std::int32_t BBT = 0;  // stamp; kStamp once loaded or defaulted
  std::int32_t FontSizePercentage = 100;
  std::int32_t ToolbarVisible = 1;
  std::int32_t FontSizePrinter = 10;
  std::int32_t ComPort = 0;  // 0: no port chosen
  std::int32_t ComSpeedHigh = 1;
  std::int32_t TransType = 0;
  std::string CurrentDirectory;  // UTF-8 path
  std::int32_t RepeaterDialog = 1;
  std::int32_t AutoCorrect = 1;
  std::int32_t WindowLeft = 0;
  std::int32_t WindowTop = 0;
  std::int32_t WindowWidth = 800;
  std::int32_t WindowHeight = 600;
  std::int32_t SplitterV = 200;
  // Column-cut mask shared by all sheets (not stored here: each sheet group
  // keeps its own "colcut"). Bit n set = column group n is shown; a column
  // is cut while its group's bit is clear.
  std::int32_t ViewCutBits = 7;
  std::int32_t DrDetail = 0;
  std::int32_t ModelType = 0;
  std::int32_t SetupDone = 0;     // derived: destination chosen, no "/setup"
  dst_EtcData EtcData;            // the radio's destination
  std::int32_t AdjustSwitch = 0;  // not stored: shows the clone adjustment menu item

  // --- destination -----------------------------------------------------
  static std::uint32_t EncodeEtcData(const dst_EtcData& record);
  // true when the check bits match; the record is filled either way.
  static bool DecodeEtcData(std::uint32_t value, dst_EtcData& record);
  static void GetDestFromImage(const RadioInformation& block, dst_EtcData& record);
  void LoadDestFromImage(const RadioInformation& block);
  // 2 when different, 0 when equal (destination and first flag).
  int CompareDest(const RadioInformation& block) const;
  static int CompareImageDest(const RadioInformation& block, const dst_EtcData& record);
  int CompareEtcData(const dst_EtcData& record) const;
  void SetDest(const dst_EtcData& record);

  bool IsDest0() const { return IsDest0Of(EtcData.destination); }
  bool IsDest10() const { return IsDest10Of(EtcData.destination); }
  bool IsDestGroupB() const { return IsDestGroupBOf(EtcData.destination); }
  static bool IsDest0Of(std::uint32_t destination) { return destination == 0; }
  static bool IsDest10Of(std::uint32_t destination) { return destination == 10; }
  static bool IsDestGroupBOf(std::uint32_t destination);

  // --- registry operations for other code --------------------------------
  // The integer, or -1 when the key or value is missing or not an integer.
  std::int32_t RegReadInt(platform::RegRoot root, std::string_view keyPath,
                          std::string_view name) const;
  // Only the user root is written; false otherwise or when the store refuses.
  bool RegWriteInt(platform::RegRoot root, std::string_view keyPath, std::string_view name,
                   std::int32_t value);
  bool RegDeleteKey(platform::RegRoot root, std::string_view keyPath, std::string_view subkey);
  // Value names of a key; nothing when it does not exist.
  std::vector<std::string> RegGetValueNames(platform::RegRoot root, std::string_view keyPath) const;
  // The string value; empty when missing or of another type.
  std::string RegReadString(platform::RegRoot root, std::string_view keyPath,
                            std::string_view name) const;

  const std::string& UserKeyPath() const { return userKeyPath_; }
  const std::string& MachineKeyPath() const { return machineKeyPath_; }
  const std::string& MutexName() const { return mutexName_; }
  platform::SettingsStore& Store() { return *store_; }

  // --- loading and saving (also run by construction and destruction) -----
  // The defaults; the destination is left alone.
  void ApplyDefaults();
  // Writes every setting into the store and saves it (the first instance
  // with a valid stamp only); false when nothing was written or saving failed.
  bool Save();

  // Window defaults for a screen (integer arithmetic).
  struct WindowPlace {
    std::int32_t left, top, width, height;
  };
  static WindowPlace DefaultWindowPlace(int screenWidth, int screenHeight);
  // True when an argument, lower-cased, is "/setup".
  static bool HasSetupSwitch(const std::vector<std::string>& arguments);

 private:
  void Load();
  void LoadMachinePart();
  void LoadUserPart();
  std::string SubKey(std::string_view sub) const;

  std::string mutexName_;
  std::string userKeyPath_;
  std::string machineKeyPath_;
  Options options_;
  int firstInstance_ = 0;
  std::unique_ptr<platform::SettingsStore> store_;
  platform::SettingsStore* previousStore_ = nullptr;  // installed before ours
  std::unique_ptr<platform::InstanceLock> lock_;
};
