#pragma once
// Open and save file dialogs behind an interface, so that every file the
// program asks for can be answered by a script in tests.
//
// Filters are given as the program's tables write them: pairs of
// description and patterns, all joined by "|":
//   "Data files (*.icf)|*.icf|All files (*.*)|*.*"
// The filter index counts from 1, in and out, as those tables do.
#include <QString>
#include <QStringList>
#include <vector>

class QObject;

namespace platform {

struct FileDialogRequest {
  enum class Kind { Open, Save };
  Kind kind = Kind::Open;
  QString title;             // empty: the dialog's own
  QString folder;            // initial folder (UTF-8 path); empty: the current one
  QString fileName;          // initial name
  QString filter;            // "description|patterns|..." (see above)
  int filterIndex = 1;       // 1-based
  QString defaultExtension;  // without the dot; added to a typed name without one
  QObject* owner = nullptr;  // a QWidget when there is one
};

struct FileDialogResult {
  bool accepted = false;
  QString path;         // full path of the chosen file
  int filterIndex = 1;  // 1-based index of the filter in force at the end
};

class FileDialogService {
 public:
  virtual ~FileDialogService() = default;
  virtual FileDialogResult Run(const FileDialogRequest& request) = 0;
};

// The process-wide service. Without an installed one, a dialog is told on
// stderr and cancelled (no display, no person).
FileDialogService& FileDialogs();
void InstallFileDialogService(FileDialogService* service);

class ScopedFileDialogService {
 public:
  explicit ScopedFileDialogService(FileDialogService* service);
  ~ScopedFileDialogService();
  ScopedFileDialogService(const ScopedFileDialogService&) = delete;
  ScopedFileDialogService& operator=(const ScopedFileDialogService&) = delete;

 private:
  FileDialogService* previous_;
};

// One filter of a table filter.
struct FileFilter {
  QString description;
  QStringList patterns;  // "*.icf"; "*.*" is kept as the table wrote it
};

// Splits a table filter into its entries; a description without patterns
// gets "*".
std::vector<FileFilter> ParseFileFilter(const QString& filter);
// Qt name filters for the entries: "Data files (*.icf)", "All files (*)".
// "*.*" becomes "*" (every file, with or without a dot); the patterns are
// added to the description unless it already ends with them in brackets.
QStringList ToQtNameFilters(const std::vector<FileFilter>& filters);
// The 1-based index of a Qt name filter among those made by ToQtNameFilters;
// 1 when not found.
int QtNameFilterIndex(const QStringList& nameFilters, const QString& selected);
// The path with the default extension added when the file name has none
// (no "." after the last "/"); unchanged when the extension is empty.
QString WithDefaultExtension(const QString& path, const QString& extension);

}  // namespace platform
