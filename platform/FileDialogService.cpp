#include "platform/FileDialogService.h"

#include <cstdio>

namespace platform {
namespace {

class HeadlessFileDialogs final : public FileDialogService {
 public:
  FileDialogResult Run(const FileDialogRequest& request) override {
    std::fprintf(stderr, "[%s file dialog, cancelled] %s\n",
                 request.kind == FileDialogRequest::Kind::Open ? "open" : "save",
                 request.title.toUtf8().constData());
    std::fflush(stderr);
    FileDialogResult result;
    result.filterIndex = request.filterIndex;
    return result;
  }
};

HeadlessFileDialogs& HeadlessDialogs() {
  static HeadlessFileDialogs headless;
  return headless;
}

FileDialogService* g_fileDialogs = nullptr;

QString QtPattern(const QString& pattern) {
  return pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern;
}

}  // namespace

FileDialogService& FileDialogs() { return g_fileDialogs ? *g_fileDialogs : HeadlessDialogs(); }
void InstallFileDialogService(FileDialogService* service) { g_fileDialogs = service; }

ScopedFileDialogService::ScopedFileDialogService(FileDialogService* service)
    : previous_(g_fileDialogs) {
  g_fileDialogs = service;
}
ScopedFileDialogService::~ScopedFileDialogService() { g_fileDialogs = previous_; }

std::vector<FileFilter> ParseFileFilter(const QString& filter) {
  std::vector<FileFilter> filters;
  const QStringList parts = filter.split(QLatin1Char('|'));
  for (qsizetype i = 0; i < parts.size(); i += 2) {
    FileFilter entry;
    entry.description = parts.at(i).trimmed();
    const QString patterns = i + 1 < parts.size() ? parts.at(i + 1) : QString();
    for (const QString& p : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
      const QString trimmed = p.trimmed();
      if (!trimmed.isEmpty()) entry.patterns << trimmed;
    }
    if (entry.description.isEmpty() && entry.patterns.isEmpty()) continue;
    if (entry.patterns.isEmpty()) entry.patterns << QStringLiteral("*");
    filters.push_back(entry);
  }
  return filters;
}

QStringList ToQtNameFilters(const std::vector<FileFilter>& filters) {
  QStringList out;
  for (const FileFilter& f : filters) {
    QStringList qtPatterns;
    for (const QString& p : f.patterns) qtPatterns << QtPattern(p);
    const QString joined = qtPatterns.join(QLatin1Char(' '));
    QString description = f.description;
    // Qt reads the patterns from the last brackets of the text, so a
    // description that shows "(*.*)" is rewritten to the Qt patterns.
    const qsizetype open = description.lastIndexOf(QLatin1Char('('));
    if (open >= 0 && description.endsWith(QLatin1Char(')')))
      description = description.left(open).trimmed();
    if (description.isEmpty())
      out << joined;
    else
      out << description + QStringLiteral(" (") + joined + QLatin1Char(')');
  }
  return out;
}

int QtNameFilterIndex(const QStringList& nameFilters, const QString& selected) {
  const qsizetype i = nameFilters.indexOf(selected);
  return i < 0 ? 1 : static_cast<int>(i) + 1;
}

QString WithDefaultExtension(const QString& path, const QString& extension) {
  if (extension.isEmpty() || path.isEmpty()) return path;
  const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
  const QString name = path.mid(slash + 1);
  if (name.isEmpty() || name.contains(QLatin1Char('.'))) return path;
  return path + QLatin1Char('.') + extension;
}

}  // namespace platform
