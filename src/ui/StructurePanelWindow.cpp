#include "ui/StructurePanelWindow.h"

#include <QKeyEvent>
#include <QTimer>

#include "navigation/StructurePanel.h"
#include "texts/UiTexts.h"

namespace orbis {

namespace {
constexpr int kVolumeSliderMaximum = 10;
constexpr int kSpeedSliderMaximum = 20;
constexpr QSize kSliderSize(45, 150);
constexpr QSize kListSize(400, 400);
// Long enough for the window manager to have activated the panel and the screen reader to have
// taken in the new window, or the entry is announced before the window and then passed over.
constexpr int kAnnounceDelayMs = 300;

QString qs(const std::string& text) {
  return QString::fromStdString(text);
}
}  // namespace

StructurePanelWindow::StructurePanelWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("CChild"));
  setModal(false);
  volume_ = makeSlider(kVolumeSliderMaximum);
  speed_ = makeSlider(kSpeedSliderMaximum);
  tree_ = new QTreeView(this);
  tree_->setHeaderHidden(true);
  tree_->setRootIsDecorated(true);
  tree_->installEventFilter(this);
  for (int mode : {kPanelGroups, kPanelBookmarks, kPanelSearchHits}) {
    lists_[mode - kPanelGroups] = makeList(mode);
  }
  for (int mode = kPanelVolume; mode <= kPanelSpeed; ++mode) control(mode)->hide();
}

StructurePanelWindow::~StructurePanelWindow() {
  treeMirror_.reset();
}

// The sliders count 0 at the top, the loudest and fastest place. On screen the larger value is
// at the top as well, so that Up makes it louder or faster and a screen reader announces a
// larger number for more: the shown value is the maximum less the position.
QSlider* StructurePanelWindow::makeSlider(int maximum) {
  auto* slider = new QSlider(Qt::Vertical, this);
  slider->setRange(0, maximum);
  slider->setPageStep(1);
  slider->setTickPosition(QSlider::TicksBothSides);
  slider->installEventFilter(this);
  connect(slider, &QSlider::valueChanged, this, [this] {
    if (!mirroring_) reportSliders();
  });
  return slider;
}

QListWidget* StructurePanelWindow::makeList(int mode) {
  auto* list = new QListWidget(this);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setSortingEnabled(false);
  list->setEnabled(false);
  list->installEventFilter(this);
  connect(list, &QListWidget::currentRowChanged, this, [this, mode](int row) {
    if (mirroring_ || row < 0) return;
    rowJustMoved_ = row;
    chooseFromList(mode, row);
  });
  connect(list, &QListWidget::itemClicked, this, [this, mode, list](QListWidgetItem* item) {
    const int row = list->row(item);
    if (row == rowJustMoved_) {
      rowJustMoved_ = -1;
      return;
    }
    chooseFromList(mode, row);
  });
  return list;
}

void StructurePanelWindow::attach(StructurePanel* logic,
                                  std::function<void(int, int)> slidersMoved) {
  logic_ = logic;
  slidersMoved_ = std::move(slidersMoved);
  if (!logic) treeMirror_.reset();
}

void StructurePanelWindow::mirrorTree(HeadingsTree* tree) {
  if (!tree) {
    treeMirror_.reset();
  } else if (!treeMirror_) {
    treeMirror_ = std::make_unique<HeadingsTreeMirror>(*tree, *tree_);
  }
}

QWidget* StructurePanelWindow::control(int mode) const {
  switch (mode) {
    case kPanelVolume:
      return volume_;
    case kPanelHeadings:
      return tree_;
    case kPanelSpeed:
      return speed_;
    default:
      return list(mode);
  }
}

QListWidget* StructurePanelWindow::list(int mode) const {
  if (mode < kPanelGroups || mode > kPanelSearchHits) return nullptr;
  return lists_[mode - kPanelGroups];
}

