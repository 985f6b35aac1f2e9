#include "ui/CLumen2App.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <csignal>
#include <filesystem>
#include <iostream>

#include "app/CLumen2Dlg.h"
#include "app/MediaSession.h"
#include "app/Version.h"
#include "book/BookReport.h"
#include "book/StreamDialogs.h"
#include "library/EpubFile.h"
#include "library/MinizipReader.h"
#include "platform/CurlHttp.h"
#include "platform/DesktopShell.h"
#include "platform/LinuxDrives.h"
#include "platform/MountWatcher.h"
#include "platform/MprisService.h"
#include "platform/MpvPlayer.h"
#include "platform/MpvSounds.h"
#include "platform/PosixProcesses.h"
#include "platform/QtBusyNote.h"
#include "platform/QtDialogs.h"
#include "platform/QtLibraryDialogs.h"
#include "platform/QtTimers.h"
#include "platform/QtTranslations.h"
#include "platform/ShutdownSignals.h"
#include "platform/SingleInstance.h"
#include "platform/SpeechDispatcher.h"
#include "platform/VirtualKeys.h"
#include "settings/AppFolders.h"
#include "texts/UiTexts.h"
#include "ui/BookRequests.h"
#include "ui/CA_Daisy.h"
#include "ui/MainWindow.h"
#include "ui/StartRequests.h"

namespace orbis {

namespace {

constexpr const char* kUsage =
    "Usage: orbis-velora [OPTION] [BOOK]\n"
    "A player for DAISY 2.02 talking books.\n"
    "\n"
    "  BOOK            a book folder, its ncc.html, its package file (.opf) or an EPUB file\n"
    "                  (.epub), opened at start\n"
    "  --info BOOK     print what is known about a book and exit\n"
    "  --tables BOOK   print the tables read from a book and exit\n"
    "  --version       print the version and exit\n"
    "  --help          print this help and exit\n";

// The modifier names follow the interface language, which can change while the program runs.
class CurrentLanguageKeyNames : public KeyNames {
 public:
  std::string keyName(int virtualKey) const override { return names().keyName(virtualKey); }
  std::string ctrlName() const override { return names().ctrlName(); }
  std::string altName() const override { return names().altName(); }
  std::string shiftName() const override { return names().shiftName(); }

