#include "core/indEnviron.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <string>
#include <vector>

#include "platform/Fatal.h"
#include "platform/InstanceLock.h"
#include "support/ScratchDir.h"

using platform::RegRoot;

namespace {

constexpr char kKey[] = "Software\\Quor\\KW-3700";

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A scratch settings folder: the user file, the machine file and the lock.
class EnvironFixture : public ::testing::Test {
 protected:
  QString UserFile() const { return dir_.File("kw3700.conf"); }
  QString MachineFile() const { return dir_.File("machine.conf"); }

  void UseFixture(const char* name) {
    ASSERT_TRUE(QFile::copy(QStringLiteral(KW_TEST_DATA_DIR "/settings/") + QLatin1String(name),
                            UserFile()));
    QFile(UserFile()).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
  }
  void UseMachineFixture(const char* name) {
    ASSERT_TRUE(QFile::copy(QStringLiteral(KW_TEST_DATA_DIR "/settings/") + QLatin1String(name),
                            MachineFile()));
  }

  indEnviron::Options Options(std::vector<std::string> args = {"/usr/bin/kw3700"}) const {
    indEnviron::Options o;
    o.userFile = UserFile();
    o.machineFile = MachineFile();
    o.lockFolders = {dir_.File("run")};
    o.arguments = std::move(args);
    o.screenWidth = 1920;
    o.screenHeight = 1080;
    return o;
  }

  std::unique_ptr<indEnviron> Make(std::vector<std::string> args = {"/usr/bin/kw3700"}) {
    return std::make_unique<indEnviron>(indEnviron::kMutexName, kKey, kKey,
                                        Options(std::move(args)));
  }

  kwtest::ScratchDir dir_;
};

struct Defaults {
  static void Expect(const indEnviron& e) {
    EXPECT_EQ(e.BBT, indEnviron::kStamp);
    EXPECT_EQ(e.ComPort, 0);
    EXPECT_EQ(e.ComSpeedHigh, 1);
    EXPECT_EQ(e.TransType, 0);
    EXPECT_EQ(e.CurrentDirectory, "");
    EXPECT_EQ(e.RepeaterDialog, 1);
    EXPECT_EQ(e.AutoCorrect, 1);
    EXPECT_EQ(e.FontSizePercentage, 100);
    EXPECT_EQ(e.ToolbarVisible, 1);
    EXPECT_EQ(e.FontSizePrinter, 10);
    EXPECT_EQ(e.SplitterV, 200);
    EXPECT_EQ(e.ViewCutBits, 7);
    EXPECT_EQ(e.DrDetail, 0);
    EXPECT_EQ(e.ModelType, 0);
    EXPECT_EQ(e.SetupDone, 0);
    EXPECT_EQ(e.WindowLeft, 560);
    EXPECT_EQ(e.WindowTop, 144);
    EXPECT_EQ(e.WindowWidth, 800);
    EXPECT_EQ(e.WindowHeight, 600);
  }
};

}  // namespace

// --- destination record --------------------------------------------------

TEST(EtcDataTest, EncodesWithTheCheckBits) {
  struct Case {
    std::uint32_t destination;
    std::uint8_t first, second;
    std::uint32_t encoded;
  };
  const Case cases[] = {
      {5, 1, 0, 0x144011}, {16, 1, 0, 0x404010}, {0, 0, 0, 0},
      {2, 1, 1, 0x84015},  {15, 0, 1, 0x3C0045},
  };
  for (const Case& c : cases) {
    dst_EtcData record;
    record.destination = c.destination;
    record.firstFlag = c.first;
    record.secondFlag = c.second;
    record.thirdFlag = 1;  // never encoded
    EXPECT_EQ(indEnviron::EncodeEtcData(record), c.encoded) << c.destination;
  }
}

TEST(EtcDataTest, DecodingInvertsEveryRecordAndRejectsABadCheck) {
  for (std::uint32_t d = 0; d < 32; ++d) {
    for (std::uint8_t first = 0; first < 2; ++first) {
      for (std::uint8_t second = 0; second < 2; ++second) {
        const dst_EtcData record{d, first, second, 0};
        dst_EtcData back{};
        back.thirdFlag = 1;
        EXPECT_TRUE(indEnviron::DecodeEtcData(indEnviron::EncodeEtcData(record), back));
        EXPECT_EQ(back, record);
      }
    }
  }
  dst_EtcData record;
  EXPECT_FALSE(indEnviron::DecodeEtcData(0x144010, record));
}

