#include "common/ui/StopSignals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QSocketNotifier>
#include <QWidget>
#include <atomic>

namespace kavo9 {
namespace {

int g_stopPipe[2] = {-1, -1};
std::atomic<bool> g_stopRequested{false};
void (*g_onStop)() = nullptr;

void OnStopSignal(int) {
  g_stopRequested = true;
  char byte = 1;
  [[maybe_unused]] ssize_t n = ::write(g_stopPipe[1], &byte, 1);
}

void Stop() {
  // Drain the pipe so the notifier does not fire again for the same signal.
  char bytes[16];
  while (::read(g_stopPipe[0], bytes, sizeof bytes) > 0) {
  }
  if (g_onStop) g_onStop();
  // Modal dialogs run loops of their own: end them, innermost first.
  for (int guard = 0; guard < 32; ++guard) {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) break;
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
      dialog->reject();
    } else {
      modal->close();
    }
    if (QApplication::activeModalWidget() == modal) break;
  }
  // Leaves every event loop that runs now; a main loop not started yet is not entered
  // (StopRequested).
  QCoreApplication::exit(0);
}

}  // namespace

void EndOnStopSignals(QApplication& app, void (*onStop)()) {
  g_onStop = onStop;
  if (::pipe2(g_stopPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGTERM, &action, nullptr);
  ::sigaction(SIGINT, &action, nullptr);
  auto* notifier = new QSocketNotifier(g_stopPipe[0], QSocketNotifier::Read, &app);
  QObject::connect(notifier, &QSocketNotifier::activated, &app, [] { Stop(); });
}

bool StopRequested() {
  return g_stopRequested;
}

}  // namespace kavo9
