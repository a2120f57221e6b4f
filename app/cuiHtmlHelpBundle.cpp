#include "app/cuiHtmlHelpBundle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <charconv>

namespace {

// A local path inside the folder, resolved as the file system sees it.
bool IsInside(const QString& canonicalFolder, const QString& path) {
  const QString canonical = QFileInfo(path).canonicalFilePath();
  if (canonical.isEmpty()) return false;  // does not exist
  return canonical.startsWith(canonicalFolder + QLatin1Char('/'));
}

}  // namespace

std::map<int, QString> cuiHtmlHelpBundle::ParseContexts(const QByteArray& text) {
  std::map<int, QString> rows;
  for (QByteArray line : text.split('\n')) {
    if (line.endsWith('\r')) line.chop(1);
    const qsizetype tab = line.indexOf('\t');
    if (tab <= 0) continue;
    const QByteArray number = line.left(tab);
    const QByteArray target = line.mid(tab + 1).trimmed();
    int value = 0;
    const char* first = number.constData();
    const char* last = first + number.size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || value <= 0) continue;
    if (target.isEmpty() || target.startsWith('#')) continue;
    rows[value] = QString::fromUtf8(target);
  }
  return rows;
}

bool cuiHtmlHelpBundle::Open(const QString& folder) {
  folder_.clear();
  contexts_.clear();
  const QFileInfo info(folder);
  if (!info.isDir()) return false;
  const QDir dir(info.canonicalFilePath());
  if (!QFileInfo(dir.filePath(QLatin1String(kIndexPage))).isFile()) return false;
  QFile map(dir.filePath(QLatin1String(kContextFile)));
  if (!map.open(QIODevice::ReadOnly)) return false;
  contexts_ = ParseContexts(map.readAll());
  folder_ = dir.path();
  return true;
}

QUrl cuiHtmlHelpBundle::IndexUrl() const {
  return QUrl::fromLocalFile(QDir(folder_).filePath(QLatin1String(kIndexPage)));
}

std::optional<QUrl> cuiHtmlHelpBundle::ContextUrl(int context) const {
  if (folder_.isEmpty() || context <= 0) return std::nullopt;
  const auto row = contexts_.find(context);
  if (row == contexts_.end()) return std::nullopt;
  const QString& target = row->second;
  const qsizetype hash = target.indexOf(QLatin1Char('#'));
  const QString page = hash < 0 ? target : target.left(hash);
  const QString anchor = hash < 0 ? QString() : target.mid(hash + 1);
  if (page.isEmpty() || QDir::isAbsolutePath(page) || page.contains(QLatin1Char(':')))
    return std::nullopt;
  const QString path = QDir::cleanPath(QDir(folder_).filePath(page));
  if (!IsInside(folder_, path) || !QFileInfo(path).isFile()) return std::nullopt;
  QUrl url = QUrl::fromLocalFile(path);
  if (!anchor.isEmpty()) url.setFragment(anchor);
  return url;
}

bool cuiHtmlHelpBundle::Contains(const QUrl& url) const {
  if (folder_.isEmpty() || !url.isLocalFile()) return false;
  return IsInside(folder_, url.toLocalFile());
}
