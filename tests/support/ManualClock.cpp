#include "support/ManualClock.h"

namespace orbis::testing {

void ManualClock::start(int id, int intervalMs) {
  timers_[id] = Timer{intervalMs, now_ + intervalMs};
}

int ManualClock::intervalOf(int id) const {
  auto it = timers_.find(id);
  return it == timers_.end() ? 0 : it->second.intervalMs;
}

int ManualClock::addTickListener(std::function<void(std::int64_t)> listener) {
  listeners_[++nextListenerId_] = std::move(listener);
  return nextListenerId_;
}

void ManualClock::removeTickListener(int listenerId) {
  listeners_.erase(listenerId);
}

void ManualClock::moveTo(std::int64_t when) {
  now_ = when;
  for (auto& [id, listener] : listeners_) listener(now_);
}

void ManualClock::advance(std::int64_t ms) {
  const std::int64_t end = now_ + ms;
  for (;;) {
    // The earliest due timer within the step; handlers may start or kill timers, so look again
    // after every firing.
    int dueId = 0;
    std::int64_t dueAt = end + 1;
    for (const auto& [id, timer] : timers_) {
      if (timer.due < dueAt) {
        dueAt = timer.due;
        dueId = id;
      }
    }
    if (dueAt > end) break;
    moveTo(dueAt);
    auto& timer = timers_[dueId];
    timer.due = dueAt + (timer.intervalMs > 0 ? timer.intervalMs : 1);
    if (handler_) handler_(dueId);
  }
  moveTo(end);
}

}  // namespace orbis::testing
