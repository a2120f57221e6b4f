#pragma once
// How the program's own modal forms run: QDialog::exec() unless a runner is
// installed. Tests install one that drives the live form (shows it, clicks,
// types, closes it) and answers its result, so that every modal flow runs
// without a person; forms opened from inside a running form come to the
// same runner.
#include <functional>

class QDialog;

// Runs the form until it is closed; answers its result (QDialog::Accepted
// or Rejected).
using ModalRunner = std::function<int(QDialog& form)>;

// Runs the form through the installed runner, else with exec().
int RunModalForm(QDialog& form);

// Installs a runner for a scope and puts the previous one back.
class ScopedModalRunner {
 public:
  explicit ScopedModalRunner(ModalRunner runner);
  ~ScopedModalRunner();
  ScopedModalRunner(const ScopedModalRunner&) = delete;
  ScopedModalRunner& operator=(const ScopedModalRunner&) = delete;

 private:
  ModalRunner previous_;
};
