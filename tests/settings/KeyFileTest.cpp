#include "settings/KeyFile.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace orbis {
namespace {

TEST(KeyFile, ReadsWithProfileSemantics) {
  testing::TempDir dir;
  const std::string path = dir.write("Active.kbd",
                                     "[KEYS]\r\n32774=79\\2\r\n32808 = 32\\0\r\n32840=\r\n"
                                     "; a comment\r\n[Config]\r\nlastprofile=Mein Profil.kbd\r\n")
                               .string();
  EXPECT_EQ(readProfileString(path, "Keys", "32774", ""), "79\\2");
  EXPECT_EQ(readProfileString(path, "keys", "32808", ""), "32\\0") << "blanks around = dropped";
  EXPECT_EQ(readProfileString(path, "Config", "LastProfile", ""), "Mein Profil.kbd");
  EXPECT_EQ(readProfileString(path, "Keys", "32840", "\\"), "\\") << "empty gives the default";
  EXPECT_EQ(readProfileString(path, "Keys", "1", "none"), "none");
  EXPECT_EQ(readProfileString(path, "Other", "32774", "none"), "none");
  EXPECT_EQ(readProfileString(dir.str() + "/missing.kbd", "Keys", "1", "d"), "d");
  EXPECT_EQ(readProfileSection(path, "keys"),
            (ProfileEntries{{"32774", "79\\2"}, {"32808", "32\\0"}, {"32840", ""}}));
}

TEST(KeyFile, WritesOneValueAndKeepsTheRest) {
  testing::TempDir dir;
  const std::string path =
      dir.write("Active.kbd", "[Keys]\n32774=79\\2\n32808=32\\0\n[Config]\nKeysSaved=1\n").string();
  ASSERT_TRUE(writeProfileString(path, "KEYS", "32774", "0\\0"));
  ASSERT_TRUE(writeProfileString(path, "Config", "LastProfile", "2.0"));
  EXPECT_EQ(readProfileString(path, "Keys", "32774", ""), "0\\0");
  EXPECT_EQ(readProfileString(path, "Keys", "32808", ""), "32\\0");
  EXPECT_EQ(readProfileString(path, "Config", "KeysSaved", ""), "1");
  EXPECT_EQ(readProfileString(path, "Config", "LastProfile", ""), "2.0");
  const std::string text = dir.read("Active.kbd");
  EXPECT_NE(text.find("32774=0\\0"), std::string::npos) << text;
  EXPECT_EQ(text.find("[KEYS]"), std::string::npos) << "the section keeps its spelling";

  // A new file is made, with the value in it.
  const std::string fresh = dir.str() + "/Profiles.kbd";
  ASSERT_TRUE(writeProfileStrings(fresh, "Keys", {{"1", "65\\4"}, {"2", "66\\0"}}));
  EXPECT_EQ(readProfileSection(fresh, "Keys"), (ProfileEntries{{"1", "65\\4"}, {"2", "66\\0"}}));
}

TEST(KeyFile, WritesFailWithoutLosingTheFile) {
  testing::TempDir dir;
  EXPECT_FALSE(writeProfileString(dir.str() + "/no/such/folder/a.kbd", "Keys", "1", "2"));
  // A folder in place of the file: it cannot be read, so it is not replaced.
  std::filesystem::create_directory(dir.path() / "Active.kbd");
  EXPECT_FALSE(writeProfileString(dir.str() + "/Active.kbd", "Keys", "1", "2"));
  EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "Active.kbd"));
}

TEST(KeyFile, BinaryGarbageReadsAsEmpty) {
  testing::TempDir dir;
  std::string garbage;
  for (int i = 0; i < 3000; ++i) garbage.push_back(static_cast<char>((i * 131) % 256));
  const std::string path = dir.write("Active.kbd", garbage).string();
  EXPECT_EQ(readProfileString(path, "Keys", "32774", "d"), "d");
  EXPECT_TRUE(writeProfileString(path, "Keys", "32774", "79\\2"));
  EXPECT_EQ(readProfileString(path, "Keys", "32774", "d"), "79\\2");
}

}  // namespace
}  // namespace orbis
