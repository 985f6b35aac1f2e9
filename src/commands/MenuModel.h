#pragma once
#include <functional>
#include <string>
#include <vector>

namespace orbis {

// One entry of a menu: a command item (id != 0), a popup with children, or a separator.
struct MenuItem {
  int id = 0;
  std::string text;
  std::string key;  // popups: the caption the menu was created with, which never changes
  bool separator = false;
  bool popup = false;
  bool enabled = true;  // false: grayed
  bool checked = false;
  bool checkable = false;  // a switch: shown and announced as checked or not checked
  bool radioChecked = false;
  std::vector<MenuItem> children;

  static MenuItem command(int id, std::string text);
  static MenuItem submenu(std::string text, std::vector<MenuItem> children);
  static MenuItem makeSeparator();
};

// The main window's menu bar as data: items are found by command id or by position, changed
// in place, and the Qt menu bar is brought in line when the bar is redrawn. Ids are unique
// within the bar.
class MenuModel {
 public:
  std::vector<MenuItem>& bar() { return bar_; }
  const std::vector<MenuItem>& bar() const { return bar_; }

  MenuItem* find(int id);
  const MenuItem* find(int id) const;
  // A popup found by the caption it was created with (captions change with the language, so
  // the caption of the menu resource is remembered as the popup's key).
  MenuItem* findPopup(const std::string& resourceCaption);

  bool contains(int id) const { return find(id) != nullptr; }
  std::string text(int id) const;
  void setText(int id, const std::string& text);
  void setEnabled(int id, bool enabled);
  bool isEnabled(int id) const;
  // Whether the item can be chosen: it and every menu above it are enabled. An id that no menu
  // holds counts as reachable (commands without a visible item).
  bool isReachable(int id) const;
  void setChecked(int id, bool checked);
  bool isChecked(int id) const;
  // The "next" and "previous" items of something the reader steps through (pages, groups):
  // each offered while there is a row to step to from `current` (-1: none yet) of `count`.
  void enableSteps(int previousId, int nextId, int current, int count);
  // Puts the radio mark on id and takes it from the other ids of the group.
  void setRadioChecked(const std::vector<int>& group, int id);

  // Every item in menu order, depth first; popups before their children.
  void walk(const std::function<void(MenuItem&, int depth)>& visit);
  void walk(const std::function<void(const MenuItem&, int depth)>& visit) const;
  int commandCount() const;

  // Inserts item before position index of the popup that holds beforeId (at its end when
  // beforeId is 0 or missing) - used for the drive items of the first menu.
  void insertBefore(int beforeId, MenuItem item);
  void remove(int id);
  // Removes the separator that stands just before the item id, if one does.
  void removeSeparatorBefore(int id);

  // Redrawing: the widget that shows the bar registers here and is called on redraw().
  void onRedraw(std::function<void()> listener) { redraw_ = std::move(listener); }
  void redraw() const {
    if (redraw_) redraw_();
  }

 private:
  std::vector<MenuItem> bar_;
  std::function<void()> redraw_;
};

}  // namespace orbis