TEST(EtcDataTest, DestinationFromTheRadioInformation) {
  RadioInformation block{};
  block[18] = 5;
  block[20] = 0xF7;  // variant bit clear, every other bit set
  dst_EtcData record;
  indEnviron::GetDestFromImage(block, record);
  EXPECT_EQ(record.destination, 5u);
  EXPECT_EQ(record.firstFlag, 0);
  EXPECT_EQ(indEnviron::CompareImageDest(block, dst_EtcData{5, 0, 1, 1}), 0);
  EXPECT_EQ(indEnviron::CompareImageDest(block, dst_EtcData{5, 1, 0, 0}), 2);
  EXPECT_EQ(indEnviron::CompareImageDest(block, dst_EtcData{6, 0, 0, 0}), 2);
}

TEST(EtcDataTest, DestinationClasses) {
  const std::vector<std::uint32_t> groupB = {2, 3, 4, 6, 7, 8, 9, 12, 13, 15};
  for (std::uint32_t d = 0; d <= 16; ++d) {
    const bool inB = std::find(groupB.begin(), groupB.end(), d) != groupB.end();
    EXPECT_EQ(indEnviron::IsDestGroupBOf(d), inB) << d;
    EXPECT_EQ(indEnviron::IsDest0Of(d), d == 0) << d;
    EXPECT_EQ(indEnviron::IsDest10Of(d), d == 10) << d;
  }
}

// --- loading ----------------------------------------------------------------

TEST_F(EnvironFixture, WithoutAFileEveryDefaultApplies) {
  {
    auto env = Make();
    ASSERT_EQ(env->IsFirstInstance(), 1);
    Defaults::Expect(*env);
    EXPECT_EQ(env->Language, 0);
    EXPECT_EQ(env->EtcData, dst_EtcData{});
    EXPECT_EQ(env->Recent.Count(), 0);
  }
  const QByteArray saved = ReadAll(UserFile());
  EXPECT_TRUE(saved.contains("Etc%20Data=4210704\n")) << saved.constData();  // 0x404010
  EXPECT_TRUE(saved.contains("BBT=753951\n"));
  EXPECT_TRUE(saved.contains("ComPort=0\n"));
}

TEST(EnvironDefaultsTest, WindowPlaceFollowsTheScreen) {
  struct Case {
    int sw, sh;
    indEnviron::WindowPlace place;
  };
  const Case cases[] = {
      {1920, 1080, {560, 144, 800, 600}},
      {800, 600, {40, 18, 720, 540}},
      {1280, 1024, {240, 127, 800, 600}},
  };
  for (const Case& c : cases) {
    const auto p = indEnviron::DefaultWindowPlace(c.sw, c.sh);
    EXPECT_EQ(p.left, c.place.left) << c.sw;
    EXPECT_EQ(p.top, c.place.top) << c.sw;
    EXPECT_EQ(p.width, c.place.width) << c.sw;
    EXPECT_EQ(p.height, c.place.height) << c.sw;
  }
}

TEST_F(EnvironFixture, EveryStoredValueLoads) {
  UseFixture("full.conf");
  auto env = Make();
  EXPECT_EQ(env->ComPort, 5);
  EXPECT_EQ(env->ComSpeedHigh, 0);
  EXPECT_EQ(env->TransType, 3);
  EXPECT_EQ(env->CurrentDirectory, "/home/op/radio");
  EXPECT_EQ(env->RepeaterDialog, 0);
  EXPECT_EQ(env->AutoCorrect, 0);
  EXPECT_EQ(env->Recent.Count(), 2);
  EXPECT_EQ(env->Recent.GetName(0), "/home/op/radio/b.icf");
  EXPECT_EQ(env->FontSizePercentage, 150);
  EXPECT_EQ(env->Language, 1);
  EXPECT_EQ(env->ToolbarVisible, 0);
  EXPECT_EQ(env->FontSizePrinter, 9);
  EXPECT_EQ(env->DrDetail, 1);
  EXPECT_EQ(env->WindowLeft, 10);
  EXPECT_EQ(env->WindowTop, 20);
  EXPECT_EQ(env->WindowWidth, 700);
  EXPECT_EQ(env->WindowHeight, 500);
  EXPECT_EQ(env->SplitterV, 333);
  EXPECT_EQ(env->ModelType, 2);
  EXPECT_EQ(env->EtcData, (dst_EtcData{5, 1, 0, 0}));
  EXPECT_EQ(env->SetupDone, 1);
}

