#pragma once
// A temporary folder removed with the object.
#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <string>

namespace kwtest {

class ScratchDir {
 public:
  ScratchDir() : dir_(QDir::tempPath() + QStringLiteral("/kw3700-XXXXXX")) {}
  QString Path() const { return dir_.path(); }
  QString File(const QString& name) const { return dir_.filePath(name); }
  std::string FileStd(const std::string& name) const {
    return dir_.filePath(QString::fromStdString(name)).toStdString();
  }
  bool IsValid() const { return dir_.isValid(); }

 private:
  QTemporaryDir dir_;
};

}  // namespace kwtest
