// kw-test: slow
// Runs the kw3700 program itself, offscreen, on a scratch settings folder.
#include <gtest/gtest.h>
#include <signal.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include "support/ScratchDir.h"

namespace {

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class ProgramStartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(QDir().mkpath(Config()));
    ASSERT_TRUE(QDir().mkpath(Runtime()));
    QFile::setPermissions(Runtime(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }

  QString Config() const { return dir_.File("config"); }
  QString Runtime() const { return dir_.File("runtime"); }
  QString SettingsFile() const { return Config() + "/kw3700.conf"; }
  QString LockFile() const { return Runtime() + "/kw3700.lock"; }

  void Start(QProcess& p, const QStringList& args = {}) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("KW3700_CONFIG_DIR", Config());
    env.insert("KW3700_MACHINE_CONFIG_DIR", dir_.File("machine"));
    env.insert("XDG_RUNTIME_DIR", Runtime());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QStringLiteral(KW3700_BINARY), args);
    ASSERT_TRUE(p.waitForStarted(30000));
  }

  // The first instance holds its lock (the lock file names its process)
  // once it has got past its start-up checks; its signal handling is in
  // place before that.
  void WaitUntilRunning(QProcess& p) {
    QElapsedTimer waited;
    waited.start();
    const QByteArray pid = QByteArray::number(p.processId());
    while (ReadAll(LockFile()).split('\n').value(0) != pid) {
      ASSERT_EQ(p.state(), QProcess::Running) << "kw3700 ended before it held its lock";
      ASSERT_LT(waited.elapsed(), 60000) << "kw3700 never took its lock";
      QThread::msleep(20);
    }
  }

  void ExpectCleanEnd(QProcess& p) {
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0);
  }

  kwtest::ScratchDir dir_;
};

}  // namespace

TEST_F(ProgramStartTest, OneInstanceRunsAndItsSettingsSurviveARestart) {
  QProcess first;
  Start(first);
  WaitUntilRunning(first);

  // A second start ends at once, successfully, touching nothing.
  for (const QStringList& args : {QStringList{}, QStringList{"/setup"}}) {
    QProcess second;
    Start(second, args);
    ExpectCleanEnd(second);
  }
  EXPECT_FALSE(QFileInfo::exists(SettingsFile()));
  EXPECT_EQ(first.state(), QProcess::Running);

  first.terminate();  // SIGTERM
  ExpectCleanEnd(first);
  QByteArray saved = ReadAll(SettingsFile());
  ASSERT_TRUE(saved.contains("BBT=753951\n")) << saved.constData();
  ASSERT_TRUE(saved.contains("ComPort=0\n"));

  // Edited by hand between runs.
  saved.replace("ComPort=0\n", "ComPort=7\n");
  {
    QFile f(SettingsFile());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(saved);
  }
  QProcess again;
  Start(again);
  WaitUntilRunning(again);
  ::kill(static_cast<pid_t>(again.processId()), SIGINT);
  ExpectCleanEnd(again);
  EXPECT_TRUE(ReadAll(SettingsFile()).contains("ComPort=7\n"));
}

TEST_F(ProgramStartTest, AKilledInstanceDoesNotBlockTheNextStart) {
  QProcess killed;
  Start(killed);
  WaitUntilRunning(killed);
  killed.kill();  // SIGKILL: the lock file stays behind
  ASSERT_TRUE(killed.waitForFinished(60000));
  EXPECT_FALSE(QFileInfo::exists(SettingsFile()));
  ASSERT_TRUE(QFileInfo::exists(LockFile()));

  QProcess next;
  Start(next);
  WaitUntilRunning(next);
  next.terminate();
  ExpectCleanEnd(next);
  EXPECT_TRUE(QFileInfo::exists(SettingsFile()));
}
