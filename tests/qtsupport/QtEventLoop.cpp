#include "qtsupport/QtEventLoop.h"

#include <QApplication>
#include <QThread>
#include <chrono>

namespace orbis::testing {

void ensureQtApplication() {
  if (QCoreApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "orbis-tests";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);  // lives as long as the test program
}

bool processEventsUntil(const std::function<bool()>& done, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    QThread::msleep(2);  // a poll interval, not a wait for the result
  }
}

}  // namespace orbis::testing
