#pragma once
#include <functional>
#include <string>

#include "book/BookRecord.h"
#include "book/BookTables.h"
#include "commands/CommandTable.h"
#include "info/CInfoList.h"
#include "playback/AudioControls.h"
#include "playback/SleepTimer.h"
#include "ports/Dialogs.h"
#include "ports/MediaPlayer.h"
#include "texts/UiTexts.h"

namespace orbis {

// What the information commands read: the book record, the title table and the player; the
// audio controls pause reading while an answer is shown.
struct InformationContext {
  const BookTables& tables;
  const BookRecord& book;
  MediaPlayer& player;
  AudioControls& audio;
  Dialogs& dialogs;
  const SleepTimer& sleep;
};

// Answers the reader's questions about the book and the current title: single sentences in a
// message box and the two information lists. Reading pauses while the answer is shown and goes
// on afterwards with automatic playback. Without a book every value is empty or 0.
class BookInformation {
 public:
  explicit BookInformation(InformationContext context) : ctx_(context) {}

  // The two list commands of the DAISY menu and the sentence commands, which only keys reach.
  void registerCommands(CommandTable& commands);

  void showBookList();
  void showTitleList();

 private:
  // The values of one answer, read once the player has paused.
  struct Values {
    double position = 0;  // in the current audio file
    double duration = 0;  // of the current audio file
    double total = 0;     // of the book
    double heard = 0;     // of the book, up to the position
    int titleRow = -1;    // the current heading's row
  };
  Values read() const;
  int levelCount() const;
  std::string entries() const;
  std::string levels() const;
  std::string heading(const Values& values) const;
  std::string level(const Values& values) const;

  // Pauses, builds the sentence from the values read then, shows it and lets reading go on.
  void tell(const std::function<std::string(const Values&)>& sentence);
  // A play time: the label in the current language, then the duration of value(values).
  void tellTime(std::string UiTexts::*label, double (*value)(const Values&), bool fullStop);

  InformationContext ctx_;
};

}  // namespace orbis
