#pragma once
#include <QPointer>
#include <QWidget>

#include "ports/Dialogs.h"

namespace orbis {

// Message boxes and choosers as Qt dialogs, modal to the main window. When the environment
// variable ORBIS_NONINTERACTIVE is set (automated runs without anyone to answer), nothing is
// shown: message boxes print their text to standard error and answer with their first button,
// choosers answer cancel, the program's own dialogs open and are cancelled at once.
class QtDialogs : public Dialogs {
 public:
  explicit QtDialogs(QWidget* parent = nullptr);
  void setParent(QWidget* parent) { parent_ = parent; }

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
  void runSettings(CSettings& dialog) override;
  void runKeyAssignment(CDefineKeys& dialog) override;

  static bool nonInteractive();

 private:
  QPointer<QWidget> parent_;
};

}  // namespace orbis
