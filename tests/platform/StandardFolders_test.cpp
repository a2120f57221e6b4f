#include "platform/StandardFolders.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include "support/ScratchDir.h"

namespace {

// The system's answer: the program's folder, the working directory, and the
// documents folder only while it exists.
TEST(StandardFoldersTest, SystemFoldersNameTheProgramAndExistingDocuments) {
  const platform::StandardFolders system = platform::StandardFolders::FromSystem();
  EXPECT_EQ(system.program, QCoreApplication::applicationDirPath().toStdString());
  EXPECT_EQ(system.current, QDir::currentPath().toStdString());

  // A home of our own, whatever the test runs under.
  kwtest::ScratchDir home;
  const QByteArray oldHome = qgetenv("HOME");
  const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
  qputenv("HOME", home.Path().toUtf8());
  qputenv("XDG_CONFIG_HOME", home.File(QStringLiteral("config")).toUtf8());
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  EXPECT_TRUE(documents.startsWith(home.Path())) << documents.toStdString();
  EXPECT_EQ(platform::StandardFolders::FromSystem().documents, "");
  ASSERT_TRUE(QDir().mkpath(documents));
  EXPECT_EQ(platform::StandardFolders::FromSystem().documents,
            QDir::cleanPath(documents).toStdString());
  qputenv("HOME", oldHome);
  qputenv("XDG_CONFIG_HOME", oldConfig);
}

TEST(StandardFoldersTest, InstalledFoldersHoldForTheirScopeAndNest) {
  const platform::StandardFolders system = platform::StandardFolders::FromSystem();
  {
    platform::ScopedStandardFolders outer({"/docs", "/prog", "/cwd"});
    EXPECT_EQ(platform::CurrentStandardFolders().program, "/prog");
    {
      platform::ScopedStandardFolders inner({"", "/other", "/"});
      EXPECT_EQ(platform::CurrentStandardFolders().documents, "");
      EXPECT_EQ(platform::CurrentStandardFolders().program, "/other");
    }
    EXPECT_EQ(platform::CurrentStandardFolders().documents, "/docs");
  }
  EXPECT_EQ(platform::CurrentStandardFolders().program, system.program);
}

}  // namespace
