#include "texts/UiTexts.h"

namespace orbis {

// The interface is German until the stored language is applied, so the first user of the table
// (which may come before the settings are read) already finds a complete German table.
UiTexts& uiTexts() {
  static UiTexts texts = [] {
    UiTexts german;
    fillGermanTexts(german);
    return german;
  }();
  return texts;
}

int& languageIndex() {
  static int index = kLanguageGerman;
  return index;
}

}  // namespace orbis
