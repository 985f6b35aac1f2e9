#include "info/CInfoList.h"

#include "commands/CommandIds.h"

namespace orbis {

void CInfoList::addLine(const std::string& label, const std::string& value) {
  infoText_ += label + "|" + value + "\n";
}

namespace {

// The list is named like the menu item that opens it.
std::string captionOf(InfoListMode mode, const UiTexts& texts) {
  const int id = mode == InfoListMode::Book ? cmd::kBookInformation : cmd::kTitleInformation;
  const auto found = texts.menuItems.find(id);
  return found == texts.menuItems.end() ? std::string() : found->second;
}

}  // namespace

InfoListContent CInfoList::content(const UiTexts& texts) const {
  InfoListContent list;
  list.caption = captionOf(mode_, texts);
  list.columns = {texts.infoColumnInformation, texts.infoColumnValue};
  size_t start = 0;
  for (size_t end = infoText_.find('\n'); end != std::string::npos;
       start = end + 1, end = infoText_.find('\n', start)) {
    const std::string line = infoText_.substr(start, end - start);
    const size_t bar = line.find('|');
    if (bar == std::string::npos) {
      list.rows.push_back({line, std::string()});
    } else {
      list.rows.push_back({line.substr(0, bar), line.substr(bar + 1)});
    }
  }
  return list;
}

}  // namespace orbis
