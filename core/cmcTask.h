#pragma once
// Periodic work on the user-interface thread: a timer that calls one handler
// per tick, never re-entered (a tick arriving while the handler pumps a
// nested event loop is skipped), and able to stop and free itself safely from
// inside its own handler.
#include <QObject>
#include <functional>
#include <memory>

class QTimer;

class cmcTask : public QObject {
 public:
  using Handler = std::function<void(cmcTask&)>;

  // Disabled, no handler, interval -1.
  explicit cmcTask(QObject* owner = nullptr);
  ~cmcTask() override;

  void SetHandler(Handler handler);
  // Binds a member function: obj->method(task).
  template <class T>
  void SetHandler(T* obj, void (T::*method)(cmcTask&)) {
    SetHandler([obj, method](cmcTask& task) { (obj->*method)(task); });
  }

  // ms < 0 disables the timer, 0 runs it every 1 ms, ms > 0 every ms.
  void SetInterval(int ms);
  // Clears the handler and disables the timer (interval -1).
  void Stop();
  // The task frees itself (QObject::deleteLater) on its next tick after the
  // handler has returned; the owner forgets it.
  void DeleteLater();

  int Interval() const { return interval_; }
  bool IsStopped() const { return stopped_; }
  bool IsBusy() const { return busy_; }
  bool IsDeleteLater() const { return deleteLater_; }
  bool HasHandler() const { return static_cast<bool>(handler_); }
  // Milliseconds the timer actually runs at (0 when disabled).
  int TimerInterval() const;
  bool TimerActive() const;

  // Releases a task its owner no longer wants. Inside the task's own tick
  // the task stops and frees itself after the handler returns; otherwise it
  // is deleted at once. Accepts nullptr.
  static void Release(cmcTask* task);

  struct Releaser {
    void operator()(cmcTask* task) const { cmcTask::Release(task); }
  };

  // Runs one tick as the timer would (tests, and owners that step by hand).
  void OnTick();

 private:
  QTimer* timer_;
  std::shared_ptr<const Handler> handler_;
  int interval_ = -1;
  bool busy_ = false;
  bool deleteLater_ = false;
  bool stopped_ = true;
  bool* destroyedFlag_ = nullptr;  // set while the handler runs
};

// Owning pointer that releases the task safely (see cmcTask::Release).
using cmcTaskPtr = std::unique_ptr<cmcTask, cmcTask::Releaser>;
