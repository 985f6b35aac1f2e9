#pragma once
#include <vector>

#include "commands/MenuModel.h"

namespace orbis {

// The main menu as the program ships it, with its German captions; the captions shown at run
// time are replaced from the interface texts and carry the current key hints.
MenuModel buildMainMenu();

// Commands that no visible menu holds (the information popups) but that the main window still
// dispatches.
const std::vector<int>& hiddenMenuCommands();

}  // namespace orbis