void StructurePanelWindow::show(int mode, const std::string& caption, int atButton) {
  QWidget* shown = control(mode);
  if (!shown) return;
  for (int m = kPanelVolume; m <= kPanelSpeed; ++m) control(m)->hide();
  mode_ = mode;
  setWindowTitle(qs(caption));
  const bool slider = mode == kPanelVolume || mode == kPanelSpeed;
  // A slider's panel has no caption: the slider is named by what its button sets.
  const std::string name = slider ? uiTexts().buttons[StructurePanel::buttonOf(mode)] : caption;
  shown->setAccessibleName(qs(name));
  const QSize size = slider ? kSliderSize : kListSize;
  setFixedSize(size);
  if (buttonCorner) move(buttonCorner(atButton));
  shown->setGeometry(0, 0, size.width(), size.height());
  // A list that gets the focus without a current entry would make its first entry current and
  // report that as a choice: the entry is made current here, quietly, and is chosen only when
  // the reader moves or presses Enter.
  if (mode == kPanelHeadings && treeMirror_) treeMirror_->syncSelection();
  if (QListWidget* entries = list(mode); entries && pendingMarks_[mode - kPanelGroups] >= 0) {
    mirroring_ = true;
    entries->setCurrentRow(pendingMarks_[mode - kPanelGroups]);
    mirroring_ = false;
    pendingMarks_[mode - kPanelGroups] = -1;
  }
  if (QListWidget* entries = list(mode); entries && entries->currentRow() < 0 && entries->count()) {
    mirroring_ = true;
    entries->setCurrentRow(0);
    mirroring_ = false;
  }
  shown->show();
  QDialog::show();
  raise();
  activateWindow();
  shown->setFocus(Qt::OtherFocusReason);
  if (auto* view = qobject_cast<QAbstractItemView*>(shown)) {
    QTimer::singleShot(kAnnounceDelayMs, view, [this, view] { announceCurrentEntry(view); });
  }
}

// A screen reader names a list or tree when it gets the focus, but not the entry the reader is
// on; making the entry current once more, now that the focus is there, has it said as well.
void StructurePanelWindow::announceCurrentEntry(QAbstractItemView* view) {
  const QModelIndex current = view->currentIndex();
  if (!current.isValid() || !view->hasFocus()) return;
  mirroring_ = true;
  view->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
  view->selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
  mirroring_ = false;
}

void StructurePanelWindow::hide() {
  QDialog::hide();
}

void StructurePanelWindow::reject() {
  if (logic_) {
    logic_->escape();
  } else {
    hide();
  }
}

void StructurePanelWindow::setEntries(int mode, const std::vector<std::string>& entries) {
  QListWidget* target = list(mode);
  if (!target) return;
  mirroring_ = true;
  target->clear();
  for (const std::string& entry : entries) target->addItem(qs(entry));
  target->setEnabled(!entries.empty());
  mirroring_ = false;
  int& pending = pendingMarks_[mode - kPanelGroups];
  if (pending >= static_cast<int>(entries.size())) pending = -1;
  rowJustMoved_ = -1;
}

// A list that is not shown takes its mark only when it is shown: a hidden list that moves its
// current entry still tells a screen reader, which would announce it in the middle of reading.
void StructurePanelWindow::markEntry(int mode, int index) {
  QListWidget* target = list(mode);
  if (!target) return;
  if (!isVisible() || mode != mode_) {
    pendingMarks_[mode - kPanelGroups] = index;
    return;
  }
  mirroring_ = true;
  target->setCurrentRow(index);
  mirroring_ = false;
}

void StructurePanelWindow::setSliderPositions(int volumePosition, int speedPosition) {
  mirroring_ = true;
  volume_->setValue(kVolumeSliderMaximum - volumePosition);
  speed_->setValue(kSpeedSliderMaximum - speedPosition);
  mirroring_ = false;
}

void StructurePanelWindow::reportSliders() {
  if (slidersMoved_) {
    slidersMoved_(kVolumeSliderMaximum - volume_->value(), kSpeedSliderMaximum - speed_->value());
  }
}

void StructurePanelWindow::chooseFromList(int mode, int row) {
  if (logic_) logic_->choose(mode, row);
}

bool StructurePanelWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || !logic_) return QDialog::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  rowJustMoved_ = -1;
  switch (key->key()) {
    case Qt::Key_Escape:
      logic_->escape();
      return true;
    case Qt::Key_F6:
      if (mode_ == kPanelHeadings) logic_->leaveTreeForText();
      return true;
    case Qt::Key_Space:
      logic_->pauseContinue();
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // Enter chooses the list entry again (a bookmark can be visited twice); in the tree and
      // on the sliders it does nothing, and it never closes the panel.
      if (QListWidget* target = list(mode_); target && watched == target) {
        chooseFromList(mode_, target->currentRow());
      }
      return true;
    default:
      return QDialog::eventFilter(watched, event);
  }
}

}  // namespace orbis
