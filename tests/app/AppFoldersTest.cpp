#include "settings/AppFolders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "support/TempDir.h"

namespace orbis {
namespace {

namespace fs = std::filesystem;

EnvironmentLookup environment(std::map<std::string, std::string> values) {
  return [values](const std::string& name) -> std::optional<std::string> {
    auto it = values.find(name);
    if (it == values.end()) return std::nullopt;
    return it->second;
  };
}

TEST(AppFolders, AppDataFolderIsCreatedWhenMissing) {
  testing::TempDir appData;
  auto folder = dataFolderFor("/opt/program/", environment({{"APPDATA", appData.str()}}));
  EXPECT_EQ(folder, appData.str() + "/Orbis Velora/");
  EXPECT_TRUE(fs::is_directory(appData.path() / "Orbis Velora"));
}

TEST(AppFolders, WithoutAppDataTheXdgDataFolderIsUsed) {
  testing::TempDir xdg, home;
  EXPECT_EQ(dataFolderFor("/p/", environment({{"XDG_DATA_HOME", xdg.str()}, {"HOME", home.str()}})),
            xdg.str() + "/Orbis Velora/");
  EXPECT_EQ(dataFolderFor("/p/", environment({{"HOME", home.str()}})),
            home.str() + "/.local/share/Orbis Velora/");
  // A relative XDG_DATA_HOME is invalid and ignored.
  EXPECT_EQ(dataFolderFor("/p/", environment({{"XDG_DATA_HOME", "rel"}, {"HOME", home.str()}})),
            home.str() + "/.local/share/Orbis Velora/");
}

TEST(AppFolders, AFolderThatCannotBeMadeFallsBackToTheProgramFolder) {
  testing::TempDir appData;
  // A file where the folder would have to be.
  appData.write("blocked", "not a folder");
  auto folder = dataFolderFor("/opt/program/",
                              environment({{"APPDATA", (appData.path() / "blocked").string()}}));
  EXPECT_EQ(folder, "/opt/program/");
  EXPECT_EQ(dataFolderFor("/opt/program/", environment({})), "/opt/program/");
}

TEST(AppFolders, ProgramFolderIsTheExecutablesFolderOrItsShareFolder) {
  testing::TempDir root;
  root.write("build/orbis-velora", "");
  EXPECT_EQ(programFolderFor((root.path() / "build/orbis-velora").string()),
            root.str() + "/build/");
  root.write("usr/bin/orbis-velora", "");
  root.write("usr/share/orbis-velora/UISounds/x.wav", "");
  EXPECT_EQ(programFolderFor((root.path() / "usr/bin/orbis-velora").string()),
            root.str() + "/usr/share/orbis-velora/");
  AppFolders folders{"/p/", "/d/"};
  EXPECT_EQ(folders.activeKeyTable(), "/d/Active.kbd");
}

}  // namespace
}  // namespace orbis
