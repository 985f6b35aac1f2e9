#pragma once
#include <functional>

namespace orbis {

// The main window's numbered timers. A started timer fires its id every interval until it is
// killed; starting a running timer again restarts it with the new interval. Handlers run on the
// user-interface thread, one at a time.
class Timers {
 public:
  using Handler = std::function<void(int id)>;
  virtual ~Timers() = default;
  virtual void setHandler(Handler handler) = 0;
  virtual void start(int id, int intervalMs) = 0;
  virtual void kill(int id) = 0;
  virtual bool isRunning(int id) const = 0;
};

}  // namespace orbis
