#pragma once
#include <functional>
#include <string>
#include <vector>

namespace orbis {

// A node of the headings tree. Handles stay valid until deleteAll().
using TreeNode = int;
inline constexpr TreeNode kNoNode = -1;

// What changed in the tree; the Qt tree view mirrors the model from these, the main window
// starts a heading on SelectionChanged.
struct TreeChange {
  enum Kind { Inserted, Expanded, Collapsed, SelectionChanged, Cleared };
  Kind kind;
  TreeNode node;      // the inserted, expanded, collapsed or newly selected node
  TreeNode previous;  // SelectionChanged: the node that was selected before
};

// The headings tree: one node per title-table row, nested by heading level, with the row
// number as item data. It behaves like a tree control: nodes are appended as last children,
// branches are collapsed until expanded, "visible" walks follow the expanded branches, and
// selecting a node expands its ancestors and notifies only when the selection really moves.
class HeadingsTree {
 public:
  using Listener = std::function<void(const TreeChange&)>;

  // Appends a node as the last child of `parent` (kNoNode: the last top-level node).
  TreeNode insert(TreeNode parent, std::string text, int itemData);
  void deleteAll();

  int count() const { return static_cast<int>(nodes_.size()); }
  bool empty() const { return nodes_.empty(); }
  bool valid(TreeNode node) const { return node >= 0 && node < count(); }

  const std::string& text(TreeNode node) const;
  int itemData(TreeNode node) const;  // -1 for kNoNode
  // 1 for a top-level node, plus one per ancestor; 0 for kNoNode.
  int depth(TreeNode node) const;
  bool hasChildren(TreeNode node) const { return firstChild(node) != kNoNode; }

  TreeNode root() const { return empty() ? kNoNode : 0; }  // the first top-level node
  TreeNode parent(TreeNode node) const;
  TreeNode firstChild(TreeNode node) const;
  TreeNode lastChild(TreeNode node) const;
  TreeNode nextSibling(TreeNode node) const;
  TreeNode previousSibling(TreeNode node) const;
  // Walks of what a tree control shows: children of collapsed nodes are skipped.
  TreeNode nextVisible(TreeNode node) const;
  TreeNode previousVisible(TreeNode node) const;
  // The first node in document order (depth first, also through collapsed branches) whose
  // item data is `itemData`.
  TreeNode findByItemData(int itemData) const;

  bool isExpanded(TreeNode node) const;
  void expand(TreeNode node) { setExpanded(node, true); }
  void setExpanded(TreeNode node, bool expanded);
  // Expands the node, then its last child, and so on down to a node without children.
  void expandLastBranch(TreeNode node);

  TreeNode selected() const { return selected_; }
  // Selects the node (kNoNode clears the selection) after expanding its ancestors; returns
  // whether the selection changed. Only a change is notified.
  bool select(TreeNode node);

  // Listeners run synchronously in the order they were added and may change the tree.
  int addListener(Listener listener);
  void removeListener(int id);

 private:
  struct Node {
    std::string text;
    int itemData;
    TreeNode parent = kNoNode, firstChild = kNoNode, lastChild = kNoNode;
    TreeNode next = kNoNode, previous = kNoNode;
    bool expanded = false;
  };
  void notify(const TreeChange& change);

  std::vector<Node> nodes_;
  TreeNode lastTopLevel_ = kNoNode;
  TreeNode selected_ = kNoNode;
  std::vector<std::pair<int, Listener>> listeners_;
  int nextListenerId_ = 1;
};

}  // namespace orbis
