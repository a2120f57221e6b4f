#include "platform/InstanceLock.h"

#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <cstdio>

#include "platform/SettingsStore.h"

namespace platform {
namespace {

// "<pid>\n<host>\n" for whoever looks at the file; never read back.
void WriteHolder(int fd) {
  char host[256] = {};
  if (::gethostname(host, sizeof host - 1) != 0) host[0] = '\0';
  const QByteArray text =
      QByteArray::number(static_cast<qint64>(::getpid())) + '\n' + QByteArray(host) + '\n';
  if (::ftruncate(fd, 0) == 0) (void)!::pwrite(fd, text.constData(), text.size(), 0);
}

}  // namespace

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
    switch (lock_.Lock(file, PathLock::Kind::File)) {
      case PathLock::Outcome::Held:
        state_ = State::Held;
        path_ = file;
        WriteHolder(lock_.Descriptor());
        return;
      case PathLock::Outcome::HeldByOther:
        state_ = State::HeldByOther;
        path_ = file;
        return;
      case PathLock::Outcome::Failed:
        failures += QStringLiteral(" %1 (%2);").arg(file, lock_.ErrorText());
        break;
    }
  }
  state_ = State::Unavailable;
  std::fprintf(stderr, "kw3700: no single-instance lock could be made:%s running without one\n",
               failures.toLocal8Bit().constData());
  std::fflush(stderr);
}

InstanceLock::~InstanceLock() { lock_.RemoveAndRelease(); }

}  // namespace platform
