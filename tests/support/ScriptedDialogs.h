#pragma once
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ports/Dialogs.h"

namespace orbis::testing {

// Answers dialogs from queues a test fills beforehand and records every question asked.
// An empty queue answers Ok (message boxes) or cancel (choosers).
class ScriptedDialogs : public Dialogs {
 public:
  struct Message {
    std::string text;
    std::string caption;
    MessageButtons buttons;
    MessageIcon icon;
  };

  MessageAnswer messageBox(const std::string& text, const std::string& caption,
                           MessageButtons buttons, MessageIcon icon) override;
  std::optional<std::string> openFile(const std::string& title, const FileFilter& filter,
                                      const std::string& startFolder) override;
  std::optional<std::string> saveFile(const std::string& title, const FileFilter& filter,
                                      const std::string& startFolder,
                                      const std::string& defaultSuffix) override;
  std::optional<std::string> chooseFolder(const std::string& title,
                                          const std::string& startFolder) override;
  std::optional<std::string> askText(const std::string& caption, const std::string& prompt,
                                     int minimumCharacters) override;
  std::optional<std::uint32_t> chooseColor(std::uint32_t initial) override;
  void showInfoList(const InfoListContent& list) override;
  // The program's own dialogs run their script (the reader's actions); without one they open and
  // are cancelled.
  void runSettings(CSettings& dialog) override;
  void runKeyAssignment(CDefineKeys& dialog) override;
  std::function<void(CSettings&)> settingsScript;
  std::function<void(CDefineKeys&)> keysScript;

  std::deque<MessageAnswer> answers;
  std::deque<std::optional<std::string>> paths;
  std::deque<std::optional<std::uint32_t>> colors;
  std::deque<std::optional<std::string>> texts;  // answers to askText

  struct TextQuestion {
    std::string caption;
    std::string prompt;
  };
  std::vector<TextQuestion> textQuestions;

  std::vector<InfoListContent> infoLists;  // every information list shown
  std::vector<Message> messages;
  std::vector<std::string> fileDialogTitles;
  std::vector<std::string> fileDialogFolders;  // where each file or folder chooser started
  std::vector<FileFilter> fileDialogFilters;
  // Called at the start of every dialog, e.g. to look at the player while a dialog is open.
  std::function<void()> onOpen;

 private:
  std::optional<std::string> nextPath();
};

}  // namespace orbis::testing
