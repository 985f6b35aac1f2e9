#include "platform/ShutdownSignals.h"

#include <sys/socket.h>
#include <unistd.h>

#include <csignal>

namespace orbis {

namespace {
int signalSockets[2] = {-1, -1};

void onSignal(int) {
  const char byte = 1;
  // Nothing else is safe here; a full socket just means a shutdown is already pending.
  [[maybe_unused]] ssize_t written = ::write(signalSockets[0], &byte, 1);
}
}  // namespace

ShutdownSignals::ShutdownSignals(std::function<void()> onShutdown)
    : onShutdown_(std::move(onShutdown)) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalSockets) != 0) {
    return;
  }
  notifier_ = std::make_unique<QSocketNotifier>(signalSockets[1], QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, &ShutdownSignals::readSignal);
  struct sigaction action {};
  action.sa_handler = onSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

ShutdownSignals::~ShutdownSignals() {
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) std::signal(signal, SIG_DFL);
  notifier_.reset();
  for (int& fd : signalSockets) {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
}

void ShutdownSignals::readSignal() {
  char buffer[16];
  while (::read(signalSockets[1], buffer, sizeof buffer) > 0) {
  }
  if (onShutdown_) onShutdown_();
}

}  // namespace orbis
