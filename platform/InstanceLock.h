#pragma once
// The single-instance lock: a QLockFile "kw3700.lock", held for the object's
// life. A lock left behind by a process that no longer runs is taken over.
//
// Only a lock held by another live process makes this process a later
// instance. A folder where the lock cannot be made (missing and not
// creatable, read-only) is skipped for the next one; when no folder works
// the failure is reported on stderr and the process runs as the first
// instance, so a broken runtime folder never stops the program silently.
#include <QString>
#include <memory>
#include <vector>

class QLockFile;

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
  std::unique_ptr<QLockFile> lock_;
};

}  // namespace platform
