#pragma once
#include <functional>
#include <optional>
#include <string>

#include "book/BookRecord.h"
#include "book/BookTables.h"
#include "book/HeadingsTree.h"
#include "playback/PlaybackEnv.h"
#include "playback/PlaybackState.h"
#include "ports/Dialogs.h"
#include "ports/MediaPlayer.h"
#include "ports/TextView.h"
#include "settings/AppFolders.h"
#include "textview/HighlightStyle.h"
#include "textview/HighlightStyleCommands.h"
#include "textview/PhraseHighlighter.h"
#include "textview/SearchTermHighlighter.h"
#include "textview/SmilLinkJump.h"

namespace orbis {

// What the text view works with in the main window.
struct TextViewContext {
  TextView& view;
  BookTables& tables;
  HeadingsTree& tree;
  BookRecord& book;
  PlaybackState& state;
  MediaPlayer& player;
  Dialogs& dialogs;
  AppFolders folders;
  CurrentTextSink currentText;
  std::function<bool()> autoPlayback;
  std::function<void(int commandId)> radioCheck;  // the highlight style items
};

// Joins the text view to the book: the start pages, the documents of the phrases, the phrase
// and search marks, the highlight style commands and the links that lead into the book's SMIL
// files.
class TextViewBinding : public SmilJumpHost {
 public:
  explicit TextViewBinding(TextViewContext context);
  ~TextViewBinding() override;

  void showStartPage(int language);
  void navigate(const std::string& document);
  void highlightPhrase(const std::string& fragment);
  void highlightSearchTerm();
  // The text and language of the shown document's element with this id, for speech.
  SpokenText phraseText(const std::string& fragment);
  void forgetHighlight();
  // The search term marked in the text; empty while there is none.
  void setSearchTerm(std::string term, bool textSearch);
  // A search found the term: it is marked in the shown document now, and with textSearch those
  // marks stay in that document while reading goes on.
  void markSearchTerm(const std::string& term, bool textSearch);

  HighlightStyle& style() { return style_; }
  bool runStyleCommand(int commandId);
  bool startPageShown() const { return context_.state.startPageShown; }

  // SmilJumpHost
  bool bookOpen() const override { return context_.book.open; }
  void setForceSeek() override { context_.state.forceSeek = true; }
  std::optional<int> titleRowOfSmil(const std::string& smilFile) const override;
  void startHeadingOfTitleRow(int titleRow) override;
  std::optional<int> phraseRowOfFragment(const std::string& fragment) const override;
  void selectPhraseRow(int phraseRow) override;

 private:
  BookIdentity identity() const;
  std::string bookFolder() const;

  TextViewContext context_;
  HighlightStyle style_;
  PhraseHighlighter phrase_;
  SearchTermHighlighter search_;
  HighlightStyleCommands styleCommands_;
  std::string searchTerm_;
  bool textSearch_ = false;
  int language_ = 0;
};

}  // namespace orbis
