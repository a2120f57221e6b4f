#include "platform/gui/QtFileDialogService.h"

#include <QDir>
#include <QFileDialog>
#include <QWidget>

namespace platform {

void QtFileDialogService::Configure(QFileDialog& dialog, const FileDialogRequest& request) {
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  const bool save = request.kind == FileDialogRequest::Kind::Save;
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (!request.title.isEmpty()) dialog.setWindowTitle(request.title);
  const QStringList filters = ToQtNameFilters(ParseFileFilter(request.filter));
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    const int index =
        request.filterIndex >= 1 && request.filterIndex <= filters.size() ? request.filterIndex : 1;
    dialog.selectNameFilter(filters.at(index - 1));
  }
  if (!request.defaultExtension.isEmpty()) dialog.setDefaultSuffix(request.defaultExtension);
  if (!request.folder.isEmpty() && QDir(request.folder).exists())
    dialog.setDirectory(request.folder);
  if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
}

FileDialogResult QtFileDialogService::ResultOf(const QFileDialog& dialog,
                                               const FileDialogRequest& request) {
  FileDialogResult result;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return result;
  result.accepted = true;
  result.path = WithDefaultExtension(files.first(), request.defaultExtension);
  result.filterIndex = QtNameFilterIndex(dialog.nameFilters(), dialog.selectedNameFilter());
  return result;
}

FileDialogResult QtFileDialogService::Run(const FileDialogRequest& request) {
  QWidget* owner = request.owner && request.owner->isWidgetType()
                       ? static_cast<QWidget*>(request.owner)
                       : nullptr;
  QFileDialog dialog(owner);
  Configure(dialog, request);
  if (dialog.exec() != QDialog::Accepted) {
    FileDialogResult cancelled;
    cancelled.filterIndex = request.filterIndex;
    return cancelled;
  }
  return ResultOf(dialog, request);
}

}  // namespace platform
