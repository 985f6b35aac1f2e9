#include "playback/SelectHeading.h"

namespace orbis {

void selectHeadingByTreeId(HeadingsTree& tree, int treeId) {
  TreeNode node = tree.findByItemData(treeId);
  if (node == kNoNode && treeId != 0) node = tree.findByItemData(0);
  if (node != kNoNode) tree.select(node);
}

}  // namespace orbis
