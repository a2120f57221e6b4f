// kw-test: label=locale
#include "platform/SettingsStore.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <string>

#include "support/ScratchDir.h"

using platform::RegRoot;
using platform::RegStatus;
using platform::SettingsStore;

namespace {

constexpr char kGlobal[] = "Software\\Quor\\KW-3700\\Global";

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(bytes);
}

QString Fixture(const char* name) {
  return QStringLiteral(KW_TEST_DATA_DIR "/settings/") + QLatin1String(name);
}

std::string AwkwardBytes() {
  std::string bytes = "say \"hi\" \\ back\nslash = ; [x] #c @ ";
  for (int b = 0x80; b <= 0xFF; ++b) bytes.push_back(static_cast<char>(b));
  bytes.push_back('\0');
  bytes += "end";
  return bytes;
}

[[noreturn]] void SaveWithFullDisk(const QString& file) {
  signal(SIGXFSZ, SIG_IGN);
  const rlimit limit{1024, 1024};
  setrlimit(RLIMIT_FSIZE, &limit);
  SettingsStore store(file, QString());
  store.WriteString(kGlobal, "Long", std::string(65536, 'x'));
  _exit(store.Save() ? 1 : 0);
}

// Root writes into any folder whatever its permissions: the save runs in a
// child that has given root up.
[[noreturn]] void SaveAsNobody(const QString& file) {
  if (setgid(65534) != 0 || setuid(65534) != 0) {
    std::fputs("cannot give up root\n", stderr);
    _exit(2);
  }
  SettingsStore store(file, QString());
  if (store.IsUserFileDamaged()) {
    std::fputs("the settings file is not readable without root\n", stderr);
    _exit(2);
  }
  store.WriteInt(kGlobal, "ComPort", 4);
  _exit(store.Save() ? 1 : 0);
}

}  // namespace

TEST(SettingsStoreTest, ValuesRoundTripThroughTheFile) {
  kwtest::ScratchDir dir;
  const QString file = dir.File("kw3700.conf");
  {
    SettingsStore store(file, QString());
    EXPECT_TRUE(store.WriteInt(kGlobal, "ComPort", -8));
    EXPECT_TRUE(store.WriteInt(kGlobal, "Big", 2147483647));
    EXPECT_TRUE(store.WriteInt(kGlobal, "Small", -2147483647 - 1));
    EXPECT_TRUE(store.WriteString(kGlobal, "Bytes", AwkwardBytes()));
    EXPECT_TRUE(store.WriteString(kGlobal, "Empty", ""));
    EXPECT_TRUE(store.Save());
  }
  SettingsStore store(file, QString());
  std::int32_t n = 0;
  ASSERT_EQ(store.ReadInt(RegRoot::CurrentUser, kGlobal, "ComPort", n), RegStatus::Ok);
  EXPECT_EQ(n, -8);
  ASSERT_EQ(store.ReadInt(RegRoot::CurrentUser, kGlobal, "Big", n), RegStatus::Ok);
  EXPECT_EQ(n, 2147483647);
  ASSERT_EQ(store.ReadInt(RegRoot::CurrentUser, kGlobal, "Small", n), RegStatus::Ok);
  EXPECT_EQ(n, -2147483647 - 1);
  std::string s;
  ASSERT_EQ(store.ReadString(RegRoot::CurrentUser, kGlobal, "Bytes", s), RegStatus::Ok);
  EXPECT_EQ(s, AwkwardBytes());
  ASSERT_EQ(store.ReadString(RegRoot::CurrentUser, kGlobal, "Empty", s), RegStatus::Ok);
  EXPECT_EQ(s, "");
  // The program's key maps to the top of the file.
  EXPECT_TRUE(ReadAll(file).startsWith("[Global]\n"));
}