TEST_F(EnvironFixture, StoredValuesAreKeptInTheirRanges) {
  struct Case {
    const char* fixture;
    std::int32_t comPort, transType, comSpeedHigh, repeaterDialog, autoCorrect;
    std::int32_t percentage, toolbar, printer, language, drDetail;
  };
  const Case cases[] = {
      {"out-of-range.conf", 1, 4, 0, 1, 0, 25, 1, 12, 1, 1},
      {"port-too-high.conf", 256, 0, 1, 1, 1, 1000, 1, 8, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fixture);
    QFile::remove(UserFile());
    UseFixture(c.fixture);
    auto env = Make();
    EXPECT_EQ(env->ComPort, c.comPort);
    EXPECT_EQ(env->TransType, c.transType);
    EXPECT_EQ(env->ComSpeedHigh, c.comSpeedHigh);
    EXPECT_EQ(env->RepeaterDialog, c.repeaterDialog);
    EXPECT_EQ(env->AutoCorrect, c.autoCorrect);
    EXPECT_EQ(env->FontSizePercentage, c.percentage);
    EXPECT_EQ(env->ToolbarVisible, c.toolbar);
    EXPECT_EQ(env->FontSizePrinter, c.printer);
    EXPECT_EQ(env->Language, c.language);
    EXPECT_EQ(env->DrDetail, c.drDetail);
  }
}

// One bad value takes its own default; the rest of the file still loads.
TEST_F(EnvironFixture, AWrongTypedValueTakesOnlyItsOwnDefault) {
  UseFixture("wrong-types.conf");
  auto env = Make();
  EXPECT_EQ(env->ComPort, 0);
  EXPECT_EQ(env->ComSpeedHigh, 0);
  EXPECT_EQ(env->TransType, 0);
  EXPECT_EQ(env->CurrentDirectory, "");
  EXPECT_EQ(env->Recent.GetName(0), "/d/a.icf");
  EXPECT_EQ(env->Language, 0);
  EXPECT_EQ(env->FontSizePercentage, 150);
  EXPECT_EQ(env->WindowLeft, 12);
  EXPECT_EQ(env->WindowWidth, 800);
  EXPECT_EQ(env->WindowHeight, 480);
  EXPECT_EQ(env->EtcData.destination, 5u);
  EXPECT_EQ(env->SetupDone, 1);
}

TEST_F(EnvironFixture, AForeignStampGivesDefaultsButTheDestinationLoads) {
  for (const char* fixture : {"bad-stamp.conf", "no-stamp.conf"}) {
    SCOPED_TRACE(fixture);
    QFile::remove(UserFile());
    UseFixture(fixture);
    auto env = Make();
    Defaults::Expect(*env);
    EXPECT_EQ(env->Recent.Count(), 0);
    EXPECT_EQ(env->EtcData, (dst_EtcData{5, 1, 0, 0}));
  }
}

TEST_F(EnvironFixture, AFailedCheckMeansNoDestination) {
  UseFixture("bad-check.conf");
  auto env = Make();
  EXPECT_EQ(env->EtcData.destination, 16u);
  EXPECT_EQ(env->SetupDone, 0);
  EXPECT_EQ(env->ComPort, 3);
}

TEST_F(EnvironFixture, TheSetupSwitchReopensTheSetup) {
  struct Case {
    std::vector<std::string> args;
    std::int32_t setupDone;
  };
  const Case cases[] = {
      {{"/usr/bin/kw3700"}, 1},
      {{"/usr/bin/kw3700", "/SETUP"}, 0},
      {{"/usr/bin/kw3700", "x", "/Setup"}, 0},
      {{"/usr/bin/kw3700", "/setupx"}, 1},
      {{"/usr/bin/kw3700", "setup"}, 1},
      {{"/setup"}, 0},
  };
  UseFixture("full.conf");
  for (const Case& c : cases) {
    auto env = Make(c.args);
    EXPECT_EQ(env->SetupDone, c.setupDone) << c.args.back();
    env->BBT = 0;  // keep the fixture as it is
  }
}

TEST_F(EnvironFixture, TheMachineLanguageIsTheDefaultLanguage) {
  UseMachineFixture("machine-japanese.conf");
  const QByteArray machine = ReadAll(MachineFile());
  {
    auto env = Make();
    EXPECT_EQ(env->MachineLanguage, 1);
    EXPECT_EQ(env->Language, 1);
  }
  EXPECT_EQ(ReadAll(MachineFile()), machine);
}

// --- saving ------------------------------------------------------------------

