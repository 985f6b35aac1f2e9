#pragma once
#include <QDialog>
#include <QLineEdit>
#include <QPointer>

#include "ports/BusyNote.h"

namespace orbis {

// The busy note as a small modeless window over the main window: one read-only line, centred,
// that holds the focus, so that a screen reader speaks the window and its line as it appears.
class QtBusyNote : public BusyNote {
 public:
  static constexpr int kLineId = 1030;

  explicit QtBusyNote(QWidget* parent = nullptr) : parent_(parent) {}
  ~QtBusyNote() override;
  void show(const std::string& text) override;
  void stillBusy() override;
  void close() override;

  QDialog* window() const { return window_; }
  QLineEdit* line() const { return line_; }

 private:
  QWidget* parent_;
  // Guarded: while shown the note belongs to the box it stands over, which may go first.
  QPointer<QDialog> window_;
  QPointer<QLineEdit> line_;
  QWidget* focusBefore_ = nullptr;
};

}  // namespace orbis
