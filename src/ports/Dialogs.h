#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace orbis {

enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
// Values of the classic message-box answers, so that stored or logged answers stay comparable.
enum class MessageAnswer { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

struct FileFilter {
  std::string name;     // shown to the reader, e.g. "NCC"
  std::string pattern;  // e.g. "ncc.html"; several patterns separated by ';'
};

// Modal questions to the reader: message boxes and the standard choosers. Every call blocks
// until the reader answers; an empty optional means the reader cancelled.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual MessageAnswer messageBox(const std::string& text, const std::string& caption,
                                   MessageButtons buttons, MessageIcon icon) = 0;
  virtual std::optional<std::string> openFile(const std::string& title, const FileFilter& filter,
                                              const std::string& startFolder) = 0;
  virtual std::optional<std::string> saveFile(const std::string& title, const FileFilter& filter,
                                              const std::string& startFolder,
                                              const std::string& defaultSuffix) = 0;
  virtual std::optional<std::string> chooseFolder(const std::string& title,
                                                  const std::string& startFolder) = 0;
  // Asks for a line of text under a prompt; OK is offered once the text has at least
  // `minimumCharacters` characters. Empty when the reader cancels.
  virtual std::optional<std::string> askText(const std::string& caption, const std::string& prompt,
                                             int minimumCharacters) = 0;
  // Colours are 0xRRGGBB.
  virtual std::optional<std::uint32_t> chooseColor(std::uint32_t initial) = 0;
};

}  // namespace orbis
