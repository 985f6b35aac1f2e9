#include "ui/HeadingsTreeView.h"

#include <QItemSelectionModel>

namespace orbis {

namespace {
constexpr int kNodeRole = Qt::UserRole + 1;
}

HeadingsTreeMirror::HeadingsTreeMirror(HeadingsTree& tree, QTreeView& view)
    : tree_(tree), view_(view) {
  view_.setModel(&items_);
  view_.setHeaderHidden(true);
  view_.setSelectionMode(QAbstractItemView::SingleSelection);
  listener_ = tree_.addListener([this](const TreeChange& change) { onModelChange(change); });
  // A view that starts mirroring a tree already filled shows it as it stands.
  for (TreeNode node = 0; node < tree_.count(); ++node) {
    onModelChange({TreeChange::Inserted, node, kNoNode});
  }
  for (TreeNode node = 0; node < tree_.count(); ++node) {
    if (tree_.isExpanded(node)) onModelChange({TreeChange::Expanded, node, kNoNode});
  }
  syncSelection();
  connect(view_.selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) { onViewSelection(current); });
  connect(&view_, &QTreeView::expanded, this, [this](const QModelIndex& index) {
    if (!mirroring_) tree_.setExpanded(index.data(kNodeRole).toInt(), true);
  });
  connect(&view_, &QTreeView::collapsed, this, [this](const QModelIndex& index) {
    if (!mirroring_) tree_.setExpanded(index.data(kNodeRole).toInt(), false);
  });
}

HeadingsTreeMirror::~HeadingsTreeMirror() {
  tree_.removeListener(listener_);
}

QModelIndex HeadingsTreeMirror::indexOf(TreeNode node) const {
  if (node < 0 || node >= static_cast<int>(itemOfNode_.size())) return {};
  return itemOfNode_[node]->index();
}

void HeadingsTreeMirror::onModelChange(const TreeChange& change) {
  mirroring_ = true;
  switch (change.kind) {
    case TreeChange::Inserted: {
      auto* item = new QStandardItem(QString::fromStdString(tree_.text(change.node)));
      item->setData(change.node, kNodeRole);
      item->setEditable(false);
      const TreeNode parent = tree_.parent(change.node);
      if (parent == kNoNode || parent >= static_cast<int>(itemOfNode_.size())) {
        items_.appendRow(item);
      } else {
        itemOfNode_[parent]->appendRow(item);
      }
      if (static_cast<int>(itemOfNode_.size()) <= change.node) itemOfNode_.resize(change.node + 1);
      itemOfNode_[change.node] = item;
      break;
    }
    case TreeChange::Expanded:
      view_.expand(indexOf(change.node));
      break;
    case TreeChange::Collapsed:
      view_.collapse(indexOf(change.node));
      break;
    case TreeChange::SelectionChanged:
      if (view_.isVisible()) syncSelection();
      break;
    case TreeChange::Cleared:
      items_.clear();
      itemOfNode_.clear();
      break;
  }
  mirroring_ = false;
}

void HeadingsTreeMirror::syncSelection() {
  const bool wasMirroring = mirroring_;
  mirroring_ = true;
  const TreeNode node = tree_.selected();
  const QModelIndex index = indexOf(node);
  if (node == kNoNode || !index.isValid()) {
    view_.selectionModel()->clear();
  } else if (view_.currentIndex() != index) {
    view_.selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    view_.scrollTo(index);
  }
  mirroring_ = wasMirroring;
}

void HeadingsTreeMirror::onViewSelection(const QModelIndex& current) {
  if (mirroring_ || !current.isValid()) return;
  tree_.select(current.data(kNodeRole).toInt());
}

}  // namespace orbis
