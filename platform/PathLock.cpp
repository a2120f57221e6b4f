#include "platform/PathLock.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <utility>

namespace platform {
namespace {

// A path replaced again and again between open and lock is given up on.
constexpr int kAttempts = 16;

QString ErrnoText(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

bool SameObject(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// True while the path still names the object open as fd.
bool PathNames(const QByteArray& path, int fd) {
  struct stat held {};
  struct stat named {};
  return ::fstat(fd, &held) == 0 && ::lstat(path.constData(), &named) == 0 &&
         SameObject(held, named);
}

// Folders nested deeper than this are left in place.
constexpr int kMaxDepth = 16;

// Removes everything inside the folder open as fd: never following a link,
// making a folder of this user writable first (a test or an editor may have
// made it read-only).
void RemoveEntries(int fd, int depth) {
  ::fchmod(fd, S_IRWXU);
  const int scan = ::dup(fd);
  if (scan < 0) return;
  DIR* dir = ::fdopendir(scan);
  if (dir == nullptr) {
    ::close(scan);
    return;
  }
  while (const dirent* entry = ::readdir(dir)) {
    const char* name = entry->d_name;
    if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
    if (::unlinkat(fd, name, 0) == 0 || (errno != EISDIR && errno != EPERM)) continue;
    if (depth >= kMaxDepth) continue;
    const int inner = ::openat(fd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (inner < 0) continue;
    RemoveEntries(inner, depth + 1);
    ::close(inner);
    ::unlinkat(fd, name, AT_REMOVEDIR);
  }
  ::closedir(dir);
}

}  // namespace

PathLock::~PathLock() { Release(); }

PathLock::PathLock(PathLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      ownerPid_(other.ownerPid_),
      kind_(other.kind_),
      path_(std::move(other.path_)),
      error_(std::move(other.error_)) {}

PathLock& PathLock::operator=(PathLock&& other) noexcept {
  if (this != &other) {
    Release();
    fd_ = std::exchange(other.fd_, -1);
    ownerPid_ = other.ownerPid_;
    kind_ = other.kind_;
    path_ = std::move(other.path_);
    error_ = std::move(other.error_);
  }
  return *this;
}

PathLock::Outcome PathLock::Lock(const QString& path, Kind kind) {
  Release();
  error_.clear();
  const QByteArray native = QFile::encodeName(path);
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    int fd = -1;
    if (kind == Kind::File) {
      fd = ::open(native.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
      if (fd < 0 && (errno == EACCES || errno == EROFS)) {
        // A lock file in a folder that takes no writes still locks.
        const int first = errno;
        fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0) errno = first;
      }
    } else {
      fd = ::open(native.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW);
    }
    if (fd < 0) {
      error_ = ErrnoText(errno);
      return Outcome::Failed;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      const int error = errno;
      ::close(fd);
      if (error == EWOULDBLOCK) return Outcome::HeldByOther;
      if (error == EINTR) continue;
      error_ = QStringLiteral("cannot be locked: %1").arg(ErrnoText(error));
      return Outcome::Failed;
    }
    if (PathNames(native, fd)) {
      fd_ = fd;
      ownerPid_ = static_cast<int>(::getpid());
      kind_ = kind;
      path_ = path;
      return Outcome::Held;
    }
    // Removed or replaced between the open and the lock: lock what the path
    // names now.
    ::close(fd);
  }
  error_ = QStringLiteral("keeps being replaced while it is locked");
  return Outcome::Failed;
}

void PathLock::Release() {
  if (fd_ < 0) return;
  // Closing never drops a lock that a parent process still holds through
  // its own copy of the descriptor.
  ::close(fd_);
  fd_ = -1;
}

void PathLock::RemoveAndRelease() {
  if (fd_ < 0) return;
  if (static_cast<int>(::getpid()) == ownerPid_) {
    const QByteArray native = QFile::encodeName(path_);
    if (kind_ == Kind::Folder) {
      RemoveEntries(fd_, 0);
      if (PathNames(native, fd_)) ::rmdir(native.constData());
    } else if (PathNames(native, fd_)) {
      ::unlink(native.constData());
    }
  }
  Release();
}

}  // namespace platform
