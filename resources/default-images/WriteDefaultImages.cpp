// Writes each built-in default image as a data file for review:
//   kw_default_images <folder>  ->  <folder>/default-00.icf .. default-15.icf
// Revision 3, 32 bytes a line, with digest: the program opens them like any
// data file of the destination.
#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <string>

#include "core/dst_EtcData.h"
#include "core/indEnviron.h"
#include "model/DefaultImage.h"
#include "model/MemMapRevision.h"
#include "model/cmcIcfFile.h"
#include "platform/MessageBoxService.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.exists() && !QDir().mkpath(folder.path())) {
    std::fprintf(stderr, "cannot create %s\n", argv[1]);
    return 1;
  }
  for (int d = 0; d < kDefaultImageCount; ++d) {
    cmcEeprom image = BuildDefaultImage(d);
    dst_EtcData etc;
    etc.destination = static_cast<std::uint32_t>(d);
    etc.firstFlag = 1;
    cmcIcfFile file;
    file.SetImage(&image);
    file.SetModel(0x3484);
    file.SetSubCode(1);
    file.SetBytesPerLine(32);
    file.SetCheckKey(true, "712059386241");
    file.SetMapRev(3);
    file.SetEtcData(indEnviron::EncodeEtcData(etc));
    file.SetComment("Default image " + std::to_string(d));
    const QString name =
        folder.filePath(QStringLiteral("default-%1.icf").arg(d, 2, 10, QLatin1Char('0')));
    if (file.Write(name.toStdString(), MemMapRevisionOf(3).MemMapBlockList()) != 0) return 1;
    std::printf("%s\n", name.toUtf8().constData());
  }
  return 0;
}
