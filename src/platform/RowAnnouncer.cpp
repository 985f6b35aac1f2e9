#include "platform/RowAnnouncer.h"

#include <QEvent>
#include <QItemSelectionModel>
#include <QTimer>

namespace orbis {

RowAnnouncer::RowAnnouncer(QAbstractItemView* view) : QObject(view), view_(view) {
  view_->installEventFilter(this);
  view_->window()->installEventFilter(this);
}

void RowAnnouncer::rearm() {
  done_ = false;
  announce();
}

bool RowAnnouncer::eventFilter(QObject* watched, QEvent* event) {
  // Focus can arrive before or after the window's activation, so both are watched.
  if ((watched == view_ && event->type() == QEvent::FocusIn) ||
      (watched == view_->window() && event->type() == QEvent::WindowActivate)) {
    announce();
  }
  return QObject::eventFilter(watched, event);
}

void RowAnnouncer::announce() {
  if (done_ || !view_->isActiveWindow() || !view_->hasFocus()) return;
  done_ = true;
  QTimer::singleShot(0, this, [this] {
    const QModelIndex current = view_->currentIndex();
    if (!current.isValid()) return;
    auto flags = QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
    view_->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    view_->selectionModel()->setCurrentIndex(current, flags);
  });
}

}  // namespace orbis
