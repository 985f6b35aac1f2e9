#include "settings/Settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "settings/Enigma.h"
#include "settings/LineFile.h"
#include "support/TempDir.h"

namespace orbis {
namespace {

using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

// The plain lines of a file that differs from the defaults in every setting.
Lines changedLines() {
  // Both colour lines hold the one HighlightColor, as a save writes them.
  return {"35",      "1.500000", "1", "1", "1", "1", "0", "0", "#aabbcc", "0",          "0", "1",
          "#aabbcc", "1",        "0", "0", "0", "0", "0", "1", "1",       "/tmp/zips/", "1"};
}

class SettingsFile : public ::testing::Test {
 protected:
  std::string data() const { return dir.str() + "/"; }
  std::string path() const { return dir.str() + "/Settings.dl"; }
  SettingsLoadResult loadLines(const Lines& lines) {
    EXPECT_TRUE(writeLineFile(path(), lines, true));
    return settings.load(path(), data());
  }
  testing::TempDir dir;
  Settings settings;
};

TEST_F(SettingsFile, WithoutAFileTheDefaultsStandAndTheFoldersAreMade) {
  settings.AutoPlay = false;  // left over from elsewhere: loading starts from the defaults
  const SettingsLoadResult result = settings.load(path(), data());
  EXPECT_FALSE(result.fileRead);
  EXPECT_FALSE(result.volumeRead);
  EXPECT_FALSE(result.rateRead);
  EXPECT_EQ(settings, Settings::defaults(data()));
  EXPECT_TRUE(settings.AutoPlay);
  EXPECT_EQ(settings.Highlight, HighlightMode::Background);
  EXPECT_EQ(settings.HighlightColor, "#ff8000");
  EXPECT_TRUE(settings.SearchBookOnStart);
  EXPECT_TRUE(settings.SoundOnHeadingChange);
  EXPECT_TRUE(settings.SoundOnSubLevels);
  EXPECT_TRUE(settings.AlwaysShowTree);
  EXPECT_TRUE(settings.TreeVisible);
  EXPECT_EQ(settings.StartFocus, Settings::kFocusTree);
  EXPECT_FALSE(settings.CheckUpdatesOnStart);
  EXPECT_FALSE(settings.SkipFootnotes || settings.SkipSidebars || settings.SkipProducerNotes ||
               settings.SkipPageNumbers || settings.HideButtons || settings.HideCurrentText);
  EXPECT_EQ(settings.Language, 0);
  EXPECT_EQ(settings.ZipTempFolder, data() + "ZipTemp/");
  EXPECT_TRUE(fs::is_directory(dir.path() / "ZipTemp"));
  EXPECT_TRUE(fs::is_directory(dir.path() / "Profiles"));
}

TEST_F(SettingsFile, ReadsEveryLineInItsPlace) {
  const SettingsLoadResult result = loadLines(changedLines());
  EXPECT_TRUE(result.fileRead && result.volumeRead && result.rateRead);
  EXPECT_EQ(settings.Volume, 35);
  EXPECT_DOUBLE_EQ(settings.Rate, 1.5);
  EXPECT_TRUE(settings.SkipFootnotes && settings.SkipSidebars && settings.SkipProducerNotes &&
              settings.SkipPageNumbers);
  EXPECT_FALSE(settings.AutoPlay);
  EXPECT_EQ(settings.Highlight, HighlightMode::FontColor);
  EXPECT_EQ(settings.HighlightColor, "#aabbcc");
  EXPECT_EQ(settings.Language, 1);
  EXPECT_FALSE(settings.SearchBookOnStart);
  EXPECT_FALSE(settings.SoundOnHeadingChange);
  EXPECT_FALSE(settings.HideButtons);
  EXPECT_FALSE(settings.HideCurrentText);
  EXPECT_FALSE(settings.SoundOnSubLevels);
  EXPECT_EQ(settings.StartFocus, 1);
  EXPECT_TRUE(settings.AlwaysShowTree);
  EXPECT_EQ(settings.ZipTempFolder, "/tmp/zips/");
  EXPECT_TRUE(settings.CheckUpdatesOnStart);
}

TEST_F(SettingsFile, SaveWritesTheLinesInOrderAndLoadReadsThemBack) {
  loadLines(changedLines());  // written with LF line ends
  ASSERT_TRUE(settings.save(path()));
  EXPECT_EQ(readLineFile(path()), changedLines()) << "line order or formatting changed";
  const std::string raw = dir.read("Settings.dl");
  EXPECT_EQ(std::count(raw.begin(), raw.end(), '\n'), 23);
  EXPECT_EQ(raw.find(CA_Enigma::scramble("35") + "\r\n"), 0u) << "every line ends in CR LF";
  EXPECT_EQ(raw.substr(raw.size() - 2), "\r\n");

  Settings again;
  again.load(path(), data());
  EXPECT_EQ(again, settings);

  Settings defaults = Settings::defaults(data());
  ASSERT_TRUE(defaults.save(path()));
  const Lines written = *readLineFile(path());
  ASSERT_EQ(written.size(), 23u);
  EXPECT_EQ(written[1], "1.000000");
  EXPECT_EQ(written[7], "1");
  EXPECT_EQ(written[8], "#ff8000");
  EXPECT_EQ(written[12], "#ff8000");
  again.load(path(), data());
  EXPECT_EQ(again, defaults);
}

TEST_F(SettingsFile, HighlightStyleLinesTheLastOneOnDecides) {
  Lines lines = changedLines();
  lines[7] = "1";  // background, colour from line 9
  lines[8] = "#112233";
  lines[11] = "0";
  loadLines(lines);
  EXPECT_EQ(settings.Highlight, HighlightMode::Background);
  EXPECT_EQ(settings.HighlightColor, "#112233");

  lines[9] = "1";  // italic after background: italic wins, the colour of line 9 stays
  loadLines(lines);
  EXPECT_EQ(settings.Highlight, HighlightMode::Italic);
  EXPECT_EQ(settings.HighlightColor, "#112233");

  lines[7] = lines[9] = "0";
  lines[10] = "1";  // bold alone: no colour line belongs to it, the default colour stays
  loadLines(lines);
  EXPECT_EQ(settings.Highlight, HighlightMode::Bold);
  EXPECT_EQ(settings.HighlightColor, "#ff8000");
}

TEST_F(SettingsFile, LanguageCodes) {
  Lines lines = changedLines();
  for (auto [stored, expected] : {std::pair{"0", 0}, {"1", 1}, {"200", 1}, {"400", 6}, {"6", 6}}) {
    lines[13] = stored;
    loadLines(lines);
    EXPECT_EQ(settings.Language, expected) << stored;
  }
}

TEST_F(SettingsFile, FocusRulesApplyAfterLoading) {
  Lines lines = changedLines();
  lines[16] = "1";  // buttons hidden
  lines[19] = "2";  // focus on the buttons
  loadLines(lines);
  EXPECT_EQ(settings.StartFocus, Settings::kFocusTextView);

  lines[16] = "0";
  lines[19] = "3";
  lines[20] = "0";  // tree not always shown, focus on the tree
  loadLines(lines);
  EXPECT_EQ(settings.StartFocus, Settings::kFocusTextView);
  EXPECT_FALSE(settings.TreeVisible);

  lines[20] = "1";
  lines[17] = "1";  // current text hidden, focus on it
  lines[19] = "1";
  loadLines(lines);
  EXPECT_EQ(settings.StartFocus, Settings::kFocusTextView);
}

TEST_F(SettingsFile, EmptyLinesFollowTheirReadingRules) {
  Lines lines(23, "");
  loadLines(lines);
  EXPECT_FALSE(settings.SearchBookOnStart) << "on only if exactly 1";
  EXPECT_TRUE(settings.SoundOnHeadingChange) << "off only if exactly 0";
  EXPECT_TRUE(settings.SoundOnSubLevels);
  EXPECT_TRUE(settings.AlwaysShowTree);
  EXPECT_FALSE(settings.CheckUpdatesOnStart);
  EXPECT_EQ(settings.ZipTempFolder, data() + "ZipTemp/");
  // Automatic playback and the start focus read as 0; volume keeps the player's own value.
  EXPECT_EQ(settings.Volume, 100);
  EXPECT_EQ(settings.StartFocus, Settings::kFocusTextView);
  EXPECT_FALSE(settings.AutoPlay);
}

TEST_F(SettingsFile, ShortDamagedAndGarbledFilesKeepDefaultsForWhatCannotBeRead) {
  // A file cut after line 5: the first lines count, the rest follow their reading rules.
  Lines lines = changedLines();
  lines.resize(5);
  SettingsLoadResult result = loadLines(lines);
  EXPECT_TRUE(result.volumeRead);
  EXPECT_EQ(settings.Volume, 35);
  EXPECT_TRUE(settings.SkipProducerNotes);
  EXPECT_FALSE(settings.AutoPlay);
  EXPECT_FALSE(settings.SearchBookOnStart);
  EXPECT_EQ(settings.StartFocus, Settings::kFocusTextView);
  EXPECT_EQ(settings.HighlightColor, "#ff8000");

  // A file of the first 14 lines (an older program wrote no more).
  lines = changedLines();
  lines[6] = "1";
  lines.resize(14);
  loadLines(lines);
  EXPECT_TRUE(settings.AutoPlay);
  EXPECT_EQ(settings.Language, 1);
  EXPECT_EQ(settings.HighlightColor, "#aabbcc");
  EXPECT_TRUE(settings.SoundOnHeadingChange && settings.SoundOnSubLevels &&
              settings.AlwaysShowTree && settings.TreeVisible);
  EXPECT_FALSE(settings.HideButtons || settings.HideCurrentText || settings.CheckUpdatesOnStart);
  EXPECT_EQ(settings.StartFocus, Settings::kFocusTextView);
  EXPECT_EQ(settings.ZipTempFolder, data() + "ZipTemp/");

  // Values no save would write.
  lines = changedLines();
  lines[0] = "-5";
  lines[1] = "nan";
  lines[11] = "1";
  lines[12] = "red;} body{display:none";
  lines[19] = "9";
  lines[21] = "/tmp/no-slash";
  result = loadLines(lines);
  EXPECT_FALSE(result.volumeRead);
  EXPECT_FALSE(result.rateRead);
  EXPECT_EQ(settings.Volume, 100);
  EXPECT_DOUBLE_EQ(settings.Rate, 1.0);
  EXPECT_EQ(settings.Highlight, HighlightMode::FontColor);
  EXPECT_EQ(settings.HighlightColor, "#ff8000") << "only a real colour reaches the style sheet";
  EXPECT_EQ(settings.StartFocus, Settings::kFocusTextView);
  EXPECT_EQ(settings.ZipTempFolder, "/tmp/no-slash/");

  // Numbers with trailing text read as the C conversions read them.
  lines = changedLines();
  lines[0] = " 80 %";
  lines[1] = "0.75x";
  result = loadLines(lines);
  EXPECT_EQ(settings.Volume, 80);
  EXPECT_DOUBLE_EQ(settings.Rate, 0.75);

  // Bytes that were never scrambled by us, and a file that is not text at all.
  std::string garbage;
  for (int i = 0; i < 4000; ++i) garbage.push_back(static_cast<char>((i * 7919) % 256));
  dir.write("Settings.dl", garbage);
  result = settings.load(path(), data());
  EXPECT_TRUE(result.fileRead);
  EXPECT_TRUE(settings.StartFocus >= 0 && settings.StartFocus <= 3);
  EXPECT_TRUE(settings.Volume >= 0 && settings.Volume <= 100);
  EXPECT_TRUE(settings.Rate > 0);
  EXPECT_EQ(settings.HighlightColor.size(), 7u);
}

TEST_F(SettingsFile, SaveFailsWithoutTouchingAnything) {
  EXPECT_FALSE(Settings::defaults(data()).save(dir.str() + "/missing/Settings.dl"));
  EXPECT_FALSE(fs::exists(dir.path() / "missing"));
}

}  // namespace
}  // namespace orbis
