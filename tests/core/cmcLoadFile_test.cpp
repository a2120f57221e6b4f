#include "core/cmcLoadFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <string>
#include <vector>

#include "support/ScratchDir.h"

namespace {

std::string Write(const kwtest::ScratchDir& dir, const char* name, const std::string& bytes) {
  const std::string path = dir.FileStd(name);
  QFile f(QString::fromStdString(path));
  EXPECT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes.data(), static_cast<qint64>(bytes.size()));
  return path;
}

// The lines of a text by the plain rule, one byte at a time.
std::vector<std::string> PlainLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::string line;
  std::size_t i = 0;
  bool pending = false;
  while (i < bytes.size()) {
    const char c = bytes[i++];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i < bytes.size() && bytes[i] == '\n') ++i;
      lines.push_back(line);
      line.clear();
      pending = false;
    } else {
      line.push_back(c);
      pending = true;
    }
  }
  if (pending) lines.push_back(line);
  return lines;
}

}  // namespace

// The same lines under every line ending: the walk skips the empty lines.
TEST(cmcLoadFileTest, WalksTheNonEmptyLinesUnderEveryLineEnding) {
  struct Case {
    const char* name;
    const char* bytes;
  };
  const Case cases[] = {
      {"lf", "header\n\nfirst\n\n\nsecond\n"},
      {"crlf", "header\r\n\r\nfirst\r\n\r\n\r\nsecond\r\n"},
      {"cr", "header\r\rfirst\r\r\rsecond\r"},
      {"mixed", "header\r\n\rfirst\n\r\n\nsecond"},
      {"unterminated", "header\n\nfirst\n\n\nsecond"},
  };
  kwtest::ScratchDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cmcLoadFile f;
    const std::string path = Write(dir, c.name, c.bytes);
    ASSERT_EQ(f.Load(path), 1);
    EXPECT_EQ(f.Name(), path);
    ASSERT_EQ(f.Count(), 6);
    EXPECT_EQ(f.GetLine(), "header");
    EXPECT_EQ(f.NextLine(), 1);
    EXPECT_EQ(f.GetLine(), "first");
    EXPECT_EQ(f.NextLine(), 1);
    EXPECT_EQ(f.GetLine(), "second");
    EXPECT_EQ(f.NextLine(), 0);
    EXPECT_EQ(f.Index(), 0);
    for (std::int32_t i = 0; i < f.Count(); ++i)
      EXPECT_EQ(f.GetLineAt(i).find('\r'), std::string::npos) << i;
  }
}

TEST(cmcLoadFileTest, KeepsTheBytesOfEveryLine) {
  kwtest::ScratchDir dir;
  // Code page 932 text (no trail byte is CR or LF), a byte-order mark, a NUL.
  static const char kBytes[] = "\xef\xbb\xbf\x83\x65\x83\x58\x83\x67,\x82\xa0\r\nA\0B\n";
  cmcLoadFile f;
  ASSERT_EQ(f.Load(Write(dir, "cp932", std::string(kBytes, sizeof kBytes - 1))), 1);
  ASSERT_EQ(f.Count(), 2);
  EXPECT_EQ(f.GetLineAt(0), "\xef\xbb\xbf\x83\x65\x83\x58\x83\x67,\x82\xa0");
  EXPECT_EQ(f.GetLineAt(1), std::string("A\0B", 3));
}

TEST(cmcLoadFileTest, OutOfRangeLinesAreEmpty) {
  kwtest::ScratchDir dir;
  cmcLoadFile f;
  ASSERT_EQ(f.Load(Write(dir, "empty", "")), 1);
  EXPECT_EQ(f.Count(), 0);
  EXPECT_EQ(f.GetLine(), "");
  EXPECT_EQ(f.NextLine(), 0);
  ASSERT_EQ(f.Load(Write(dir, "one", "\n")), 1);
  EXPECT_EQ(f.Count(), 1);
  for (std::int32_t i : {-1, 1, 1000, INT32_MIN}) EXPECT_EQ(f.GetLineAt(i), "") << i;
}

