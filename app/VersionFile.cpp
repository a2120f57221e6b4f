#include "app/VersionFile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

#include "core/CsvReadLine.h"
#include "core/TextFields.h"

VersionTexts ReadVersionFile(const std::string& path, const VersionTexts& defaults) {
  const QString name = QString::fromStdString(path);
  // Checked before opening: opening a FIFO or a device could block.
  if (path.empty() || !QFileInfo(name).isFile()) return defaults;
  QFile file(name);
  if (!file.open(QIODevice::ReadOnly)) return defaults;
  QByteArray head = file.read(static_cast<qint64>(kVersionFileReadLimit));
  if (file.error() != QFileDevice::NoError) return defaults;

  QBuffer buffer(&head);
  buffer.open(QIODevice::ReadOnly);
  std::string lines[2];
  for (std::string& line : lines) {
    if (!core::CsvReadLine(buffer, line)) break;
    if (line.find('\0') != std::string::npos) return defaults;
    core::TrimBlanks(line);
  }
  VersionTexts texts = defaults;
  if (!lines[0].empty()) texts.version = lines[0];
  if (!lines[1].empty()) texts.years = lines[1];
  return texts;
}
