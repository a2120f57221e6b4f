// Writes seed files for the data file fuzzer with our own writer:
//   IcfFile_seeds <folder>
// Small files in every format variant, so the fuzzer starts from inputs that
// pass every check.
#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <string>

#include "core/dst_EtcData.h"
#include "core/indEnviron.h"
#include "model/MemMapRevision.h"
#include "model/cmcEeprom.h"
#include "model/cmcIcfFile.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  QDir().mkpath(folder.path());
  cmcEeprom image;
  image.SetSize(MemMapMaxSize);
  for (std::int32_t a = 0; a < image.GetSize(); ++a)
    image.Data()[a] = static_cast<std::uint8_t>(a ^ (a >> 8));
  dst_EtcData etc;
  etc.destination = 5;
  etc.firstFlag = 1;

  struct Seed {
    int version, rev, bpl;
    bool digest;
    const char* comment;
    MemRangeList ranges;
  } seeds[] = {
      {1, 3, 16, true, "", {{0x05, 0x24}, {1, 0}}},
      {1, 3, 32, true, "seed two", {{0x0, 0x3F}, {0x2A340, 0x2A37F}, {1, 0}}},
      {1, 2, 32, false, "rev 2", {{0x24280, 0x242BF}, {1, 0}}},
      {1, 1, 7, true, "odd line length", {{0x100, 0x1A0}, {1, 0}}},
      {0, 3, 255, false, "version 0", {{0x0, 0x3FF}, {1, 0}}},
      {1, 3, 1, false, "one byte a line", {{0x29A9D, 0x29AB0}, {1, 0}}},
  };
  int n = 0;
  for (const Seed& s : seeds) {
    cmcIcfFile file;
    file.SetVersion(static_cast<std::uint32_t>(s.version));
    file.SetImage(&image);
    file.SetModel(0x3484);
    file.SetSubCode(1);
    file.SetBytesPerLine(s.bpl);
    file.SetCheckKey(s.digest, "712059386241");
    file.SetMapRev(s.rev);
    file.SetEtcData(indEnviron::EncodeEtcData(etc));
    file.SetComment(s.comment);
    const QString name = folder.filePath(QStringLiteral("seed-%1.icf").arg(n++));
    if (file.Write(name.toStdString(), s.ranges) != 0) return 1;
  }
  return 0;
}
