#pragma once
// An advisory lock (flock) on a file or a folder, held while the object
// lives. The kernel frees it when the holding process ends in any way (a
// crash, SIGKILL, a power cut), so no content of the locked file and no file
// left behind can ever block a later holder: only a live process does.
//
// A lock is only taken on the file or folder that its path still names once
// the lock is held: a holder that removes the path while releasing (see
// RemoveAndRelease) can never leave a second process holding a lock on an
// unlinked file while a third one locks a new file under the same name.
//
// Never waits. Never follows a lock into another process: the descriptor is
// closed on exec, and a forked child that inherited the object neither
// removes the path nor drops the parent's lock.
#include <QString>

namespace platform {

class PathLock {
 public:
  enum class Kind {
    File,    // created (empty, mode 0644) when missing
    Folder,  // must exist
  };
  enum class Outcome {
    Held,         // this object holds the lock
    HeldByOther,  // another open of the path holds it
    Failed,       // the path cannot be opened or locked (see ErrorText)
  };

  PathLock() = default;
  ~PathLock();
  PathLock(PathLock&& other) noexcept;
  PathLock& operator=(PathLock&& other) noexcept;
  PathLock(const PathLock&) = delete;
  PathLock& operator=(const PathLock&) = delete;

  // Drops a lock held before, then tries once (without waiting) to lock
  // the path.
  Outcome Lock(const QString& path, Kind kind);

  bool IsHeld() const { return fd_ >= 0; }
  // The locked descriptor (-1 when none): a file lock's content may be
  // written through it.
  int Descriptor() const { return fd_; }
  QString Path() const { return path_; }
  // Why the last Lock() failed (empty after success).
  QString ErrorText() const { return error_; }

  // Frees the lock and leaves the path as it is.
  void Release();
  // Removes the path while still holding the lock, then frees it. A folder
  // loses everything inside it first (links are removed, never followed;
  // folders that are read-only but this user's are made writable). Nothing
  // is removed from inside a forked child, nor when the path names another
  // file or folder by now.
  void RemoveAndRelease();

 private:
  int fd_ = -1;
  int ownerPid_ = 0;
  Kind kind_ = Kind::File;
  QString path_;
  QString error_;
};

}  // namespace platform
