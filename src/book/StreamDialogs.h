#pragma once
#include <ostream>

#include "ports/Dialogs.h"

namespace orbis {

// Message boxes of a command-line run go to the error stream.
class StreamDialogs : public Dialogs {
 public:
  explicit StreamDialogs(std::ostream& err) : err_(err) {}
  MessageAnswer messageBox(const std::string& text, const std::string& caption, MessageButtons,
                           MessageIcon) override {
    err_ << caption << ": " << text << '\n';
    return MessageAnswer::Ok;
  }
  std::optional<std::string> openFile(const std::string&, const FileFilter&,
                                      const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> saveFile(const std::string&, const FileFilter&, const std::string&,
                                      const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> chooseFolder(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> askText(const std::string&, const std::string&, int) override {
    return std::nullopt;
  }
  std::optional<std::uint32_t> chooseColor(std::uint32_t) override { return std::nullopt; }
  // A command-line run reads a book only; it never opens the program's own dialogs.
  void runSettings(CSettings&) override {}
  void runKeyAssignment(CDefineKeys&) override {}
  void showInfoList(const InfoListContent& list) override {
    err_ << list.caption << '\n';
    for (const auto& row : list.rows) err_ << row[0] << ": " << row[1] << '\n';
  }

 private:
  std::ostream& err_;
};

}  // namespace orbis
