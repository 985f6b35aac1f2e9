#include "commands/MenuModel.h"

#include <algorithm>
#include <iterator>
#include <optional>

namespace orbis {

MenuItem MenuItem::command(int id, std::string text) {
  MenuItem item;
  item.id = id;
  item.text = std::move(text);
  return item;
}

MenuItem MenuItem::submenu(std::string text, std::vector<MenuItem> children) {
  MenuItem item;
  item.key = text;
  item.text = std::move(text);
  item.popup = true;
  item.children = std::move(children);
  return item;
}

MenuItem MenuItem::makeSeparator() {
  MenuItem item;
  item.separator = true;
  return item;
}

namespace {

template <typename Items, typename Visit>
void walkItems(Items& items, int depth, const Visit& visit) {
  for (auto& item : items) {
    visit(item, depth);
    if (item.popup) walkItems(item.children, depth + 1, visit);
  }
}

template <typename Items>
auto findIn(Items& items, int id) -> decltype(&items.front()) {
  if (id == 0) return nullptr;
  for (auto& item : items) {
    if (!item.popup && !item.separator && item.id == id) return &item;
    if (item.popup) {
      if (auto found = findIn(item.children, id)) return found;
    }
  }
  return nullptr;
}

// The popup that directly holds the item with id, or nullptr.
std::vector<MenuItem>* holderOf(std::vector<MenuItem>& items, int id) {
  for (auto& item : items) {
    if (!item.popup && item.id == id) return &items;
    if (item.popup) {
      if (auto found = holderOf(item.children, id)) return found;
    }
  }
  return nullptr;
}

}  // namespace

MenuItem* MenuModel::find(int id) {
  return findIn(bar_, id);
}
const MenuItem* MenuModel::find(int id) const {
  return findIn(bar_, id);
}

MenuItem* MenuModel::findPopup(const std::string& resourceCaption) {
  MenuItem* found = nullptr;
  walk([&](MenuItem& item, int) {
    if (!found && item.popup && item.key == resourceCaption) found = &item;
  });
  return found;
}

std::string MenuModel::text(int id) const {
  const MenuItem* item = find(id);
  return item ? item->text : std::string();
}

void MenuModel::setText(int id, const std::string& text) {
  if (MenuItem* item = find(id)) item->text = text;
}

void MenuModel::setEnabled(int id, bool enabled) {
  if (MenuItem* item = find(id)) item->enabled = enabled;
}

bool MenuModel::isEnabled(int id) const {
  const MenuItem* item = find(id);
  return item && item->enabled;
}

namespace {
// Searches items for id; on the way back out, every holder must be enabled too.
std::optional<bool> reachableIn(const std::vector<MenuItem>& items, int id) {
  for (const auto& item : items) {
    if (!item.popup && !item.separator && item.id == id) return item.enabled;
    if (item.popup) {
      if (auto found = reachableIn(item.children, id)) return *found && item.enabled;
    }
  }
  return std::nullopt;
}
}  // namespace

bool MenuModel::isReachable(int id) const {
  return reachableIn(bar_, id).value_or(true);
}

void MenuModel::enableSteps(int previousId, int nextId, int current, int count) {
  setEnabled(previousId, current > 0);
  setEnabled(nextId, current < count - 1);
}

void MenuModel::setChecked(int id, bool checked) {
  if (MenuItem* item = find(id)) {
    item->checked = checked;
    item->checkable = true;
  }
}

bool MenuModel::isChecked(int id) const {
  const MenuItem* item = find(id);
  return item && (item->checked || item->radioChecked);
}

void MenuModel::setRadioChecked(const std::vector<int>& group, int id) {
  for (int member : group) {
    if (MenuItem* item = find(member)) item->radioChecked = (member == id);
  }
}

void MenuModel::walk(const std::function<void(MenuItem&, int)>& visit) {
  walkItems(bar_, 0, visit);
}

void MenuModel::walk(const std::function<void(const MenuItem&, int)>& visit) const {
  walkItems(bar_, 0, visit);
}

int MenuModel::commandCount() const {
  int count = 0;
  walk([&](const MenuItem& item, int) {
    if (!item.popup && !item.separator && item.id != 0) ++count;
  });
  return count;
}

void MenuModel::insertBefore(int beforeId, MenuItem item) {
  std::vector<MenuItem>* holder = holderOf(bar_, beforeId);
  if (!holder) {
    if (bar_.empty()) return;
    bar_.front().children.push_back(std::move(item));
    return;
  }
  auto at = std::find_if(holder->begin(), holder->end(),
                         [&](const MenuItem& it) { return !it.popup && it.id == beforeId; });
  holder->insert(at, std::move(item));
}

void MenuModel::remove(int id) {
  std::vector<MenuItem>* holder = holderOf(bar_, id);
  if (!holder) return;
  holder->erase(std::remove_if(holder->begin(), holder->end(),
                               [&](const MenuItem& it) { return !it.popup && it.id == id; }),
                holder->end());
}

void MenuModel::removeSeparatorBefore(int id) {
  std::vector<MenuItem>* holder = holderOf(bar_, id);
  if (!holder) return;
  auto at = std::find_if(holder->begin(), holder->end(),
                         [&](const MenuItem& it) { return !it.popup && it.id == id; });
  if (at != holder->begin() && std::prev(at)->separator) holder->erase(std::prev(at));
}

}  // namespace orbis
