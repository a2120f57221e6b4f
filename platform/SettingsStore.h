#pragma once
// The program's registry: two roots (the user's settings, read and written,
// and the machine's, only read), each an INI file kept by QSettings.
//
// Key paths are registry-style ("Software\Quor\KW-3700\Display\memory");
// every "\" separates a group. Paths under the program's own key
// (kProgramKeyPath) are stored relative to it, so the file reads
//   [Global]
//   ComPort=7
// Value types, each checked on its own when read:
//   int32   a plain decimal number ("-8"),
//   string  a byte string, written as @ByteArray(...) so that every byte
//           (CP932 texts, radio information) round-trips; a hand-written
//           plain text that is not a number also reads as a string.
// Anything else reads as WrongType.
//
// User file: $KW3700_CONFIG_DIR/kw3700.conf, else
// $XDG_CONFIG_HOME/kw3700/kw3700.conf (else ~/.config/kw3700/kw3700.conf).
// Machine file: $KW3700_MACHINE_CONFIG_DIR/kw3700.conf, else
// /etc/xdg/kw3700/kw3700.conf; never written.
//
// QSettings works on a private copy of the user file: it would otherwise
// write the file itself, at times of its choosing, and (as of Qt 6.4) report
// success for a write cut short. Save() checks the copy and puts it in place
// through QSaveFile.
//
// The private copy sits in a working folder (platform::WorkFolder) in the
// temporary folder, else beside the user file; one left behind by a process
// that died is removed by the next store made.
//
// A user file that exists but cannot be read is never overwritten: it is
// copied aside, a warning goes to stderr saying where the copy went (or why
// none could be made), and the store behaves as empty and refuses to save.
// A readable file with bytes that are not UTF-8 (which QSettings cannot
// carry) is copied aside before the first save rewrites it, and the save
// says so on stderr; when no copy can be made, the save is refused. Copies
// go to the first of kw3700.conf.bad, kw3700.conf.bad.1, .bad.2, ... that
// does not exist yet, unless one of them holds these very bytes already.
//
// A plain text value beginning with "@" is a typed value QSettings could not
// parse (cut short, "@ByteArray(abc"): it reads as WrongType.
#include <QString>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QSettings;

namespace platform {

class WorkFolder;

// The program's key under both roots.
inline constexpr std::string_view kProgramKeyPath = "Software\\Quor\\KW-3700";

enum class RegRoot { CurrentUser, LocalMachine };

enum class RegStatus {
  Ok,
  NoValue,    // the key or the value does not exist
  WrongType,  // the value exists with another type (or is no valid int32)
};

class SettingsStore {
 public:
  // File places from the environment (see above).
  static QString DefaultUserFile();
  static QString DefaultMachineFile();
  // The folder of the user file (created when the store saves).
  static QString DefaultUserFolder();

  // Either file may be missing; an empty machine path means no machine root.
  SettingsStore(const QString& userFile, const QString& machineFile);
  // Both files from the environment.
  SettingsStore();
  ~SettingsStore();
  SettingsStore(const SettingsStore&) = delete;
  SettingsStore& operator=(const SettingsStore&) = delete;

  QString UserFile() const { return userFile_; }
  QString MachineFile() const { return machineFile_; }
  // The user file exists but could not be read (see above).
  bool IsUserFileDamaged() const { return userDamaged_; }

  RegStatus ReadInt(RegRoot root, std::string_view keyPath, std::string_view name,
                    std::int32_t& out) const;
  RegStatus ReadString(RegRoot root, std::string_view keyPath, std::string_view name,
                       std::string& out) const;
  // True when the key holds any value or subkey.
  bool KeyExists(RegRoot root, std::string_view keyPath) const;
  // Names of the key's values (not of its subkeys), in file order as QSettings
  // gives them (sorted); empty when the key does not exist.
  std::vector<std::string> ValueNames(RegRoot root, std::string_view keyPath) const;
  std::vector<std::string> SubkeyNames(RegRoot root, std::string_view keyPath) const;

  // Writes go to the user root only and reach the file at Save(). They fail
  // (false) for an empty or unusable value name or a damaged user file.
  bool WriteInt(std::string_view keyPath, std::string_view name, std::int32_t value);
  bool WriteString(std::string_view keyPath, std::string_view name, std::string_view bytes);
  bool DeleteValue(std::string_view keyPath, std::string_view name);
  // Removes the subkey with everything below it; false when it did not exist.
  bool DeleteKey(std::string_view keyPath, std::string_view subkey);

  // Writes pending changes through a temporary file that replaces the old one
  // only on success. Nothing pending: nothing written. A failure leaves the
  // old file, reports on stderr and answers false. Writes not saved are lost
  // with the store.
  bool Save();

  // The group path that a key path maps to (exposed for tests).
  static QString GroupOf(std::string_view keyPath);

 private:
  QSettings* Root(RegRoot root) const;
  bool Writable() const;
  // Copies the user file as it is now (else `known`, the bytes read at the
  // start, when the file has gone and they came from it) to a fresh name;
  // false with the reason when no copy exists afterwards.
  bool KeepCopy(const QByteArray& known, bool knownIsFile, QString& copy, QString& why);
  bool WriteUserFile(const QByteArray& bytes);

  QString userFile_;
  QString machineFile_;
  bool userDamaged_ = false;
  bool userNotUtf8_ = false;
  bool dirty_ = false;
  QByteArray originalBytes_;  // kept while bytes that are not UTF-8 await a copy
  std::unique_ptr<WorkFolder> work_;
  QString workFile_;
  std::unique_ptr<QSettings> user_;
  std::unique_ptr<QSettings> machine_;
};

// The store the running program uses (installed by the settings object), for
// services below the core that need it (the serial port table). nullptr when
// none is installed.
SettingsStore* InstalledSettingsStore();
void InstallSettingsStore(SettingsStore* store);

class ScopedSettingsStore {
 public:
  explicit ScopedSettingsStore(SettingsStore* store);
  ~ScopedSettingsStore();
  ScopedSettingsStore(const ScopedSettingsStore&) = delete;
  ScopedSettingsStore& operator=(const ScopedSettingsStore&) = delete;

 private:
  SettingsStore* previous_;
};

}  // namespace platform
