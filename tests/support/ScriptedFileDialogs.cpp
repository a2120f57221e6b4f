#include "support/ScriptedFileDialogs.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace kwtest {

ScriptedFileDialogs::ScriptedFileDialogs() : scope_(this) {}
ScriptedFileDialogs::~ScriptedFileDialogs() = default;

void ScriptedFileDialogs::Choose(const QString& path, int filterIndex) {
  platform::FileDialogResult r;
  r.accepted = true;
  r.path = path;
  r.filterIndex = filterIndex;
  answers_.push_back(r);
}

void ScriptedFileDialogs::Cancel() { answers_.push_back(platform::FileDialogResult{}); }

platform::FileDialogResult ScriptedFileDialogs::Run(const platform::FileDialogRequest& request) {
  requests_.push_back(request);
  std::fprintf(stderr, "[%s file dialog] folder %s, name %s, filter %s #%d\n",
               request.kind == platform::FileDialogRequest::Kind::Open ? "open" : "save",
               request.folder.toUtf8().constData(), request.fileName.toUtf8().constData(),
               request.filter.toUtf8().constData(), request.filterIndex);
  if (answers_.empty()) {
    ADD_FAILURE() << "unexpected file dialog: " << request.title.toStdString();
    platform::FileDialogResult cancelled;
    cancelled.filterIndex = request.filterIndex;
    return cancelled;
  }
  platform::FileDialogResult answer = answers_.front();
  answers_.pop_front();
  if (!answer.accepted) answer.filterIndex = request.filterIndex;
  return answer;
}

}  // namespace kwtest
