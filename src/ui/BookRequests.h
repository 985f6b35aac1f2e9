#pragma once
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

namespace orbis {

// Books that a second start hands to the running player (a double click in the file manager).
// The book is opened as soon as the reader is not in the middle of something: while a box, a
// menu or a busy note is up, its own loop runs inside the main one, and replacing the book under
// it would pull its tables away. A newer request replaces one still waiting.
class BookRequests : public QObject {
 public:
  struct Hooks {
    std::function<bool()> busy;                    // a box, a menu or long work is under way
    std::function<void(const QString&)> openBook;  // as DAISY > Öffnen does
  };
  explicit BookRequests(Hooks hooks, QObject* parent = nullptr);

  void request(const QString& book);
  bool waiting() const { return !pending_.isEmpty(); }

 private:
  void tryOpen();

  Hooks hooks_;
  QString pending_;
  QTimer retry_;
};

}  // namespace orbis
