#include "library/DaisyLoad.h"

#include "texts/UiTexts.h"

namespace orbis {

LoaderTexts currentLoaderTexts() {
  LoaderTexts texts;
  const UiTexts& ui = uiTexts();
  if (!ui.nccOpenFailed.empty()) texts.nccOpenFailed = ui.nccOpenFailed;
  if (!ui.nccReadErrorCaption.empty()) texts.nccReadErrorCaption = ui.nccReadErrorCaption;
  if (!ui.packageOpenFailed.empty()) texts.packageOpenFailed = ui.packageOpenFailed;
  if (!ui.packageReadErrorCaption.empty())
    texts.packageReadErrorCaption = ui.packageReadErrorCaption;
  if (!ui.epubEncrypted.empty()) texts.epubEncrypted = ui.epubEncrypted;
  if (!ui.of.empty()) texts.of = ui.of;
  if (!ui.entriesRead.empty()) texts.entriesRead = ui.entriesRead;
  return texts;
}

FileFilter bookFilter() {
  return FileFilter{uiTexts().bookFileFilter, "ncc.html;*.opf;*.epub"};
}

LoadOutcome loadDaisyBook(HeadingsTree& tree, BookTables& tables, Dialogs& dialogs,
                          const std::string& folder, LoadProgress* progress) {
  BookLoader loader(tree, tables, folder, dialogs, currentLoaderTexts());
  loader.setProgress(progress);
  LoadOutcome outcome;
  outcome.ok = loader.run();
  outcome.metadata = loader.result().metadata;
  outcome.features = loader.result().features;
  return outcome;
}

}  // namespace orbis
