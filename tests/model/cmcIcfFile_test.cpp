// kw-test: label=locale
// Data files: exact bytes and digests, the record parser, coverage, and that
// no failure ever changes the image or destroys a file.
#include "model/cmcIcfFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <string>

#include "model/MemMapRevision.h"
#include "model/cmcEeprom.h"
#include "support/ScratchDir.h"
#include "support/ScriptedMessageBoxes.h"

namespace {

constexpr std::uint32_t kModel = 0x3484;
constexpr char kModelKey[] = "712059386241";

std::string ReadAll(const std::string& path) {
  QFile f(QString::fromStdString(path));
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll().toStdString();
}

void WriteAll(const std::string& path, const std::string& bytes) {
  QFile f(QString::fromStdString(path));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

cmcEeprom Image(std::int32_t size, int fill = -1) {
  cmcEeprom image;
  image.SetSize(size);
  for (std::int32_t a = 0; a < size; ++a)
    image.Data()[a] = static_cast<std::uint8_t>(fill < 0 ? a % 256 : fill);
  return image;
}

// A reader that accepts revisions 1..3 and any destination.
void AcceptAll(cmcIcfFile& file) {
  file.SetModel(kModel);
  file.SetSubCode(1);
  file.SetMapRevCheck([](int rev) { return rev >= 1 && rev <= 3; });
  file.SetEtcDataCheck([](std::uint32_t, std::uint32_t&) { return true; });
}

class IcfFileTest : public ::testing::Test {
 protected:
  void SetUp() override { boxes_.SetDefaultAnswer(platform::mb::IdOk); }

  // Writes the image with the usual header and returns the file's bytes.
  std::string WriteFile(cmcEeprom& image, const MemRangeList& ranges, int bpl, bool digest,
                        const char* key = cmcIcfFile::kDefaultKey, int rev = 3) {
    cmcIcfFile file;
    file.SetImage(&image);
    file.SetModel(kModel);
    file.SetSubCode(1);
    EXPECT_TRUE(file.SetBytesPerLine(bpl));
    EXPECT_TRUE(file.SetCheckKey(digest, key));
    file.SetMapRev(rev);
    file.SetEtcData(0x144011);
    const std::string path = dir_.FileStd("out.icf");
    EXPECT_EQ(file.Write(path, ranges), 0);
    return ReadAll(path);
  }

  kwtest::ScratchDir dir_;
  kwtest::ScriptedMessageBoxes boxes_;
};

TEST_F(IcfFileTest, WritesTheExactFile) {
  cmcEeprom image = Image(0x40000);
  const std::string bytes = WriteFile(image, {{0x05, 0x24}, {1, 0}}, 16, true);
  EXPECT_EQ(bytes,
            "34840001\r\n"
            "#Comment=\r\n"
            "#MapRev=3\r\n"
            "#EtcData=144011\r\n"
            "000000050B05060708090A0B0C0D0E0F\r\n"
            "0000001010101112131415161718191A1B1C1D1E1F\r\n"
            "00000020052021222324\r\n"
            "#CD=27401887E81D92102F047FCF624F3900\r\n");
  const std::string keyed = WriteFile(image, {{0x05, 0x24}, {1, 0}}, 16, true, kModelKey);
  EXPECT_NE(keyed.find("#CD=4CF14D78C33EEA8FE8F23546502DEB7E\r\n"), std::string::npos);
  EXPECT_EQ(boxes_.Count(), 0u);
}

TEST_F(IcfFileTest, FullRevision3File) {
  cmcEeprom image = Image(0x40000, 0xFF);
  const std::string bytes =
      WriteFile(image, MemMapRevisionOf(3).MemMapBlockList(), 32, true, kModelKey);
  EXPECT_EQ(bytes.size(), 410803u);
  const QList<QByteArray> lines = QByteArray::fromStdString(bytes).split('\n');
  ASSERT_EQ(lines.size(), 5411);  // 5410 lines and the empty rest after the last LF
  int records = 0;
  for (const QByteArray& l : lines)
    if (!l.isEmpty() && l[0] != '#') ++records;
  EXPECT_EQ(records - 1, 5405);  // minus the header
  EXPECT_TRUE(lines[5406].startsWith("0002A34010"));
  EXPECT_TRUE(lines[5407].startsWith("0002A35010"));
  EXPECT_TRUE(lines[5408].startsWith("0002A36020"));
  EXPECT_EQ(lines[5409], "#CD=19A2859B62D3F49F0353E0163E00AF1D\r");

  cmcEeprom zeros = Image(0x40000, 0);
  const std::string zeroFile =
      WriteFile(zeros, MemMapRevisionOf(3).MemMapBlockList(), 32, true, kModelKey);
  EXPECT_NE(zeroFile.find("#CD=B601C3AACA122D024CC62A6AD4051697\r\n"), std::string::npos);
}

TEST_F(IcfFileTest, RecordLineCountsPerRevision) {
  struct Case {
    int rev, bpl, records;
  } cases[] = {{3, 32, 5405},  {2, 32, 4631}, {1, 32, 8155},
               {3, 16, 10808}, {2, 16, 9260}, {1, 16, 16308}};
  cmcEeprom image = Image(0x40000);
  for (const Case& c : cases) {
    const std::string bytes = WriteFile(image, MemMapRevisionOf(c.rev).MemMapBlockList(), c.bpl,
                                        false, cmcIcfFile::kDefaultKey, c.rev);
    int records = -1;  // the header
    for (const QByteArray& l : QByteArray::fromStdString(bytes).split('\n'))
      if (!l.isEmpty() && l[0] != '#') ++records;
    EXPECT_EQ(records, c.records) << "revision " << c.rev << ", " << c.bpl << " bytes";
  }
}

TEST_F(IcfFileTest, EveryRevisionRoundTrips) {
  for (int rev = 1; rev <= 3; ++rev) {
    cmcEeprom image = Image(0x40000);
    for (int a = 0; a < 0x40000; a += 7) image.Data()[a] = static_cast<std::uint8_t>(a / 7);
    WriteFile(image, MemMapRevisionOf(rev).MemMapBlockList(), 32, true, kModelKey, rev);
    cmcEeprom back = Image(0x40000, 0xFF);
    cmcIcfFile file;
    file.SetImage(&back);
    AcceptAll(file);
    int seenRev = 0;
    file.SetMapRevCheck([&](int r) {
      seenRev = r;
      return true;
    });
    const MemRangeList& ranges = MemMapRevisionOf(rev).MemMapRangeList();
    ASSERT_EQ(file.Read(dir_.FileStd("out.icf"), &ranges), 0) << rev;
    EXPECT_EQ(seenRev, rev);
    EXPECT_EQ(file.GetEtcData(), 0x144011u);
    const std::int64_t last = MemMapRevisionOf(rev).LastCloneAddress();
    EXPECT_EQ(0, std::memcmp(back.Data(), image.Data(), static_cast<size_t>(last + 1))) << rev;
    EXPECT_EQ(back.Data()[last + 1], 0xFF);
  }
}

TEST_F(IcfFileTest, BytesPerLineLimits) {
  cmcIcfFile file;
  for (int bad : {0, -1, 256}) {
    EXPECT_FALSE(file.SetBytesPerLine(bad)) << bad;
    EXPECT_EQ(file.GetBytesPerLine(), 16);
  }
  cmcEeprom image = Image(0x40000);
  WriteFile(image, {{0, 1000}, {1, 0}}, 255, false);
  cmcEeprom back = Image(0x40000, 0xFF);
  cmcIcfFile reader;
  reader.SetImage(&back);
  AcceptAll(reader);
  const MemRangeList cover = {{0, 1000}, {1, 0}};
  ASSERT_EQ(reader.Read(dir_.FileStd("out.icf"), &cover), 0);
  EXPECT_EQ(0, std::memcmp(back.Data(), image.Data(), 1001));
}

TEST_F(IcfFileTest, CommentWithLineBreaksReadsBack) {
  cmcEeprom image = Image(64);
  cmcIcfFile file;
  file.SetImage(&image);
  AcceptAll(file);
  file.SetMapRev(3);
  file.SetComment("two\r\nlines\x01");
  const std::string path = dir_.FileStd("c.icf");
  ASSERT_EQ(file.Write(path, {{0, 63}}), 0);
  EXPECT_NE(ReadAll(path).find("#Comment=two  lines \r\n"), std::string::npos);
  cmcEeprom back = Image(64, 0);
  cmcIcfFile reader;
  reader.SetImage(&back);
  AcceptAll(reader);
  EXPECT_EQ(reader.Read(path), 0);
  EXPECT_EQ(back, image);
}

TEST_F(IcfFileTest, VersionZeroWritesBareCommentAndNoRevision) {
  cmcEeprom image = Image(16);
  cmcIcfFile file;
  file.SetVersion(0);
  file.SetImage(&image);
  file.SetModel(kModel);
  file.SetSubCode(1);
  file.SetComment("hello");
  file.SetEtcData(0x10);
  const std::string path = dir_.FileStd("v0.icf");
  ASSERT_EQ(file.Write(path, {{0, 3}}), 0);
  EXPECT_EQ(ReadAll(path), "34840001\r\n#hello\r\n#EtcData=000010\r\n000000000400010203\r\n");
}

TEST_F(IcfFileTest, FailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
  cmcEeprom image = Image(0x1000);
  const std::string path = dir_.FileStd("keep.icf");
  WriteAll(path, "old contents\n");
  for (int failAt : {0, 3, 10, 100}) {
    cmcIcfFile file;
    file.SetImage(&image);
    AcceptAll(file);
    file.SetWriteFault([failAt](int line) { return line != failAt; });
    boxes_.Clear();
    EXPECT_EQ(file.Write(path, {{0, 0xFFF}}), 2) << failAt;
    EXPECT_EQ(ReadAll(path), "old contents\n");
    ASSERT_EQ(boxes_.Count(), 1u);
  }
  // An ascending pair outside the image is an error, not the end of the list.
  cmcIcfFile file;
  file.SetImage(&image);
  AcceptAll(file);
  EXPECT_EQ(file.Write(path, {{0, 0xF}, {0x800, 0x1000}, {1, 0}}), 2);
  EXPECT_EQ(ReadAll(path), "old contents\n");
  EXPECT_EQ(QDir(dir_.Path()).entryList(QDir::Files), QStringList{"keep.icf"});
  // A header code that does not fit its four digits could never be read back.
  for (std::uint32_t model : {0x10000u, 0x3484u}) {
    cmcIcfFile wide;
    wide.SetImage(&image);
    wide.SetModel(model);
    wide.SetSubCode(model == 0x3484u ? 0x10000u : 1u);
    EXPECT_EQ(wide.Write(path, {{0, 0xF}}), 2) << model;
    EXPECT_EQ(ReadAll(path), "old contents\n");
  }
  // A file that cannot be created.
  EXPECT_EQ(file.Write(dir_.FileStd("missing/dir/x.icf"), {{0, 1}}), 1);
}

// ---- reading ------------------------------------------------------------

class IcfReadTest : public IcfFileTest {
 protected:
  IcfReadTest() : image_(Image(0x100, 0xEE)), before_(image_) {
    file_.SetImage(&image_);
    AcceptAll(file_);
  }
  int Parse(const std::string& body, const MemRangeList* coverage = nullptr) {
    return file_.ParseBytes(body, coverage);
  }
  static std::string Head() { return "34840001\r\n#Comment=\r\n#MapRev=3\r\n#EtcData=144011\r\n"; }

  cmcEeprom image_;
  cmcEeprom before_;
  cmcIcfFile file_;
};

TEST_F(IcfReadTest, HeaderAndRecordFormats) {
  struct Case {
    const char* text;
    int code;
  } cases[] = {
      {"34840001\r\n#MapRev=3\r\n000000000100\r\n", 0},
      {"34840001\n#MapRev=3\n000000000100\n", 0},
      {"34840001\n#MapRev=3\n000000000100", 0},      // last line without its end
      {"34840001\n#MapRev=3\n00000000020aBc\n", 0},  // lower-case hex
      {"3484000A\r\n000000000100\r\n", 6},
      {"3484001\r\n000000000100\r\n", 6},
      {"348400011\r\n", 6},
      {"34840001", 6},  // header without its line end
      {"", 6},
      {"\xEF\xBB\xBF"
       "34840001\r\n",
       6},  // a BOM
      {"34850001\r\n", 3},
      {"34840002\r\n", 4},
      {"34840001\n#MapRev=3\n0000000001\n", 6},    // 10 characters
      {"34840001\n#MapRev=3\n00000000010\n", 6},   // 11 characters
      {"34840001\n#MapRev=3\n000000000200\n", 6},  // count and length disagree
      {"34840001\n#MapRev=3\n0000000001G0\n", 6},
      {"34840001\n#MapRev=3\n00000000\r0100\n", 6},  // lone CR
      {"34840001\n#MapRev=3\n000000000100\r\r\n", 6},
      {"34840001\n#MapRev=3\nFFFFFFFF02AABB\n", 8},
      {"34840001\n#MapRev=3\nFFFFFFFF02AAGG\n", 6},                // malformed wherever it points
      {"34840001\n#MapRev=3\n000000000100\n00000010020AGG\n", 6},  // half decoded: image unchanged
      {"34840001\n#MapRev=3\n000000FF0200AA\n", 8},                // one byte past the end
      {"34840001\n#MapRev=3\n000000FF01AA\n", 0},                  // ends exactly at the end
      {"34840001\n#MapRev=3\n\n\n000000000100\n\n", 0},            // empty lines skipped
      {"34840001\n#MapRev=3\n#CD=nonsense\n000000000100\n", 0},
  };
  for (const Case& c : cases) {
    image_ = before_;
    EXPECT_EQ(Parse(c.text), c.code) << c.text;
    if (c.code != 0) {
      EXPECT_EQ(image_, before_) << c.text;
    }
  }
  // 521 characters: count 255 gives 520, one more digit is too long.
  std::string longLine = "00000000FF" + std::string(510, 'A');
  EXPECT_EQ(Parse("34840001\n#MapRev=3\n" + longLine + "\n"), 0);
  EXPECT_EQ(Parse("34840001\n#MapRev=3\n" + longLine + "A\n"), 6);
}

TEST_F(IcfReadTest, RecordsLandInTheImage) {
  ASSERT_EQ(Parse(Head() + "0000001002A1B2\r\n00000011"
                           "01C3\r\n"),
            0);
  EXPECT_EQ(image_.GetByte(0x10), 0xA1);
  EXPECT_EQ(image_.GetByte(0x11), 0xC3);  // a later record overwrites
  EXPECT_EQ(image_.GetByte(0x12), 0xEE);
  EXPECT_TRUE(file_.WasLoaded(0x11));
  EXPECT_FALSE(file_.WasLoaded(0x12));
}

TEST_F(IcfReadTest, Coverage) {
  const MemRangeList cover = {{0x10, 0x13}, {1, 0}};
  EXPECT_EQ(Parse(Head() + "0000001004A1B2C3D4\r\n", &cover), 0);
  image_ = before_;
  EXPECT_EQ(Parse(Head() + "0000001005A1B2C3D4E5\r\n", &cover), 8);
  EXPECT_EQ(image_, before_);
  EXPECT_EQ(Parse(Head() + "0000001003A1B2C3\r\n", &cover), 7);
  EXPECT_EQ(image_, before_);
  // An ascending pair outside the image can never be covered.
  const MemRangeList outside = {{0x10, 0x13}, {0xF0, 0x100}, {1, 0}};
  EXPECT_EQ(Parse(Head() + "0000001004A1B2C3D4\r\n", &outside), 7);
}

TEST_F(IcfReadTest, SettingLinesAfterTheFirstRecordChangeNothing) {
  std::vector<int> seen;
  file_.SetMapRevCheck([&](int rev) {
    seen.push_back(rev);
    return rev == 3;
  });
  EXPECT_EQ(Parse(Head() + "000000000100\r\n#MapRev=9\r\n#EtcData=FFFFFF\r\n000000010100\r\n"), 0);
  EXPECT_EQ(file_.GetMapRev(), 3);
  EXPECT_EQ(file_.GetEtcData(), 0x144011u);
  EXPECT_EQ(seen, std::vector<int>{3});
}

TEST_F(IcfReadTest, ChecksOfRevisionAndDestination) {
  struct Case {
    const char* head;
    int code;
  } cases[] = {
      {"34840001\n#MapRev=3\n#EtcData=144011\n", 0},
      {"34840001\n#MapRev=4\n#EtcData=144011\n", 5},
      {"34840001\n#MapRev=3x\n#EtcData=144011\n", 5},
      {"34840001\n#MapRev=\n#EtcData=144011\n", 5},
      {"34840001\n#MapRev=99999999999\n#EtcData=144011\n", 5},
      {"34840001\n#MapRev=3 \n#EtcData=144011\n", 0},
      {"34840001\n#MapRev=3\n#EtcData=zz\n", 10},
      {"34840001\n#MapRev=3\n#EtcData=123456789\n", 10},
      {"34840001\n#MapRev=3\n#EtcData=0\n", 10},
  };
  file_.SetEtcDataCheck([](std::uint32_t v, std::uint32_t&) { return v != 0; });
  for (const Case& c : cases) {
    for (const char* records : {"000000000100\n", ""}) {  // with and without records
      image_ = before_;
      EXPECT_EQ(Parse(std::string(c.head) + records), c.code) << c.head << records;
      if (c.code != 0) {
        EXPECT_EQ(image_, before_);
      }
    }
  }
  cmcIcfFile unchecked;
  cmcEeprom image = Image(16);
  unchecked.SetImage(&image);
  unchecked.SetModel(kModel);
  unchecked.SetSubCode(1);
  EXPECT_EQ(unchecked.ParseBytes(Head() + "000000000100\n"), 5);
  EXPECT_EQ(unchecked.ParseBytes(Head()), 5);  // no records: the checks still run
  unchecked.SetMapRevCheck([](int) { return true; });
  EXPECT_EQ(unchecked.ParseBytes(Head() + "000000000100\n"), 10);

  // A refused value belongs to its file: the next file, without such a line,
  // is judged on its own.
  AcceptAll(file_);
  EXPECT_EQ(Parse("34840001\n#MapRev=x\n#EtcData=y\n000000000100\n"), 5);
  EXPECT_EQ(Parse("34840001\n#MapRev=3\n#EtcData=y\n000000000100\n"), 10);
  EXPECT_EQ(Parse("34840001\n#MapRev=3\n000000000100\n"), 0);
  EXPECT_EQ(Parse("34840001\n000000000100\n"), 0);
}

TEST_F(IcfReadTest, OddBytesNeverCrash) {
  std::string nul("34840001\n#MapRev=3\n0000\0000100\n", 29);
  std::string hugeComment =
      "34840001\n#" + std::string(5 << 20, 'x') + "\n#MapRev=3\n000000000100\n";
  std::string noEnds(3 << 20, '0');
  std::string crs = "34840001\r#MapRev=3\r000000000100\r";
  EXPECT_EQ(Parse(nul), 6);
  EXPECT_EQ(Parse(hugeComment), 0);
  EXPECT_EQ(Parse(noEnds), 6);
  EXPECT_EQ(Parse(crs), 6);
  EXPECT_EQ(Parse("34840001\n#MapRev=" + std::string(4000, '3') + "\n000000000100\n"), 5);
}

// Each code shows one box "headline\n\ntext" and leaves the image as it was.
// 2 and 9 never come from Read itself: the model check injects them.
TEST_F(IcfReadTest, EveryErrorShowsOneBoxAndKeepsTheImage) {
  const std::string path = dir_.FileStd("in.icf");
  const MemRangeList cover = {{0, 0xFF}, {1, 0}};
  struct Case {
    int code;
    std::string body;
    int injected;
    const MemRangeList* coverage;
  } cases[] = {
      {1, "", 0, nullptr},
      {2, Head() + "000000000100\n", 2, nullptr},
      {3, "34850001\n000000000100\n", 0, nullptr},
      {4, "34840009\n000000000100\n", 0, nullptr},
      {5, "34840001\n#MapRev=7\n000000000100\n", 0, nullptr},
      {6, Head() + "000000000100\n0000000001\n", 0, nullptr},
      {7, Head() + "000000000100\n", 0, &cover},
      {8, Head() + "000000000100\n000000FF0200AA\n", 0, nullptr},
      {9, Head() + "000000000100\n", 9, nullptr},
      {10, "34840001\n#MapRev=3\n#EtcData=x\n000000000100\n", 0, nullptr},
  };
  static const char* kTexts[] = {"",
                                 "The file cannot be opened.",
                                 "The file cannot be written.",
                                 "This file is for another model.",
                                 "This file is of an unknown kind.",
                                 "The memory layout of this file is not supported.",
                                 "The file is damaged or is not a data file.",
                                 "Some data is missing from the file.",
                                 "The file holds data outside the memory area.",
                                 "This file was made for a newer version of the transceiver.",
                                 "The destination setting of this file is not supported."};
  for (const Case& c : cases) {
    cmcIcfFile file;
    file.SetImage(&image_);
    AcceptAll(file);
    if (c.injected) {
      file.SetModelCheck([&c](std::uint32_t, std::uint32_t, int& result) {
        result = c.injected;
        return false;
      });
    }
    QFile::remove(QString::fromStdString(path));
    if (c.code != 1) WriteAll(path, c.body);
    boxes_.Clear();
    EXPECT_EQ(file.Read(path, c.coverage), c.code);
    EXPECT_EQ(image_, before_) << c.code;
    ASSERT_EQ(boxes_.Count(), 1u) << c.code;
    EXPECT_EQ(boxes_.Last().text, QString("File error.\n\n") + kTexts[c.code]);
    EXPECT_EQ(boxes_.Last().caption, QString("KW-3700"));
  }
  boxes_.Clear();
  cmcIcfFile file;
  file.ShowError(0);
  file.ShowError(11);
  file.ShowError(-1);
  EXPECT_EQ(boxes_.Count(), 0u);
}

TEST_F(IcfReadTest, OnlyRegularFilesAreRead) {
  // A FIFO would block the open until a writer came; a folder or a device
  // never holds a data file.
  const std::string fifo = dir_.FileStd("pipe.icf");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& path : {fifo, dir_.Path().toStdString(), std::string("/dev/zero")}) {
    cmcIcfFile file;
    file.SetImage(&image_);
    AcceptAll(file);
    boxes_.Clear();
    EXPECT_EQ(file.Read(path, nullptr), 1) << path;
    EXPECT_EQ(image_, before_) << path;
    EXPECT_EQ(boxes_.Count(), 1u) << path;
  }
}

TEST_F(IcfReadTest, DigestLineIsIgnored) {
  for (const char* tail : {"#CD=00000000000000000000000000000000\n", "#CD=\n", ""}) {
    image_ = before_;
    EXPECT_EQ(Parse(Head() + "0000000001AB\n" + tail), 0) << tail;
    EXPECT_EQ(image_.GetByte(0), 0xAB);
  }
}

}  // namespace
