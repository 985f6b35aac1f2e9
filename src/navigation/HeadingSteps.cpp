#include "navigation/HeadingSteps.h"

namespace orbis {

void nextHeading(HeadingsTree& tree) {
  const TreeNode node = tree.selected();
  if (node == kNoNode) return;
  tree.expand(node);
  const TreeNode next = tree.nextVisible(node);
  if (next != kNoNode) tree.select(next);
}

// The heading before a node is the deepest last descendant of its previous sibling, or its
// parent: opening the sibling's last branch makes it the previous visible node either way.
void previousHeading(HeadingsTree& tree) {
  const TreeNode node = tree.selected();
  if (node == kNoNode) return;
  const TreeNode sibling = tree.previousSibling(node);
  if (sibling != kNoNode) tree.expandLastBranch(sibling);
  const TreeNode previous = tree.previousVisible(node);
  if (previous != kNoNode) tree.select(previous);
}

}  // namespace orbis
