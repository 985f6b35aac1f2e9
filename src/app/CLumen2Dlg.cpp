#include "app/CLumen2Dlg.h"

#include "library/EpubFile.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "app/ButtonFaces.h"
#include "app/Relabel.h"
#include "app/TextViewBinding.h"
#include "app/Version.h"
#include "commands/CommandIds.h"
#include "commands/MainMenu.h"
#include "library/BookFromList.h"
#include "library/CChooseBookOnCD.h"
#include "library/DaisyLoad.h"
#include "library/EpubFile.h"
#include "library/VolumeChange.h"
#include "settings/BuiltinKeys.h"
#include "settings/CDefineKeys.h"
#include "settings/CSettings.h"
#include "sounds/InterfaceSounds.h"
#include "texts/UiTexts.h"

namespace orbis {

namespace {
constexpr unsigned kFocusAnswerTag = 0x534B0000u;
// Windows virtual-key codes of the keys the filter knows by themselves.
constexpr int kVkTab = 9;
constexpr int kVkEscape = 27;
constexpr int kVkSpace = 32;
constexpr int kVkF1 = 112;
constexpr int kVkF6 = 117;
}  // namespace

namespace {

HighlightStyle styleOf(const Settings& settings) {
  HighlightStyle style;
  style.background = settings.Highlight == HighlightMode::Background;
  style.italic = settings.Highlight == HighlightMode::Italic;
  style.bold = settings.Highlight == HighlightMode::Bold;
  style.fontColour = settings.Highlight == HighlightMode::FontColor;
  style.colour = settings.HighlightColor;
  return style;
}

void storeStyle(const HighlightStyle& style, Settings& settings) {
  using Stored = HighlightMode;
  settings.Highlight = style.background   ? Stored::Background
                       : style.fontColour ? Stored::FontColor
                       : style.bold       ? Stored::Bold
                                          : Stored::Italic;
  settings.HighlightColor = style.colour;
}

int styleCommand(const HighlightStyle& style) {
  return style.background   ? cmd::kMarkBackground
         : style.fontColour ? cmd::kMarkTextColor
         : style.bold       ? cmd::kMarkBold
                            : cmd::kMarkItalic;
}

const std::vector<int> kStyleCommands = {cmd::kMarkBackground, cmd::kMarkItalic, cmd::kMarkBold,
                                         cmd::kMarkTextColor};

}  // namespace

CLumen2Dlg::CLumen2Dlg(AppFolders folders, MainPorts ports)
    : folders_(std::move(folders)),
      ports_(ports),
      menu_(buildMainMenu()),
      driveItems_(menu_, commands_, ports_.drives, [this] { rebuildAccelerators(); }) {
  menu_.onRedraw([this] {
    offerOnlyCommandsWithHandlers();
    ports_.view.redrawMenu();
  });
  createReading();
  registerCommands();
}

CLumen2Dlg::~CLumen2Dlg() {
  ports_.timers.setHandler(nullptr);
  ports_.player.onPlayStateChange(nullptr);
  ports_.player.onError(nullptr);
  ports_.textView.onZoomWheel(nullptr);
  bookmarks_.reset();
  search_.reset();
  information_.reset();
  update_.reset();
  zipBook_.reset();
  navigator_.reset();
  panel_.reset();
  session_.reset();
  text_.reset();
}

void CLumen2Dlg::createReading() {
  // The hooks reach the text view only when they run, after both parts exist.
  PlaybackHooks playback;
  playback.navigate = [this](const std::string& document) { text_->navigate(document); };
  playback.highlightPhrase = [this](const std::string& fragment) {
    text_->highlightPhrase(fragment);
  };
  playback.highlightSearchTerm = [this] { text_->highlightSearchTerm(); };
  playback.setButtonAlternate = [this](int id, bool alternate) {
    ports_.view.setButtonAlternate(id, alternate);
  };
  playback.focusControl = [this](int id) { ports_.view.focusControl(id); };
  playback.focusedControl = [this] { return ports_.view.focusedControl(); };
  playback.setSliderPositions = [this](int volume, int speed) {
    ports_.panel.setSliderPositions(volume, speed);
  };
  playback.textSearchActive = [this] { return search_->textSearchActive(); };
  playback.clearSearchHits = [this] { search_->clearHits(); };
  playback.phraseText = [this](const std::string& fragment) {
    return text_->phraseText(fragment);
  };
  playback.addBookmarkListEntry = [this](const std::string& text) {
    return panel_->append(kPanelBookmarks, text);
  };

  LibraryHooks library;
  library.showStartPage = [this] { text_->showStartPage(languageIndex()); };
  library.forgetHighlight = [this] { text_->forgetHighlight(); };
  library.clearSearchHighlight = [this] { text_->setSearchTerm({}, false); };
  library.clearStructureLists = [this] { panel_->clearLists(); };
  library.fillGroupList = [this](const std::vector<std::string>& groups) {
    panel_->setEntries(kPanelGroups, groups);
  };
  library.positionRestored = [this] { navigator_->markPageOfCurrentPhrase(); };
  library.epubFolder = [this](const std::string& file) {
    return epubBookFolder(
        EpubFileContext{zipReader_, ports_.dialogs, ports_.busyNote, folders_.cacheFolder}, file);
  };

  session_ = std::make_unique<BookSession>(
      BookSessionContext{tables_, tree_, book_, menu_, settings_, ports_.player, ports_.speech,
                         ports_.timers,
                         ports_.sounds, ports_.dialogs, folders_,
                         [this](const std::string& folder) {
                           return runLoader ? runLoader(folder)
                                            : loadDaisyBook(tree_, tables_, ports_.dialogs, folder);
                         },
                         playback, library});

  text_ = std::make_unique<TextViewBinding>(TextViewContext{
      ports_.textView, tables_, tree_, book_, session_->state(), ports_.player, ports_.dialogs,
      folders_, [this](const std::string& text) { ports_.view.setCurrentText(text); },
      [this] { return session_->state().autoPlayback; },
      [this](int id) {
        menu_.setRadioChecked(kStyleCommands, id);
        menu_.redraw();
      }});

  panel_ = std::make_unique<StructurePanel>(PanelContext{
      ports_.panel, ports_.view, tree_, session_->audio(), ports_.sounds, folders_.programFolder});
  navigator_ = std::make_unique<Navigator>(NavigationContext{
      tables_, tree_, book_, menu_, settings_, session_->state(), ports_.player,
      session_->phrasePlayer(), session_->audio(), ports_.dialogs, ports_.view, *panel_});
  bookmarks_ = std::make_unique<Bookmarks>(BookmarkContext{tables_, tree_, book_, menu_,
                                                           session_->state(), ports_.player,
                                                           session_->phrasePlayer(), *panel_});
  search_ = std::make_unique<Search>(
      SearchContext{tables_, tree_, book_, menu_, session_->state(), session_->phrasePlayer(),
                    session_->audio(), ports_.dialogs, ports_.busyNote, ports_.textView, *panel_,
                    [this](const std::string& term, bool textSearch) {
                      text_->markSearchTerm(term, textSearch);
                    }});
  information_ = std::make_unique<BookInformation>(InformationContext{
      tables_, book_, ports_.player, session_->audio(), ports_.dialogs, session_->sleepTimer()});
  zipBook_ = std::make_unique<ZipBook>(ZipBookContext{*session_, ports_.dialogs, ports_.busyNote,
                                                      settings_, zipReader_, kProgramName});
  update_ = std::make_unique<UpdateCheck>(
      UpdateContext{ports_.http, ports_.processes, ports_.dialogs, session_->audio(),
                    folders_.programFolder, kProgramName, [this] {
                      updaterRequested_ = true;
                      onClose();
                    }});

  zoom_ = std::make_unique<TextZoom>(ports_.textView, preferencesPath());
  // The wheel goes through the commands, so that it is held back where the keys are.
  ports_.textView.onZoomWheel([this](int steps) {
    for (int step = 0; step < std::abs(steps); ++step) {
      onCommand(steps > 0 ? cmd::kZoomIn : cmd::kZoomOut);
    }
  });

  ports_.timers.setHandler([this](int id) { session_->onTimer(id); });
  ports_.player.onPlayStateChange([this](PlayState state) { session_->onPlayStateChange(state); });
  ports_.player.onError([this] { session_->onPlayerError(); });
}

void CLumen2Dlg::registerCommands() {
  CommandTable& c = commands_;
  c.add(cmd::kExit, [this] { onClose(); });
  c.add(cmd::kGerman, [this] { languageCommand(kLanguageGerman); });
  c.add(cmd::kEnglish, [this] { languageCommand(kLanguageEnglish); });
  c.add(cmd::kHelp, [this] { openHelp(); });
  // The about box is modal: reading pauses while it is open.
  c.add(cmd::kAbout, [this] { session_->duringModal([this] { ports_.view.showAboutBox(); }); });
  c.add(cmd::kBraille, [this] { focusBraille(); });
  c.add(cmd::kGlobalSettings, [this] { globalSettings(); });
  c.add(cmd::kKeyAssignment, [this] { keyAssignment(); });
  for (int id : kStyleCommands) {
    c.add(id, [this, id] {
      text_->runStyleCommand(id);
      storeStyle(text_->style(), settings_);
    });
  }
  c.add({cmd::kBookmarkList, ctl::kButtonBookmarks}, [this] { panel_->open(kPanelBookmarks); });
  c.add({cmd::kSearchList, ctl::kButtonSearch}, [this] { panel_->open(kPanelSearchHits); });
  c.add(ctl::kButtonGroups, [this] { panel_->open(kPanelGroups); });
  c.add(ctl::kButtonVolume, [this] { panel_->open(kPanelVolume); });
  c.add(ctl::kButtonSpeed, [this] { panel_->open(kPanelSpeed); });
  session_->registerCommands(c);
  c.add(cmd::kChangeVolume,
        [this] { VolumeChange(*session_, book_, tables_, tree_, ports_.dialogs).run(); });
  c.add(cmd::kOpenFromList, [this] {
    BookFromList({*session_, ports_.drives, ports_.libraryDialogs, ports_.busyNote, ports_.dialogs,
                  folders_.dataFolder})
        .run();
  });
  navigator_->registerCommands(c);
  bookmarks_->registerCommands(c);
  search_->registerCommands(c);
  information_->registerCommands(c);
  update_->registerCommands(c);
  zipBook_->registerCommands(c);
  zoom_->registerCommands(c);
  // A key straight into the sleep timer's choices, offered while they can be chosen.
  c.add(
      cmd::kSleepTimerMenu, [this] { ports_.view.popUpSubmenu(cmd::kSleepOff); },
      [this] { return menu_.isReachable(cmd::kSleepOff); });
}

// A command is offered only where it can act: an item or button whose work is not there yet is
// grayed rather than left to do nothing when the reader chooses it.
void CLumen2Dlg::offerOnlyCommandsWithHandlers() {
  menu_.walk([this](MenuItem& item, int) {
    if (!item.popup && !item.separator && item.id != 0 && !commands_.has(item.id)) {
      item.enabled = false;
    }
  });
}

void CLumen2Dlg::onDrivesChanged() {
  driveItems_.update();
}

void CLumen2Dlg::onInitDialog() {
  playSound("OrbisVeloraStarted.wav", false);
  driveItems_.update();
  ensureActiveKeyFile(folders_.programFolder, folders_.activeKeyTable(), menu_.commandCount());
  relabel();
  loadSettings();
  zoom_->restore();
  onSize();
  session_->clearBook();
  for (const ButtonFaces& button : buttonFaces()) {
    ports_.view.setControlEnabled(button.id, commands_.has(button.id));
  }
  ports_.view.focusControl(ctl::kTextView);
}

void CLumen2Dlg::onStartUpdateCheck() {
  if (settings_.CheckUpdatesOnStart && !closing_) update_->check(false);
}

void CLumen2Dlg::openBookAtStart(const std::string& bookPath) {
  if (isEpubFile(bookPath)) {
    session_->openBookFile(bookPath);
    return;
  }
  std::error_code error;
  std::string folder = bookPath;
  if (!std::filesystem::is_directory(bookPath, error)) {
    // An ncc.html names its folder.
    folder = std::filesystem::path(bookPath).parent_path().string();
  }
  if (folder.empty()) folder = ".";
  folder = std::filesystem::absolute(folder, error).lexically_normal().string();
  session_->openBookFolder(withTrailingSlash(folder));
}

void CLumen2Dlg::onDriveSearchRequest(int automatic) {
  CChooseBookOnCD chooser(ports_.drives, automatic != 0);
  // Only the automatic search exists: nothing offers the chooser to the reader.
  if (const auto folder = chooser.firstBook()) session_->openBookFolder(*folder);
}

void CLumen2Dlg::onMenuOpened() {
  session_->onMenuOpened();
}
void CLumen2Dlg::onMenuClosed() {
  session_->onMenuClosed();
}

// The braille display follows the current text line; without it, the text view.
void CLumen2Dlg::focusBraille() {
  ports_.view.focusControl(settings_.HideCurrentText ? ctl::kTextView : ctl::kCurrentText);
}

void CLumen2Dlg::loadSettings() {
  settings_ = Settings::defaults(folders_.dataFolder);
  const SettingsLoadResult loaded = settings_.load(settingsPath(), folders_.dataFolder);
  session_->applySettings(loaded);
  text_->style() = styleOf(settings_);
  menu_.setRadioChecked(kStyleCommands, styleCommand(text_->style()));
  // A stored language other than German or English keeps the German texts with no language
  // item marked.
  if (settings_.Language == kLanguageGerman || settings_.Language == kLanguageEnglish) {
    languageCommand(settings_.Language);
  }
}

void CLumen2Dlg::relabel() {
  relabelMenu(menu_, uiTexts(), languageIndex());
  driveItems_.relabel();
  relabelControls(ports_.view, uiTexts());
  rebuildAccelerators();
}

// The key hints go behind the freshly set menu texts, so they never pile up. The information
// sentences have no menu item to show a hint, but a key assigned to them works all the same.
void CLumen2Dlg::rebuildAccelerators() {
  accelerators_.rebuild(menu_, folders_.activeKeyTable(), ports_.keyNames, hiddenMenuCommands());
}

bool CLumen2Dlg::onCommand(int id) {
  // A grayed item does nothing, whether it is chosen in the menu or by its key.
  if (!menu_.isReachable(id)) return false;
  return commands_.run(id);
}

void CLumen2Dlg::onSize() {
  LayoutInput input;
  input.clientWidth = ports_.view.clientWidth();
  input.clientHeight = ports_.view.clientHeight();
  input.buttonSize = kButtonSize;
  input.currentTextHeight = kCurrentTextHeight;
  input.hideButtons = settings_.HideButtons;
  input.hideCurrentText = settings_.HideCurrentText;
  input.treeVisible = settings_.TreeVisible;
  layout_ = layoutMainWindow(input);
  ports_.view.applyLayout(layout_);
  if (menu_.isEnabled(cmd::kBraille) != layout_.brailleEnabled) {
    menu_.setEnabled(cmd::kBraille, layout_.brailleEnabled);
    ports_.view.redrawMenu();
  }
}

void CLumen2Dlg::languageCommand(int index) {
  if (index != kLanguageGerman && index != kLanguageEnglish) return;
  languageIndex() = index;
  settings_.Language = index;
  fillTexts(uiTexts(), index);
  if (onLanguageChanged) onLanguageChanged(index);
  if (!book_.open) text_->showStartPage(index);
  relabel();
}

std::string CLumen2Dlg::startPagePath() const {
  return folders_.programFolder + toProgramRelativePath(uiTexts().startPage);
}

std::string CLumen2Dlg::helpFilePath() const {
  // The manuals ship as HTML pages beside the names the help table gives them.
  std::string name = uiTexts().helpFile;
  if (auto dot = name.rfind(".chm"); dot != std::string::npos && dot + 4 == name.size()) {
    name.replace(dot, 4, ".html");
  }
  return folders_.programFolder + "Documents/Manuals/" + name;
}

void CLumen2Dlg::openHelp() {
  ports_.shell.openDocument(helpFilePath());
}

void CLumen2Dlg::onClose() {
  if (closing_) return;
  closing_ = true;
  session_->shutdown();
  storeStyle(text_->style(), settings_);
  settings_.save(settingsPath());
  ports_.view.endDialog();
}

void CLumen2Dlg::onDestroy() {
  if (updaterRequested_) return;
  playSound("OrbisVeloraClosed.wav", true);
}

unsigned CLumen2Dlg::onFocusQuery() const {
  const int focused = ports_.view.focusedControl();
  if (focused < 0) return kFocusAnswerTag;
  return kFocusAnswerTag | (static_cast<unsigned>(focused) & 0xFFFFu);
}

void CLumen2Dlg::onFocusTextView() {
  ports_.view.focusControl(ctl::kTextView);
}

void CLumen2Dlg::playSound(const std::string& name, bool wait) {
  InterfaceSounds(ports_.sounds, folders_.programFolder).play(name, wait);
}

void CLumen2Dlg::globalSettings() {
  session_->duringModal([this] {
    const int focused = ports_.view.focusedControl();
    CSettings dialog(settings_, ports_.dialogs, processEnvironment("HOME").value_or("/"));
    ports_.dialogs.runSettings(dialog);
    applyChangedSettings(focused);
  });
}

// What the settings dialog changed shows at once: the buttons, the current text line and the
// place of the headings tree. The focus goes back where it was unless that is hidden now.
void CLumen2Dlg::applyChangedSettings(int focused) {
  if (settings_.TreeVisible != settings_.AlwaysShowTree) {
    settings_.TreeVisible = settings_.AlwaysShowTree;
    // The tree moves into the window: the panel must not go on showing it.
    if (settings_.TreeVisible && panel_->isShown() && panel_->mode() == kPanelHeadings) {
      panel_->dismiss();
    }
  }
  onSize();
  if (focused > 0 && !ports_.view.controlVisible(focused)) {
    ports_.view.focusControl(ctl::kTextView);
  }
}

// The dialog writes every change to the key file at once, so the keys are read again however
// it was closed.
void CLumen2Dlg::keyAssignment() {
  session_->duringModal([this] {
    CDefineKeys dialog(KeyDialogContext{menu_, uiTexts().menulessCommands,
                                        folders_.activeKeyTable(),
                                        folders_.dataFolder + "Profiles/", folders_.programFolder,
                                        ports_.keyNames, ports_.dialogs, ports_.sounds});
    ports_.dialogs.runKeyAssignment(dialog);
    rebuildAccelerators();
  });
}

}  // namespace orbis

