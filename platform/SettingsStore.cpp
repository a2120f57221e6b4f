#include "platform/SettingsStore.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStringDecoder>
#include <QVariant>
#include <charconv>
#include <cstdio>

#include "platform/WorkFolder.h"

namespace platform {
namespace {

constexpr char kFileName[] = "kw3700.conf";
constexpr char kWorkPrefix[] = "kw3700-settings-";
// Copies of a file kept aside: "<file>.bad", then "<file>.bad.1" and on.
constexpr int kMaxCopies = 1000;

QString EnvFolder(const char* name) {
  const QString value = qEnvironmentVariable(name);
  return value.isEmpty() ? QString() : QDir::cleanPath(value);
}

std::vector<std::string> SplitKeyPath(std::string_view path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
    if (c == '\\') {
      if (!part.empty()) parts.push_back(std::move(part));
      part.clear();
    } else {
      part.push_back(c);
    }
  }
  if (!part.empty()) parts.push_back(std::move(part));
  return parts;
}

bool EqualsAsciiNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// A value name maps to one QSettings key, so it may not hold a separator.
bool UsableName(std::string_view name) {
  return !name.empty() && name.find('/') == std::string_view::npos &&
         name.find('\\') == std::string_view::npos;
}

QString KeyOf(std::string_view keyPath, std::string_view name) {
  const QString group = SettingsStore::GroupOf(keyPath);
  const QString value = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
  return group.isEmpty() ? value : group + QLatin1Char('/') + value;
}

// "-" and decimal digits: an integer value, whether or not it fits int32.
bool LooksLikeNumber(const QString& text) {
  qsizetype i = text.startsWith(QLatin1Char('-')) ? 1 : 0;
  if (i == text.size()) return false;
  for (; i < text.size(); ++i)
    if (text.at(i) < QLatin1Char('0') || text.at(i) > QLatin1Char('9')) return false;
  return true;
}

// Strict int32: optional "-", decimal digits, nothing else, in range.
bool ParseInt32(const QString& text, std::int32_t& out) {
  const QByteArray latin = text.toLatin1();
  if (latin.isEmpty() || latin.size() != text.size()) return false;
  const char* first = latin.constData();
  const char* last = first + latin.size();
  if (*first == '-' && latin.size() == 1) return false;
  std::int32_t value = 0;
  const auto [ptr, ec] = std::from_chars(first, last, value, 10);
  if (ec != std::errc() || ptr != last) return false;
  out = value;
  return true;
}

// True when the group holds any value or subgroup.
bool GroupHasContent(QSettings& s, const QString& group) {
  s.beginGroup(group);
  const bool exists = !s.childKeys().isEmpty() || !s.childGroups().isEmpty();
  s.endGroup();
  return exists;
}

void Warn(const QString& text) {
  std::fprintf(stderr, "kw3700: %s\n", text.toLocal8Bit().constData());
  std::fflush(stderr);
}

SettingsStore* g_installed = nullptr;

}  // namespace

QString SettingsStore::DefaultUserFolder() {
  QString dir = EnvFolder("KW3700_CONFIG_DIR");
  if (!dir.isEmpty()) return dir;
  dir = EnvFolder("XDG_CONFIG_HOME");
  if (dir.isEmpty() || !QDir::isAbsolutePath(dir))
    dir = QDir::homePath() + QStringLiteral("/.config");
  return dir + QStringLiteral("/kw3700");
}

QString SettingsStore::DefaultUserFile() {
  return DefaultUserFolder() + QLatin1Char('/') + QLatin1String(kFileName);
}

QString SettingsStore::DefaultMachineFile() {
  QString dir = EnvFolder("KW3700_MACHINE_CONFIG_DIR");
  if (dir.isEmpty()) dir = QStringLiteral("/etc/xdg/kw3700");
  return dir + QLatin1Char('/') + QLatin1String(kFileName);
}

