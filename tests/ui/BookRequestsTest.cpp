#include "ui/BookRequests.h"

#include <gtest/gtest.h>

#include <QStringList>

#include "qtsupport/QtEventLoop.h"

namespace orbis {
namespace {

// A book handed over while the reader is in a box waits for the box to close; the newest request
// wins, and it is opened once.
TEST(BookRequestsTest, WaitsWhileBusyAndOpensTheNewestOnce) {
  testing::ensureQtApplication();
  bool busy = true;
  QStringList opened;
  BookRequests requests({[&] { return busy; }, [&](const QString& book) { opened << book; }});
  requests.request("/books/a");
  requests.request("/books/b");
  testing::processEventsUntil([] { return false; }, 300);
  EXPECT_TRUE(opened.isEmpty());
  EXPECT_TRUE(requests.waiting());

  busy = false;
  EXPECT_TRUE(testing::processEventsUntil([&] { return !opened.isEmpty(); }, 2000));
  testing::processEventsUntil([] { return false; }, 300);
  EXPECT_EQ(opened, QStringList{"/books/b"});
  EXPECT_FALSE(requests.waiting());
}

}  // namespace
}  // namespace orbis
