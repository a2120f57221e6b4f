// kw-test: label=locale
#include "platform/SettingsStore.h"

#include <gtest/gtest.h>
#include <linux/capability.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
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

// The children below end with _exit: the store goes first, so that its
// working folder goes with it.
[[noreturn]] void SaveWithFullDisk(const QString& file) {
  signal(SIGXFSZ, SIG_IGN);
  const rlimit limit{1024, 1024};
  setrlimit(RLIMIT_FSIZE, &limit);
  bool saved = false;
  {
    SettingsStore store(file, QString());
    store.WriteString(kGlobal, "Long", std::string(65536, 'x'));
    saved = store.Save();
  }
  _exit(saved ? 1 : 0);
}

// Root writes into any folder whatever its permissions. The child gives up
// the capabilities that override permission bits (a no-op for anyone else),
// so the folder's own bits hold however the test is run and wherever the
// temporary folder is.
bool DropPermissionOverrides() {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct data[2] = {};
  if (syscall(SYS_capget, &header, data) != 0) return false;
  for (const int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER})
    data[cap / 32].effective &= ~(1u << (cap % 32));
  return syscall(SYS_capset, &header, data) == 0;
}

[[noreturn]] void SaveIntoReadOnlyFolder(const QString& file) {
  if (!DropPermissionOverrides() && geteuid() == 0) {
    std::fputs("cannot give up the permission overrides\n", stderr);
    _exit(2);
  }
  bool saved = false;
  {
    SettingsStore store(file, QString());
    store.WriteInt(kGlobal, "ComPort", 4);
    saved = store.Save();
  }
  _exit(saved ? 1 : 0);
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

// A file that cannot be read is kept as it is and copied aside; a copy of
// the same bytes is not made twice, and an older copy of other bytes is
// never replaced.
TEST(SettingsStoreTest, DamagedFileIsNeverOverwritten) {
  kwtest::ScratchDir dir;
  const QString file = dir.File("kw3700.conf");
  QFile::copy(Fixture("damaged.conf"), file);
  QFile(file).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
  const QByteArray original = ReadAll(file);
  ::testing::internal::CaptureStderr();
  {
    SettingsStore store(file, QString());
    EXPECT_TRUE(store.IsUserFileDamaged());
    std::int32_t n = 0;
    EXPECT_EQ(store.ReadInt(RegRoot::CurrentUser, kGlobal, "ComPort", n), RegStatus::NoValue);
    EXPECT_FALSE(store.WriteInt(kGlobal, "ComPort", 1));
    EXPECT_FALSE(store.Save());
  }
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("a copy is kept as " +
                                                          (file + ".bad").toStdString()),
            std::string::npos);
  EXPECT_EQ(ReadAll(file), original);
  EXPECT_EQ(ReadAll(file + ".bad"), original);
  // A second start finds its copy there already.
  { SettingsStore again(file, QString()); }
  EXPECT_FALSE(QFileInfo::exists(file + ".bad.1"));
  // An older copy of other bytes stays; these bytes get a name of their own.
  WriteAll(file + ".bad", "older copy");
  ::testing::internal::CaptureStderr();
  { SettingsStore again(file, QString()); }
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("a copy is kept as " +
                                                          (file + ".bad.1").toStdString()),
            std::string::npos);
  EXPECT_EQ(ReadAll(file + ".bad"), "older copy");
  EXPECT_EQ(ReadAll(file + ".bad.1"), original);
}

// The warning tells what really happened to the copy.
TEST(SettingsStoreTest, AFailedCopyOfADamagedFileIsReportedAsFailed) {
  kwtest::ScratchDir dir;
  const QString file = dir.File("kw3700.conf");
  QFile::copy(Fixture("damaged.conf"), file);
  // Every name a copy could take is a folder already.
  ASSERT_TRUE(QDir().mkpath(file + ".bad"));
  for (int n = 1; n < 1000; ++n) ASSERT_TRUE(QDir().mkpath(file + ".bad." + QString::number(n)));
  ::testing::internal::CaptureStderr();
  {
    SettingsStore store(file, QString());
    EXPECT_TRUE(store.IsUserFileDamaged());
  }
  const std::string warning = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(warning.find("no copy of it could be made"), std::string::npos) << warning;
  EXPECT_EQ(warning.find("a copy is kept"), std::string::npos) << warning;
}