// What cannot be read as a text file leaves nothing behind: no lines, no name.
TEST(cmcLoadFileTest, RefusesWhatIsNoReadableRegularFile) {
  kwtest::ScratchDir dir;
  const std::string fifo = dir.FileStd("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  QDir().mkpath(dir.File("folder"));
  const std::string big = dir.FileStd("big");
  {
    QFile f(QString::fromStdString(big));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_TRUE(f.resize(cmcLoadFile::kMaxFileSize + 1));  // sparse
  }
  const std::string cases[] = {
      dir.FileStd("missing"), dir.FileStd("folder"), fifo, big, "/dev/zero", ""};
  for (const std::string& path : cases) {
    cmcLoadFile f;
    ASSERT_EQ(f.Load(Write(dir, "good", "a\nb\nc\n")), 1);
    EXPECT_EQ(f.NextLine(), 1);
    EXPECT_EQ(f.Load(path), 0) << path;
    EXPECT_EQ(f.Name(), "") << path;
    EXPECT_EQ(f.Count(), 0) << path;
    EXPECT_EQ(f.Index(), 0) << path;
    EXPECT_EQ(f.GetLine(), "") << path;
  }
}

// The fast splitter against the plain rule on texts where terminators fall
// on every position of its 16- and 64-byte blocks.
TEST(cmcLoadFileTest, SplittingMatchesThePlainRule) {
  std::uint32_t seed = 12345;
  auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
  const char alphabet[] = {'a', 'b', '\r', '\n', '\x8d', '\x0a'};
  for (int round = 0; round < 400; ++round) {
    std::string bytes(next() % 300, 'x');
    for (char& c : bytes) c = alphabet[next() % (round % 2 ? 6 : 2 + (next() % 4 == 0) * 4)];
    std::vector<std::string> fast;
    for (const auto& span : cmcLoadFile::SplitLines(bytes))
      fast.push_back(bytes.substr(span.offset, span.length));
    ASSERT_EQ(fast, PlainLines(bytes)) << "round " << round;
  }
  // Texts of nothing but terminators: a line on every byte of a block.
  for (const std::string unit : {"\r", "\n", "\r\n", "\n\r", "\r\r\n", "x\r"}) {
    for (std::size_t n : {63u, 64u, 65u, 127u, 128u, 129u, 300u}) {
      std::string bytes;
      while (bytes.size() < n) bytes += unit;
      std::vector<std::string> fast;
      for (const auto& span : cmcLoadFile::SplitLines(bytes))
        fast.push_back(bytes.substr(span.offset, span.length));
      ASSERT_EQ(fast, PlainLines(bytes)) << n;
    }
  }
}

// A large file is read and split piece by piece: a CR LF pair, a lone CR or
// an LF on either side of any piece boundary still ends one line.
TEST(cmcLoadFileTest, LargeFilesSplitAcrossTheirReadingPieces) {
  const kwtest::ScratchDir dir;
  constexpr std::size_t kSize = 1100 * 1024;  // several pieces of any size from 64 KiB
  const std::string ends[] = {"\r\n", "\r", "\n", "\r\r\n", "\n\r"};
  std::uint32_t seed = 777;
  auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
  for (const std::string& end : ends) {
    for (int shift = -3; shift <= 1; ++shift) {
      std::string bytes(kSize, 'x');
      for (std::size_t at = 0; at < kSize; at += 1 + next() % 200)
        bytes[at] = "ab\r\n"[next() % 4];
      // The terminator around every multiple of 64 KiB.
      for (std::size_t b = 64 * 1024; b + 8 < kSize; b += 64 * 1024)
        bytes.replace(b + static_cast<std::size_t>(shift + 3) - 3, end.size(), end);
      const std::string path = Write(dir, "big.txt", bytes);
      cmcLoadFile f;
      ASSERT_EQ(f.Load(path), 1);
      std::vector<std::string> lines;
      for (std::int32_t i = 0; i < f.Count(); ++i) lines.emplace_back(f.GetLineAt(i));
      ASSERT_EQ(lines, PlainLines(bytes)) << "shift " << shift;
    }
  }
}
