#include "platform/QtTimers.h"

#include <algorithm>

namespace orbis {

void QtTimers::start(int id, int intervalMs) {
  auto& timer = timers_[id];
  if (!timer) {
    timer = std::make_unique<QTimer>();
    QObject::connect(timer.get(), &QTimer::timeout, [this, id] {
      if (handler_) handler_(id);
    });
  }
  // QTimer::start on a running timer restarts it, as starting a window timer again does.
  timer->start(std::max(intervalMs, 0));
}

void QtTimers::kill(int id) {
  auto it = timers_.find(id);
  if (it != timers_.end()) it->second->stop();
}

bool QtTimers::isRunning(int id) const {
  auto it = timers_.find(id);
  return it != timers_.end() && it->second->isActive();
}

}  // namespace orbis
