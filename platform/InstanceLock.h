#pragma once
// The single-instance lock: an advisory lock (flock, see PathLock) on the
// file "kw3700.lock", held for the object's life. The kernel frees it when
// the holding process ends, however it ends, so only a live process ever
// makes this one a later instance: whatever a lock file holds (nothing,
// garbage, the number of a dead process, another machine's name) and
// however old it is, it never blocks a start. The holder writes its process
// number and host name into the file for people looking; nothing reads
// them. The holder removes the file when it lets go.
//
// A folder where the lock cannot be made (missing and not creatable,
// read-only, no locks on its file system) is skipped for the next one; when
// no folder works the failure is reported on stderr and the process runs as
// the first instance, so a broken runtime folder never stops the program
// silently.
#include <QString>
#include <vector>

#include "platform/PathLock.h"

namespace platform {

class InstanceLock {
 public:
  static constexpr char kLockName[] = "kw3700.lock";

  enum class State {
    Held,         // this process holds the lock
    HeldByOther,  // another live process holds it
    Unavailable,  // no folder could hold a lock; running unguarded
  };

  // Folders to try, in order: $XDG_RUNTIME_DIR, then the settings folder.
  static std::vector<QString> DefaultFolders();

  explicit InstanceLock(const std::vector<QString>& folders);
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  State state() const { return state_; }
  // Lock file in use (the one held, or the one another process holds).
  QString path() const { return path_; }

 private:
  State state_ = State::Unavailable;
  QString path_;
  PathLock lock_;
};

}  // namespace platform
