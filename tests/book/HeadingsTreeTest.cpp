#include <gtest/gtest.h>

#include <vector>

#include "book/HeadingsTree.h"

namespace orbis {
namespace {

// 0 A
//   1 B
//     2 C
//   3 D
// 4 E
class HeadingsTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    a = tree.insert(kNoNode, "A", 0);
    b = tree.insert(a, "B", 1);
    c = tree.insert(b, "C", 2);
    d = tree.insert(a, "D", 3);
    e = tree.insert(kNoNode, "E", 4);
    tree.addListener([this](const TreeChange& change) { changes.push_back(change); });
  }
  int count(TreeChange::Kind kind) const {
    int n = 0;
    for (const auto& change : changes) n += change.kind == kind;
    return n;
  }
  HeadingsTree tree;
  TreeNode a, b, c, d, e;
  std::vector<TreeChange> changes;
};

TEST_F(HeadingsTreeTest, StructureDepthAndData) {
  EXPECT_EQ(tree.count(), 5);
  EXPECT_EQ(tree.root(), a);
  EXPECT_EQ(tree.depth(a), 1);
  EXPECT_EQ(tree.depth(c), 3);
  EXPECT_EQ(tree.depth(kNoNode), 0);
  EXPECT_EQ(tree.parent(d), a);
  EXPECT_EQ(tree.firstChild(a), b);
  EXPECT_EQ(tree.lastChild(a), d);
  EXPECT_EQ(tree.nextSibling(b), d);
  EXPECT_EQ(tree.previousSibling(d), b);
  EXPECT_EQ(tree.nextSibling(a), e);
  EXPECT_EQ(tree.text(c), "C");
  EXPECT_EQ(tree.itemData(d), 3);
  EXPECT_FALSE(tree.hasChildren(c));
}

TEST_F(HeadingsTreeTest, VisibleWalksFollowExpandedBranchesOnly) {
  EXPECT_EQ(tree.nextVisible(a), e);  // collapsed
  tree.expand(a);
  EXPECT_EQ(tree.nextVisible(a), b);
  EXPECT_EQ(tree.nextVisible(b), d);
  EXPECT_EQ(tree.previousVisible(e), d);
  tree.expand(b);
  EXPECT_EQ(tree.nextVisible(c), d);
  EXPECT_EQ(tree.previousVisible(d), c);
  EXPECT_EQ(tree.previousVisible(b), a);
  EXPECT_EQ(tree.previousVisible(a), kNoNode);
  EXPECT_EQ(tree.nextVisible(e), kNoNode);
}

TEST_F(HeadingsTreeTest, ExpandLastBranchOpensDownToTheDeepestLastNode) {
  TreeNode f = tree.insert(d, "F", 5);
  tree.expandLastBranch(a);
  EXPECT_TRUE(tree.isExpanded(a));
  EXPECT_TRUE(tree.isExpanded(d));
  EXPECT_FALSE(tree.isExpanded(b));
  EXPECT_EQ(tree.previousVisible(e), f);
}

TEST_F(HeadingsTreeTest, SelectNotifiesOnlyOnChangeAndOpensTheWayToTheNode) {
  EXPECT_TRUE(tree.select(c));
  EXPECT_TRUE(tree.isExpanded(a));
  EXPECT_TRUE(tree.isExpanded(b));
  ASSERT_EQ(count(TreeChange::SelectionChanged), 1);
  EXPECT_EQ(changes.back().node, c);
  EXPECT_EQ(changes.back().previous, kNoNode);
  EXPECT_FALSE(tree.select(c));
  EXPECT_EQ(count(TreeChange::SelectionChanged), 1);
  EXPECT_TRUE(tree.select(e));
  EXPECT_EQ(changes.back().previous, c);
  EXPECT_EQ(tree.selected(), e);
}

TEST_F(HeadingsTreeTest, ListenerMaySelectAgainInsideTheNotification) {
  std::vector<TreeNode> seen;
  tree.addListener([&](const TreeChange& change) {
    if (change.kind != TreeChange::SelectionChanged) return;
    seen.push_back(change.node);
    if (change.node == b) tree.select(d);
  });
  tree.select(b);
  EXPECT_EQ(seen, (std::vector<TreeNode>{b, d}));
  EXPECT_EQ(tree.selected(), d);
}

TEST_F(HeadingsTreeTest, FindByItemDataWalksCollapsedBranches) {
  // A node appended to an earlier branch after later top-level nodes.
  TreeNode late = tree.insert(c, "late", 7);
  EXPECT_EQ(tree.findByItemData(7), late);
  EXPECT_EQ(tree.findByItemData(2), c);
  EXPECT_EQ(tree.findByItemData(99), kNoNode);
}

TEST_F(HeadingsTreeTest, DeleteAllEmptiesTheTreeAndTellsTheView) {
  tree.select(b);
  changes.clear();
  tree.deleteAll();
  EXPECT_TRUE(tree.empty());
  EXPECT_EQ(tree.selected(), kNoNode);
  EXPECT_EQ(tree.root(), kNoNode);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].kind, TreeChange::Cleared);
  EXPECT_EQ(tree.findByItemData(0), kNoNode);
}

}  // namespace
}  // namespace orbis
