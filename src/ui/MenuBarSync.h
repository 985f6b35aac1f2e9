#pragma once
#include <QMenuBar>
#include <functional>

#include "commands/MenuModel.h"

namespace orbis {

struct MenuBarEvents {
  std::function<void(int id)> command;
  // A menu of the bar opened, or closed without another one opening in its place.
  std::function<void()> opened;
  std::function<void()> closed;
};

// Rebuilds a Qt menu bar from the menu model: captions (the text after a tab shows as the key
// hint), grayed items, check and radio marks. Choosing an item calls onCommand with its id.
// Keys are not attached to the actions: the main window's key filter dispatches them, so that
// a reassigned key never fires twice.
void syncMenuBar(QMenuBar& bar, const MenuModel& model, const MenuBarEvents& events);

// A submenu of the model on its own, as a popup menu: the same items, marks and commands as in
// the bar, the marked item (or the first enabled one) active. It deletes itself once closed.
QMenu* popupMenuFor(const MenuItem& submenu, const MenuBarEvents& events, QWidget* parent);

}  // namespace orbis
