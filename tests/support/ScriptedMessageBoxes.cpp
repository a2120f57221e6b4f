#include "support/ScriptedMessageBoxes.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace kwtest {

ScriptedMessageBoxes::ScriptedMessageBoxes() : scope_(this) {}
ScriptedMessageBoxes::~ScriptedMessageBoxes() = default;

int ScriptedMessageBoxes::Show(const platform::MessageBoxRequest& request) {
  shown_.push_back(request);
  std::fprintf(stderr, "[box %s, flags 0x%X] %s\n", request.caption.toUtf8().constData(),
               request.flags, request.text.toUtf8().constData());
  if (!answers_.empty()) {
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  if (defaultAnswer_) return *defaultAnswer_;
  ADD_FAILURE() << "unexpected message box: " << request.text.toStdString();
  return platform::mb::IdCancel;
}

}  // namespace kwtest
