#include "platform/InfoListDialog.h"

#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

#include "texts/UiTexts.h"

namespace orbis {

namespace {
QString qs(const std::string& text) {
  return QString::fromStdString(text);
}
}  // namespace

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
  if (list_->rowCount() > 0) list_->setCurrentCell(0, 0);

  buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons_->button(QDialogButtonBox::Ok)->setText(qs(uiTexts().ok));
  buttons_->button(QDialogButtonBox::Cancel)->setText(qs(uiTexts().cancel));
  connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label_);
  layout->addWidget(list_);
  layout->addWidget(buttons_);
  resize(kInformationWidth + kValueWidth + 40, 260);
  list_->setFocus();
}

}  // namespace orbis
