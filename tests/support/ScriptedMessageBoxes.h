#pragma once
// Answers message boxes from a queue and records every box shown.
// A box with nothing queued is a test failure (it answers Cancel), unless a
// default answer was set.
#include <deque>
#include <optional>
#include <vector>

#include "platform/MessageBoxService.h"

namespace kwtest {

class ScriptedMessageBoxes final : public platform::MessageBoxService {
 public:
  ScriptedMessageBoxes();
  ~ScriptedMessageBoxes() override;

  // Queues the answer for the next box.
  void Answer(int button) { answers_.push_back(button); }
  // Answer for boxes with nothing queued (no failure then).
  void SetDefaultAnswer(int button) { defaultAnswer_ = button; }

  int Show(const platform::MessageBoxRequest& request) override;

  const std::vector<platform::MessageBoxRequest>& Shown() const { return shown_; }
  std::size_t Count() const { return shown_.size(); }
  const platform::MessageBoxRequest& Last() const { return shown_.back(); }
  void Clear() { shown_.clear(); }

 private:
  platform::ScopedMessageBoxService scope_;
  std::deque<int> answers_;
  std::optional<int> defaultAnswer_;
  std::vector<platform::MessageBoxRequest> shown_;
};

}  // namespace kwtest
