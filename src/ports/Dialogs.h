#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orbis {

class CSettings;
class CDefineKeys;

enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
// Values of the classic message-box answers, so that stored or logged answers stay comparable.
enum class MessageAnswer { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

struct FileFilter {
  std::string name;     // shown to the reader, e.g. "NCC"
  std::string pattern;  // e.g. "ncc.html"; several patterns separated by ';'
};

// A list of facts to read through: the caption names the dialog and its list, the list has two
// columns with their headings and one row of two cells per fact.
struct InfoListContent {
  std::string caption;
  std::array<std::string, 2> columns;
  std::vector<std::array<std::string, 2>> rows;
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
  // Shows the list until the reader closes it (OK and Cancel alike); the list has the focus.
  virtual void showInfoList(const InfoListContent& list) = 0;
  // Colours are 0xRRGGBB.
  virtual std::optional<std::uint32_t> chooseColor(std::uint32_t initial) = 0;
  // The program's own dialogs over their logic; each returns when the reader has closed it.
  virtual void runSettings(CSettings& dialog) = 0;
  virtual void runKeyAssignment(CDefineKeys& dialog) = 0;
};

}  // namespace orbis
