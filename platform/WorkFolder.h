#pragma once
// A private working folder "<base>/<prefix>XXXXXX" (mode 0700), locked
// (PathLock) while the object lives and removed with it, with everything in
// it.
//
// A folder of this kind whose holder ended without removing it (a crash,
// SIGKILL, an internal failure that ends the process at once) is no longer
// locked by anyone: the next WorkFolder made with the same base and prefix
// removes it first, so no working folder stays behind for good. Only
// folders of this user, directly in the base and named with the prefix, are
// ever removed; never a link, never one that a live process holds.
#include <QString>

#include "platform/PathLock.h"

namespace platform {

class WorkFolder {
 public:
  // Removes abandoned folders of the prefix in base, then makes a new one.
  // Invalid when none could be made (see ErrorText).
  WorkFolder(const QString& base, const QString& prefix);
  ~WorkFolder();
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;

  bool IsValid() const { return lock_.IsHeld(); }
  QString Path() const { return lock_.Path(); }
  QString FilePath(const QString& name) const { return Path() + QLatin1Char('/') + name; }
  QString ErrorText() const { return error_; }

  // Removes every folder "<base>/<prefix>*" of this user that no live
  // process holds; answers how many went.
  static int RemoveAbandoned(const QString& base, const QString& prefix);

 private:
  PathLock lock_;
  QString error_;
};

}  // namespace platform