QString SettingsStore::GroupOf(std::string_view keyPath) {
  std::vector<std::string> parts = SplitKeyPath(keyPath);
  const std::vector<std::string> base = SplitKeyPath(kProgramKeyPath);
  std::size_t skip = 0;
  if (parts.size() >= base.size()) {
    skip = base.size();
    for (std::size_t i = 0; i < base.size(); ++i) {
      if (!EqualsAsciiNoCase(parts[i], base[i])) {
        skip = 0;
        break;
      }
    }
  }
  QString group;
  for (std::size_t i = skip; i < parts.size(); ++i) {
    if (!group.isEmpty()) group += QLatin1Char('/');
    group += QString::fromStdString(parts[i]);
  }
  return group;
}

SettingsStore::SettingsStore() : SettingsStore(DefaultUserFile(), DefaultMachineFile()) {}

SettingsStore::SettingsStore(const QString& userFile, const QString& machineFile)
    : userFile_(userFile), machineFile_(machineFile) {
  if (!userFile_.isEmpty()) {
    QByteArray bytes;
    bool readable = true;
    const QFileInfo info(userFile_);
    if (info.exists()) {
      QFile file(userFile_);
      readable = info.isFile() && file.open(QIODevice::ReadOnly);
      if (readable) {
        bytes = file.readAll();
        readable = file.error() == QFileDevice::NoError;
      }
    }
    // The working copy lives in the temporary folder, else beside the file.
    const QString userFolder = QFileInfo(userFile_).absolutePath();
    for (const QString& base : {QDir::tempPath(), userFolder}) {
      QDir().mkpath(base);
      work_ = std::make_unique<WorkFolder>(base, QLatin1String(kWorkPrefix));
      if (work_->IsValid()) break;
    }
    if (!work_->IsValid()) {
      Warn(QStringLiteral("no temporary folder for the settings; they will not be saved"));
      userDamaged_ = true;
      return;
    }
    workFile_ = work_->FilePath(QLatin1String(kFileName));
    if (info.exists() && readable) {
      // A byte-order mark (some editors add one) would make QSettings
      // refuse the whole file.
      const QByteArray body = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
      QFile copy(workFile_);
      readable = copy.open(QIODevice::WriteOnly) && copy.write(body) == body.size();
      // Closed before QSettings reads it.
      copy.close();
      readable = readable && copy.error() == QFileDevice::NoError;
    }
    auto settings = std::make_unique<QSettings>(workFile_, QSettings::IniFormat);
    // QSettings parses sections lazily; some faults show only once it has.
    (void)settings->allKeys();
    if (!readable || settings->status() != QSettings::NoError) {
      userDamaged_ = true;
      QString copy;
      QString why;
      const QString kept = KeepCopy(bytes, readable, copy, why)
                               ? QStringLiteral("a copy is kept as %1").arg(copy)
                               : QStringLiteral("no copy of it could be made: %1").arg(why);
      Warn(QStringLiteral("the settings file %1 cannot be read; running on default settings, "
                          "and they will not be saved over it (%2)")
               .arg(userFile_, kept));
    } else {
      // Bytes that are not UTF-8 become U+FFFD in QSettings and would be
      // lost by the first save.
      QStringDecoder utf8(QStringDecoder::Utf8);
      const QString decoded = utf8.decode(bytes);  // decodes only when assigned
      userNotUtf8_ = utf8.hasError();
      originalBytes_ = userNotUtf8_ ? bytes : QByteArray();
      user_ = std::move(settings);
    }
  }
  if (!machineFile_.isEmpty() && QFileInfo(machineFile_).isFile()) {
    auto settings = std::make_unique<QSettings>(machineFile_, QSettings::IniFormat);
    (void)settings->allKeys();
    if (settings->status() == QSettings::NoError) {
      machine_ = std::move(settings);
    } else {
      Warn(QStringLiteral("the machine settings file %1 cannot be read; it is ignored")
               .arg(machineFile_));
    }
  }
}

SettingsStore::~SettingsStore() {
  if (g_installed == this) g_installed = nullptr;
  // The working copy goes with the store; QSettings must go before its folder.
  user_.reset();
}

