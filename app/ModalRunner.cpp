#include "app/ModalRunner.h"

#include <QDialog>
#include <utility>

namespace {

ModalRunner& InstalledRunner() {
  static ModalRunner runner;
  return runner;
}

}  // namespace

int RunModalForm(QDialog& form) {
  // A copy: the runner may install another one while the form runs.
  const ModalRunner runner = InstalledRunner();
  if (runner) return runner(form);
  return form.exec();
}

ScopedModalRunner::ScopedModalRunner(ModalRunner runner)
    : previous_(std::exchange(InstalledRunner(), std::move(runner))) {}

ScopedModalRunner::~ScopedModalRunner() { InstalledRunner() = std::move(previous_); }
