#include "texts/UiTexts.h"

namespace orbis {

void fillEnglishTexts(UiTexts& t) {
  t.menuBar = {"&DAISY",    "&Navigation", "&Audio",   "&Text",
               "&Bookmark", "&Search",     "Settings", "Help"};

  t.menuItems = {
      // DAISY
      {32774, "&Open"},
      {33012, "&Of list"},
      {33050, "Unzip and open Daisy..."},
      {32780, "&Last"},
      {33009, "Change"},
      {33053, "Book Information"},
      {33054, "Title Information"},
      // The language names read the same in both languages.
      {32953, "Deutsch"},
      {32954, "English"},
      {32772, "Exit"},
      // Navigation
      {32965, "Switch to..."},
      {32778, "forward"},
      {32779, "backward"},
      {32991, "next"},
      {32979, "previous"},
      {32984, "next"},
      {32982, "previous"},
      {32983, "Goto..."},
      {32785, "Footnote"},
      {32786, "Sidebar"},
      {32787, "Prod-Note"},
      {33011, "Page number"},
      // Audio
      {32808, "Pause/Continue"},
      {32840, "&Auto Playback"},
      {33071, "Read text without audio aloud"},
      {32793, "turn up"},
      {32800, "normal"},
      {32795, "turn down"},
      {32797, "faster"},
      {32801, "normal"},
      {32799, "slower"},
      {32805, "forward"},
      {32807, "backward"},
      {33101, "10 seconds back"},
      {33102, "10 seconds forward"},
      {33103, "1 minute back"},
      {33104, "1 minute forward"},
      {33110, "Off"},
      {33111, "15 minutes"},
      {33112, "30 minutes"},
      {33113, "45 minutes"},
      {33114, "60 minutes"},
      {33115, "90 minutes"},
      {33116, "At the end of this heading"},
      // Text
      {32966, "Swi&tch to..."},
      {33036, "Focus braille text..."},
      {32844, "Background"},
      {32847, "Italic"},
      {32846, "Bold"},
      {32848, "Text color"},
      {33120, "Larger"},
      {33121, "Smaller"},
      {33122, "Normal size"},
      // Bookmark
      {32851, "Set"},
      {32859, "Delete"},
      {32860, "Next"},
      {32854, "Previous"},
      {33034, "List..."},
      // Search
      {32861, "in Headings"},
      {32862, "in Text"},
      {32881, "in Book"},
      {32863, "Next"},
      {32858, "P&revious"},
      {33035, "List..."},
      // Settings
      {33032, "Global settings"},
      {33033, "Keyboard"},
      // Help
      {32867, "Help"},
      {32866, "About..."},
      {33056, "Check for updates..."},
  };

  // Keyed by the German captions the menus are built with.
  t.submenus = {
      {"Sprache", "Language"},
      {"&Phrase", "&Phrase"},
      {"&Gruppe", "&Group"},
      {"&Seite", "Page"},
      {"Überspringen", "Skip"},
      {"&Lautstärke", "Vo&lume"},
      {"Gesch&windigkeit", "Speed"},
      {"Sp&ulen", "FF/FRW"},
      {"Hervorheben", "Mark up"},
      {"Sp&ringen", "&Jump"},
      {"&Einschlaftimer", "&Sleep timer"},
      {"Schrift&größe", "Text &size"},
  };

  t.buttons = {
      {32774, "Open daisy book"},
      {1045, "Show headings"},
      {1047, "Show groups"},
      {1048, "Show bookmarks"},
      {1049, "Show searches"},
      {1050, "Play"},
      {1052, "Stop"},
      {1053, "Set volume"},
      {1054, "Mute"},
      {1051, "Rewind"},
      {1055, "Forward"},
      {1058, "Set speed"},
      {32775, "Previous heading"},
      {1056, "Next heading"},
      {1057, "Previous phrase"},
      {1059, "Next phrase"},
      {1060, "Previous page"},
      {1061, "Next page"},
      {1062, "Set bookmark"},
  };

  t.menulessCommands = {
      {32828, "Book Information -> Play time -> Total"},
      {32829, "Book Information -> Play time -> Elapsed"},
      {32830, "Book Information -> Play time -> Remaining"},
      {32827, "Book Information -> Entries"},
      {32815, "Book Information -> Levels"},
      {32850, "Title Information -> Play time -> Total"},
      {32832, "Title Information -> Play time -> Elapsed"},
      {32849, "Title Information -> Play time -> Remaining"},
      {32824, "Title Information -> Index"},
      {32825, "Title Information -> Level"},
      {33117, "Audio -> Sleep timer -> Open menu"},
      {33118, "Audio -> Sleep timer -> Time left"},
  };

  t.labelTextView = "&Text view";
  t.labelCurrentText = "Current te&xt";
  t.labelHeadings = "Headings";
  t.driveEject = "eject";
  t.driveInsert = "insert";
  t.alreadyRunning = "Lumen already running.";
  t.aboutMenuItem = "&About Orbis Velora v 1.0...";
  t.helpFile = "ORVEL-EN.chm";
  t.startPage = "\\documents\\html\\start_en.html";
  t.infoCaption = "Information";

  t.openingBook = "Opening book. Please wait...";
  t.nccOpenFailed = "Could not open ncc.html!";
  t.nccReadErrorCaption = "Read error - ncc.html";
  t.packageOpenFailed = "Could not read the book's package file (.opf)!";
  t.packageReadErrorCaption = "Read error - package file";
  t.epubEncrypted = "This EPUB book is encrypted (copy protection) and cannot be read.";
  t.epubUnpackFailed =
      "Could not unpack the EPUB book. The file is damaged or too large, or the disk is full.";
  t.bookFileFilter = "DAISY books";
  t.openBookTitle = "Open book...";
  t.of = "of";
  t.entriesRead = "%i entries of %i read...";
  t.browseForBook = "Browse for a book...";
  t.audioMissing = "The audio files of this book are missing or cannot be played.";
  t.speechMissing = "Text without audio cannot be read aloud: no speech synthesizer (Speech Dispatcher) can be reached.";

  t.createListQuestion = "Create a list?";
  t.searchingForDaisy = "Searching for DAISY...";
  t.withoutTitle = "Without title";
  t.oneBookFound = "One book found.";
  t.driveColumn = "Drive";
  t.driveNameColumn = "Drive Name";
  t.selectDrive = "Please select a drive...";
  t.searchRunning = "Searching. Please wait...";
  t.withoutTitleShort = "w/o title";
  t.booksFound = "%i books found";

  t.gotoPageCaption = "Goto page...";
  t.gotoPagePrompt = "Please enter a page number and press Enter or ESC to abort.";
  t.pageNotFound = "The entered page number does not exist.";
  t.pageNotFoundCaption = "Goto page...";

  t.searchCaption = "Search...";
  t.searchPrompt = "Please enter a search item...";
  t.searchHits = "The search result is";

  t.titleNotInBook =
      "The selected title is not a part of the book.\n\n"
      "Press Cancel to return to the book or\n"
      "Retry to select another title or\n"
      "Ignore to open the title as a part of the book.";
  t.changeVolumeCaption = "Change...";

  t.totalTime = "Total time ";
  t.elapsedTime = "Elapsed time ";
  t.remainingTime = "Remaining time ";
  t.oneHour = "one hour";
  t.hours = "hours";
  t.oneMinute = "one minute";
  t.minutes = "minutes";
  t.oneSecond = "one second";
  t.seconds = "seconds";
  t.andWord = "and";
  t.oneEntryInBook = "One entry in this book.";
  t.entriesInBook = "entries in this book.";
  t.oneLevelBook = "This book is structured in one level.";
  t.levelsFirstPart = "This book is structured in";
  t.levelsSecondPart = "levels.";
  t.atHeading = "You are at heading";
  t.ofTotal = "of";
  t.onLevel = "You are on level";
  t.infoRowEntries = "Entry";
  t.infoRowLevels = "Heading levels";
  t.infoRowHeading = "Titel";
  t.infoRowLevel = "Level";
  t.infoRowBookTitle = "Title";
  t.infoRowCreator = "Author";
  t.infoRowDate = "Date";
  t.infoRowLanguage = "Language";
  t.infoRowPublisher = "Publisher";
  t.infoRowNarrator = "Narrator";
  t.infoColumnInformation = "Information";
  t.infoColumnValue = "Value";

  t.searchBookOnStartOption = "Open CD Daisy book on startup";
  t.soundOnHeadingChangeOption = "Play sound on heading change";
  t.hideButtonsOption = "Hide buttons";
  t.hideCurrentTextOption = "Hide current text";
  t.soundOnSubLevelsOption = "Play sound on sub-chapters";
  t.startFocusGroup = "Set focus on startup on...";
  t.startFocusHeadingsTree = "&Headings tree";
  t.startFocusButtons = "&Buttons";
  t.alwaysShowTreeOption = "Always show headings tree";
  t.startFocusMissing = "Please define focus!";
  t.checkUpdatesOnStartOption = "Check for updates on startup";

  t.keyFunctionLabel = "Function";
  t.keyHotkeyLabel = "Hotkey";
  t.keySave = "&Save";
  t.ok = "&OK";
  t.cancel = "&Cancel";
  t.restoreDefaultKeys = "Restore 2.0 keys";
  t.saveKeyProfile = "Save as profile...";
  t.loadKeyProfile = "Load profile...";
  t.keyAlreadyUsed = "This key is used for function %s! Replace?";
  t.keyProfileFilter = "Profile files (*.kbd)|*.kbd||";
  t.keyProfileCopyFailed = "The profile %s could not be copied.";
  t.keyFileWriteFailed = "The key assignment could not be saved.";

  t.zipOutputFolderTitle = "Set output folder";
  t.zipUseTempFolder = "Use temporary output folder?";
  t.zipDefineTempFolderFirst = "Please define temporary output folder!";
  t.zipUnpacking = "Unpacking the archive. Please wait...";
  t.zipTempFolderLabel = "Temporary output folder for Daisy-ZIP";

  t.noUpdatesAvailable = "No available updates!";
  t.updateAvailable = "Update is available. Continue?";
  t.updateServerUnreachable = "The update server cannot be reached. Please try again later.";
  t.updaterMissing =
      "A new release is available, but the updater is not installed. Please update through your "
      "system's package manager.";
  t.updatesByPackageManager = "Updates come through your system's package manager.";

  t.panelBookmarks = "Bookmark";
  t.panelGroups = "Groups";
  t.panelSearches = "Searches";

  t.sleepTimerOff = "The sleep timer is off.";
  t.sleepTimeLeft = "The sleep timer runs for another ";
  t.sleepUntilHeadingEnd = "The sleep timer stops at the end of this heading, in ";

  t.copy = "&Copy";
  t.selectAll = "Select &all";
}

}  // namespace orbis
