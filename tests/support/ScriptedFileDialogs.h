#pragma once
// Answers file dialogs from a queue and records every request. A dialog with
// nothing queued is a test failure (it is cancelled).
#include <deque>
#include <vector>

#include "platform/FileDialogService.h"

namespace kwtest {

class ScriptedFileDialogs final : public platform::FileDialogService {
 public:
  ScriptedFileDialogs();
  ~ScriptedFileDialogs() override;

  // Queues the choice of a file (with the filter index at the end).
  void Choose(const QString& path, int filterIndex = 1);
  // Queues a cancelled dialog.
  void Cancel();

  platform::FileDialogResult Run(const platform::FileDialogRequest& request) override;

  const std::vector<platform::FileDialogRequest>& Requests() const { return requests_; }
  std::size_t Count() const { return requests_.size(); }
  const platform::FileDialogRequest& Last() const { return requests_.back(); }

 private:
  platform::ScopedFileDialogService scope_;
  std::deque<platform::FileDialogResult> answers_;
  std::vector<platform::FileDialogRequest> requests_;
};

}  // namespace kwtest
