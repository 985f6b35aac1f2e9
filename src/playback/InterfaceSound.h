#pragma once
#include <string>

#include "ports/Sounds.h"

namespace orbis {

// Plays one of the program's interface sounds. A name that is no existing file is looked up in
// the program folder's "UISounds/"; a sound that is found nowhere is skipped silently, so every
// sound can be switched off by deleting its file.
void playInterfaceSound(Sounds& sounds, const std::string& programFolder, const std::string& name,
                        bool wait);

}  // namespace orbis
