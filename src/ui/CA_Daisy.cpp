#include "ui/CA_Daisy.h"

#include "library/DaisyLoad.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QTimerEvent>
#include <QVBoxLayout>

#include "texts/UiTexts.h"

namespace orbis {

namespace {
// Often enough for the bar to move smoothly, rarely enough to cost nothing measurable.
constexpr int kRepaintIntervalMs = 30;
}  // namespace

CA_Daisy::CA_Daisy(LoadTargets targets, std::string folder, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent),
      loader_(
          std::make_unique<BookLoader>(targets, std::move(folder), dialogs, currentLoaderTexts())) {
  // The captions of the dialog template; the first tick replaces them with the current
  // language's texts.
  setWindowTitle(QString::fromUtf8("Buch öffnen..."));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setModal(true);
  group_ = new QGroupBox(QString::fromUtf8("Buch wird geöffnet, bitte warten..."), this);
  progress_ = new QProgressBar(group_);
  progress_->setObjectName(QString::number(kProgressBarId));
  progress_->setRange(0, 100);
  progress_->setValue(0);
  progress_->setTextVisible(false);
  status_ = new QLabel(group_);
  status_->setObjectName(QString::number(kStatusTextId));
  status_->setAlignment(Qt::AlignCenter);
  auto* inner = new QVBoxLayout(group_);
  inner->addWidget(progress_);
  inner->addWidget(status_);
  auto* outer = new QVBoxLayout(this);
  outer->addWidget(group_);
  setMinimumWidth(320);
  loader_->setProgress(this);
  timer_ = startTimer(kTimerIntervalMs);
}

CA_Daisy::~CA_Daisy() = default;

void CA_Daisy::timerEvent(QTimerEvent* event) {
  if (event->timerId() != timer_) return QDialog::timerEvent(event);
  killTimer(timer_);
  timer_ = 0;
  read();
}

void CA_Daisy::read() {
  const UiTexts& texts = uiTexts();
  group_->setTitle(QString::fromStdString(texts.openingBook));
  setWindowTitle(QString::fromStdString(texts.openBookTitle));
  reading_ = true;
  sinceRepaint_.start();
  repaintNow();
  bool ok = loader_->run();
  reading_ = false;
  done(ok ? QDialog::Accepted : QDialog::Rejected);
}

void CA_Daisy::reject() {
  // Once reading has started it runs to its end; before that, Escape cancels.
  if (reading_) return;
  if (timer_) killTimer(timer_);
  timer_ = 0;
  QDialog::reject();
}

void CA_Daisy::setRange(int maximum) {
  progress_->setRange(0, maximum);
}

void CA_Daisy::setPosition(int position) {
  if (position <= progress_->maximum()) progress_->setValue(position);
  if (sinceRepaint_.elapsed() >= kRepaintIntervalMs) repaintNow();
}

void CA_Daisy::setStatus(const std::string& text) {
  status_->setText(QString::fromStdString(text));
}

void CA_Daisy::repaintNow() {
  sinceRepaint_.restart();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace orbis