TEST_F(EnvironFixture, SavingKeepsForeignKeysAndAnUnchangedFileIsIdentical) {
  UseFixture("full.conf");
  { auto env = Make(); }
  const QByteArray first = ReadAll(UserFile());
  EXPECT_TRUE(first.contains("[Unknown%20Section]\nKept=yes\n"));
  EXPECT_TRUE(first.contains("memory\\colwidth\\1=120\n"));
  { auto env = Make(); }
  EXPECT_EQ(ReadAll(UserFile()), first);
}

TEST_F(EnvironFixture, ChangedFieldsReachTheFile) {
  {
    auto env = Make();
    env->ComPort = 7;
    env->Recent.AddTop("/a.icf");
    env->Recent.AddTop("/d/\xe3\x81\x82.icf");  // UTF-8 path
    env->CurrentDirectory = "/d";
    env->SetDest(dst_EtcData{12, 0, 0, 0});
  }
  auto env = Make();
  EXPECT_EQ(env->ComPort, 7);
  EXPECT_EQ(env->Recent.Count(), 2);
  EXPECT_EQ(env->Recent.GetName(0), "/d/\xe3\x81\x82.icf");
  EXPECT_EQ(env->Recent.GetName(1), "/a.icf");
  EXPECT_EQ(env->Recent.GetDisplay(1, ""), "/a.icf");
  EXPECT_EQ(env->CurrentDirectory, "/d");
  EXPECT_EQ(env->EtcData.destination, 12u);
  EXPECT_EQ(env->SetupDone, 1);
}

TEST_F(EnvironFixture, EmptyRecentNamesAreSkipped) {
  UseFixture("recent-gaps.conf");
  {
    auto env = Make();
    // Read in order, a name read again moving to the end.
    ASSERT_EQ(env->Recent.Count(), 3);
    EXPECT_EQ(env->Recent.GetName(0), "/d/b.icf");
    EXPECT_EQ(env->Recent.GetName(1), "/d/a.icf");
    EXPECT_EQ(env->Recent.GetName(2), "/a.icf");
  }
  const QByteArray saved = ReadAll(UserFile());
  EXPECT_TRUE(saved.contains("Recent2=@ByteArray(/a.icf)\nRecent3=@ByteArray()\n"))
      << saved.constData();
  auto env = Make();
  EXPECT_EQ(env->Recent.Count(), 3);
  EXPECT_EQ(env->Recent.GetName(2), "/a.icf");
}

TEST_F(EnvironFixture, ADamagedFileIsLeftAloneAndTheProgramRunsOnDefaults) {
  UseFixture("damaged.conf");
  const QByteArray original = ReadAll(UserFile());
  {
    auto env = Make();
    EXPECT_EQ(env->IsFirstInstance(), 1);
    Defaults::Expect(*env);
    env->ComPort = 4;
  }
  EXPECT_EQ(ReadAll(UserFile()), original);
  EXPECT_EQ(ReadAll(UserFile() + ".bad"), original);
}

TEST_F(EnvironFixture, RegistryOperationsForOtherCode) {
  UseFixture("full.conf");
  const std::string display = std::string(kKey) + "\\Display";
  const std::string memory = display + "\\memory";
  {
    auto env = Make();
    EXPECT_EQ(env->RegReadInt(RegRoot::CurrentUser, memory + "\\colwidth", "1"), 120);
    EXPECT_EQ(env->RegReadInt(RegRoot::CurrentUser, memory + "\\colwidth", "7"), -1);
    EXPECT_EQ(env->RegReadInt(RegRoot::CurrentUser, display + "\\nothing", "1"), -1);
    EXPECT_EQ(
        env->RegReadInt(RegRoot::CurrentUser, std::string(kKey) + "\\Global", "Current Directory"),
        -1);
    EXPECT_EQ(env->RegGetValueNames(RegRoot::CurrentUser, memory),
              (std::vector<std::string>{"colcut"}));
    EXPECT_EQ(env->RegReadString(RegRoot::CurrentUser, std::string(kKey) + "\\Global",
                                 "Current Directory"),
              "/home/op/radio");
    EXPECT_TRUE(env->RegWriteInt(RegRoot::CurrentUser, display + "\\bank", "colcut", 3));
    EXPECT_FALSE(env->RegWriteInt(RegRoot::LocalMachine, display, "colcut", 3));
    EXPECT_TRUE(env->RegDeleteKey(RegRoot::CurrentUser, memory, "colwidth"));
    EXPECT_EQ(env->RegReadInt(RegRoot::CurrentUser, memory + "\\colwidth", "1"), -1);
  }
  const QByteArray saved = ReadAll(UserFile());
  EXPECT_FALSE(saved.contains("colwidth"));
  EXPECT_TRUE(saved.contains("bank\\colcut=3\n"));
  EXPECT_TRUE(saved.contains("memory\\colcut=95\n"));
}

