#pragma once
#include <QAbstractItemView>
#include <QObject>

namespace orbis {

// A row made current before its list had the focus is not read when the focus arrives: the
// screen reader names only the list. Once the list has the focus in the active window, the
// row is made current once more, so the reader hears it right after the list. A list refilled
// while the reader waits (a search) is re-armed to read its new row the same way.
class RowAnnouncer : public QObject {
  Q_OBJECT
 public:
  explicit RowAnnouncer(QAbstractItemView* view);
  void rearm();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void announce();
  QAbstractItemView* view_;
  bool done_ = false;
};

}  // namespace orbis
