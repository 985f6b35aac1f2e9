#include "settings/CSettings.h"

#include <gtest/gtest.h>

#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "texts/UiTexts.h"

namespace orbis {
namespace {

class CSettingsTest : public ::testing::Test {
 protected:
  CSettingsTest() { dialog.onInitDialog(); }
  testing::TempDir dir;
  Settings settings = Settings::defaults(dir.str() + "/");
  testing::ScriptedDialogs dialogs;
  CSettings dialog{settings, dialogs, dir.str() + "/home"};
};

TEST_F(CSettingsTest, HidingAControlTakesItsFocusChoiceAwayAtOnce) {
  ASSERT_EQ(dialog.choices().startFocus, Settings::kFocusTree);
  dialog.choices().alwaysShowTree = false;
  dialog.onOptionClicked();
  EXPECT_EQ(dialog.choices().startFocus, Settings::kFocusTextView);
  EXPECT_FALSE(dialog.isEnabled(CSettings::kFocusTree));
  EXPECT_FALSE(settings.AlwaysShowTree) << "the dialog edits the settings in place";

  dialog.choices().startFocus = Settings::kFocusButtons;
  dialog.choices().hideButtons = true;
  dialog.onOptionClicked();
  EXPECT_EQ(dialog.choices().startFocus, Settings::kFocusTextView);
  EXPECT_FALSE(dialog.isEnabled(CSettings::kFocusButtons));

  dialog.choices().startFocus = Settings::kFocusCurrentText;
  dialog.choices().hideCurrentText = true;
  dialog.onOptionClicked();
  EXPECT_EQ(dialog.choices().startFocus, Settings::kFocusTextView);
  EXPECT_FALSE(dialog.isEnabled(CSettings::kFocusCurrentText));
  EXPECT_TRUE(dialog.isEnabled(CSettings::kFocusTextView));

  dialog.choices().hideButtons = false;
  dialog.onOptionClicked();
  EXPECT_TRUE(dialog.isEnabled(CSettings::kFocusButtons));
}

TEST_F(CSettingsTest, OkWithoutAFocusChoiceAsksForOneAndStaysOpen) {
  dialog.choices().startFocus = -1;
  EXPECT_FALSE(dialog.onOk());
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, "Bitte Fokus-Einstellungen setzen!");
  EXPECT_EQ(settings.StartFocus, Settings::kFocusTextView);
  EXPECT_EQ(dialog.focusRequest(), CSettings::kFocusButtons);

  // With the buttons hidden their radio cannot take the focus.
  dialog.choices().hideButtons = true;
  dialog.onOptionClicked();
  dialog.choices().startFocus = -1;
  EXPECT_FALSE(dialog.onOk());
  EXPECT_EQ(dialog.focusRequest(), CSettings::kFocusTextView);

  dialog.choices().startFocus = Settings::kFocusCurrentText;
  EXPECT_TRUE(dialog.onOk());
  EXPECT_EQ(settings.StartFocus, Settings::kFocusCurrentText);
}

TEST_F(CSettingsTest, TheFolderChooserStartsAtTheFolderOrHomeAndCancelUndoesEverything) {
  const Settings before = settings;
  dialogs.paths = {std::nullopt, dir.str() + "/zips"};
  dialog.choices().zipTempFolder = "/no/such/folder/";
  dialog.onBrowse();  // cancelled
  EXPECT_EQ(dialog.choices().zipTempFolder, "/no/such/folder/");
  dialog.choices().zipTempFolder = dir.str() + "/";
  dialog.choices().checkUpdatesOnStart = true;
  dialog.onBrowse();
  EXPECT_EQ(dialogs.fileDialogFolders,
            (std::vector<std::string>{dir.str() + "/home", dir.str() + "/"}));
  EXPECT_EQ(dialogs.fileDialogTitles.back(), uiTexts().zipTempFolderLabel);
  EXPECT_EQ(dialog.choices().zipTempFolder, dir.str() + "/zips/");
  EXPECT_TRUE(settings.CheckUpdatesOnStart) << "the browse button takes every choice over";

  dialog.onCancel();
  EXPECT_EQ(settings, before);
}

}  // namespace
}  // namespace orbis
