#include "app/Relabel.h"

#include "commands/CommandIds.h"

namespace orbis {

void relabelMenu(MenuModel& menu, const UiTexts& texts, int languageIndex) {
  auto& bar = menu.bar();
  for (std::size_t i = 0; i < bar.size() && i < texts.menuBar.size(); ++i) {
    bar[i].text = texts.menuBar[i];
  }
  menu.walk([&](MenuItem& item, int depth) {
    if (item.separator) return;
    if (item.popup) {
      if (depth == 0) return;  // the bar is labelled by position above
      if (auto it = texts.submenus.find(item.key); it != texts.submenus.end()) {
        item.text = it->second;
      }
      return;
    }
    if (auto it = texts.menuItems.find(item.id); it != texts.menuItems.end()) {
      item.text = it->second;
    }
  });
  if (languageIndex == kLanguageGerman || languageIndex == kLanguageEnglish) {
    const int current = languageIndex == kLanguageGerman ? cmd::kGerman : cmd::kEnglish;
    const int other = languageIndex == kLanguageGerman ? cmd::kEnglish : cmd::kGerman;
    menu.setRadioChecked({cmd::kGerman, cmd::kEnglish}, current);
    menu.setEnabled(current, false);
    menu.setEnabled(other, true);
  }
}

void relabelControls(MainView& view, const UiTexts& texts) {
  for (const auto& [id, text] : texts.buttons) view.setControlText(id, text);
  view.setControlText(ctl::kLabelTextView, texts.labelTextView);
  view.setControlText(ctl::kLabelCurrentText, texts.labelCurrentText);
  view.setControlText(ctl::kLabelTree, texts.labelHeadings);
}

}  // namespace orbis
