#include "platform/WorkFolder.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

namespace platform {
namespace {

// A name taken between mkdtemp and the lock (by a sweep of another process
// that saw the folder unlocked) makes the next attempt use a new name.
constexpr int kAttempts = 8;

}  // namespace

int WorkFolder::RemoveAbandoned(const QString& base, const QString& prefix) {
  const QByteArray dirName = QFile::encodeName(base);
  const QByteArray start = QFile::encodeName(prefix);
  DIR* dir = ::opendir(dirName.constData());
  if (dir == nullptr) return 0;
  int removed = 0;
  while (const dirent* entry = ::readdir(dir)) {
    if (std::strncmp(entry->d_name, start.constData(), static_cast<size_t>(start.size())) != 0)
      continue;
    const QByteArray path = dirName + '/' + entry->d_name;
    struct stat info {};
    if (::lstat(path.constData(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        info.st_uid != ::geteuid())
      continue;
    PathLock lock;
    if (lock.Lock(QFile::decodeName(path), PathLock::Kind::Folder) != PathLock::Outcome::Held)
      continue;
    lock.RemoveAndRelease();
    if (::lstat(path.constData(), &info) != 0) ++removed;
  }
  ::closedir(dir);
  return removed;
}

WorkFolder::WorkFolder(const QString& base, const QString& prefix) {
  RemoveAbandoned(base, prefix);
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    std::string pattern = (QFile::encodeName(base) + '/' + QFile::encodeName(prefix)).toStdString();
    pattern += "XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
      error_ = QString::fromLocal8Bit(std::strerror(errno));
      return;
    }
    const QString path = QFile::decodeName(QByteArray::fromStdString(pattern));
    if (lock_.Lock(path, PathLock::Kind::Folder) == PathLock::Outcome::Held) {
      error_.clear();
      return;
    }
    error_ = lock_.ErrorText().isEmpty() ? QStringLiteral("taken by another process")
                                         : lock_.ErrorText();
    ::rmdir(pattern.c_str());  // fails harmlessly when someone else holds it
  }
}

WorkFolder::~WorkFolder() { lock_.RemoveAndRelease(); }

}  // namespace platform
