#include "book/HeadingsTree.h"

namespace orbis {

namespace {
const std::string kEmpty;
}

TreeNode HeadingsTree::insert(TreeNode parent, std::string text, int itemData) {
  if (!valid(parent)) parent = kNoNode;
  TreeNode node = count();
  Node created;
  created.text = std::move(text);
  created.itemData = itemData;
  created.parent = parent;
  TreeNode last = parent == kNoNode ? lastTopLevel_ : nodes_[parent].lastChild;
  created.previous = last;
  nodes_.push_back(std::move(created));
  if (last != kNoNode)
    nodes_[last].next = node;
  else if (parent != kNoNode)
    nodes_[parent].firstChild = node;
  (parent == kNoNode ? lastTopLevel_ : nodes_[parent].lastChild) = node;
  notify({TreeChange::Inserted, node, kNoNode});
  return node;
}

void HeadingsTree::deleteAll() {
  nodes_.clear();
  nodes_.shrink_to_fit();
  lastTopLevel_ = selected_ = kNoNode;
  notify({TreeChange::Cleared, kNoNode, kNoNode});
}

const std::string& HeadingsTree::text(TreeNode node) const {
  return valid(node) ? nodes_[node].text : kEmpty;
}

int HeadingsTree::itemData(TreeNode node) const {
  return valid(node) ? nodes_[node].itemData : -1;
}

int HeadingsTree::depth(TreeNode node) const {
  int result = 0;
  for (; valid(node); node = nodes_[node].parent) ++result;
  return result;
}

TreeNode HeadingsTree::parent(TreeNode node) const {
  return valid(node) ? nodes_[node].parent : kNoNode;
}
TreeNode HeadingsTree::firstChild(TreeNode node) const {
  return valid(node) ? nodes_[node].firstChild : kNoNode;
}
TreeNode HeadingsTree::lastChild(TreeNode node) const {
  return valid(node) ? nodes_[node].lastChild : kNoNode;
}
TreeNode HeadingsTree::nextSibling(TreeNode node) const {
  return valid(node) ? nodes_[node].next : kNoNode;
}
TreeNode HeadingsTree::previousSibling(TreeNode node) const {
  return valid(node) ? nodes_[node].previous : kNoNode;
}
bool HeadingsTree::isExpanded(TreeNode node) const {
  return valid(node) && nodes_[node].expanded;
}

TreeNode HeadingsTree::nextVisible(TreeNode node) const {
  if (!valid(node)) return kNoNode;
  if (isExpanded(node) && hasChildren(node)) return firstChild(node);
  for (; valid(node); node = parent(node))
    if (nextSibling(node) != kNoNode) return nextSibling(node);
  return kNoNode;
}

TreeNode HeadingsTree::previousVisible(TreeNode node) const {
  if (!valid(node)) return kNoNode;
  TreeNode before = previousSibling(node);
  if (before == kNoNode) return parent(node);
  while (isExpanded(before) && hasChildren(before)) before = lastChild(before);
  return before;
}

TreeNode HeadingsTree::findByItemData(int itemData) const {
  // Depth first in document order, through collapsed branches too.
  TreeNode node = root();
  while (node != kNoNode) {
    if (nodes_[node].itemData == itemData) return node;
    if (hasChildren(node)) {
      node = firstChild(node);
      continue;
    }
    while (node != kNoNode && nextSibling(node) == kNoNode) node = parent(node);
    if (node != kNoNode) node = nextSibling(node);
  }
  return kNoNode;
}

void HeadingsTree::setExpanded(TreeNode node, bool expanded) {
  if (!valid(node) || nodes_[node].expanded == expanded) return;
  nodes_[node].expanded = expanded;
  notify({expanded ? TreeChange::Expanded : TreeChange::Collapsed, node, kNoNode});
}

void HeadingsTree::expandLastBranch(TreeNode node) {
  for (; valid(node); node = lastChild(node)) expand(node);
}

bool HeadingsTree::select(TreeNode node) {
  if (!valid(node)) node = kNoNode;
  if (node == selected_) return false;
  for (TreeNode up = parent(node); up != kNoNode; up = parent(up)) expand(up);
  // A listener of an expansion may have cleared the tree.
  if (!valid(node)) node = kNoNode;
  TreeNode previous = selected_;
  if (node == previous) return false;
  selected_ = node;
  notify({TreeChange::SelectionChanged, node, previous});
  return true;
}

int HeadingsTree::addListener(Listener listener) {
  listeners_.emplace_back(nextListenerId_, std::move(listener));
  return nextListenerId_++;
}

void HeadingsTree::removeListener(int id) {
  std::erase_if(listeners_, [id](const auto& entry) { return entry.first == id; });
}

void HeadingsTree::notify(const TreeChange& change) {
  // A copy, so that listeners may add or remove listeners while being told.
  auto listeners = listeners_;
  for (auto& [id, listener] : listeners) listener(change);
}

}  // namespace orbis
