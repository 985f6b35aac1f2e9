#include "texts/UiTexts.h"

namespace orbis {

void fillGermanTexts(UiTexts& t) {
  t.menuBar = {"&DAISY",       "&Navigation", "&Audio",        "&Text",
               "&Lesezeichen", "&Suche",      "Einstellungen", "Hilfe"};

  t.menuItems = {
      // DAISY
      {32774, "&Öffnen"},
      {33012, "V&on Liste"},
      {33050, "Daisybuch aus Archiv entpacken und öffnen..."},
      {32780, "&Letztes"},
      {33009, "&Wechseln"},
      {33053, "Buch-Information"},
      {33054, "Titel-Information"},
      // The language names read the same in both languages.
      {32953, "Deutsch"},
      {32954, "English"},
      {32772, "Beenden"},
      // Navigation
      {32965, "Ebenen anzeigen..."},
      {32778, "vorwärts"},
      {32779, "rückwärts"},
      {32991, "nächste"},
      {32979, "vorherige"},
      {32984, "nächste"},
      {32982, "vorherige"},
      {32983, "Gehe zu..."},
      {32785, "Fußnote"},
      {32786, "Seitenrand"},
      {32787, "Information"},
      {33011, "Seitenzahl"},
      // Audio
      {32808, "Pause/Fortsetzen"},
      {32840, "&Autom. Wiedergabe"},
      {33071, "Text ohne Audio vorlesen"},
      {32793, "lauter"},
      {32800, "normal"},
      {32795, "leiser"},
      {32797, "schneller"},
      {32801, "normal"},
      {32799, "langsamer"},
      {32805, "vorwärts"},
      {32807, "rückwärts"},
      {33101, "10 Sekunden zurück"},
      {33102, "10 Sekunden vor"},
      {33103, "1 Minute zurück"},
      {33104, "1 Minute vor"},
      {33110, "Aus"},
      {33111, "15 Minuten"},
      {33112, "30 Minuten"},
      {33113, "45 Minuten"},
      {33114, "60 Minuten"},
      {33115, "90 Minuten"},
      {33116, "Am Ende dieser Überschrift"},
      // Text
      {32966, "Text fokussieren..."},
      {33036, "Braille- Text fokussieren..."},
      {32844, "Hintergrund"},
      {32847, "Kursiv"},
      {32846, "Fett"},
      {32848, "Schriftfarbe"},
      {33120, "Größer"},
      {33121, "Kleiner"},
      {33122, "Normale Größe"},
      // Lesezeichen
      {32851, "Setzen"},
      {32859, "Löschen"},
      {32860, "Nächstes"},
      {32854, "Vorheriges"},
      {33034, "Liste..."},
      // Suche
      {32861, "in Überschriften"},
      {32862, "im Text"},
      {32881, "im Buch"},
      {32863, "Nächstes"},
      {32858, "Vorhe&riges"},
      {33035, "Liste..."},
      // Einstellungen
      {33032, "Globale Einstellungen"},
      {33033, "Tastaturbelegung"},
      // Hilfe
      {32867, "Hilfe"},
      {32866, "Über..."},
      {33056, "Auf Aktualisierungen überprüfen..."},
  };

  t.submenus = {
      {"Sprache", "Sprache"},
      {"&Phrase", "&Phrase"},
      {"&Gruppe", "&Gruppe"},
      {"&Seite", "&Seite"},
      {"Überspringen", "Überspringen"},
      {"&Lautstärke", "&Lautstärke"},
      {"Gesch&windigkeit", "Gesch&windigkeit"},
      {"Sp&ulen", "Sp&ulen"},
      {"Hervorheben", "Hervorheben"},
      {"Sp&ringen", "Sp&ringen"},
      {"&Einschlaftimer", "&Einschlaftimer"},
      {"Schrift&größe", "Schrift&größe"},
  };

  t.buttons = {
      {32774, "Daisy- Buch öffnen"},
      {1045, "Ebenen anzeigen"},
      {1047, "Gruppen anzeigen"},
      {1048, "Lesezeichen anzeigen"},
      {1049, "Suchbegriffe anzeigen"},
      {1050, "Abspielen"},
      {1052, "Stop"},
      {1053, "Lautstärke einstellen"},
      {1054, "Stummschaltung"},
      {1051, "Rückwärts"},
      {1055, "Vorwärts"},
      {1058, "Geschwindigkeit einstellen"},
      {32775, "Vorherige Ebene"},
      {1056, "Nächste Ebene"},
      {1057, "Vorheriger Satz"},
      {1059, "Nächster Satz"},
      {1060, "Vorherige Seite"},
      {1061, "Nächste Seite"},
      {1062, "Lesezeichen setzen"},
  };

  t.menulessCommands = {
      {32828, "Buch-Information -> Spieldauer -> Gesamt"},
      {32829, "Buch-Information -> Spieldauer -> Gehört"},
      {32830, "Buch-Information -> Spieldauer -> Rest"},
      {32827, "Buch-Information -> Einträge"},
      {32815, "Buch-Information -> Ebenen"},
      {32850, "Titel-Information -> Spieldauer -> Gesamt"},
      {32832, "Titel-Information -> Spieldauer -> Gehört"},
      {32849, "Titel-Information -> Spieldauer -> Rest"},
      {32824, "Titel-Information -> Index"},
      {32825, "Titel-Information -> Ebene"},
      {33117, "Audio -> Einschlaftimer -> Menü öffnen"},
      {33118, "Audio -> Einschlaftimer -> Restzeit"},
  };

  t.labelTextView = "&Textansicht";
  t.labelCurrentText = "Aktuelle Te&xtzeile";
  t.labelHeadings = "Ebenen";
  t.driveEject = "herausfahren";
  t.driveInsert = "hineinfahren";
  t.alreadyRunning = "Orbis Velora ist bereits aktiv.";
  t.aboutMenuItem = "&Info über Orbis Velora v 1.0...";
  t.helpFile = "ORVEL-DE.chm";
  t.startPage = "\\documents\\html\\start_de.html";
  t.infoCaption = "Information";

  t.openingBook = "Buch wird geöffnet. Bitte warten...";
  t.nccOpenFailed = "Die ncc.html konnte nicht geöffnet werden!";
  t.nccReadErrorCaption = "Lesefehler - ncc.html";
  t.packageOpenFailed = "Die Paketdatei (.opf) des Buches konnte nicht gelesen werden!";
  t.packageReadErrorCaption = "Lesefehler - Paketdatei";
  t.epubEncrypted =
      "Dieses EPUB-Buch ist verschlüsselt (Kopierschutz) und kann nicht gelesen werden.";
  t.epubUnpackFailed =
      "Das EPUB-Buch konnte nicht entpackt werden. Die Datei ist beschädigt, zu groß, oder auf dem "
      "Datenträger ist kein Platz.";
  t.bookFileFilter = "DAISY-Bücher";
  t.openBookTitle = "Buch öffnen...";
  t.of = "von";
  t.entriesRead = "%i Einträge von %i gelesen...";
  t.browseForBook = "Ein Buch suchen...";
  t.audioMissing = "Die Audiodateien dieses Buches fehlen oder können nicht abgespielt werden.";
  t.speechMissing = "Text ohne Audio kann nicht vorgelesen werden: Es ist keine Sprachausgabe (Speech Dispatcher) erreichbar.";

  t.createListQuestion = "Liste erstellen?";
  t.searchingForDaisy = "DAISY suchen...";
  t.withoutTitle = "Ohne Titel";
  t.oneBookFound = "Ein Buch gefunden.";
  t.driveColumn = "LW";
  t.driveNameColumn = "Bezeichnung";
  t.selectDrive = "Bitte ein Laufwerk auswählen...";
  t.searchRunning = "Suche läuft. Bitte warten...";
  t.withoutTitleShort = "Ohne Titel";
  t.booksFound = "%i Bücher gefunden";

  t.gotoPageCaption = "Gehe zu Seite...";
  t.gotoPagePrompt =
      "Bitte geben Sie eine Seitenzahl ein und drücken Sie Enter oder ESC zum Abbrechen.";
  t.pageNotFound = "Die angegebene Seite wurde nicht gefunden.";
  t.pageNotFoundCaption = "Gehe zu Seite...";

  t.searchCaption = "Suche...";
  t.searchPrompt = "Bitte geben Sie hier einen Suchbegriff ein...";
  t.searchHits = "%i Treffer.";

  t.titleNotInBook =
      "Der ausgewählte Titel ist nicht Bestandteil dieses Buches.\n\n"
      "Drücken Sie Abbrechen, um zum Buch zurückzukehren oder\n"
      "Wiederholen, um einen anderen Titel auszuwählen oder\n"
      "Ignorieren, um diesen Titel als Bestandteil zu öffnen.";
  t.changeVolumeCaption = "Wechseln...";

  t.totalTime = "Gesamtspieldauer";
  t.elapsedTime = "Gehörte Spieldauer";
  t.remainingTime = "Restliche Spieldauer";
  t.oneHour = "eine Stunde";
  t.hours = "Stunden";
  t.oneMinute = "eine Minute";
  t.minutes = "Minuten";
  t.oneSecond = "eine Sekunde";
  t.seconds = "Sekunden";
  t.andWord = "und";
  t.oneEntryInBook = "Ein Eintrag in diesem Buch.";
  t.entriesInBook = "Einträge in diesem Buch.";
  t.oneLevelBook = "Dieses Buch ist in einer Hierarchieebene gegliedert.";
  t.levelsFirstPart = "Dieses Buch ist in";
  t.levelsSecondPart = "Hierarchieebenen gegliedert.";
  t.atHeading = "Sie befinden sich auf Überschrift";
  t.ofTotal = "von insgesamt";
  t.onLevel = "Sie befinden sich auf Ebene";
  t.infoRowEntries = "Einträge";
  t.infoRowLevels = "Hierarchieebenen";
  t.infoRowHeading = "Überschrift";
  t.infoRowLevel = "Ebene";
  t.infoRowBookTitle = "Titel";
  t.infoRowCreator = "Autor";
  t.infoRowDate = "Datum";
  t.infoRowLanguage = "Sprache";
  t.infoRowPublisher = "Verlag";
  t.infoRowNarrator = "Sprecher";
  t.infoColumnInformation = "Information";
  t.infoColumnValue = "Wert";

  t.searchBookOnStartOption = "Beim Start nach Daisy- Buch im Laufwerk suchen";
  t.soundOnHeadingChangeOption = "Sound beim Strukturwechsel abspielen";
  t.hideButtonsOption = "Schalter ausblenden";
  t.hideCurrentTextOption = "Aktuelle Textzeile ausblenden";
  t.soundOnSubLevelsOption = "Sound bei Unterebenen abspielen";
  t.startFocusGroup = "Fokus setzen beim Start in...";
  t.startFocusHeadingsTree = "&Ebenen- Strukturansicht";
  t.startFocusButtons = "&Schalter";
  t.alwaysShowTreeOption = "Ebenen- Strukturansicht immer anzeigen";
  t.startFocusMissing = "Bitte Fokus-Einstellungen setzen!";
  t.checkUpdatesOnStartOption = "Auf Aktualisierungen überprüfen beim Programmstart";

  t.keyFunctionLabel = "Funktion";
  t.keyHotkeyLabel = "Tastenkombination";
  t.keySave = "&Speichern";
  t.ok = "&OK";
  t.cancel = "Abbre&chen";
  t.restoreDefaultKeys = "2.0 Werte wiederherstellen";
  t.saveKeyProfile = "Als Profil speichern...";
  t.loadKeyProfile = "Profil laden...";
  t.keyAlreadyUsed = "Tastenkürzel ist schon für die Funktion %s vergeben! Überschreiben?";
  t.keyProfileFilter = "Profil- Dateien (*.kbd)|*.kbd||";
  t.keyProfileCopyFailed = "Das Profil %s konnte nicht kopiert werden.";
  t.keyFileWriteFailed = "Die Tastaturbelegung konnte nicht gespeichert werden.";

  t.zipOutputFolderTitle = "Zielordner definieren";
  t.zipUseTempFolder = "Temporären Auspackordner benutzen?";
  t.zipDefineTempFolderFirst = "Bitte erst temporären Auspackordner definieren!";
  t.zipUnpacking = "Das Archiv wird entpackt. Bitte warten...";
  t.zipTempFolderLabel = "Temporärer Auspackordner für Daisy- Archiv";

  t.noUpdatesAvailable = "Keine Aktualisierungen verfügbar!";
  t.updateAvailable = "Neue Dateien sind verfügbar. Fortfahren?";
  t.updateServerUnreachable =
      "Der Aktualisierungsserver ist nicht erreichbar. Bitte später erneut versuchen.";
  t.updaterMissing =
      "Eine neue Version ist verfügbar, aber das Aktualisierungsprogramm ist nicht installiert. "
      "Bitte aktualisieren Sie über die Paketverwaltung Ihres Systems.";
  t.updatesByPackageManager =
      "Aktualisierungen erhalten Sie über die Paketverwaltung Ihres Systems.";

  t.panelBookmarks = "Lesezeichen";
  t.panelGroups = "Gruppen";
  t.panelSearches = "Suchbegriffe";

  t.sleepTimerOff = "Der Einschlaftimer ist aus.";
  t.sleepTimeLeft = "Der Einschlaftimer läuft noch ";
  t.sleepUntilHeadingEnd = "Der Einschlaftimer hält am Ende dieser Überschrift an, in ";

  t.copy = "&Kopieren";
  t.selectAll = "&Alles markieren";
}

}  // namespace orbis
