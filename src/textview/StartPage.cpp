#include "textview/StartPage.h"

namespace orbis::StartPage {

std::string entry(int language) {
  return language == 1 ? "/documents/html/start_en.html" : "/documents/html/start_de.html";
}

bool isShownAt(const std::string& location, const std::string& startPageEntry) {
  return !startPageEntry.empty() && location.find(startPageEntry) != std::string::npos;
}

}  // namespace orbis::StartPage
