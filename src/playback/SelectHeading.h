#pragma once
#include "book/HeadingsTree.h"

namespace orbis {

// Selects the heading whose tree node carries treeId as item data, searching every branch,
// collapsed or not; an unknown treeId selects the first heading instead. Selecting raises the
// tree's selection change only when another node becomes selected, so an already selected
// heading is not started again.
void selectHeadingByTreeId(HeadingsTree& tree, int treeId);

// The heading that automatic playback goes on with after `node`: its first child, else the next
// visible heading, and after the book's last heading the first one.
TreeNode headingAfter(const HeadingsTree& tree, TreeNode node);

}  // namespace orbis
