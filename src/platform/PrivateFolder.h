#pragma once
#include <string>

namespace orbis {

// Whether path is a folder only its owner, this user, can enter: made with mode 0700 when it
// does not exist yet. An existing one counts only when it is a real folder (no link), owned by
// this user and closed to everyone else; anything else may be another local user's trap.
bool ensurePrivateFolder(const std::string& path);
// The same test, for a folder that is not to be made.
bool isPrivateFolder(const std::string& path);

}  // namespace orbis