bool SettingsStore::KeepCopy(const QByteArray& known, bool knownIsFile, QString& copy,
                             QString& why) {
  // What stands in the file now; the bytes read at the start when it has
  // gone meanwhile.
  QByteArray bytes = known;
  {
    QFile file(userFile_);
    if (file.open(QIODevice::ReadOnly)) {
      bytes = file.readAll();
      if (file.error() != QFileDevice::NoError) {
        why = file.errorString();
        return false;
      }
    } else if (QFileInfo::exists(userFile_) || !knownIsFile) {
      why = file.errorString();
      return false;
    }
  }
  for (int n = 0; n < kMaxCopies; ++n) {
    const QString name =
        userFile_ + (n == 0 ? QStringLiteral(".bad") : QStringLiteral(".bad.%1").arg(n));
    QFile out(name);
    if (out.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
      const bool written = out.write(bytes) == bytes.size() && out.flush();
      out.close();
      if (written && out.error() == QFileDevice::NoError) {
        copy = name;
        return true;
      }
      why = out.errorString();
      out.remove();
      return false;
    }
    if (!QFileInfo::exists(name)) {
      why = out.errorString();
      return false;
    }
    // A copy of these very bytes is kept already: it serves.
    QFile older(name);
    if (older.open(QIODevice::ReadOnly) && older.size() == bytes.size() &&
        older.readAll() == bytes) {
      copy = name;
      return true;
    }
  }
  why = QStringLiteral("%1 copies are there already").arg(kMaxCopies);
  return false;
}

QSettings* SettingsStore::Root(RegRoot root) const {
  return root == RegRoot::CurrentUser ? user_.get() : machine_.get();
}

bool SettingsStore::Writable() const { return user_ != nullptr && !userDamaged_; }

RegStatus SettingsStore::ReadInt(RegRoot root, std::string_view keyPath, std::string_view name,
                                 std::int32_t& out) const {
  QSettings* s = Root(root);
  if (!s || !UsableName(name)) return RegStatus::NoValue;
  const QString key = KeyOf(keyPath, name);
  if (!s->contains(key)) return RegStatus::NoValue;
  const QVariant value = s->value(key);
  if (value.metaType().id() != QMetaType::QString) return RegStatus::WrongType;
  std::int32_t parsed = 0;
  if (!ParseInt32(value.toString(), parsed)) return RegStatus::WrongType;
  out = parsed;
  return RegStatus::Ok;
}

RegStatus SettingsStore::ReadString(RegRoot root, std::string_view keyPath, std::string_view name,
                                    std::string& out) const {
  QSettings* s = Root(root);
  if (!s || !UsableName(name)) return RegStatus::NoValue;
  const QString key = KeyOf(keyPath, name);
  if (!s->contains(key)) return RegStatus::NoValue;
  const QVariant value = s->value(key);
  if (value.metaType().id() == QMetaType::QByteArray) {
    const QByteArray bytes = value.toByteArray();
    out.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return RegStatus::Ok;
  }
  if (value.metaType().id() == QMetaType::QString) {
    // A plain text typed by hand; a plain number is an integer value. A
    // text that begins with "@" is a typed value QSettings could not parse
    // (cut short, as "@ByteArray(abc"), not a name.
    if (LooksLikeNumber(value.toString()) || value.toString().startsWith(QLatin1Char('@')))
      return RegStatus::WrongType;
    out = value.toString().toStdString();
    return RegStatus::Ok;
  }
  return RegStatus::WrongType;
}

bool SettingsStore::KeyExists(RegRoot root, std::string_view keyPath) const {
  QSettings* s = Root(root);
  if (!s) return false;
  const QString group = GroupOf(keyPath);
  return group.isEmpty() || GroupHasContent(*s, group);
}

std::vector<std::string> SettingsStore::ValueNames(RegRoot root, std::string_view keyPath) const {
  std::vector<std::string> names;
  QSettings* s = Root(root);
  if (!s) return names;
  s->beginGroup(GroupOf(keyPath));
  for (const QString& key : s->childKeys()) names.push_back(key.toStdString());
  s->endGroup();
  return names;
}

std::vector<std::string> SettingsStore::SubkeyNames(RegRoot root, std::string_view keyPath) const {
  std::vector<std::string> names;
  QSettings* s = Root(root);
  if (!s) return names;
  s->beginGroup(GroupOf(keyPath));
  for (const QString& key : s->childGroups()) names.push_back(key.toStdString());
  s->endGroup();
  return names;
}