// Each value is checked on its own: an integer read as a string, a string
// read as an integer, and texts that are no int32 are all of the wrong type.
TEST(SettingsStoreTest, TypesAreCheckedPerValue) {
  kwtest::ScratchDir dir;
  const QString file = dir.File("kw3700.conf");
  WriteAll(file,
           "[Global]\nInt=42\nStr=@ByteArray(42)\nPlain=/home/op\nHuge=99999999999\n"
           "Word=abc\nPlus=+5\nSpaced=4 2\nRect=@Rect(1 2 3 4)\nDash=-\nEmpty=\n");
  SettingsStore store(file, QString());
  struct Case {
    const char* name;
    RegStatus asInt;
    std::int32_t intValue;
    RegStatus asString;
    const char* stringValue;
  };
  const Case cases[] = {
      {"Int", RegStatus::Ok, 42, RegStatus::WrongType, ""},
      {"Str", RegStatus::WrongType, 0, RegStatus::Ok, "42"},
      {"Plain", RegStatus::WrongType, 0, RegStatus::Ok, "/home/op"},
      {"Huge", RegStatus::WrongType, 0, RegStatus::WrongType, ""},
      {"Word", RegStatus::WrongType, 0, RegStatus::Ok, "abc"},
      {"Plus", RegStatus::WrongType, 0, RegStatus::Ok, "+5"},
      {"Spaced", RegStatus::WrongType, 0, RegStatus::Ok, "4 2"},
      {"Rect", RegStatus::WrongType, 0, RegStatus::WrongType, ""},
      {"Dash", RegStatus::WrongType, 0, RegStatus::Ok, "-"},
      {"Empty", RegStatus::WrongType, 0, RegStatus::Ok, ""},
      {"Missing", RegStatus::NoValue, 0, RegStatus::NoValue, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::int32_t n = 0;
    EXPECT_EQ(store.ReadInt(RegRoot::CurrentUser, kGlobal, c.name, n), c.asInt);
    if (c.asInt == RegStatus::Ok) {
      EXPECT_EQ(n, c.intValue);
    }
    std::string s;
    EXPECT_EQ(store.ReadString(RegRoot::CurrentUser, kGlobal, c.name, s), c.asString);
    if (c.asString == RegStatus::Ok) {
      EXPECT_EQ(s, c.stringValue);
    }
  }
}

TEST(SettingsStoreTest, KeyPathsBecomeGroups) {
  struct Case {
    const char* path;
    const char* group;
  };
  const Case cases[] = {
      {"Software\\Quor\\KW-3700", ""},
      {"Software\\Quor\\KW-3700\\Global", "Global"},
      {"software\\quor\\kw-3700\\Display\\memory\\colwidth", "Display/memory/colwidth"},
      {"Software\\Quor\\KW-3700\\\\Window Position\\", "Window Position"},
      {"HARDWARE\\DEVICEMAP\\SERIALCOMM", "HARDWARE/DEVICEMAP/SERIALCOMM"},
      {"Software\\Quor", "Software/Quor"},
      {"Ports", "Ports"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SettingsStore::GroupOf(c.path).toStdString(), c.group) << c.path;
}

TEST(SettingsStoreTest, EnumeratesAndDeletes) {
  kwtest::ScratchDir dir;
  SettingsStore store(dir.File("kw3700.conf"), QString());
  const char* memory = "Software\\Quor\\KW-3700\\Display\\memory";
  const char* widths = "Software\\Quor\\KW-3700\\Display\\memory\\colwidth";
  ASSERT_TRUE(store.WriteInt(widths, "0", 40));
  ASSERT_TRUE(store.WriteInt(widths, "1", 50));
  ASSERT_TRUE(store.WriteInt(memory, "colcut", 95));
  ASSERT_TRUE(store.WriteString("Software\\Quor\\KW-3700\\Ports", "COM7", "/dev/pts/3"));
  EXPECT_EQ(store.ValueNames(RegRoot::CurrentUser, widths), (std::vector<std::string>{"0", "1"}));
  EXPECT_EQ(store.ValueNames(RegRoot::CurrentUser, memory), (std::vector<std::string>{"colcut"}));
  EXPECT_EQ(store.SubkeyNames(RegRoot::CurrentUser, memory),
            (std::vector<std::string>{"colwidth"}));
  EXPECT_TRUE(store.ValueNames(RegRoot::CurrentUser, "Software\\Quor\\KW-3700\\Nothing").empty());
  EXPECT_TRUE(store.KeyExists(RegRoot::CurrentUser, widths));

  EXPECT_TRUE(store.DeleteKey(memory, "colwidth"));
  EXPECT_FALSE(store.KeyExists(RegRoot::CurrentUser, widths));
  EXPECT_FALSE(store.DeleteKey(memory, "colwidth"));
  std::int32_t n = 0;
  EXPECT_EQ(store.ReadInt(RegRoot::CurrentUser, memory, "colcut", n), RegStatus::Ok);
  EXPECT_EQ(n, 95);
  std::string port;
  EXPECT_EQ(store.ReadString(RegRoot::CurrentUser, "Software\\Quor\\KW-3700\\Ports", "COM7", port),
            RegStatus::Ok);
  EXPECT_EQ(port, "/dev/pts/3");
  // Names that cannot be one value are refused, not turned into groups.
  EXPECT_FALSE(store.WriteInt(memory, "a/b", 1));
  EXPECT_FALSE(store.WriteInt(memory, "", 1));
}

TEST(SettingsStoreTest, MachineRootIsReadOnly) {
  kwtest::ScratchDir dir;
  const QString machine = dir.File("machine.conf");
  WriteAll(machine, "[General]\nLanguage=1\n");
  const QByteArray before = ReadAll(machine);
  {
    SettingsStore store(dir.File("kw3700.conf"), machine);
    std::int32_t n = 0;
    ASSERT_EQ(store.ReadInt(RegRoot::LocalMachine, platform::kProgramKeyPath, "Language", n),
              RegStatus::Ok);
    EXPECT_EQ(n, 1);
    EXPECT_EQ(store.ReadInt(RegRoot::CurrentUser, platform::kProgramKeyPath, "Language", n),
              RegStatus::NoValue);
    store.WriteInt(platform::kProgramKeyPath, "Language", 0);
    EXPECT_TRUE(store.Save());
  }
  EXPECT_EQ(ReadAll(machine), before);
}

TEST(SettingsStoreTest, UnchangedLoadAndSaveKeepsTheFileByteForByte) {
  kwtest::ScratchDir dir;
  const QString file = dir.File("kw3700.conf");
  {
    SettingsStore store(file, QString());
    store.WriteInt(kGlobal, "ComPort", 3);
    store.WriteString(kGlobal, "Current Directory", "/home/op/\x82\xa0");
    store.WriteInt("Software\\Quor\\KW-3700\\Display\\memory\\colwidth", "2", 64);
    ASSERT_TRUE(store.Save());
  }
  const QByteArray first = ReadAll(file);
  {
    SettingsStore store(file, QString());
    std::int32_t port = 0;
    std::string folder;
    ASSERT_EQ(store.ReadInt(RegRoot::CurrentUser, kGlobal, "ComPort", port), RegStatus::Ok);
    ASSERT_EQ(store.ReadString(RegRoot::CurrentUser, kGlobal, "Current Directory", folder),
              RegStatus::Ok);
    store.WriteInt(kGlobal, "ComPort", port);
    store.WriteString(kGlobal, "Current Directory", folder);
    ASSERT_TRUE(store.Save());
  }
  EXPECT_EQ(ReadAll(file), first);
}

TEST(SettingsStoreTest, AByteOrderMarkIsNoDamage) {
  kwtest::ScratchDir dir;
  const QString file = dir.File("kw3700.conf");
  WriteAll(file, "\xef\xbb\xbf[Global]\nComPort=4\n");
  SettingsStore store(file, QString());
  EXPECT_FALSE(store.IsUserFileDamaged());
  std::int32_t n = 0;
  ASSERT_EQ(store.ReadInt(RegRoot::CurrentUser, kGlobal, "ComPort", n), RegStatus::Ok);
  EXPECT_EQ(n, 4);
}

TEST(SettingsStoreTest, DuplicatesTakeTheLastValue) {
  SettingsStore store(Fixture("duplicates.conf"), QString());
  std::int32_t n = 0;
  ASSERT_EQ(store.ReadInt(RegRoot::CurrentUser, kGlobal, "ComPort", n), RegStatus::Ok);
  EXPECT_EQ(n, 7);
}

// A file that cannot be read is kept as it is and copied aside once.
TEST(SettingsStoreTest, DamagedFileIsNeverOverwritten) {
  kwtest::ScratchDir dir;
  const QString file = dir.File("kw3700.conf");
  QFile::copy(Fixture("damaged.conf"), file);
  const QByteArray original = ReadAll(file);
  {
    SettingsStore store(file, QString());
    EXPECT_TRUE(store.IsUserFileDamaged());
    std::int32_t n = 0;
    EXPECT_EQ(store.ReadInt(RegRoot::CurrentUser, kGlobal, "ComPort", n), RegStatus::NoValue);
    EXPECT_FALSE(store.WriteInt(kGlobal, "ComPort", 1));
    EXPECT_FALSE(store.Save());
  }
  EXPECT_EQ(ReadAll(file), original);
  EXPECT_EQ(ReadAll(file + ".bad"), original);
  // A second start does not replace the first copy.
  WriteAll(file + ".bad", "older copy");
  { SettingsStore again(file, QString()); }
  EXPECT_EQ(ReadAll(file + ".bad"), "older copy");
}

TEST(SettingsStoreTest, BytesThatAreNotUtf8AreCopiedAsideBeforeTheFirstRewrite) {
  kwtest::ScratchDir dir;
  const QString file = dir.File("kw3700.conf");
  QFile::copy(Fixture("non-utf8.conf"), file);
  QFile(file).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
  const QByteArray original = ReadAll(file);
  SettingsStore store(file, QString());
  EXPECT_FALSE(store.IsUserFileDamaged());
  std::int32_t n = 0;
  ASSERT_EQ(store.ReadInt(RegRoot::CurrentUser, kGlobal, "ComPort", n), RegStatus::Ok);
  EXPECT_EQ(n, 6);
  store.WriteInt(kGlobal, "ComPort", 2);
  ASSERT_TRUE(store.Save());
  EXPECT_EQ(ReadAll(file + ".bad"), original);
  EXPECT_TRUE(ReadAll(file).contains("[Notes]"));
}

// A save that cannot complete leaves the previous file whole.
TEST(SettingsStoreTest, FailedSaveLeavesTheOldFile) {
  kwtest::ScratchDir dir;
  const QString file = dir.File("kw3700.conf");
  {
    SettingsStore store(file, QString());
    store.WriteInt(kGlobal, "ComPort", 3);
    ASSERT_TRUE(store.Save());
  }
  const QByteArray before = ReadAll(file);

  if (geteuid() != 0) {
    // An unwritable folder (root would write anyway).
    QFile::setPermissions(dir.Path(), QFile::ReadOwner | QFile::ExeOwner);
    {
      SettingsStore store(file, QString());
      store.WriteInt(kGlobal, "ComPort", 4);
      EXPECT_FALSE(store.Save());
    }
    QFile::setPermissions(dir.Path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(ReadAll(file), before);
  } else {
    const auto readOnly = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                          QFile::ReadOther | QFile::ExeOther;
    QFile::setPermissions(dir.Path(), readOnly);
    // The file itself stays writable: only the folder refuses.
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                    QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther);
    EXPECT_EXIT(SaveAsNobody(file), ::testing::ExitedWithCode(0), "could not be saved");
    QFile::setPermissions(dir.Path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(ReadAll(file), before);
  }

  // A disk that takes no more bytes, whoever runs the test.
  EXPECT_EXIT(SaveWithFullDisk(file), ::testing::ExitedWithCode(0), "could not be saved");
  EXPECT_EQ(ReadAll(file), before);
}

TEST(SettingsStoreTest, FilePlacesComeFromTheEnvironment) {
  const QByteArray oldConfig = qgetenv("KW3700_CONFIG_DIR");
  const QByteArray oldMachine = qgetenv("KW3700_MACHINE_CONFIG_DIR");
  const QByteArray oldXdg = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", "/x/config");
  qunsetenv("KW3700_CONFIG_DIR");
  qunsetenv("KW3700_MACHINE_CONFIG_DIR");
  EXPECT_EQ(SettingsStore::DefaultUserFile(), "/x/config/kw3700/kw3700.conf");
  EXPECT_EQ(SettingsStore::DefaultMachineFile(), "/etc/xdg/kw3700/kw3700.conf");
  qputenv("KW3700_CONFIG_DIR", "/y/conf/");
  qputenv("KW3700_MACHINE_CONFIG_DIR", "/y/machine");
  EXPECT_EQ(SettingsStore::DefaultUserFile(), "/y/conf/kw3700.conf");
  EXPECT_EQ(SettingsStore::DefaultMachineFile(), "/y/machine/kw3700.conf");
  qputenv("KW3700_CONFIG_DIR", oldConfig);
  qputenv("KW3700_MACHINE_CONFIG_DIR", oldMachine);
  qputenv("XDG_CONFIG_HOME", oldXdg);
}

// Whatever stands at the place of the file, the store starts on nothing,
// keeps the file as it is and never crashes.
TEST(SettingsStoreTest, UnreadableFilesOfEveryKindAreLeftAlone) {
  struct Case {
    const char* name;
    QByteArray bytes;
  };
  const Case cases[] = {
      {"line without equals sign", "[Global]\nComPort\nBBT=1\n"},
      {"unterminated section", "[Global\nComPort=1\n"},
      {"binary", QByteArray("\x00\x01[\x00]\n=\xff\n", 9)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    kwtest::ScratchDir dir;
    const QString file = dir.File("kw3700.conf");
    WriteAll(file, c.bytes);
    {
      SettingsStore store(file, QString());
      EXPECT_TRUE(store.IsUserFileDamaged());
      EXPECT_TRUE(store.ValueNames(RegRoot::CurrentUser, kGlobal).empty());
      EXPECT_FALSE(store.Save());
    }
    EXPECT_EQ(ReadAll(file), c.bytes);
    EXPECT_EQ(ReadAll(file + ".bad"), c.bytes);
  }
  kwtest::ScratchDir dir;
  const QString folder = dir.File("kw3700.conf");
  ASSERT_TRUE(QDir().mkpath(folder));
  {
    SettingsStore store(folder, QString());
    EXPECT_TRUE(store.IsUserFileDamaged());
    EXPECT_FALSE(store.WriteInt(kGlobal, "ComPort", 1));
  }
  EXPECT_TRUE(QFileInfo(folder).isDir());
}
