#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "ports/Timers.h"

namespace orbis::testing {

// Timers on a clock that moves only when a test advances it. Timers fire in time order; two
// timers due at the same moment fire in the order of their ids. Other parts (the simulated
// player) can follow the same clock through tick listeners.
class ManualClock : public Timers {
 public:
  void setHandler(Handler handler) override { handler_ = std::move(handler); }
  void start(int id, int intervalMs) override;
  void kill(int id) override { timers_.erase(id); }
  bool isRunning(int id) const override { return timers_.count(id) != 0; }

  std::int64_t nowMs() const { return now_; }
  int intervalOf(int id) const;
  // Moves the clock forward by ms, firing every timer that falls due on the way.
  void advance(std::int64_t ms);
  // Called with the new time whenever the clock moves, before due timers fire. The returned
  // number removes the listener again (for listeners that die before the clock).
  int addTickListener(std::function<void(std::int64_t)> listener);
  void removeTickListener(int listenerId);

 private:
  struct Timer {
    int intervalMs;
    std::int64_t due;
  };
  void moveTo(std::int64_t when);
  Handler handler_;
  std::map<int, Timer> timers_;
  std::int64_t now_ = 0;
  std::map<int, std::function<void(std::int64_t)>> listeners_;
  int nextListenerId_ = 0;
};

}  // namespace orbis::testing
