#pragma once
#include <string>

namespace orbis::StartPage {

// The start page of a language below the program folder: "/documents/html/start_de.html" for
// German (0), "/documents/html/start_en.html" for English (1).
std::string entry(int language);

// Whether a location shows the start page of that language entry. The document-complete
// handler sets the start-page-shown flag from this and clears it otherwise.
bool isShownAt(const std::string& location, const std::string& startPageEntry);

}  // namespace orbis::StartPage
