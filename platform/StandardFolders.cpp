#include "platform/StandardFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {
namespace {

const StandardFolders* g_override = nullptr;

std::string Utf8Path(const QString& path) {
  return path.isEmpty() ? std::string() : QDir::cleanPath(path).toStdString();
}

}  // namespace

StandardFolders StandardFolders::FromSystem() {
  StandardFolders folders;
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (!documents.isEmpty() && QFileInfo(documents).isDir()) folders.documents = Utf8Path(documents);
  if (QCoreApplication::instance() != nullptr)
    folders.program = Utf8Path(QCoreApplication::applicationDirPath());
  folders.current = Utf8Path(QDir::currentPath());
  return folders;
}

StandardFolders CurrentStandardFolders() {
  if (g_override) return *g_override;
  return StandardFolders::FromSystem();
}

ScopedStandardFolders::ScopedStandardFolders(const StandardFolders& folders)
    : previous_(g_override), folders_(folders) {
  g_override = &folders_;
}

ScopedStandardFolders::~ScopedStandardFolders() { g_override = previous_; }

}  // namespace platform
