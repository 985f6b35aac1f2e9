#pragma once
#include <string>

namespace orbis {

// How the current phrase is marked in the text view; exactly one style is in force.
enum class HighlightMode { Background, Italic, Bold, FontColor };

// What a load found, so the caller knows whether to hand volume and rate to the player:
// without a readable value the player keeps its own.
struct SettingsLoadResult {
  bool fileRead = false;
  bool volumeRead = false;
  bool rateRead = false;
};

// The user settings, one set for all books. Read once from "Settings.dl" at start, written
// once, whole, at exit. The member names are the names the rest of the program uses.
struct Settings {
  // Start-focus values: the control that gets the focus after a book is opened.
  static constexpr int kFocusTextView = 0;
  static constexpr int kFocusCurrentText = 1;
  static constexpr int kFocusButtons = 2;
  static constexpr int kFocusTree = 3;
  static constexpr const char* kDefaultHighlightColor = "#ff8000";
  static constexpr int kLineCount = 23;

  int Volume = 100;  // 0..100; the player's own value until a file says otherwise
  double Rate = 1.0;
  bool SkipFootnotes = false;
  bool SkipSidebars = false;
  bool SkipProducerNotes = false;
  bool SkipPageNumbers = false;
  bool AutoPlay = true;
  HighlightMode Highlight = HighlightMode::Background;
  std::string HighlightColor = kDefaultHighlightColor;
  int Language = 0;  // 0 German, 1 English; other stored values are kept and select neither
  bool SearchBookOnStart = true;
  bool SoundOnHeadingChange = true;
  bool HideButtons = false;
  bool HideCurrentText = false;
  bool SoundOnSubLevels = true;
  int StartFocus = kFocusTree;
  bool AlwaysShowTree = true;
  bool TreeVisible = true;    // AlwaysShowTree as it was when the settings were loaded
  std::string ZipTempFolder;  // ends in "/"
  bool CheckUpdatesOnStart = false;

  // The defaults for a data folder ending in "/".
  static Settings defaults(const std::string& dataFolder);
  static std::string defaultZipTempFolder(const std::string& dataFolder);

  // A start focus on a control that is hidden falls back to the text view.
  void applyFocusRules();

  // Resets to the defaults, creates the folders "ZipTemp/" (when the default is in use) and
  // "Profiles/" in the data folder, and reads the file when it exists. A missing, short or
  // damaged file never fails: what cannot be read keeps its default, except automatic playback
  // and the start focus, which a file without them turns off and to the text view.
  // Lines may end in CR LF or LF alike.
  SettingsLoadResult load(const std::string& path, const std::string& dataFolder);
  // Every line ends in CR LF. False when the file could not be written; the old file then stays.
  bool save(const std::string& path) const;

  bool operator==(const Settings&) const = default;
};

}  // namespace orbis
