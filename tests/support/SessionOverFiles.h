#pragma once
#include <functional>
#include <memory>
#include <vector>

#include "book/BookRecord.h"
#include "book/BookTables.h"
#include "book/HeadingsTree.h"
#include "commands/MenuModel.h"
#include "library/BookSession.h"
#include "ports/MediaPlayer.h"
#include "ports/Timers.h"
#include "settings/Settings.h"
#include "support/IdleSpeech.h"
#include "support/RecordingSounds.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace orbis::testing {

// A book session that reads real book files with the DAISY loader, on the main menu and the
// default settings of a temporary data folder. The player and the timers are the caller's, so
// the same rig serves the simulated player and libmpv. It records the phrase rows that start.
class SessionOverFiles {
 public:
  SessionOverFiles(MediaPlayer& player, Timers& timers);
  ~SessionOverFiles();

  // Called with every phrase-table change before the session sees it.
  std::function<void(const RowStateChange&)> beforePhraseSelected;

  TempDir dir;
  IdleSpeech speech;  // the rig shows no text, so nothing is spoken
  RecordingSounds sounds;
  ScriptedDialogs dialogs;
  BookTables tables;
  HeadingsTree tree;
  BookRecord book;
  MenuModel menu;
  Settings settings;
  std::unique_ptr<BookSession> session;
  std::vector<int> started;  // phrase rows selected while a book was open

 private:
  Timers& timers_;
};

}  // namespace orbis::testing
