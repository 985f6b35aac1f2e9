#pragma once
#include <QTimer>
#include <map>
#include <memory>

#include "ports/Timers.h"

namespace orbis {

// The numbered window timers on QTimer. They fire on the thread that owns this object (the
// user-interface thread) through its event loop, so handlers never overlap.
class QtTimers : public Timers {
 public:
  void setHandler(Handler handler) override { handler_ = std::move(handler); }
  void start(int id, int intervalMs) override;
  void kill(int id) override;
  bool isRunning(int id) const override;

 private:
  Handler handler_;
  // Stopped timers are kept, not deleted: a handler may kill the very timer that is firing.
  std::map<int, std::unique_ptr<QTimer>> timers_;
};

}  // namespace orbis