namespace orbis {

bool CLumen2Dlg::onKeyDown(int virtualKey, bool ctrl, bool alt, bool shift) {
  if (auto command = accelerators_.commandFor(virtualKey, ctrl, alt, shift)) {
    onCommand(*command);
    return true;
  }
  const int focused = ports_.view.focusedControl();
  switch (virtualKey) {
    case kVkSpace:
      // The views that would swallow Space pause or continue instead.
      if (focused == ctl::kTextView || focused == ctl::kPlayer || focused == ctl::kCurrentText) {
        onCommand(cmd::kPauseContinue);
        return true;
      }
      return false;
    case kVkEscape:
      return true;  // never closes the main window
    case kVkF1:
      openHelp();
      return true;
    case kVkTab:
      if (focused < 0) return false;
      tabFocus();
      return true;
    case kVkF6:
      structureViewKey();
      return true;
    default:
      return false;
  }
}

// Tab walks text view, current text line, tool buttons, tree and back to the text view,
// passing over whatever is hidden. Shift is not looked at: both directions move alike.
void CLumen2Dlg::tabFocus() {
  const int focused = ports_.view.focusedControl();
  const bool currentText = !settings_.HideCurrentText;
  const bool buttons = !settings_.HideButtons;
  const bool tree = settings_.TreeVisible;
  int target = focused;
  if (focused == ctl::kTextView) {
    target = currentText ? ctl::kCurrentText
             : buttons   ? ctl::kButtonOpen
             : tree      ? ctl::kTree
                         : focused;
  } else if (focused == ctl::kCurrentText) {
    target = buttons ? ctl::kButtonOpen : tree ? ctl::kTree : ctl::kTextView;
  } else {
    target = (focused != ctl::kTree && tree) ? ctl::kTree : ctl::kTextView;
  }
  if (target != focused) ports_.view.focusControl(target);
}

// F6 jumps into the headings tree with the structure sound and the level of the selected
// heading, and from the tree back to where the reader came from.
void CLumen2Dlg::structureViewKey() {
  const int focused = ports_.view.focusedControl();
  if (settings_.TreeVisible && focused == ctl::kTree) {
    const bool back = focusBeforeTree_ > 0 && ports_.view.controlVisible(focusBeforeTree_);
    ports_.view.focusControl(back ? focusBeforeTree_ : ctl::kTextView);
    return;
  }
  if (tree_.empty()) return;
  playSound("StructureView.wav", true);
  if (settings_.SoundOnHeadingChange) {
    playSound("Level" + std::to_string(tree_.depth(tree_.selected())) + ".wav", true);
  }
  if (settings_.TreeVisible) {
    focusBeforeTree_ = focused;
    ports_.view.focusControl(ctl::kTree);
  } else {
    panel_->open(kPanelHeadings);
  }
}

}  // namespace orbis
