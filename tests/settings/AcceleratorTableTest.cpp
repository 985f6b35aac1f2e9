#include "settings/AcceleratorTable.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "commands/CommandIds.h"
#include "commands/MainMenu.h"
#include "commands/MenuModel.h"
#include "settings/BuiltinKeys.h"
#include "settings/KeyFile.h"
#include "support/TempDir.h"

namespace orbis {
namespace {

// German names as a layout would give them, with the key names in mixed case so that the
// upper-casing of the key text shows.
class GermanNames : public KeyNames {
 public:
  std::string keyName(int vk) const override {
    if (vk >= 'A' && vk <= 'Z') return std::string(1, static_cast<char>(vk));
    if (vk == 32) return "Leer";
    if (vk == 115) return "F4";
    return {};
  }
  std::string ctrlName() const override { return "Strg"; }
  std::string altName() const override { return "Alt"; }
  std::string shiftName() const override { return "Umschalt"; }
};

MenuModel smallMenu() {
  MenuModel menu;
  menu.bar() = {
      MenuItem::submenu("&DAISY", {MenuItem::command(32774, "&Öffnen"), MenuItem::makeSeparator(),
                                   MenuItem::command(32772, "Beenden")}),
      MenuItem::submenu(
          "&Audio", {MenuItem::command(32808, "Pause/Fortsetzen"),
                     MenuItem::submenu("Gesch&windigkeit", {MenuItem::command(32797, "schneller"),
                                                            MenuItem::command(32799, "langsamer")}),
                     MenuItem::command(32840, "&Autom. Wiedergabe")}),
      MenuItem::submenu("Na&vigation", {MenuItem::command(32778, "vorwärts"),
                                        MenuItem::command(32779, "rückwärts")}),
  };
  return menu;
}

class Accelerators : public ::testing::Test {
 protected:
  std::string keyFile(const std::string& keys) {
    return dir.write("Active.kbd", "[Keys]\n" + keys).string();
  }
  testing::TempDir dir;
  GermanNames names;
  AcceleratorTable table;
};

TEST_F(Accelerators, BuildsEntriesAndMenuHintsFromTheKeyFile) {
  MenuModel menu = smallMenu();
  int redraws = 0;
  menu.onRedraw([&] { ++redraws; });
  const std::string path = keyFile(
      "32774=79\\2\n32772=115\\4\n32808=32\\0\n32797=87\\0\n32799=87\\7\n"
      "32840=0\\0\n32778=80\n32779=\n");
  table.rebuild(menu, path, names);

  EXPECT_EQ(table.commandItemCount(), 8);
  EXPECT_EQ(redraws, 1);
  EXPECT_EQ(menu.text(32774), "&Öffnen\tStrg+O");
  EXPECT_EQ(menu.text(32772), "Beenden\tAlt+F4");
  EXPECT_EQ(menu.text(32808), "Pause/Fortsetzen\tLEER");
  EXPECT_EQ(menu.text(32799), "langsamer\tStrg+Alt+Umschalt+W") << "modifier order";
  EXPECT_EQ(menu.text(32840), "&Autom. Wiedergabe") << "a cleared key shows no hint";
  EXPECT_EQ(menu.text(32778), "vorwärts") << "a value without backslash is no key";
  EXPECT_EQ(menu.text(32779), "rückwärts");

  EXPECT_EQ(table.commandFor('O', true, false, false), 32774);
  EXPECT_EQ(table.commandFor('O', false, false, false), std::nullopt) << "modifiers must match";
  EXPECT_EQ(table.commandFor('O', true, false, true), std::nullopt);
  EXPECT_EQ(table.commandFor(115, false, true, false), 32772);
  EXPECT_EQ(table.commandFor(87, true, true, true), 32799);
  EXPECT_EQ(table.commandFor('P', false, false, false), std::nullopt);
  EXPECT_EQ(table.commandFor(0, false, false, false), std::nullopt) << "0\\0 never fires";
  EXPECT_EQ(table.entries().size(), 5u);
}

TEST_F(Accelerators, ExtendedBitIsIgnoredAndTheFirstCommandWinsAKey) {
  MenuModel menu = smallMenu();
  table.rebuild(menu, keyFile("32778=46\\10\n32779=46\\2\n32774=80\\0\n32772=80\\0\n"), names);
  EXPECT_EQ(table.commandFor(46, true, false, false), 32778) << "8 (extended) is not a modifier";
  EXPECT_EQ(table.commandFor(80, false, false, false), 32774) << "menu order decides";
  EXPECT_EQ(menu.text(32778), "vorwärts") << "a key without a name shows no hint";
}

TEST_F(Accelerators, CommandsWithoutAMenuItemGetTheirKeysAfterTheMenus) {
  MenuModel menu = smallMenu();
  table.rebuild(menu, keyFile("32824=73\\0\n32825=80\\0\n32774=80\\0\n32815=0\\0\n"), names,
                {32824, 32825, 32815, 32774});
  EXPECT_EQ(table.commandFor('I', false, false, false), 32824);
  EXPECT_EQ(table.commandFor('P', false, false, false), 32774) << "the menu item keeps its key";
  EXPECT_EQ(table.entries().size(), 3u) << "a cleared key and a menu item's second entry";
  EXPECT_EQ(table.commandItemCount(), 8) << "only menu items are counted";
}

TEST_F(Accelerators, RebuildPutsHintsBackWithoutPilingThemUp) {
  MenuModel menu = smallMenu();
  const std::string path = keyFile("32774=79\\2\n32808=32\\0\n");
  table.rebuild(menu, path, names);
  // A language switch resets every text, then rebuilds.
  menu.setText(32774, "&Open");
  menu.setText(32808, "Pause/Continue");
  table.rebuild(menu, path, names);
  EXPECT_EQ(menu.text(32774), "&Open\tStrg+O");
  EXPECT_EQ(menu.text(32808), "Pause/Continue\tLEER");

  // A rebuild over texts that still carry hints, after a key was cleared and another moved.
  ASSERT_TRUE(writeProfileString(path, "Keys", "32774", "0\\0"));
  ASSERT_TRUE(writeProfileString(path, "Keys", "32778", "79\\2"));
  table.rebuild(menu, path, names);
  EXPECT_EQ(menu.text(32774), "&Open");
  EXPECT_EQ(menu.text(32778), "vorwärts\tStrg+O");
  EXPECT_EQ(table.commandFor('O', true, false, false), 32778);
}

TEST_F(Accelerators, MissingKeyFileAndEmptyMenu) {
  MenuModel menu = smallMenu();
  table.rebuild(menu, dir.str() + "/missing.kbd", names);
  EXPECT_TRUE(table.entries().empty());
  EXPECT_EQ(menu.text(32774), "&Öffnen");

  MenuModel empty;
  table.rebuild(empty, keyFile("32774=79\\2\n"), names);
  EXPECT_EQ(table.commandItemCount(), 0);
  EXPECT_TRUE(table.entries().empty());
}

TEST_F(Accelerators, TheShippedMenuWithTheBuiltinKeys) {
  MenuModel menu = buildMainMenu();
  const std::string path = dir.str() + "/Active.kbd";
  ASSERT_TRUE(restoreBuiltinKeys(path, menu.commandCount()));
  table.rebuild(menu, path, names, hiddenMenuCommands());
  EXPECT_EQ(table.entries().size(), builtinKeys().size() + addedKeys().size())
      << "a command with a built-in key is neither in the menu nor among the menuless ones";
  for (auto keys : {builtinKeys(), addedKeys()}) {
    for (const BuiltinKey& key : keys) {
      EXPECT_EQ(table.commandFor(key.virtualKey, key.modifiers & kModCtrl, key.modifiers & kModAlt,
                                 key.modifiers & kModShift),
                key.commandId);
    }
  }
  EXPECT_EQ(menu.text(32774), "&Öffnen\tStrg+O");
}

// Key files made before the jumps and the sleep timer existed keep working as they are: the new
// commands take their keys where the file leaves them free, and never a key the file gives away.
TEST_F(Accelerators, AnOlderKeyFileLendsTheAddedCommandsTheirFreeKeys) {
  MenuModel menu = buildMainMenu();
  const int jumpForward = cmd::kJumpForward10;
  const auto added =
      std::find_if(addedKeys().begin(), addedKeys().end(),
                   [&](const BuiltinKey& key) { return key.commandId == jumpForward; });
  ASSERT_NE(added, addedKeys().end());
  ASSERT_EQ(added->modifiers, 0);
  const int jumpKey = added->virtualKey;
  table.rebuild(menu, keyFile("32774=79\\2\n"), names);
  EXPECT_EQ(table.commandFor(jumpKey, false, false, false), jumpForward);

  // The key given to another command, or the command's key cleared: no key for it.
  table.rebuild(menu, keyFile("32774=" + std::to_string(jumpKey) + "\\8\n"), names);
  EXPECT_EQ(table.commandFor(jumpKey, false, false, false), 32774);
  table.rebuild(menu, keyFile(std::to_string(jumpForward) + "=0\\0\n"), names);
  EXPECT_EQ(table.commandFor(jumpKey, false, false, false), std::nullopt);
}

TEST(KeyText, ModifierNamesAndValues) {
  EXPECT_EQ(normaliseModifierName("STRG"), "Strg");
  EXPECT_EQ(normaliseModifierName("UMSCHALT"), "Umschalt");
  EXPECT_EQ(normaliseModifierName("ctrl"), "ctrl");
  EXPECT_EQ(normaliseModifierName("ÄLT"), "Ält") << "a non-ASCII first character stays whole";
  EXPECT_EQ(normaliseModifierName(""), "");

  EXPECT_EQ(parseKeyValue("79\\2")->virtualKey, 79);
  EXPECT_EQ(parseKeyValue("79\\2")->modifiers, 2);
  EXPECT_EQ(parseKeyValue("\\")->virtualKey, 0);
  EXPECT_EQ(parseKeyValue("x\\y")->modifiers, 0);
  EXPECT_FALSE(parseKeyValue("79"));
  EXPECT_FALSE(parseKeyValue(""));
}

}  // namespace
}  // namespace orbis
