#include "platform/QtBusyNote.h"

#include <QApplication>
#include <QVBoxLayout>

namespace orbis {

QtBusyNote::~QtBusyNote() {
  delete window_;
}

void QtBusyNote::show(const std::string& text) {
  if (window_ == nullptr) {
    window_ = new QDialog(parent_);
    window_->setModal(false);
    line_ = new QLineEdit(window_);
    line_->setObjectName(QString::number(kLineId));
    line_->setReadOnly(true);
    line_->setAlignment(Qt::AlignCenter);
    line_->setMinimumWidth(320);
    auto* layout = new QVBoxLayout(window_);
    layout->addWidget(line_);
  }
  // Over a modal box (the book list that starts a scan) the note must belong to that box: a
  // window the box blocks could not take the focus, and a screen reader would not hear it.
  QWidget* owner = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : parent_;
  if (window_->parentWidget() != owner) window_->setParent(owner, window_->windowFlags());
  const QString note = QString::fromStdString(text);
  // The window's title and the line's name carry the note too: a screen reader names a window
  // by its title and a field by its name before it reads the field's value.
  window_->setWindowTitle(note);
  line_->setAccessibleName(note);
  line_->setText(note);
  focusBefore_ = QApplication::focusWidget();
  window_->show();
  window_->raise();
  window_->activateWindow();
  line_->setFocus();
  // Drawn at once: work that ends before its first step still showed why nothing answered.
  window_->repaint();
  line_->repaint();
}

void QtBusyNote::stillBusy() {
  if (window_ == nullptr || !window_->isVisible()) return;
  // At every step: a screen reader asks the program many questions, one answer per pass, before
  // it speaks the note; even a few milliseconds between passes leave it silent. A pass with
  // nothing to do costs microseconds. Keys and clicks wait until the work is done.
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtBusyNote::close() {
  if (window_ == nullptr) return;
  window_->hide();
  if (window_->parentWidget() != parent_) window_->setParent(parent_, window_->windowFlags());
  if (focusBefore_ != nullptr && focusBefore_->isVisible()) {
    // Its window becomes the active one again, or the focus would stay nowhere.
    focusBefore_->window()->activateWindow();
    focusBefore_->setFocus();
  }
  focusBefore_ = nullptr;
}

}  // namespace orbis
