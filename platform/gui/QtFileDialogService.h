#pragma once
// File dialogs as a non-native QFileDialog (the same dialog on every
// desktop, and one that tests can drive offscreen).
#include "platform/FileDialogService.h"

class QFileDialog;

namespace platform {

class QtFileDialogService final : public FileDialogService {
 public:
  FileDialogResult Run(const FileDialogRequest& request) override;

  // Builds the dialog without showing it (tests inspect it).
  static void Configure(QFileDialog& dialog, const FileDialogRequest& request);
  // The result of a dialog that was accepted.
  static FileDialogResult ResultOf(const QFileDialog& dialog, const FileDialogRequest& request);
};

}  // namespace platform
