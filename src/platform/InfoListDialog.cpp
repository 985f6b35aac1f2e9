#include "platform/InfoListDialog.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/ControlTexts.h"
#include "texts/UiTexts.h"

namespace orbis {

InfoListDialog::InfoListDialog(const InfoListContent& content, QWidget* parent) : QDialog(parent) {
  setWindowTitle(qs(content.caption));
  label_ = new QLabel(qs(content.caption), this);
  list_ = new QTableWidget(static_cast<int>(content.rows.size()), 2, this);
  label_->setBuddy(list_);
  list_->setAccessibleName(qs(content.caption));
  list_->setHorizontalHeaderLabels({qs(content.columns[0]), qs(content.columns[1])});
  // A report list: whole rows are chosen, one at a time, the grid drawn, nothing edited, the
  // columns movable by dragging their headings.
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setShowGrid(true);
  list_->setTabKeyNavigation(false);
  list_->verticalHeader()->hide();
  list_->horizontalHeader()->setSectionsMovable(true);
  list_->horizontalHeader()->setStretchLastSection(true);
  list_->setColumnWidth(0, kInformationWidth);
  list_->setColumnWidth(1, kValueWidth);
  for (int row = 0; row < static_cast<int>(content.rows.size()); ++row) {
    for (int column = 0; column < 2; ++column) {
      auto* cell = new QTableWidgetItem(qs(content.rows[size_t(row)][size_t(column)]));
      cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
      list_->setItem(row, column, cell);
    }
  }
  list_->resizeRowsToContents();
  list_->installEventFilter(this);
  if (list_->rowCount() > 0) list_->setCurrentCell(0, 0);

  buttons_ = okCancelButtons(this);
  connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label_);
  layout->addWidget(list_);
  layout->addWidget(buttons_);
  resize(kInformationWidth + kValueWidth + 40, 260);
  list_->setFocus();
}

// A row made current before the list had the focus is not announced when the focus arrives, only
// the list: once the window is active with the focus in the list, the row is made current once
// more, so the screen reader reads the row after the list. Focus can arrive before or after the
// window's activation, so both are watched.
void InfoListDialog::announceRowOnce() {
  if (rowAnnounced_ || !isActiveWindow() || !list_->hasFocus()) return;
  rowAnnounced_ = true;
  QTimer::singleShot(0, this, [this] {
    if (list_->rowCount() == 0) return;
    const int row = std::max(list_->currentRow(), 0);
    list_->setCurrentItem(nullptr);
    list_->setCurrentCell(row, 0);
  });
}

bool InfoListDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && event->type() == QEvent::FocusIn) announceRowOnce();
  // Home and End go to the first and last fact, as in a list, not to the row's first and last
  // cell.
  if (watched == list_ && event->type() == QEvent::KeyPress && list_->rowCount() > 0) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() == Qt::NoModifier &&
        (key->key() == Qt::Key_Home || key->key() == Qt::Key_End)) {
      list_->setCurrentCell(key->key() == Qt::Key_Home ? 0 : list_->rowCount() - 1, 0);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void InfoListDialog::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::ActivationChange) announceRowOnce();
}

}  // namespace orbis
