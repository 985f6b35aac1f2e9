#pragma once
#include <sched.h>

namespace orbis::testing {

// Keeps the calling thread, and the threads it starts, on one of its processors while it lives.
class OnOneProcessor {
 public:
  OnOneProcessor() {
    CPU_ZERO(&before_);
    if (::sched_getaffinity(0, sizeof before_, &before_) != 0) return;
    for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu) {
      if (!CPU_ISSET(cpu, &before_)) continue;
      cpu_set_t one;
      CPU_ZERO(&one);
      CPU_SET(cpu, &one);
      pinned_ = ::sched_setaffinity(0, sizeof one, &one) == 0;
      break;
    }
  }
  ~OnOneProcessor() {
    if (pinned_) ::sched_setaffinity(0, sizeof before_, &before_);
  }
  bool pinned() const { return pinned_; }

 private:
  cpu_set_t before_;
  bool pinned_ = false;
};

}  // namespace orbis::testing
