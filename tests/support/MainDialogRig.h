#pragma once
#include <memory>
#include <string>

#include "app/AppFolders.h"
#include "app/CLumen2Dlg.h"
#include "support/FakeDrives.h"
#include "support/FakeMainView.h"
#include "support/InMemoryTextView.h"
#include "support/ManualClock.h"
#include "support/RecordingShell.h"
#include "support/RecordingSounds.h"
#include "support/ScriptedDialogs.h"
#include "support/SimulatedPlayer.h"
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

  TempDir data;
  AppFolders folders;
  FakeMainView view;
  ScriptedDialogs dialogs;
  RecordingSounds sounds;
  RecordingShell shell;
  FakeDrives drives;
  FakeKeyNames keyNames;
  ManualClock clock;
  SimulatedPlayer player{clock};
  InMemoryTextView textView;
  std::unique_ptr<CLumen2Dlg> dialog;
};

}  // namespace orbis::testing
