#pragma once
#include <string>

#include "commands/MenuModel.h"
#include "ports/MainView.h"
#include "texts/UiTexts.h"

namespace orbis {

// Sets every menu caption from the table: the bar by position, items by command id, submenus by
// the caption they were built with; the drive items are labelled by their own. The item
// of the current language gets the radio mark and is disabled; the other is enabled. Key hints
// are gone afterwards; the accelerator rebuild adds them again.
void relabelMenu(MenuModel& menu, const UiTexts& texts, int languageIndex);

// Buttons (accessible name and tooltip) and the three labels.
void relabelControls(MainView& view, const UiTexts& texts);

}  // namespace orbis
