#include "support/ReadingHarness.h"

#include <filesystem>

#include "commands/CommandIds.h"
#include "commands/MainMenu.h"

namespace orbis::testing {

ReadingHarness::ReadingHarness() : menu(buildMainMenu()) {
  folders.programFolder = dir.str() + "/program/";
  folders.dataFolder = dir.str() + "/data/";
  std::filesystem::create_directories(folders.dataFolder);
  for (const char* name : {"ExpandableBranche.wav", "Level1.wav", "Level2.wav", "Level3.wav"}) {
    dir.write(std::string("program/UISounds/") + name, "RIFF");
  }
  settings = Settings::defaults(folders.dataFolder);
}

ReadingHarness::~ReadingHarness() {
  session_.reset();
}

std::string ReadingHarness::addBook(const std::string& name, TestBook book) {
  const std::string folder = dir.str() + "/" + name + "/";
  dir.write(name + "/ncc.html", "<html></html>");
  for (const auto& [file, seconds] : book.audioSeconds) {
    dir.write(name + "/" + file, "");
    player.setDuration(folder + file, seconds);
  }
  books_[folder] = std::move(book);
  return folder;
}

std::string ReadingHarness::audioPath(const std::string& name, const std::string& file) const {
  return dir.str() + "/" + name + "/" + file;
}

LoadOutcome ReadingHarness::load(const std::string& folder) {
  ++loads;
  auto found = books_.find(folder);
  if (found == books_.end()) return {};
  const TestBook& spec = found->second;
  tree.deleteAll();
  tables.title.deleteAll();
  tables.phrase.deleteAll();
  tables.page.deleteAll();
  texts_.clear();
  std::vector<TreeNode> lastAtLevel(7, kNoNode);
  for (int i = 0; i < static_cast<int>(spec.headingLevels.size()); ++i) {
    const int level = spec.headingLevels[i];
    const TreeNode parent = level > 1 ? lastAtLevel[level - 1] : kNoNode;
    lastAtLevel[level] = tree.insert(parent, "Heading " + std::to_string(i), i);
    const int row = tables.title.insertRow(i, std::to_string(level));
    tables.title.setCell(row, TitleCol::Title, "Heading " + std::to_string(i));
    tables.title.setCell(row, TitleCol::TreeId, std::to_string(i));
  }
  for (const auto& p : spec.phrases) {
    const int row = tables.phrase.insertRow(tables.phrase.rowCount(), std::to_string(p.title));
    tables.phrase.setCell(row, PhraseCol::ParId, "par" + std::to_string(row));
    tables.phrase.setCell(row, PhraseCol::Document, folder + p.document);
    tables.phrase.setCell(row, PhraseCol::Fragment, "t" + std::to_string(row));
    tables.phrase.setCell(row, PhraseCol::TextId,
                          p.textId.empty() ? "txt" + std::to_string(row) : p.textId);
    tables.phrase.setCell(row, PhraseCol::Audio, p.audio);
    tables.phrase.setCell(row, PhraseCol::Begin, p.begin);
    tables.phrase.setCell(row, PhraseCol::End, p.end);
    tables.phrase.setCell(row, PhraseCol::Skip, p.skip);
    texts_["t" + std::to_string(row)] = {p.text, p.language};
  }
  for (const auto& fragment : spec.pageFragments) {
    const int row = tables.page.insertRow(tables.page.rowCount(), "p");
    tables.page.setCell(row, PageCol::Fragment, fragment);
  }
  return {true, spec.metadata, spec.features};
}

BookSession& ReadingHarness::start() {
  BookSessionContext context{tables,
                             tree,
                             book,
                             menu,
                             settings,
                             player,
                             speech,
                             clock,
                             sounds,
                             dialogs,
                             folders,
                             [this](const std::string& folder) { return load(folder); },
                             {},
                             {}};
  context.playback.navigate = [this](const std::string& doc) { navigated.push_back(doc); };
  context.playback.highlightPhrase = [this](const std::string& f) { highlighted.push_back(f); };
  context.playback.focusControl = [this](int id) { focused.push_back(id); };
  context.playback.setButtonAlternate = [this](int id, bool alternate) {
    buttonFaces.emplace_back(id, alternate);
  };
  context.playback.phraseText = [this](const std::string& fragment) {
    const auto found = texts_.find(fragment);
    return found == texts_.end() ? SpokenText{} : found->second;
  };
  context.library.showStartPage = [this] { ++startPages; };
  session_ = std::make_unique<BookSession>(std::move(context));
  session_->registerCommands(commands);
  commands.add(cmd::kPhraseForward, [this] {
    session_->state().forceSeek = true;
    session_->phrasePlayer().nextPhraseInTitle();
  });
  commands.add(cmd::kPhraseBackward, [this] {
    session_->state().forceSeek = true;
    session_->phrasePlayer().previousPhraseInTitle();
  });
  clock.setHandler([this](int id) { session_->onTimer(id); });
  player.onPlayStateChange([this](PlayState state) { session_->onPlayStateChange(state); });
  player.onError([this] { session_->onPlayerError(); });
  // Record which rows reach the phrase handler, then hand them on.
  tables.phrase.setListener([this](BookTable& table, const RowStateChange& change) {
    if (change.newState == kRowSelected && book.open) startedRows.push_back(table.selectionMark());
    session_->phrasePlayer().onPhraseSelected(change);
  });
  session_->applySettings({});
  session_->clearBook();
  return *session_;
}

}  // namespace orbis::testing
