#pragma once
#include <functional>
#include <string>
#include <utility>

#include "book/BookRecord.h"
#include "book/BookTables.h"
#include "book/HeadingsTree.h"
#include "commands/MenuModel.h"
#include "playback/PlaybackState.h"
#include "ports/MediaPlayer.h"
#include "ports/Sounds.h"
#include "ports/Speech.h"
#include "ports/Timers.h"
#include "settings/Settings.h"

namespace orbis {

// A phrase's text as the speech synthesizer is to read it.
struct SpokenText {
  std::string text;
  std::string language;  // "de", "en-GB", ...; empty where the text does not say
};

// What playback asks of the rest of the main window. Every hook may be left empty; an empty
// hook does nothing (and a query answers its default), so parts that are not wired yet cost
// nothing.
struct PlaybackHooks {
  // Text view: show a document; mark the phrase's element; mark the last search term.
  std::function<void(const std::string& document)> navigate;
  std::function<void(const std::string& fragment)> highlightPhrase;
  std::function<void()> highlightSearchTerm;
  // Search: whether a search in the shown text is active; clear its hit list.
  std::function<bool()> textSearchActive;
  std::function<void()> clearSearchHits;
  // Main view: two-faced buttons, focus and the two sliders.
  std::function<void(int id, bool alternate)> setButtonAlternate;
  std::function<void(int id)> focusControl;
  std::function<int()> focusedControl;
  std::function<void(int volumePosition, int speedPosition)> setSliderPositions;
  // Structure panel's bookmark list: append an entry and answer its index.
  std::function<int(const std::string& text)> addBookmarkListEntry;
  // Tell the reader that none of the book's audio can be played.
  std::function<void()> noPlayableAudio;
  // The text of the shown document's element with this id, as the text view shows it, and the
  // language the element declares (empty for none); empty text where no element has the id.
  std::function<SpokenText(const std::string& fragment)> phraseText;
};

template <typename Hook, typename... Args>
void callHook(const Hook& hook, Args&&... args) {
  if (hook) hook(std::forward<Args>(args)...);
}

// The parts of the main window the playback classes work on.
struct PlaybackEnv {
  BookTables& tables;
  HeadingsTree& tree;
  BookRecord& book;
  MenuModel& menu;
  const Settings& settings;
  MediaPlayer& player;
  Speech& speech;
  Timers& timers;
  Sounds& sounds;
  std::string programFolder;  // ends in "/"
  std::string dataFolder;     // ends in "/"
  PlaybackState& state;
  PlaybackHooks& hooks;
};

}  // namespace orbis
