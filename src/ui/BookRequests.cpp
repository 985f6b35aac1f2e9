#include "ui/BookRequests.h"

namespace orbis {

namespace {
constexpr int kRetryInterval = 200;  // milliseconds
}

BookRequests::BookRequests(Hooks hooks, QObject* parent)
    : QObject(parent), hooks_(std::move(hooks)) {
  retry_.setInterval(kRetryInterval);
  connect(&retry_, &QTimer::timeout, this, &BookRequests::tryOpen);
}

void BookRequests::request(const QString& book) {
  pending_ = book;
  // Not from inside the socket's handler: the answer goes out first.
  QTimer::singleShot(0, this, &BookRequests::tryOpen);
}

void BookRequests::tryOpen() {
  if (pending_.isEmpty()) {
    retry_.stop();
    return;
  }
  if (hooks_.busy()) {
    if (!retry_.isActive()) retry_.start();
    return;
  }
  retry_.stop();
  const QString book = std::exchange(pending_, QString());
  hooks_.openBook(book);
}

}  // namespace orbis
