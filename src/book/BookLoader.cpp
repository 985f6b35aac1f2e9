#include "book/BookLoader.h"

#include "book/BookPaths.h"
#include "book/NccReader.h"
#include "daisy3/Daisy3Loader.h"
#include "daisy3/PackageFile.h"
#include "epub/EpubContainer.h"
#include "epub/EpubLoader.h"

namespace orbis {

namespace {

std::string withFinalSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

void reportOpenFailure(Dialogs& dialogs, const LoaderTexts& texts) {
  dialogs.messageBox(texts.nccOpenFailed, texts.nccReadErrorCaption, MessageButtons::Ok,
                     MessageIcon::Error);
}

void reportPackageFailure(Dialogs& dialogs, const LoaderTexts& texts) {
  dialogs.messageBox(texts.packageOpenFailed, texts.packageReadErrorCaption, MessageButtons::Ok,
                     MessageIcon::Error);
}

// True when the EPUB was read; otherwise the reader has been told why.
bool reportEpubOutcome(EpubLoader::Outcome outcome, Dialogs& dialogs, const LoaderTexts& texts) {
  if (outcome == EpubLoader::Outcome::Loaded) return true;
  if (outcome == EpubLoader::Outcome::Encrypted)
    dialogs.messageBox(texts.epubEncrypted, texts.packageReadErrorCaption, MessageButtons::Ok,
                       MessageIcon::Error);
  else
    reportPackageFailure(dialogs, texts);
  return false;
}

}  // namespace

std::string formatCounts(const std::string& text, int first, int second) {
  std::string out;
  int used = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && (text[i + 1] == 'i' || text[i + 1] == 'd') &&
        used < 2) {
      out += std::to_string(used++ == 0 ? first : second);
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

BookLoader::BookLoader(LoadTargets targets, std::string folder, Dialogs& dialogs, LoaderTexts texts)
    : targets_(targets), dialogs_(dialogs), texts_(std::move(texts)) {
  result_.folder = withFinalSlash(std::move(folder));
}

BookLoader::BookLoader(HeadingsTree& tree, BookTables& tables, std::string folder, Dialogs& dialogs,
                       LoaderTexts texts)
    : BookLoader(LoadTargets{tree, tables.title, tables.phrase, tables.page, tables.group},
                 std::move(folder), dialogs, std::move(texts)) {}

bool BookLoader::run() {
  targets_.phrase.deleteAll();
  targets_.page.deleteAll();
  targets_.title.deleteAll();
  targets_.tree.deleteAll();
  std::string folder = result_.folder;
  result_ = LoadResult{};
  result_.folder = folder;

  auto ncc = readBookFile(folder, "ncc.html");
  if (!ncc && isEpubFolder(folder)) {
    EpubLoader epub(targets_, folder, progress_, texts_, result_);
    const EpubLoader::Outcome outcome = epub.run();
    if (outcome != EpubLoader::Outcome::Loaded) {
      // Nothing may stay of a book that is refused.
      targets_.phrase.deleteAll();
      targets_.page.deleteAll();
      targets_.group.deleteAll();
      targets_.title.deleteAll();
      targets_.tree.deleteAll();
    }
    return reportEpubOutcome(outcome, dialogs_, texts_);
  }
  if (!ncc) {
    // No ncc.html: a DAISY 3 book, when the folder holds one package file.
    if (const std::string package = solePackageFileIn(folder); !package.empty()) {
      Daisy3Loader daisy3(targets_, folder, package, progress_, texts_, result_);
      if (daisy3.run()) return true;
      reportPackageFailure(dialogs_, texts_);
      return false;
    }
    reportOpenFailure(dialogs_, texts_);
    return false;
  }
  NccReader reader(targets_, folder, texts_, progress_, result_);
  reader.readBook(*ncc);
  return true;
}

std::optional<BookMetadata> BookLoader::readMetadata(const std::string& folder, Dialogs& dialogs,
                                                     const LoaderTexts& texts) {
  std::string base = withFinalSlash(folder);
  auto ncc = readBookFile(base, "ncc.html");
  if (!ncc && isEpubFolder(base)) {
    BookMetadata metadata;
    if (reportEpubOutcome(EpubLoader::readMetadata(base, metadata), dialogs, texts))
      return metadata;
    return std::nullopt;
  }
  if (!ncc) {
    if (const std::string package = solePackageFileIn(base); !package.empty()) {
      BookMetadata metadata;
      if (Daisy3Loader::readMetadata(base, package, metadata)) return metadata;
      reportPackageFailure(dialogs, texts);
      return std::nullopt;
    }
    reportOpenFailure(dialogs, texts);
    return std::nullopt;
  }
  // Only the head is read, so the targets are never touched.
  HeadingsTree tree;
  BookTables tables;
  LoadResult result;
  NccReader reader(LoadTargets{tree, tables.title, tables.phrase, tables.page, tables.group}, base,
                   texts, nullptr, result);
  reader.readMetadata(*ncc);
  return result.metadata;
}

}  // namespace orbis
