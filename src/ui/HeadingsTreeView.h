#pragma once
#include <QStandardItemModel>
#include <QTreeView>
#include <vector>

#include "book/HeadingsTree.h"

namespace orbis {

// Shows the headings tree model in a Qt tree view and hands the reader's choices back to it.
// The model owns the state; the view only mirrors insertions, expansion and the selection. Only
// the tree the reader uses mirrors the model: a second, hidden view would announce every move
// to a screen reader as well, which then passes over both.
class HeadingsTreeMirror : public QObject {
  Q_OBJECT
 public:
  HeadingsTreeMirror(HeadingsTree& tree, QTreeView& view);
  ~HeadingsTreeMirror() override;

  // Brings the view's current entry in line with the model's selection. A hidden view does not
  // follow the selection as reading moves on (it would announce each heading to a screen
  // reader as if the reader had moved there); it catches up here before it is shown.
  void syncSelection();

 private:
  void onModelChange(const TreeChange& change);
  void onViewSelection(const QModelIndex& current);
  QModelIndex indexOf(TreeNode node) const;

  HeadingsTree& tree_;
  QTreeView& view_;
  QStandardItemModel items_;
  std::vector<QStandardItem*> itemOfNode_;
  int listener_ = 0;
  bool mirroring_ = false;  // true while the view is set from the model
};

}  // namespace orbis
