#include "library/ZipBook.h"

#include <filesystem>

#include "commands/CommandIds.h"
#include "settings/AppFolders.h"
#include "texts/UiTexts.h"

namespace orbis {

namespace fs = std::filesystem;

namespace {
bool isFolder(const std::string& path) {
  std::error_code error;
  return !path.empty() && fs::is_directory(path, error);
}
}  // namespace

ZipBook::ZipBook(ZipBookContext context) : ctx_(std::move(context)) {}

void ZipBook::registerCommands(CommandTable& commands) {
  commands.add(cmd::kZip, [this] { unzipCommand(); });
}

void ZipBook::unzipCommand() {
  ctx_.session.closeBook();
  const auto archivePath =
      ctx_.dialogs.openFile(uiTexts().browseForBook, FileFilter{"ZIP", "*.zip"}, "");
  if (!archivePath) return;
  const std::string target = chooseTarget();
  if (target.empty()) return;
  auto archive = ctx_.zip.open(*archivePath);
  if (!archive) return;

  ctx_.busyNote.show(uiTexts().zipUnpacking);
  const UnpackResult unpacked =
      unpackArchive(*archive, target, ctx_.limits, [this] { ctx_.busyNote.stillBusy(); });
  ctx_.busyNote.close();
  archive.reset();
  // The folder may hold the books of earlier archives: only this archive's own book is opened.
  if (unpacked.complete && unpacked.topLevelNcc) ctx_.session.loadBook(target);
}

std::string ZipBook::chooseTarget() {
  const UiTexts& texts = uiTexts();
  const MessageAnswer answer = ctx_.dialogs.messageBox(
      texts.zipUseTempFolder, ctx_.programName, MessageButtons::YesNoCancel, MessageIcon::Question);
  std::string target;
  if (answer == MessageAnswer::Yes) {
    target = ctx_.settings.ZipTempFolder;
    if (!isFolder(target)) {
      ctx_.dialogs.messageBox(texts.zipDefineTempFolderFirst, ctx_.programName, MessageButtons::Ok,
                              MessageIcon::Warning);
      return {};
    }
  } else if (answer == MessageAnswer::No) {
    std::error_code error;
    const auto chosen =
        ctx_.dialogs.chooseFolder(texts.zipOutputFolderTitle, fs::current_path(error).string());
    if (!chosen) return {};
    target = *chosen;
  } else {
    return {};
  }
  if (!isFolder(target)) return {};
  return withTrailingSlash(target);
}

}  // namespace orbis
