#include "desktop/termination_signals.h"

#include <QSocketNotifier>
#include <QWidget>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace desktop {
namespace {

// A signal handler may only write to a descriptor; the event loop reads the other end. A run
// processes events after every item, so the request reaches it there too.
int wake[2] = {-1, -1};

void onSignal(int) {
  const char byte = 1;
  (void)!::write(wake[1], &byte, 1);
}

}  // namespace

void closeOnTerminationSignals(QWidget& window) {
  if (wake[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, wake) != 0) return;
  auto* notifier = new QSocketNotifier(wake[0], QSocketNotifier::Read, &window);
  QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
    char bytes[64];
    while (::read(wake[0], bytes, sizeof bytes) > 0) {
    }
    window.close();
  });
  struct sigaction action {};
  action.sa_handler = onSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(SIGTERM, &action, nullptr);
  ::sigaction(SIGHUP, &action, nullptr);
}

}  // namespace desktop
