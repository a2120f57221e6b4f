#include "platform/InstanceLock.h"

#include <QDir>
#include <QLockFile>
#include <cstdio>

#include "platform/SettingsStore.h"

namespace platform {

std::vector<QString> InstanceLock::DefaultFolders() {
  std::vector<QString> folders;
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime))
    folders.push_back(QDir::cleanPath(runtime));
  folders.push_back(SettingsStore::DefaultUserFolder());
  return folders;
}

InstanceLock::InstanceLock(const std::vector<QString>& folders) {
  QString failures;
  for (const QString& folder : folders) {
    if (folder.isEmpty()) continue;
    const QString file = folder + QLatin1Char('/') + QLatin1String(kLockName);
    if (!QDir().mkpath(folder)) {
      failures += QStringLiteral(" %1 (no such folder);").arg(folder);
      continue;
    }
    auto lock = std::make_unique<QLockFile>(file);
    // Age alone never makes a lock stale: only a holder that is gone does.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
      state_ = State::Held;
      path_ = file;
      lock_ = std::move(lock);
      return;
    }
    if (lock->error() == QLockFile::LockFailedError) {
      state_ = State::HeldByOther;
      path_ = file;
      return;
    }
    failures += QStringLiteral(" %1 (%2);")
                    .arg(file, lock->error() == QLockFile::PermissionError
                                   ? QStringLiteral("no permission")
                                   : QStringLiteral("cannot be created"));
  }
  state_ = State::Unavailable;
  std::fprintf(stderr, "kw3700: no single-instance lock could be made:%s running without one\n",
               failures.toLocal8Bit().constData());
  std::fflush(stderr);
}

InstanceLock::~InstanceLock() {
  if (lock_) lock_->unlock();
}

}  // namespace platform
