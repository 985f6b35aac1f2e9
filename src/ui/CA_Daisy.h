#pragma once
#include <QDialog>
#include <QElapsedTimer>
#include <memory>
#include <string>

#include "book/BookLoader.h"

class QGroupBox;
class QLabel;
class QProgressBar;

namespace orbis {

// The book loader dialog (resource 130): a group box, the progress bar 1010 and the centred
// status text 1011. It waits for the first tick of its timer 1 (1000 ms), so that Escape within
// that second cancels without reading anything; then it reads the whole book inside that tick
// and ends itself: Accepted when the NCC was read, Rejected when ncc.html could not be opened
// (the loader has told the reader) or on Escape before the tick. While reading it repaints every
// few milliseconds without handing user input to anyone.
class CA_Daisy : public QDialog, public LoadProgress {
  Q_OBJECT

 public:
  static constexpr int kTimerId = 1;
  static constexpr int kTimerIntervalMs = 1000;
  static constexpr int kProgressBarId = 1010;
  static constexpr int kStatusTextId = 1011;

  CA_Daisy(LoadTargets targets, std::string folder, Dialogs& dialogs, QWidget* parent = nullptr);
  ~CA_Daisy() override;

  const LoadResult& result() const { return loader_->result(); }
  QProgressBar* progressBar() const { return progress_; }
  QLabel* statusText() const { return status_; }
  QGroupBox* groupBox() const { return group_; }

  void setRange(int maximum) override;
  void setPosition(int position) override;
  void setStatus(const std::string& text) override;

 public slots:
  void reject() override;

 protected:
  void timerEvent(QTimerEvent* event) override;

 private:
  void read();
  void repaintNow();

  std::unique_ptr<BookLoader> loader_;
  QGroupBox* group_;
  QProgressBar* progress_;
  QLabel* status_;
  int timer_ = 0;
  bool reading_ = false;
  QElapsedTimer sinceRepaint_;
};

}  // namespace orbis