bool SettingsStore::WriteInt(std::string_view keyPath, std::string_view name, std::int32_t value) {
  if (!Writable() || !UsableName(name)) return false;
  user_->setValue(KeyOf(keyPath, name), QString::number(value));
  dirty_ = true;
  return true;
}

bool SettingsStore::WriteString(std::string_view keyPath, std::string_view name,
                                std::string_view bytes) {
  if (!Writable() || !UsableName(name)) return false;
  user_->setValue(KeyOf(keyPath, name),
                  QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
  dirty_ = true;
  return true;
}

bool SettingsStore::DeleteValue(std::string_view keyPath, std::string_view name) {
  if (!Writable() || !UsableName(name)) return false;
  const QString key = KeyOf(keyPath, name);
  if (!user_->contains(key)) return false;
  user_->remove(key);
  dirty_ = true;
  return true;
}

bool SettingsStore::DeleteKey(std::string_view keyPath, std::string_view subkey) {
  if (!Writable()) return false;
  const QString sub = GroupOf(subkey);
  if (sub.isEmpty()) return false;
  const QString group = GroupOf(keyPath);
  const QString full = group.isEmpty() ? sub : group + QLatin1Char('/') + sub;
  if (!GroupHasContent(*user_, full)) return false;
  user_->remove(full);
  dirty_ = true;
  return true;
}

bool SettingsStore::Save() {
  if (!Writable()) {
    if (userDamaged_)
      Warn(QStringLiteral("settings not saved: %1 is kept as it is").arg(userFile_));
    return false;
  }
  if (!dirty_) return true;
  auto failed = [this] {
    Warn(QStringLiteral("the settings could not be saved to %1; the previous file is kept")
             .arg(userFile_));
    return false;
  };
  user_->sync();
  if (user_->status() != QSettings::NoError) return failed();
  QFile copy(workFile_);
  if (!copy.open(QIODevice::ReadOnly)) return failed();
  const QByteArray bytes = copy.readAll();
  if (copy.error() != QFileDevice::NoError) return failed();
  // The copy must read back as exactly what is held: a write cut short would
  // otherwise replace a good file with half of it.
  // (QSettings shares what it parsed per file name, so the check reads a
  // second copy under a name of its own.)
  {
    static int checks = 0;
    const QString checkFile = work_->FilePath(QStringLiteral("check-%1.conf").arg(++checks));
    QFile out(checkFile);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.flush())
      return failed();
    out.close();
    bool same = false;
    {
      QSettings check(checkFile, QSettings::IniFormat);
      const QStringList keys = user_->allKeys();
      (void)check.allKeys();
      same = check.status() == QSettings::NoError && check.allKeys() == keys;
      for (qsizetype i = 0; same && i < keys.size(); ++i)
        same = check.value(keys.at(i)) == user_->value(keys.at(i));
    }
    QFile::remove(checkFile);
    if (!same) return failed();
  }
  if (userNotUtf8_) {
    // Never lose a byte without a copy.
    QString copy;
    QString why;
    if (!KeepCopy(originalBytes_, true, copy, why)) {
      Warn(QStringLiteral("the settings were not saved: %1 holds bytes that are not UTF-8, which "
                          "a save cannot keep, and no copy of it could be made (%2); the file is "
                          "kept as it is")
               .arg(userFile_, why));
      return false;
    }
    Warn(QStringLiteral("the settings file %1 holds bytes that are not UTF-8, which a save cannot "
                        "keep; the file as it was is kept as %2")
             .arg(userFile_, copy));
    userNotUtf8_ = false;
    originalBytes_.clear();
  }
  if (!WriteUserFile(bytes)) return failed();
  dirty_ = false;
  return true;
}

bool SettingsStore::WriteUserFile(const QByteArray& bytes) {
  if (!QDir().mkpath(QFileInfo(userFile_).absolutePath())) return false;
  QSaveFile file(userFile_);
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(bytes) != bytes.size()) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

SettingsStore* InstalledSettingsStore() { return g_installed; }
void InstallSettingsStore(SettingsStore* store) { g_installed = store; }

ScopedSettingsStore::ScopedSettingsStore(SettingsStore* store) : previous_(g_installed) {
  g_installed = store;
}
ScopedSettingsStore::~ScopedSettingsStore() { g_installed = previous_; }

}  // namespace platform
