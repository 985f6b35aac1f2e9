#pragma once
#include <QMenuBar>
#include <functional>

#include "app/MenuModel.h"

namespace orbis {

// Rebuilds a Qt menu bar from the menu model: captions (the text after a tab shows as the key
// hint), grayed items, check and radio marks. Choosing an item calls onCommand with its id.
// Keys are not attached to the actions: the main window's key filter dispatches them, so that
// a reassigned key never fires twice.
void syncMenuBar(QMenuBar& bar, const MenuModel& model, const std::function<void(int)>& onCommand);

}  // namespace orbis
