#include "core/CsvReadLine.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <string>
#include <vector>

#include "support/ScratchDir.h"

namespace {

std::vector<std::string> AllLines(QIODevice& device, std::size_t max = core::kCsvLineMax) {
  std::vector<std::string> lines;
  std::string line = "stale";
  while (core::CsvReadLine(device, line, max)) lines.push_back(line);
  EXPECT_EQ(line, "") << "the end leaves no line behind";
  return lines;
}

std::vector<std::string> LinesOf(const std::string& bytes, std::size_t max = core::kCsvLineMax) {
  QByteArray data(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  return AllLines(buffer, max);
}

using Lines = std::vector<std::string>;

// LF ends a line, CR is dropped wherever it is (a lone CR ends nothing), the
// end of the file ends the last line; bytes are kept as they are.
TEST(CsvReadLineTest, SplitsAtLfAndDropsEveryCr) {
  struct Case {
    std::string bytes;
    Lines lines;
  } cases[] = {
      {"", {}},
      {"\n", {""}},
      {"a", {"a"}},
      {"a\n", {"a"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\n\nb", {"a", "", "b"}},
      {"a\rb\n", {"ab"}},
      {"\r\r\n\r", {"", ""}},
      {"x\r", {"x"}},
      {std::string("\x83\x5C\0z\n", 5), {std::string("\x83\x5C\0z", 4)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.bytes));
    EXPECT_EQ(LinesOf(c.bytes), c.lines);
  }
}

// An over-long line is cut; the rest of it is skipped, not read as a line.
TEST(CsvReadLineTest, CutsALongLineAndResumesAfterIt) {
  EXPECT_EQ(LinesOf("abcdef\r\nxy\n", 4), (Lines{"abcd", "xy"}));
  EXPECT_EQ(LinesOf("abcd\nxy", 4), (Lines{"abcd", "xy"}));
  const std::string longLine(core::kCsvLineMax + 10, 'q');
  EXPECT_EQ(LinesOf(longLine + "\nnext"), (Lines{longLine.substr(0, core::kCsvLineMax), "next"}));
}

// A file read line by line stops exactly after each line, so a caller can
// read the first lines of a file and leave the rest.
TEST(CsvReadLineTest, ReadsAFileOneLineAtATime) {
  kwtest::ScratchDir dir;
  QFile out(dir.File("lines.txt"));
  ASSERT_TRUE(out.open(QIODevice::WriteOnly));
  out.write("first\r\nsecond\nthird");
  out.close();
  QFile in(dir.File("lines.txt"));
  ASSERT_TRUE(in.open(QIODevice::ReadOnly));
  std::string line;
  ASSERT_TRUE(core::CsvReadLine(in, line));
  EXPECT_EQ(line, "first");
  EXPECT_EQ(in.pos(), 7);
  EXPECT_EQ(AllLines(in), (Lines{"second", "third"}));
}

TEST(CsvReadLineTest, AnUnreadableDeviceHasNoLine) {
  QBuffer closed;
  std::string line = "stale";
  EXPECT_FALSE(core::CsvReadLine(closed, line));
  EXPECT_EQ(line, "");
}

}  // namespace
