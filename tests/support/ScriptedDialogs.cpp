#include "support/ScriptedDialogs.h"

#include "settings/CDefineKeys.h"
#include "settings/CSettings.h"

namespace orbis::testing {

MessageAnswer ScriptedDialogs::messageBox(const std::string& text, const std::string& caption,
                                          MessageButtons buttons, MessageIcon icon) {
  if (onOpen) onOpen();
  messages.push_back({text, caption, buttons, icon});
  if (answers.empty()) return MessageAnswer::Ok;
  MessageAnswer answer = answers.front();
  answers.pop_front();
  return answer;
}

std::optional<std::string> ScriptedDialogs::nextPath() {
  if (onOpen) onOpen();
  if (paths.empty()) return std::nullopt;
  auto path = paths.front();
  paths.pop_front();
  return path;
}

std::optional<std::string> ScriptedDialogs::openFile(const std::string& title,
                                                     const FileFilter& filter,
                                                     const std::string& startFolder) {
  fileDialogTitles.push_back(title);
  fileDialogFolders.push_back(startFolder);
  fileDialogFilters.push_back(filter);
  return nextPath();
}

std::optional<std::string> ScriptedDialogs::saveFile(const std::string& title,
                                                     const FileFilter& filter,
                                                     const std::string& startFolder,
                                                     const std::string&) {
  fileDialogTitles.push_back(title);
  fileDialogFolders.push_back(startFolder);
  fileDialogFilters.push_back(filter);
  return nextPath();
}

std::optional<std::string> ScriptedDialogs::chooseFolder(const std::string& title,
                                                         const std::string& startFolder) {
  fileDialogTitles.push_back(title);
  fileDialogFolders.push_back(startFolder);
  return nextPath();
}

std::optional<std::string> ScriptedDialogs::askText(const std::string& caption,
                                                    const std::string& prompt, int) {
  if (onOpen) onOpen();
  textQuestions.push_back({caption, prompt});
  if (texts.empty()) return std::nullopt;
  auto text = texts.front();
  texts.pop_front();
  return text;
}

std::optional<std::uint32_t> ScriptedDialogs::chooseColor(std::uint32_t) {
  if (onOpen) onOpen();
  if (colors.empty()) return std::nullopt;
  auto color = colors.front();
  colors.pop_front();
  return color;
}

void ScriptedDialogs::showInfoList(const InfoListContent& list) {
  if (onOpen) onOpen();
  infoLists.push_back(list);
}

void ScriptedDialogs::runSettings(CSettings& dialog) {
  if (onOpen) onOpen();
  dialog.onInitDialog();
  if (settingsScript) {
    settingsScript(dialog);
  } else {
    dialog.onCancel();
  }
}

void ScriptedDialogs::runKeyAssignment(CDefineKeys& dialog) {
  if (onOpen) onOpen();
  dialog.onInitDialog();
  if (keysScript) keysScript(dialog);
}

}  // namespace orbis::testing
