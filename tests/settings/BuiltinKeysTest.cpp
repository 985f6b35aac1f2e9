#include "settings/BuiltinKeys.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "support/TempDir.h"

namespace orbis {
namespace {

namespace fs = std::filesystem;

TEST(BuiltinKeys, EveryCommandAndEveryKeyOccursOnce) {
  std::set<int> commands;
  std::set<std::pair<int, int>> keys;
  for (const BuiltinKey& key : builtinKeys()) {
    EXPECT_TRUE(commands.insert(key.commandId).second) << key.commandId;
    EXPECT_TRUE(keys.insert({key.virtualKey, key.modifiers}).second) << key.commandId;
    EXPECT_EQ(key.modifiers & ~(kModShift | kModCtrl | kModAlt), 0) << key.commandId;
  }
  EXPECT_EQ(builtinKeys().size(), 30u);
  EXPECT_EQ(keyValue(79, kModCtrl), "79\\2");
}

TEST(BuiltinKeys, TheShippedDefaultFileHoldsExactlyTheBuiltinTable) {
  const std::string shipped = std::string(ORBIS_SOURCE_DIR) + "/res/program/Documents/Default.kbd";
  ASSERT_TRUE(fs::exists(shipped));
  EXPECT_EQ(readProfileSection(shipped, kKeysSection), builtinKeyEntries(1000));
  EXPECT_TRUE(readProfileSection(shipped, kConfigSection).empty());
}

TEST(BuiltinKeys, EntriesAreLimitedToTheMenuCommandCount) {
  EXPECT_EQ(builtinKeyEntries(2), (ProfileEntries{{"32840", "65\\4"}, {"32772", "115\\4"}}));
  EXPECT_TRUE(builtinKeyEntries(0).empty());
  EXPECT_TRUE(builtinKeyEntries(-3).empty());
}

class ActiveKeyFile : public ::testing::Test {
 protected:
  std::string program() const { return dir.str() + "/program/"; }
  std::string active() const { return dir.str() + "/data/Active.kbd"; }
  void SetUp() override { fs::create_directories(dir.path() / "data"); }
  testing::TempDir dir;
};

TEST_F(ActiveKeyFile, CopiesTheShippedDefaults) {
  dir.write("program/Documents/Default.kbd", "[Keys]\n32774=80\\2\n");
  EXPECT_TRUE(ensureActiveKeyFile(program(), active(), 100));
  EXPECT_EQ(dir.read("data/Active.kbd"), "[Keys]\n32774=80\\2\n");
}

TEST_F(ActiveKeyFile, NeverOverwritesAnExistingFile) {
  dir.write("program/Documents/Default.kbd", "[Keys]\n32774=80\\2\n");
  dir.write("data/Active.kbd", "[Keys]\n32774=0\\0\n");
  EXPECT_TRUE(ensureActiveKeyFile(program(), active(), 100));
  EXPECT_EQ(dir.read("data/Active.kbd"), "[Keys]\n32774=0\\0\n");
}

TEST_F(ActiveKeyFile, WithoutShippedDefaultsWritesTheBuiltinTableUpToTheCount) {
  EXPECT_TRUE(ensureActiveKeyFile(program(), active(), 100));
  EXPECT_EQ(readProfileSection(active(), kKeysSection), builtinKeyEntries(100));
  fs::remove(active());
  EXPECT_TRUE(ensureActiveKeyFile(program(), active(), 3));
  EXPECT_EQ(readProfileSection(active(), kKeysSection).size(), 3u);
  EXPECT_FALSE(ensureActiveKeyFile(program(), dir.str() + "/missing/Active.kbd", 100));
}

TEST_F(ActiveKeyFile, RestoreReplacesEveryAssignment) {
  dir.write("data/Active.kbd", "[Keys]\n32774=0\\0\n1124=70\\2\n[Config]\nLastProfile=Mein.kbd\n");
  ASSERT_TRUE(restoreBuiltinKeys(active(), 200));
  EXPECT_EQ(readProfileSection(active(), kKeysSection), builtinKeyEntries(200));
  EXPECT_EQ(readProfileString(active(), kConfigSection, "KeysSaved", ""), "1");
  EXPECT_EQ(readProfileString(active(), kConfigSection, "LastProfile", ""), "2.0");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path() / "data"), fs::directory_iterator()), 1)
      << "a temporary file was left behind";
}

}  // namespace
}  // namespace orbis