 private:
  static QtKeyNames names() { return QtKeyNames(languageIndex()); }
};

// A second start: hand the running player the book this start was given, or tell the reader
// and bring the running player forward.
// A command-line report works without a window: nothing to show while unpacking.
class NoBusyNote : public BusyNote {
 public:
  void show(const std::string&) override {}
  void stillBusy() override {}
  void close() override {}
};

// What a command-line report reads: the book as given, or an EPUB file unpacked into the cache
// first, as when the window opens it. Nothing (after saying why) when it cannot be unpacked.
std::optional<std::string> bookForReport(const std::string& book) {
  if (!isEpubFile(book)) return book;
  MinizipReader zip;
  StreamDialogs dialogs(std::cerr);
  NoBusyNote note;
  return epubBookFolder(EpubFileContext{zip, dialogs, note, cacheFolderFor(processEnvironment)},
                        book);
}

int answerSecondStart(SingleInstance& instance, Dialogs& dialogs, const std::string& book) {
  if (!book.empty() && instance.requestOpenBook(QString::fromStdString(book))) return 0;
  const std::string& text = uiTexts().alreadyRunning;
  dialogs.messageBox(text, kProgramName, MessageButtons::Ok, MessageIcon::Warning);
  auto found = instance.request(QString::fromLatin1(SingleInstance::kFindWindow));
  if (!found || *found != QLatin1String("1")) return 0;
  dialogs.messageBox(text, kProgramName, MessageButtons::Ok, MessageIcon::Warning);
  instance.request(QString::fromLatin1(SingleInstance::kRestore));
  return 0;
}

// The first run opens the sample book that comes with the player, so that a new reader hears
// something at once; later runs start as the reader left them.
std::string sampleBookIfFirstRun(const AppFolders& folders) {
  std::error_code error;
  if (std::filesystem::exists(folders.dataFolder + "Settings.dl", error)) return {};
  const std::string sample = folders.programFolder + "Documents/SampleBook/";
  return std::filesystem::exists(sample + "ncc.html", error) ? sample : std::string();
}

// Ends the session from wherever the request comes, also from inside the event loop of a modal
// box, a menu or the loader nested in the main one. Running the exit routine or destroying
// anything there would pull objects from under the callers that wait for the box to return.
// Instead every menu and box still open is closed (a refusing one, the loader while it reads,
// ends by itself) and every event loop is left: the code after each exec() runs as the stack
// unwinds, a box opened meanwhile returns at once, and the main loop returns to run(), which
// runs the exit routine.
void leaveEventLoops() {
  while (QWidget* popup = QApplication::activePopupWidget()) {
    if (!popup->close()) break;
  }
  for (QWidget* last = nullptr; QWidget* box = QApplication::activeModalWidget(); last = box) {
    if (box == last || !box->close()) break;
  }
  QCoreApplication::exit(0);
}

// Requests of automated checks over the single-instance socket, only when the environment
// variable ORBIS_TEST_REQUESTS is set: "modal" names the class of the open modal box or menu
// ("-" for none), "command ID" runs a command, "message" shows a message box.
QString answerTestRequest(const QString& request, CLumen2Dlg& dialog, Dialogs& dialogs,
                          QObject& context) {
  if (request == QLatin1String("modal")) {
    QWidget* open = QApplication::activePopupWidget();
    if (!open) open = QApplication::activeModalWidget();
    return open ? QString::fromLatin1(open->metaObject()->className()) : QStringLiteral("-");
  }
  // Later, so that the answer goes out before a box runs its loop.
  if (request.startsWith(QLatin1String("command "))) {
    const int id = request.mid(8).toInt();
    QTimer::singleShot(0, &context, [&dialog, id] { dialog.onCommand(id); });
    return QStringLiteral("0");
  }
  if (request == QLatin1String("message")) {
    QTimer::singleShot(0, &context, [&dialogs] {
      dialogs.messageBox("test", kProgramName, MessageButtons::YesNo, MessageIcon::Question);
    });
    return QStringLiteral("0");
  }
  return QStringLiteral("?");
}

}  // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
  CommandLine line;
  for (int i = 1; i < arguments.size(); ++i) {
    const QString& arg = arguments[i];
    auto bookAfter = [&](std::string& target) {
      if (i + 1 >= arguments.size()) {
        line.error = arg.toStdString() + " needs a book";
        return;
      }
      target = arguments[++i].toStdString();
    };
    if (arg == QLatin1String("--version")) {
      line.showVersion = true;
    } else if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
      line.showHelp = true;
    } else if (arg == QLatin1String("--info")) {
      bookAfter(line.infoBook);
    } else if (arg == QLatin1String("--tables")) {
      bookAfter(line.tablesBook);
    } else if (arg.startsWith(QLatin1String("--"))) {
      line.error = "unknown option " + arg.toStdString();
    } else if (line.openBook.empty()) {
      line.openBook = arg.toStdString();
    } else {
      line.error = "only one book can be opened";
    }
  }
  return line;
}

