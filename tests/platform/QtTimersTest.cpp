#include "platform/QtTimers.h"

#include <gtest/gtest.h>

#include <map>

#include "qtsupport/QtEventLoop.h"

namespace orbis::testing {
namespace {

class QtTimersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ensureQtApplication();
    timers_.setHandler([this](int id) { ++fired_[id]; });
  }
  QtTimers timers_;
  std::map<int, int> fired_;
};

TEST_F(QtTimersTest, ATimerFiresRepeatedlyUntilKilled) {
  timers_.start(2, 10);
  EXPECT_TRUE(timers_.isRunning(2));
  ASSERT_TRUE(processEventsUntil([&] { return fired_[2] >= 3; }, 2000));
  timers_.kill(2);
  EXPECT_FALSE(timers_.isRunning(2));
  const int count = fired_[2];
  processEventsUntil([] { return false; }, 60);
  EXPECT_EQ(fired_[2], count);
}

TEST_F(QtTimersTest, StartingARunningTimerAgainTakesTheNewInterval) {
  timers_.start(1, 60000);
  timers_.start(1, 10);
  EXPECT_TRUE(processEventsUntil([&] { return fired_[1] >= 1; }, 2000));
  EXPECT_FALSE(timers_.isRunning(7));
  timers_.kill(7);  // killing a timer that never ran is harmless
}

TEST_F(QtTimersTest, AHandlerMayKillItsOwnTimerAndStartAnother) {
  // The highlight timer is one-shot by killing itself in its handler.
  timers_.setHandler([this](int id) {
    ++fired_[id];
    timers_.kill(id);
    if (id == 1) timers_.start(2, 5);
  });
  timers_.start(1, 5);
  ASSERT_TRUE(processEventsUntil([&] { return fired_[2] == 1; }, 2000));
  processEventsUntil([] { return false; }, 40);
  EXPECT_EQ(fired_[1], 1);
  EXPECT_EQ(fired_[2], 1);
  EXPECT_FALSE(timers_.isRunning(1));
}

}  // namespace
}  // namespace orbis::testing
