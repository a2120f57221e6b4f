#pragma once
// What happens to an exception that escapes an event handler or the event
// loop: it is shown once in an error box under the program's title (a later
// one while the first box shows is dropped), the event loop is told to end,
// and the program then ends with exit code 3 after its usual teardown. It is
// never reported as success.
#include <QApplication>
#include <functional>

namespace escape {

inline constexpr int kExitCode = 3;

// Runs the call; an exception escaping it is shown and the loop asked to end
// with kExitCode. Answers the call's result, or false after an escape.
bool RunGuarded(const std::function<bool()>& call);
// Runs the event loop the same way: its result, or kExitCode after an escape
// (from inside the loop or out of it).
int RunLoop(const std::function<int()>& exec);
// Whether an escape was shown in this process.
bool Escaped();

}  // namespace escape

// The program's application object: every event delivery runs guarded.
class ProgramApplication : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override;
};
