#include "app/VersionFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <string>

#include "core/CsvReadLine.h"
#include "support/ScratchDir.h"

namespace {

const VersionTexts kDefaults{"1.20", "2014-2015"};

class VersionFileTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& bytes) {
    QFile f(dir_.File(QStringLiteral("KW3700.dat")));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return Path();
  }
  std::string Path() const { return dir_.FileStd("KW3700.dat"); }
  kwtest::ScratchDir dir_;
};

// Each trimmed line replaces its default unless it is empty.
TEST_F(VersionFileTest, FirstTwoLinesReplaceTheDefaults) {
  struct Case {
    std::string bytes;
    const char* version;
    const char* years;
  } cases[] = {
      {"\n2016-2017\r\n", "1.20", "2016-2017"},
      {" 1.30 \r\n 2020 ", "1.30", "2020"},
      {"1.31", "1.31", "2014-2015"},
      {"\t1.32\t\n\t\n3rd line\n", "1.32", "2014-2015"},
      {"", "1.20", "2014-2015"},
      {"\r\n\r\n", "1.20", "2014-2015"},
      {"1.3\r3\r\n20\r21", "1.33", "2021"},  // a lone CR ends nothing
      {"\x83\x6F\x81\x5B\n\x94\x4E\n", "\x83\x6F\x81\x5B", "\x94\x4E"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.bytes));
    const VersionTexts texts = ReadVersionFile(Write(c.bytes), kDefaults);
    EXPECT_EQ(texts.version, c.version);
    EXPECT_EQ(texts.years, c.years);
  }
}

// Whatever lies there, start-up goes on with the defaults or the first two
// lines, never reading more than it must.
TEST_F(VersionFileTest, MissingOrDamagedFilesKeepTheDefaults) {
  EXPECT_EQ(ReadVersionFile(Path(), kDefaults).version, "1.20");
  EXPECT_EQ(ReadVersionFile("", kDefaults).years, "2014-2015");

  ASSERT_TRUE(QDir().mkpath(dir_.File(QStringLiteral("KW3700.dat"))));
  EXPECT_EQ(ReadVersionFile(Path(), kDefaults).version, "1.20");
  ASSERT_TRUE(QDir(dir_.File(QStringLiteral("KW3700.dat"))).removeRecursively());

  // Binary: a NUL in the first two lines.
  VersionTexts texts = ReadVersionFile(Write(std::string("1.30\n20\0"
                                                         "21\n",
                                                         9)),
                                       kDefaults);
  EXPECT_EQ(texts.version, "1.20");
  EXPECT_EQ(texts.years, "2014-2015");
  // A NUL after them does not matter.
  texts = ReadVersionFile(Write(std::string("1.30\n2021\n\0", 11)), kDefaults);
  EXPECT_EQ(texts.version, "1.30");

  // An over-long first line is cut; the second line is still the second.
  const std::string longLine(core::kCsvLineMax + 100, '9');
  texts = ReadVersionFile(Write(longLine + "\n2022\n"), kDefaults);
  EXPECT_EQ(texts.version, longLine.substr(0, core::kCsvLineMax));
  EXPECT_EQ(texts.years, "2022");

  // Only the head of a huge file is read: a second line beyond it is not seen.
  const std::string huge(kVersionFileReadLimit + 10, 'x');
  texts = ReadVersionFile(Write(huge + "\n2023\n"), kDefaults);
  EXPECT_EQ(texts.version, huge.substr(0, core::kCsvLineMax));
  EXPECT_EQ(texts.years, "2014-2015");
}

TEST_F(VersionFileTest, AnUnreadableFileKeepsTheDefaults) {
  Write("1.40\n2030\n");
  QFile::setPermissions(dir_.File(QStringLiteral("KW3700.dat")), QFileDevice::Permissions());
  QFile probe(dir_.File(QStringLiteral("KW3700.dat")));
  if (probe.open(QIODevice::ReadOnly)) GTEST_SKIP() << "running with rights to read anything";
  const VersionTexts texts = ReadVersionFile(Path(), kDefaults);
  EXPECT_EQ(texts.version, "1.20");
  EXPECT_EQ(texts.years, "2014-2015");
}

}  // namespace
