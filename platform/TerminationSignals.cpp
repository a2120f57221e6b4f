#include "platform/TerminationSignals.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <cstdio>

namespace platform {
namespace {

int g_pipe[2] = {-1, -1};

// Only async-signal-safe work here: one byte into the pipe.
void OnSignal(int) {
  const int saved = errno;
  const char byte = 1;
  (void)!write(g_pipe[1], &byte, 1);
  errno = saved;
}

}  // namespace

void QuitOnTerminationSignals(QCoreApplication& app) {
  if (g_pipe[0] >= 0) return;
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_pipe) != 0) {
    std::perror("kw3700: no pipe for termination signals");
    return;
  }
  auto* notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, &app);
  QObject::connect(notifier, &QSocketNotifier::activated, &app, [] {
    char buffer[16];
    while (read(g_pipe[0], buffer, sizeof buffer) > 0) {
    }
    // exit, not quit: quit would first ask every window to close, and a
    // window's close query (or a dialog that shows another window as it
    // closes) must not keep a terminated program alive.
    QCoreApplication::exit(0);
  });
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

}  // namespace platform
