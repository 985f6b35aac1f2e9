#pragma once
#include "book/HeadingsTree.h"

namespace orbis {

// Selects the heading whose tree node carries treeId as item data, searching every branch,
// collapsed or not; an unknown treeId selects the first heading instead. Selecting raises the
// tree's selection change only when another node becomes selected, so an already selected
// heading is not started again.
void selectHeadingByTreeId(HeadingsTree& tree, int treeId);

}  // namespace orbis
