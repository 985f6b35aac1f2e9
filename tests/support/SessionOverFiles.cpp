#include "support/SessionOverFiles.h"

#include <filesystem>

#include "commands/MainMenu.h"
#include "library/DaisyLoad.h"

namespace orbis::testing {

SessionOverFiles::SessionOverFiles(MediaPlayer& player, Timers& timers)
    : menu(buildMainMenu()), timers_(timers) {
  AppFolders folders{dir.str() + "/program/", dir.str() + "/data/"};
  std::filesystem::create_directories(folders.dataFolder);
  settings = Settings::defaults(folders.dataFolder);
  session = std::make_unique<BookSession>(BookSessionContext{
      tables,
      tree,
      book,
      menu,
      settings,
      player,
      speech,
      timers,
      sounds,
      dialogs,
      folders,
      [this](const std::string& folder) { return loadDaisyBook(tree, tables, dialogs, folder); },
      {},
      {}});
  timers.setHandler([this](int id) { session->onTimer(id); });
  player.onError([this] { session->onPlayerError(); });
  tables.phrase.setListener([this](BookTable& table, const RowStateChange& change) {
    if (beforePhraseSelected) beforePhraseSelected(change);
    if (change.newState == kRowSelected && book.open) started.push_back(table.selectionMark());
    session->phrasePlayer().onPhraseSelected(change);
  });
  session->applySettings({});
  session->clearBook();
}

SessionOverFiles::~SessionOverFiles() {
  timers_.setHandler(nullptr);
}

}  // namespace orbis::testing
