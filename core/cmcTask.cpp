#include "core/cmcTask.h"

#include <QTimer>

cmcTask::cmcTask(QObject* owner) : QObject(owner), timer_(new QTimer(this)) {
  timer_->setTimerType(Qt::PreciseTimer);
  QObject::connect(timer_, &QTimer::timeout, this, [this] { OnTick(); });
}

cmcTask::~cmcTask() {
  // Deleted from inside its own handler after all: tell OnTick not to touch
  // the object any more.
  if (destroyedFlag_ != nullptr) *destroyedFlag_ = true;
}

void cmcTask::SetHandler(Handler handler) {
  if (handler) {
    handler_ = std::make_shared<const Handler>(std::move(handler));
  } else {
    handler_.reset();
  }
}

void cmcTask::SetInterval(int ms) {
  interval_ = ms;
  if (ms < 0) {
    timer_->stop();
  } else {
    timer_->start(ms == 0 ? 1 : ms);
  }
  stopped_ = !timer_->isActive();
}

void cmcTask::Stop() {
  handler_.reset();
  SetInterval(-1);
}

void cmcTask::DeleteLater() {
  deleteLater_ = true;
  SetInterval(1);
}

int cmcTask::TimerInterval() const { return timer_->isActive() ? timer_->interval() : 0; }

bool cmcTask::TimerActive() const { return timer_->isActive(); }

void cmcTask::Release(cmcTask* task) {
  if (task == nullptr) return;
  if (task->busy_) {
    // Deleting now would free the object whose handler is still running.
    task->Stop();
    task->DeleteLater();
  } else {
    delete task;
  }
}

void cmcTask::OnTick() {
  if (busy_) return;  // nested event loop inside the handler: skip this tick
  if (deleteLater_) {
    timer_->stop();
    stopped_ = true;
    deleteLater();
    return;
  }
  if (!handler_) return;
  // Keep the closure alive even if the handler stops the task or replaces
  // its own handler.
  const std::shared_ptr<const Handler> handler = handler_;
  bool destroyed = false;
  destroyedFlag_ = &destroyed;
  busy_ = true;
  (*handler)(*this);
  if (destroyed) return;
  destroyedFlag_ = nullptr;
  busy_ = false;
}
