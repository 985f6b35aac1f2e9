#pragma once
#include <QApplication>
#include <memory>

#include "app/CLumen2Dlg.h"
#include "platform/QtBusyNote.h"
#include "qtsupport/QtEventLoop.h"
#include "support/FakeDrives.h"
#include "support/FakeMainView.h"
#include "support/ManualClock.h"
#include "support/RecordingProcesses.h"
#include "support/RecordingShell.h"
#include "support/RecordingSounds.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedLibraryDialogs.h"
#include "support/SimulatedPlayer.h"
#include "support/SimulatedSpeech.h"
#include "support/TempDir.h"
#include "texts/UiTexts.h"
#include "ui/MainWindow.h"

namespace orbis::testing {

// Widgets need the application object before they are made.
struct WithApplication {
  WithApplication() { ensureQtApplication(); }
};

// The real main window on the offscreen platform over the main window's logic, with the
// simulated player, clock, dialogs and sounds.
class MainWindowRig : WithApplication {
 public:
  // Offline, in the program folder of the build, unless a test brings its own.
  explicit MainWindowRig(Http* network = nullptr,
                         const std::string& programFolder = ORBIS_PROGRAM_DIR) {
    fillTexts(uiTexts(), kLanguageGerman);
    languageIndex() = kLanguageGerman;
    folders.programFolder = programFolder + "/";
    folders.dataFolder = data.str() + "/";
    dialog = std::make_unique<CLumen2Dlg>(
        folders, MainPorts{window, dialogs, sounds, shell, drives, keyNames, player, speech, clock,
                           window.textView(), window.panel(), busyNote, network ? *network : http,
                           processes, libraryDialogs});
    window.attach(dialog.get());
    window.resize(1280, 900);
    window.show();
    dialog->onInitDialog();
    QApplication::processEvents();
  }

  ~MainWindowRig() { window.attach(nullptr); }

  TempDir data;
  AppFolders folders;
  ScriptedDialogs dialogs;
  ScriptedLibraryDialogs libraryDialogs;
  RecordingSounds sounds;
  RecordingShell shell;
  FakeDrives drives;
  FakeKeyNames keyNames;
  ManualClock clock;
  SimulatedPlayer player{clock};
  SimulatedSpeech speech{clock};
  MainWindow window{shell};
  QtBusyNote busyNote{&window};
  OfflineHttp http;
  RecordingProcesses processes;
  std::unique_ptr<CLumen2Dlg> dialog;
};

}  // namespace orbis::testing