int CLumen2App::run(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  const CommandLine line = parseCommandLine(arguments);
  if (!line.error.empty()) {
    std::cerr << "orbis-velora: " << line.error << "\n" << kUsage;
    return 2;
  }
  if (line.showHelp) {
    std::cout << kUsage;
    return 0;
  }
  if (line.showVersion) {
    std::cout << "orbis-velora " << kVersionText << "\n";
    return 0;
  }
  if (!line.infoBook.empty() || !line.tablesBook.empty()) {
    const bool info = !line.infoBook.empty();
    const auto book = bookForReport(info ? line.infoBook : line.tablesBook);
    if (!book) return 1;
    return info ? writeBookInfo(*book, std::cout, std::cerr)
                : writeBookTables(*book, std::cout, std::cerr);
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(kProgramName));
  QApplication::setQuitOnLastWindowClosed(false);
  fillTexts(uiTexts(), kLanguageGerman);
  languageIndex() = kLanguageGerman;
  QtTranslations translations;
  translations.use(kLanguageGerman);

  QtDialogs dialogs;
  // A book named relative to where the reader started the program is found from there, not
  // from the program folder that becomes the working folder.
  const std::string bookArgument =
      line.openBook.empty()
          ? std::string()
          : QFileInfo(QString::fromStdString(line.openBook)).absoluteFilePath().toStdString();
  SingleInstance instance(QString::fromLatin1(kInstanceName));
  if (!instance.becomePrimary()) return answerSecondStart(instance, dialogs, bookArgument);

  AppFolders folders;
  folders.programFolder = programFolderFor(QApplication::applicationFilePath().toStdString());
  QDir::setCurrent(QString::fromStdString(folders.programFolder));
  folders.dataFolder = dataFolderFor(folders.programFolder, processEnvironment);
  folders.cacheFolder = cacheFolderFor(processEnvironment);

  MpvSounds sounds;
  MpvPlayer player;
  // Connects in the background; text without audio waits for it, the window does not.
  SpeechDispatcher speech;
  QtTimers timers;
  DesktopShell shell;
  LinuxDrives drives;
  CurrentLanguageKeyNames keyNames;
  MainWindow window(shell);
  dialogs.setParent(&window);
  QtBusyNote busyNote(&window);
  bool started = false;
  // Whether the reader is in the middle of something whose own event loop runs inside the main
  // one, or walks the menu bar: requests from other programs and answers from the update server
  // wait, as keys do.
  auto readerBusy = [&] {
    const QDialog* note = busyNote.window();
    return !started || QApplication::activeModalWidget() || QApplication::activePopupWidget() ||
           QApplication::focusWidget() == window.menuBar() || (note && note->isVisible());
  };
  CurlHttp http(readerBusy);
  PosixProcesses processes;
  QtLibraryDialogs libraryDialogs(&window);
  CLumen2Dlg dialog(folders, MainPorts{window, dialogs, sounds, shell, drives, keyNames, player,
                                       speech, timers, window.textView(), window.panel(), busyNote,
                                       http, processes, libraryDialogs});
  window.attach(&dialog);
  dialog.onLanguageChanged = [&translations](int index) { translations.use(index); };
  dialog.runLoader = [&](const std::string& folder) {
    BookTables& tables = dialog.tables();
    CA_Daisy loader(
        LoadTargets{dialog.tree(), tables.title, tables.phrase, tables.page, tables.group}, folder,
        dialogs, &window);
    LoadOutcome outcome;
    outcome.ok = loader.exec() == QDialog::Accepted;
    outcome.metadata = loader.result().metadata;
    outcome.features = loader.result().features;
    return outcome;
  };
  BookRequests bookRequests({readerBusy, [&dialog](const QString& book) {
                               if (!dialog.closing()) dialog.openBookAtStart(book.toStdString());
                             }});
  instance.setHandlers({
      [&window] { return window.isVisible(); },
      [&window] { window.bringForward(); },
      [&dialog] { return dialog.onFocusQuery(); },
      [&dialog] { dialog.onFocusTextView(); },
      [&](const QString& book) {
        if (dialog.closing()) return false;
        bookRequests.request(book);
        window.bringForward();
        window.activateWindow();
        return true;
      },
      qEnvironmentVariableIsSet("ORBIS_TEST_REQUESTS")
          ? std::function<QString(const QString&)>([&](const QString& request) {
              return answerTestRequest(request, dialog, dialogs, window);
            })
          : nullptr,
  });

  // The drive items follow the drives, but never rebuild the menu bar beneath an open menu or
  // box: the change waits until the reader is back in the main window.
  MountWatcher mountWatcher;
  QObject::connect(&mountWatcher, &MountWatcher::changed, &window, [&] {
    if (dialog.closing()) return;
    if (readerBusy()) {
      mountWatcher.reportAgainLater();
    } else {
      dialog.onDrivesChanged();
    }
  });

  MediaSession mediaSession(dialog, player);
  MprisService mpris(
      mediaSession,
      {readerBusy,
       [&window] {
         window.bringForward();
         window.raise();
         window.activateWindow();
       },
       leaveEventLoops, [&bookRequests](const QString& book) { bookRequests.request(book); }});
  // Without a session bus (a bare console, a service) the player runs on without media keys.
  mpris.registerOn(QDBusConnection::sessionBus());

  // The end of the desktop session closes the player like its Exit command, also while a box is
  // open.
  ShutdownSignals shutdownSignals(leaveEventLoops);

  // Full screen from the start; the geometry also serves where no window manager maximises.
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    window.setGeometry(screen->availableGeometry());
  }
  window.showMaximized();
  // Everything from here runs inside the event loop, so that a shutdown request that arrives
  // while a book is still being read or announced ends the program cleanly.
  const StartBooks books{bookArgument, bookArgument.empty() ? sampleBookIfFirstRun(folders) : ""};
  QTimer::singleShot(0, &window, [&dialog, &started, &window, books] {
    dialog.onInitDialog();
    started = true;
    runStartRequests(dialog, window, books);
  });
  window.onEnded = leaveEventLoops;
  app.exec();
  // The exit routine, unless Exit or the close box ran it already; settings that were never read
  // are not written over.
  if (started) dialog.onClose();
  window.hide();
  dialog.onDestroy();
  // The window outlives the logic below; it must no longer mirror the logic's tree.
  window.attach(nullptr);
  return 0;
}

}  // namespace orbis
