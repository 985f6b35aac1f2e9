#include "settings/CDefineKeys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "commands/CommandIds.h"
#include "commands/MainMenu.h"
#include "settings/BuiltinKeys.h"
#include "settings/KeyFile.h"
#include "support/FakeMainView.h"
#include "support/RecordingSounds.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "texts/UiTexts.h"

namespace orbis {
namespace {

namespace fs = std::filesystem;
constexpr int kVkO = 'O', kVkLeft = 37;

class CDefineKeysTest : public ::testing::Test {
 protected:
  CDefineKeysTest() {
    fs::create_directories(dir.path() / "Profiles");
    ensureActiveKeyFile(dir.str() + "/nothing-shipped/", active(), menu.commandCount());
    dialog.onInitDialog();
  }
  std::string active() const { return dir.str() + "/Active.kbd"; }
  std::string profile(const std::string& name) const { return dir.str() + "/Profiles/" + name; }
  std::string key(int id) const {
    return readProfileString(active(), kKeysSection, std::to_string(id), "");
  }
  std::string lastProfile() const {
    return readProfileString(active(), kConfigSection, "LastProfile", "");
  }
  int indexOf(int id) const {
    const auto& ids = dialog.commandIds();
    return static_cast<int>(std::find(ids.begin(), ids.end(), id) - ids.begin());
  }
  void assign(int id, int virtualKey, int modifiers) {
    dialog.onSelect(indexOf(id));
    dialog.capturedKey() = {virtualKey, modifiers};
    dialog.onAssign();
  }

  testing::TempDir dir;
  MenuModel menu = buildMainMenu();
  testing::FakeKeyNames names;
  testing::ScriptedDialogs dialogs;
  testing::RecordingSounds sounds;
  CDefineKeys dialog{KeyDialogContext{menu, uiTexts().menulessCommands, active(),
                                      dir.str() + "/Profiles/", ORBIS_SOURCE_DIR "/res/program/",
                                      names, dialogs, sounds}};
};

TEST_F(CDefineKeysTest, ListsEveryCommandWithItsKey) {
  const auto& texts = dialog.displayTexts();
  ASSERT_EQ(texts.size(), dialog.commandIds().size());
  ASSERT_EQ(texts.size(), dialog.keyValues().size());
  EXPECT_EQ(texts[0], "DAISY -> Öffnen | Ctrl+O");
  EXPECT_EQ(texts[size_t(indexOf(cmd::kSlower))],
            "Audio -> Geschwindigkeit -> langsamer | Shift+W");
  EXPECT_EQ(dialog.keyValues()[size_t(indexOf(cmd::kBookmarkList))], "\\");
  EXPECT_EQ(dialog.capturedKey().virtualKey, kVkO);
  EXPECT_EQ(dialog.title(), "Tastaturbelegung");

  assign(cmd::kBookLevels, 'E', kModCtrl);
  EXPECT_EQ(key(cmd::kBookLevels), "69\\2");
  EXPECT_EQ(texts[size_t(indexOf(cmd::kBookLevels))], "Buch-Information -> Ebenen | Ctrl+E");
}

TEST_F(CDefineKeysTest, AKeyHeldByAnotherCommandIsTakenOnlyWhenTheReaderAgrees) {
  dialogs.answers = {MessageAnswer::No, MessageAnswer::Yes};
  assign(cmd::kBookmarkNext, kVkO, kModCtrl);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text,
            "Tastenkürzel ist schon für die Funktion DAISY -> Öffnen | Ctrl+O vergeben! "
            "Überschreiben?");
  EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::YesNoCancel);
  EXPECT_EQ(key(cmd::kBookmarkNext), "77\\0");
  EXPECT_TRUE(sounds.played.empty());

  dialog.onAssign();
  EXPECT_EQ(key(cmd::kOpen), "0\\0");
  EXPECT_EQ(key(cmd::kBookmarkNext), "79\\2");
  EXPECT_EQ(dialog.displayTexts()[0], "DAISY -> Öffnen");
  ASSERT_EQ(sounds.names(), std::vector<std::string>{"KeySaved.wav"});
  EXPECT_FALSE(sounds.played[0].wait);

  // The key a command already holds, and a key made empty, ask nothing.
  dialog.onAssign();
  dialog.onSelect(indexOf(cmd::kExit));
  dialog.capturedKey() = {};
  dialog.onAssign();
  EXPECT_EQ(dialogs.messages.size(), 2u);
  EXPECT_EQ(key(cmd::kExit), "0\\0");
}

