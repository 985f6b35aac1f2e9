#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "commands/CommandIds.h"
#include "settings/BuiltinKeys.h"
#include "settings/CDefineKeys.h"
#include "settings/CSettings.h"
#include "support/MainDialogRig.h"

namespace orbis {
namespace {

class SettingsCommandsTest : public ::testing::Test, public testing::MainDialogRig {};

// The settings the dialog edits.
auto dialogFields(const Settings& s) {
  return std::tuple(s.SearchBookOnStart, s.SoundOnHeadingChange, s.SoundOnSubLevels, s.HideButtons,
                    s.HideCurrentText, s.AlwaysShowTree, s.CheckUpdatesOnStart, s.StartFocus,
                    s.ZipTempFolder);
}

TEST_F(SettingsCommandsTest, SettingsShowAtOnceAndLastThroughTheFile) {
  CLumen2Dlg* dlg = &start();
  view.focused = ctl::kCurrentText;
  dialogs.settingsScript = [](CSettings& settings) {
    SettingsChoices& c = settings.choices();
    c.hideButtons = c.hideCurrentText = true;
    c.alwaysShowTree = false;
    c.soundOnSubLevels = c.searchBookOnStart = false;
    c.checkUpdatesOnStart = true;
    c.zipTempFolder = "/tmp/zips/";
    settings.onOptionClicked();
    ASSERT_TRUE(settings.onOk());
  };
  ASSERT_TRUE(dlg->onCommand(cmd::kGlobalSettings));
  EXPECT_FALSE(view.controlVisible(ctl::kButtonOpen));
  EXPECT_FALSE(view.controlVisible(ctl::kCurrentText));
  EXPECT_FALSE(view.controlVisible(ctl::kTree));
  EXPECT_FALSE(dlg->settings().TreeVisible);
  EXPECT_FALSE(dlg->menu().isEnabled(cmd::kBraille));
  EXPECT_EQ(view.focused, ctl::kTextView) << "the focused line was hidden";
  const auto chosen = dialogFields(dlg->settings());

  dlg->onCommand(cmd::kExit);
  dlg = &start();
  EXPECT_EQ(dialogFields(dlg->settings()), chosen);
  EXPECT_EQ(dlg->settings().StartFocus, Settings::kFocusTextView);
  EXPECT_EQ(dlg->settings().ZipTempFolder, "/tmp/zips/");

  // Cancel leaves everything as it was.
  dialogs.settingsScript = [](CSettings& settings) {
    settings.choices().hideButtons = false;
    settings.onOptionClicked();
    settings.onCancel();
  };
  dlg->onCommand(cmd::kGlobalSettings);
  EXPECT_EQ(dialogFields(dlg->settings()), chosen);
}

// A key moved in the dialog works as soon as it closes, however it is closed.
TEST_F(SettingsCommandsTest, AKeyMovedToAnotherCommandWorksAfterCancel) {
  CLumen2Dlg& dlg = start();
  constexpr int kVkP = 'P';
  dialogs.answers = {MessageAnswer::Yes};
  dialogs.keysScript = [](CDefineKeys& keys) {
    const auto& ids = keys.commandIds();
    const auto at = std::find(ids.begin(), ids.end(), cmd::kBookmarkNext) - ids.begin();
    keys.onSelect(static_cast<int>(at));
    keys.capturedKey() = {kVkP, kModShift};
    keys.onAssign();
  };
  ASSERT_TRUE(dlg.onCommand(cmd::kKeyAssignment));
  ASSERT_EQ(dialogs.messages.size(), 1u) << "the key was taken from phrase backward";
  EXPECT_EQ(dlg.accelerators().commandFor(kVkP, false, false, true), cmd::kBookmarkNext);
  EXPECT_EQ(dlg.menu().text(cmd::kBookmarkNext), "Nächstes\tShift+P");
  EXPECT_EQ(dlg.menu().text(cmd::kPhraseBackward), "rückwärts");
  EXPECT_EQ(sounds.names().back(), "KeySaved.wav");
  EXPECT_FALSE(sounds.played.back().wait);

  dlg.onCommand(cmd::kEnglish);
  EXPECT_EQ(dlg.menu().text(cmd::kBookmarkNext), "Next\tShift+P");
}

}  // namespace
}  // namespace orbis
