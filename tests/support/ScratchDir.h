#pragma once
// A private temporary folder removed with the object, with everything in it.
//
// It is a platform::WorkFolder: a folder left by a process that ended at
// once (a death test's child re-runs the test up to its death and never
// unwinds) is no longer locked, and the next ScratchDir, or the sweep at the
// end of every test program (RemoveAbandonedScratch), removes it.
#include <QDir>
#include <QString>
#include <string>

#include "platform/WorkFolder.h"

namespace kwtest {

inline constexpr char kScratchPrefix[] = "kw3700-scratch-";

class ScratchDir {
 public:
  ScratchDir() : dir_(QDir::tempPath(), QLatin1String(kScratchPrefix)) {}
  QString Path() const { return dir_.Path(); }
  QString File(const QString& name) const { return dir_.FilePath(name); }
  std::string FileStd(const std::string& name) const {
    return dir_.FilePath(QString::fromStdString(name)).toStdString();
  }
  bool IsValid() const { return dir_.IsValid(); }

 private:
  platform::WorkFolder dir_;
};

// Removes what processes of the tests left in the temporary folder when they
// ended at once: scratch folders and the settings store's working folders
// that no live process holds.
void RemoveAbandonedScratch();

}  // namespace kwtest