// Bytes that QSettings cannot carry are never lost without a copy, even
// when an older copy is in the way; a file that cannot be copied is not
// rewritten.
TEST(SettingsStoreTest, BytesThatAreNotUtf8AreCopiedAsideBeforeTheFirstRewrite) {
  struct Case {
    const char* name;
    QByteArray olderCopy;  // an earlier kw3700.conf.bad, or none
    const char* copyName;
  };
  const Case cases[] = {
      {"no copy yet", QByteArray(), ".bad"},
      {"an older copy", "[Global]\nComPort=1\n", ".bad.1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    kwtest::ScratchDir dir;
    const QString file = dir.File("kw3700.conf");
    QFile::copy(Fixture("non-utf8.conf"), file);
    QFile(file).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    if (!c.olderCopy.isNull()) WriteAll(file + ".bad", c.olderCopy);
    const QByteArray original = ReadAll(file);
    ASSERT_TRUE(original.contains("M\xfcller"));
    SettingsStore store(file, QString());
    EXPECT_FALSE(store.IsUserFileDamaged());
    std::int32_t n = 0;
    ASSERT_EQ(store.ReadInt(RegRoot::CurrentUser, kGlobal, "ComPort", n), RegStatus::Ok);
    EXPECT_EQ(n, 6);
    store.WriteInt(kGlobal, "ComPort", 2);
    ::testing::internal::CaptureStderr();
    ASSERT_TRUE(store.Save());
    const std::string said = ::testing::internal::GetCapturedStderr();
    const QString copy = file + QLatin1String(c.copyName);
    EXPECT_NE(said.find("kept as " + copy.toStdString()), std::string::npos) << said;
    EXPECT_EQ(ReadAll(copy), original);
    if (!c.olderCopy.isNull()) {
      EXPECT_EQ(ReadAll(file + ".bad"), c.olderCopy);
    }
    EXPECT_TRUE(ReadAll(file).contains("[Notes]"));
    // The file is UTF-8 now: a later save makes no copy.
    store.WriteInt(kGlobal, "ComPort", 3);
    ::testing::internal::CaptureStderr();
    ASSERT_TRUE(store.Save());
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  }

  kwtest::ScratchDir dir;
  const QString file = dir.File("kw3700.conf");
  QFile::copy(Fixture("non-utf8.conf"), file);
  QFile(file).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
  const QByteArray original = ReadAll(file);
  ASSERT_TRUE(QDir().mkpath(file + ".bad"));
  for (int n = 1; n < 1000; ++n) ASSERT_TRUE(QDir().mkpath(file + ".bad." + QString::number(n)));
  SettingsStore store(file, QString());
  store.WriteInt(kGlobal, "ComPort", 2);
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(store.Save());
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("no copy of it could be made"), std::string::npos) << said;
  EXPECT_EQ(ReadAll(file), original);
}

// A value cut short inside "@ByteArray(" is of the wrong type, not a name
// to be saved back wrapped in a second "@ByteArray(".
TEST(SettingsStoreTest, ATypedValueCutShortIsOfTheWrongType) {
  kwtest::ScratchDir dir;
  const QString file = dir.File("kw3700.conf");
  WriteAll(file,
           "[Recent%20File%20List]\nRecent0=@ByteArray(/home/op/a.icf\n"
           "Recent1=@ByteArray(/home/op/b.icf)\nRecent2=@String(x\nRecent3=@\n");
  SettingsStore store(file, QString());
  const char* recent = "Software\\Quor\\KW-3700\\Recent File List";
  struct Case {
    const char* name;
    RegStatus status;
    const char* value;
  };
  const Case cases[] = {
      {"Recent0", RegStatus::WrongType, ""},
      {"Recent1", RegStatus::Ok, "/home/op/b.icf"},
      {"Recent2", RegStatus::WrongType, ""},
      {"Recent3", RegStatus::WrongType, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string s;
    EXPECT_EQ(store.ReadString(RegRoot::CurrentUser, recent, c.name, s), c.status);
    if (c.status == RegStatus::Ok) {
      EXPECT_EQ(s, c.value);
    }
  }
}

// A working copy left by a process that was killed goes with the next
// start; a live process's copy stays.
TEST(SettingsStoreTest, AKilledProcessLeavesNoWorkingCopyForGood) {
  kwtest::ScratchDir dir;
  const QString temp = dir.File("tmp");
  ASSERT_TRUE(QDir().mkpath(temp));
  struct ScopedTmpDir {
    explicit ScopedTmpDir(const QString& path) : old(qgetenv("TMPDIR")) {
      qputenv("TMPDIR", QFile::encodeName(path));
    }
    ~ScopedTmpDir() {
      if (old.isNull()) {
        qunsetenv("TMPDIR");
      } else {
        qputenv("TMPDIR", old);
      }
    }
    QByteArray old;
  } scopedTmp(temp);
  auto workFolders = [&] {
    return QDir(temp).entryList({"kw3700-settings-*"}, QDir::Dirs | QDir::NoDotAndDotDot);
  };
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    SettingsStore store(dir.File("kw3700.conf"), QString());
    store.WriteInt(kGlobal, "ComPort", 4);
    (void)!write(ready[1], "r", 1);
    for (;;) pause();
  }
  char byte = 0;
  ASSERT_EQ(read(ready[0], &byte, 1), 1);
  close(ready[0]);
  close(ready[1]);
  const QStringList left = workFolders();
  ASSERT_EQ(left.size(), 1);
  {
    // The holder lives: its folder stays.
    SettingsStore beside(dir.File("other.conf"), QString());
    EXPECT_TRUE(workFolders().contains(left.front()));
    EXPECT_EQ(workFolders().size(), 2);
  }
  kill(child, SIGKILL);
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_EQ(workFolders(), left);
  {
    SettingsStore next(dir.File("kw3700.conf"), QString());
    const QStringList now = workFolders();
    EXPECT_FALSE(now.contains(left.front()));
    EXPECT_EQ(now.size(), 1);
  }
  EXPECT_TRUE(workFolders().isEmpty());
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

  // A folder that takes no new files (the file itself stays writable).
  QFile::setPermissions(dir.Path(), QFile::ReadOwner | QFile::ExeOwner);
  EXPECT_EXIT(SaveIntoReadOnlyFolder(file), ::testing::ExitedWithCode(0), "could not be saved");
  QFile::setPermissions(dir.Path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  EXPECT_EQ(ReadAll(file), before);

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
