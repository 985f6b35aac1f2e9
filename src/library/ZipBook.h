#pragma once
#include <string>

#include "commands/CommandTable.h"
#include "library/BookSession.h"
#include "library/ZipUnpack.h"
#include "ports/BusyNote.h"
#include "ports/Dialogs.h"
#include "ports/ZipArchive.h"
#include "settings/Settings.h"

namespace orbis {

struct ZipBookContext {
  BookSession& session;
  Dialogs& dialogs;
  BusyNote& busyNote;
  const Settings& settings;  // the temporary unpacking folder
  ZipReader& zip;
  std::string programName;  // the caption of the question
  UnpackLimits limits = {};
};

// A book that comes packed in a ZIP archive: unpacked into a folder and opened from there. The
// unpacked files stay where they are.
class ZipBook {
 public:
  explicit ZipBook(ZipBookContext context);
  void registerCommands(CommandTable& commands);
  void unzipCommand();

 private:
  // The folder to unpack into, ending in "/"; empty when the reader cancelled or it is missing.
  std::string chooseTarget();

  ZipBookContext ctx_;
};

}  // namespace orbis
