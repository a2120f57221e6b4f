#include "core/cmcLoadFile.h"

#include <QFile>
#include <QFileInfo>

namespace {
const std::string kEmpty;
}

std::vector<std::string> cmcLoadFile::SplitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  const std::size_t size = bytes.size();
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < size) {
    const char c = bytes[i];
    if (c == '\n' || c == '\r') {
      lines.emplace_back(bytes, start, i - start);
      i += (c == '\r' && i + 1 < size && bytes[i + 1] == '\n') ? 2 : 1;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < size) lines.emplace_back(bytes, start, size - start);
  return lines;
}

int cmcLoadFile::Load(const std::string& name) {
  lines_.clear();
  index_ = 0;
  name_.clear();
  // Checked before opening: opening a FIFO or a device could block forever.
  const QString path = QString::fromStdString(name);
  const QFileInfo info(path);
  if (name.empty() || !info.isFile() || info.size() > kMaxFileSize) return 0;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return 0;
  const QByteArray bytes = file.read(kMaxFileSize + 1);
  if (file.error() != QFileDevice::NoError || bytes.size() > kMaxFileSize) return 0;
  lines_ = SplitLines(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  name_ = name;
  return 1;
}

const std::string& cmcLoadFile::GetLine() const { return GetLineAt(index_); }

const std::string& cmcLoadFile::GetLineAt(std::int32_t i) const {
  if (i < 0 || i >= Count()) return kEmpty;
  return lines_[static_cast<std::size_t>(i)];
}

int cmcLoadFile::NextLine() {
  for (std::int32_t i = index_ + 1; i < Count(); ++i) {
    if (!lines_[static_cast<std::size_t>(i)].empty()) {
      index_ = i;
      return 1;
    }
  }
  index_ = 0;
  return 0;
}
