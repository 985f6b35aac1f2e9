#include "texts/UiTexts.h"

#include <algorithm>

namespace orbis {

void fillTexts(UiTexts& texts, int languageIndex) {
  switch (languageIndex) {
    case kLanguageGerman:
      fillGermanTexts(texts);
      break;
    case kLanguageEnglish:
      fillEnglishTexts(texts);
      break;
    default:
      break;
  }
}

void forEachText(
    const UiTexts& texts,
    const std::function<void(std::string_view name, const std::string& value)>& visit) {
  for (std::size_t i = 0; i < texts.menuBar.size(); ++i) {
    visit("menuBar[" + std::to_string(i) + "]", texts.menuBar[i]);
  }
  for (const auto& [id, text] : texts.menuItems) {
    visit("menuItems[" + std::to_string(id) + "]", text);
  }
  for (const auto& [caption, text] : texts.submenus) {
    visit("submenus[" + caption + "]", text);
  }
  for (const auto& [id, text] : texts.buttons) {
    visit("buttons[" + std::to_string(id) + "]", text);
  }
  for (const auto& [id, text] : texts.menulessCommands) {
    visit("menulessCommands[" + std::to_string(id) + "]", text);
  }
#define ORBIS_VISIT_UI_TEXT(name) visit(#name, texts.name);
  ORBIS_UI_TEXT_FIELDS(ORBIS_VISIT_UI_TEXT)
#undef ORBIS_VISIT_UI_TEXT
}

std::string toProgramRelativePath(const std::string& tableEntry) {
  std::string path = tableEntry;
  std::replace(path.begin(), path.end(), '\\', '/');
  const auto firstKept = path.find_first_not_of('/');
  return firstKept == std::string::npos ? std::string() : path.substr(firstKept);
}

}  // namespace orbis
