#pragma once
#include <string>

namespace orbis {

// The full path of a file that a book names relative to its folder. Books are made on Windows
// and burnt on CDs, where names are not case-sensitive and "\" separates folders, so the name is
// tried as written first and then matched without regard to case, folder by folder. When
// nothing matches, the path as written is returned.
std::string resolveBookFile(const std::string& bookFolder, const std::string& relative);

}  // namespace orbis
