#include "playback/SelectHeading.h"

namespace orbis {

void selectHeadingByTreeId(HeadingsTree& tree, int treeId) {
  TreeNode node = tree.findByItemData(treeId);
  if (node == kNoNode && treeId != 0) node = tree.findByItemData(0);
  if (node != kNoNode) tree.select(node);
}

TreeNode headingAfter(const HeadingsTree& tree, TreeNode node) {
  if (tree.hasChildren(node)) return tree.firstChild(node);
  if (tree.itemData(node) + 1 == tree.count()) return tree.root();
  const TreeNode next = tree.nextVisible(node);
  return next != kNoNode ? next : tree.root();
}

}  // namespace orbis
