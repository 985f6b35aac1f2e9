#pragma once
#include <memory>
#include <string>

#include "app/CLumen2Dlg.h"
#include "settings/AppFolders.h"
#include "support/BookBuilder.h"
#include "support/FakeDrives.h"
#include "support/FakeMainView.h"
#include "support/FakePanelView.h"
#include "support/InMemoryTextView.h"
#include "support/ManualClock.h"
#include "support/RecordingBusyNote.h"
#include "support/RecordingProcesses.h"
#include "support/RecordingShell.h"
#include "support/RecordingSounds.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedLibraryDialogs.h"
#include "support/SimulatedPlayer.h"
#include "support/SimulatedSpeech.h"
#include "support/TempDir.h"

namespace orbis::testing {

// The main window's logic on test doubles of every port: the shipped files of the source tree
// as program folder, a fresh data folder, German texts before and after.
class MainDialogRig {
 public:
  MainDialogRig();
  ~MainDialogRig();

  // Creates the main window's logic (again) and runs its initialisation.
  CLumen2Dlg& start();
  // The same, then opens a generated book with every kind of entry: the level-1 headings
  // "Eins", "Zwei" and "Drei" of three one-second phrases each, "Zwei" with the child
  // "Zwei.1", the pages "i" to "iv" at the four headings, the groups "A" at "Zwei" and "B" at
  // "Drei", and the phrases of "Drei" marked as footnotes.
  CLumen2Dlg& startWithBook();

  TempDir data;
  TempDir books;
  AppFolders folders;
  FakeMainView view;
  ScriptedDialogs dialogs;
  ScriptedLibraryDialogs libraryDialogs;
  RecordingSounds sounds;
  RecordingShell shell;
  FakeDrives drives;
  FakeKeyNames keyNames;
  ManualClock clock;
  SimulatedPlayer player{clock};
  SimulatedSpeech speech{clock};
  InMemoryTextView textView;
  FakePanelView panel;
  RecordingBusyNote busyNote;
  OfflineHttp http;
  RecordingProcesses processes;
  std::unique_ptr<CLumen2Dlg> dialog;
};

}  // namespace orbis::testing
