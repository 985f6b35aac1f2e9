#pragma once
#include "book/HeadingsTree.h"

namespace orbis {

// The two heading buttons: they walk the headings in the order of the book, opening the
// branches they pass. Selecting a heading starts it. Nothing happens at either end.
void nextHeading(HeadingsTree& tree);
void previousHeading(HeadingsTree& tree);

}  // namespace orbis
