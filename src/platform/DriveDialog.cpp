#include "platform/DriveDialog.h"

#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/ControlTexts.h"
#include "platform/RowAnnouncer.h"
#include "texts/UiTexts.h"

namespace orbis {

DriveDialog::DriveDialog(const std::vector<Drive>& drives, QWidget* parent)
    : QDialog(parent), drives_(drives) {
  const UiTexts& t = uiTexts();
  setWindowTitle(qs(t.selectDrive));
  list_ = new QTreeWidget(this);
  list_->setAccessibleName(qs(t.selectDrive));
  list_->setColumnCount(2);
  list_->setHeaderLabels({qs(t.driveColumn), qs(t.driveNameColumn)});
  list_->setRootIsDecorated(false);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setAllColumnsShowFocus(true);
  // A mount point is longer than a drive letter: the first column grows to show it.
  list_->setColumnWidth(0, kDriveWidth);
  list_->setColumnWidth(1, kNameWidth);
  for (const Drive& drive : drives_) {
    auto* row = new QTreeWidgetItem(list_, {qs(drive.root), qs(drive.label)});
    row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  }
  list_->resizeColumnToContents(0);
  if (list_->topLevelItemCount() > 0) list_->setCurrentItem(list_->topLevelItem(0));
  // Enter reaches the default button; a double click chooses as well.
  connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { accept(); });

  buttons_ = okCancelButtons(this);
  connect(buttons_, &QDialogButtonBox::accepted, this, [this] {
    if (list_->currentItem()) accept();
  });
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  layout->addWidget(buttons_);
  resize(420, 260);
  new RowAnnouncer(list_);
  list_->setFocus();
}

std::string DriveDialog::root() const {
  const int row = list_->indexOfTopLevelItem(list_->currentItem());
  return row >= 0 && row < static_cast<int>(drives_.size()) ? drives_[size_t(row)].root
                                                            : std::string();
}

}  // namespace orbis
