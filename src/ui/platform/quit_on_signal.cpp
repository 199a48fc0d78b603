#include "ui/platform/quit_on_signal.h"

#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>

namespace korvex::ui {
namespace {

int wakeFds[2] = {-1, -1};

// Only write() is safe in a signal handler; the event loop does the rest.
void wake(int) {
  const char byte = 1;
  [[maybe_unused]] const auto written = write(wakeFds[0], &byte, 1);
}

}  // namespace

void quitOnSignals() {
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, wakeFds) != 0) return;
  auto* notifier =
      new QSocketNotifier(wakeFds[1], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, [] { QCoreApplication::quit(); });
  struct sigaction action {};
  action.sa_handler = wake;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

}  // namespace korvex::ui