// --- single instance -------------------------------------------------------------

TEST_F(EnvironFixture, ASecondInstanceIsNotFirstAndWritesNothing) {
  UseFixture("full.conf");
  auto first = Make();
  ASSERT_EQ(first->IsFirstInstance(), 1);
  const QByteArray before = ReadAll(UserFile());
  const QString lockFile = dir_.File("run/kw3700.lock");
  const QByteArray lockBefore = ReadAll(lockFile);
  ASSERT_FALSE(lockBefore.isEmpty());
  {
    auto second = Make({"/usr/bin/kw3700", "/setup"});
    EXPECT_EQ(second->IsFirstInstance(), 0);
    EXPECT_EQ(second->ComPort, 0);
    second->ComPort = 9;
    EXPECT_FALSE(second->Save());
  }
  EXPECT_EQ(ReadAll(UserFile()), before);
  EXPECT_FALSE(QFileInfo::exists(UserFile() + ".bad"));
  EXPECT_EQ(ReadAll(lockFile), lockBefore);  // still the first one's
  first.reset();
  auto third = Make();
  EXPECT_EQ(third->IsFirstInstance(), 1);
}

TEST_F(EnvironFixture, ALockLeftByAKilledProcessIsTakenOver) {
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const std::vector<QString> folders = {dir_.File("run")};
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    platform::InstanceLock lock(folders);
    const char state = lock.state() == platform::InstanceLock::State::Held ? 'H' : 'x';
    (void)!write(ready[1], &state, 1);
    for (;;) pause();
  }
  char state = 0;
  ASSERT_EQ(read(ready[0], &state, 1), 1);
  EXPECT_EQ(state, 'H');
  EXPECT_EQ(Make()->IsFirstInstance(), 0);
  kill(child, SIGKILL);
  int status = 0;
  waitpid(child, &status, 0);
  close(ready[0]);
  close(ready[1]);
  ASSERT_TRUE(QFileInfo::exists(dir_.File("run/kw3700.lock")));
  EXPECT_EQ(Make()->IsFirstInstance(), 1);
}

// Only a lock held by a live process stops the program; a folder where no
// lock can be made is passed over.
TEST_F(EnvironFixture, AnUnusableLockFolderIsPassedOver) {
  QFile blocker(dir_.File("plain-file"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  const QString unusable = dir_.File("plain-file/run");

  platform::InstanceLock fallback({unusable, dir_.File("run")});
  EXPECT_EQ(fallback.state(), platform::InstanceLock::State::Held);
  EXPECT_EQ(fallback.path(), dir_.File("run/kw3700.lock"));

  ::testing::internal::CaptureStderr();
  platform::InstanceLock none({unusable});
  const std::string warning = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(none.state(), platform::InstanceLock::State::Unavailable);
  // Running unguarded is never silent.
  EXPECT_NE(warning.find("no single-instance lock"), std::string::npos) << warning;

  indEnviron::Options o = Options();
  o.lockFolders = {unusable};
  indEnviron env(indEnviron::kMutexName, kKey, kKey, o);
  EXPECT_EQ(env.IsFirstInstance(), 1);
}

// Services below the core (the serial port table) reach the settings through
// the installed store while the settings object lives.
TEST_F(EnvironFixture, TheFirstInstanceInstallsItsStore) {
  platform::SettingsStore outer{QString(), QString()};
  platform::ScopedSettingsStore scope(&outer);
  {
    auto env = Make();
    EXPECT_EQ(platform::InstalledSettingsStore(), &env->Store());
    auto later = Make();
    EXPECT_EQ(platform::InstalledSettingsStore(), &env->Store());
  }
  EXPECT_EQ(platform::InstalledSettingsStore(), &outer);
}

// An internal failure ends the process at once: the settings are not written.
TEST_F(EnvironFixture, AFatalFailureWritesNoSettings) {
  auto failWhileRunning = [this] {
    auto env = Make();
    env->ComPort = 9;
    platform::Fatal(QStringLiteral("Out of EEPROM image address (GetByte)."));
  };
  EXPECT_EXIT(failWhileRunning(), ::testing::ExitedWithCode(3), "Abnormal program termination");
  EXPECT_FALSE(QFileInfo::exists(UserFile()));
}
