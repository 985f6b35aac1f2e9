#include "platform/BookListDialog.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "platform/ControlTexts.h"
#include "platform/RowAnnouncer.h"
#include "texts/UiTexts.h"

namespace orbis {

BookListDialog::BookListDialog(CA_DaisySuche& logic, QWidget* parent)
    : QDialog(parent), logic_(logic) {
  const UiTexts& t = uiTexts();
  setWindowTitle(qs(t.searchingForDaisy));
  list_ = new QListWidget(this);
  list_->setAccessibleName(qs(t.searchingForDaisy));
  ok_ = new QPushButton(qs(t.ok), this);
  ok_->setDefault(true);
  cancel_ = new QPushButton(qs(t.cancel), this);
  connect(ok_, &QPushButton::clicked, this, &BookListDialog::choose);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  // Enter reaches the default button by itself; taking the list's activation as well would run
  // OK twice, the second time on the list the first one has just built.
  connect(list_, &QListWidget::itemDoubleClicked, this, &BookListDialog::choose);
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) { logic_.select(row); });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  layout->addLayout(buttons);
  resize(460, 320);
  announcer_ = new RowAnnouncer(list_);

  logic_.firstPaint();
  showTitles();
}

void BookListDialog::showTitles() {
  const QSignalBlocker quiet(list_);
  list_->clear();
  for (const std::string& title : logic_.titles()) list_->addItem(qs(title));
  list_->setCurrentRow(logic_.selected());
  list_->setFocus();
  if (announcer_) announcer_->rearm();
}

void BookListDialog::choose() {
  if (const auto folder = logic_.ok()) {
    folder_ = *folder;
    accept();
    return;
  }
  showTitles();
}

}  // namespace orbis