TEST_F(CDefineKeysTest, TheExtendedKeyBitDoesNotHideAConflict) {
  assign(cmd::kPageGoto, kVkLeft, kModExtended);
  dialogs.answers = {MessageAnswer::Cancel};
  assign(cmd::kPagePrevious, kVkLeft, 0);
  EXPECT_EQ(dialogs.messages.size(), 1u) << "37\\8 and 37\\0 are one key";
  EXPECT_EQ(key(cmd::kPageGoto), "37\\8");
  EXPECT_EQ(key(cmd::kPagePrevious), "83\\1");
}

TEST_F(CDefineKeysTest, ProfilesAreSavedAndLoadedWithTheirName) {
  dialogs.paths = {profile("Meine.KBD")};
  dialog.onSaveProfile();
  EXPECT_EQ(dialogs.fileDialogFolders.back(), dir.str() + "/Profiles/");
  EXPECT_EQ(dialog.title(), "Tastaturbelegung - Meine.KBD");
  EXPECT_EQ(lastProfile(), "Meine.KBD");
  EXPECT_EQ(readProfileString(profile("Meine.KBD"), kKeysSection, "32774", ""), "79\\2");

  assign(cmd::kOpen, 'Q', kModCtrl);
  dialogs.paths = {profile("Meine.KBD")};
  dialog.onLoadProfile();
  EXPECT_EQ(key(cmd::kOpen), "79\\2");
  EXPECT_EQ(dialog.displayTexts()[0], "DAISY -> Öffnen | Ctrl+O");
  EXPECT_EQ(lastProfile(), "Meine.KBD");

  // The active file chosen as the profile stays whole.
  const size_t keys = readProfileSection(active(), kKeysSection).size();
  dialogs.paths = {active(), active()};
  dialog.onSaveProfile();
  dialog.onLoadProfile();
  EXPECT_EQ(readProfileSection(active(), kKeysSection).size(), keys);
  EXPECT_EQ(key(cmd::kOpen), "79\\2");
  EXPECT_EQ(dialog.title(), "Tastaturbelegung - Active.kbd");
}

TEST_F(CDefineKeysTest, AFailedCopyIsReportedAndNotRecorded) {
  dialogs.paths = {dir.str() + "/missing/Meine.kbd", dir.str() + "/missing/Alt.kbd",
                   dir.write("Profiles/leer.kbd", "kein Profil").string()};
  dialog.onSaveProfile();
  dialog.onLoadProfile();
  dialog.onLoadProfile();
  ASSERT_EQ(dialogs.messages.size(), 3u);
  EXPECT_NE(dialogs.messages[0].text.find("Meine.kbd"), std::string::npos);
  EXPECT_EQ(lastProfile(), "");
  EXPECT_EQ(dialog.title(), "Tastaturbelegung");
  EXPECT_EQ(key(cmd::kOpen), "79\\2") << "a file without keys is not taken";
}

// Linux lets a file name hold a line end; in the key file it would start lines of its own.
TEST_F(CDefineKeysTest, AProfileNameCannotAddLinesToTheKeyFile) {
  dialogs.paths = {profile("x\n[Keys]\n32774=0\\0\n.kbd")};
  dialog.onSaveProfile();
  EXPECT_EQ(key(cmd::kOpen), "79\\2");
  EXPECT_EQ(lastProfile(), "x[Keys]32774=0\\0.kbd");
  EXPECT_EQ(dialog.title().find('\n'), std::string::npos);
}

TEST_F(CDefineKeysTest, RestoringTheBuiltinKeys) {
  assign(cmd::kBookmarkList, 'B', 0);
  dialog.onSelect(5);
  dialog.onRestoreDefaults();
  EXPECT_EQ(readProfileSection(active(), kKeysSection).size(), builtinKeys().size());
  EXPECT_EQ(key(cmd::kBookmarkList), "");
  EXPECT_EQ(lastProfile(), "2.0");
  EXPECT_EQ(readProfileString(active(), kConfigSection, "KeysSaved", ""), "1");
  EXPECT_EQ(dialog.title(), "Tastaturbelegung - 2.0");
  EXPECT_EQ(dialog.selected(), 0);
  EXPECT_EQ(dialog.displayTexts()[size_t(indexOf(cmd::kBookmarkList))], "Lesezeichen -> Liste...");
}

}  // namespace
}  // namespace orbis
