#include "settings/LineFile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>

#include "settings/AtomicFile.h"
#include "settings/Enigma.h"
#include "support/TempDir.h"

namespace orbis {
namespace {

using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

TEST(LineFile, WritesEachLineScrambledOnItsOwnAndReadsThemBack) {
  testing::TempDir dir;
  const std::string path = dir.str() + "/Settings.dl";
  const Lines lines = {"100", "1.000000", "", "#ff8000", "/home/leser/Bücher/"};
  ASSERT_TRUE(writeLineFile(path, lines, true));

  std::string expected;
  for (const auto& line : lines) expected += CA_Enigma::scramble(line) + "\n";
  EXPECT_EQ(dir.read("Settings.dl"), expected);
  EXPECT_EQ(readLineFile(path), lines);
}

TEST(LineFile, LastLineWithoutLineEnd) {
  testing::TempDir dir;
  const std::string path = dir.str() + "/Letztes.dl";
  ASSERT_TRUE(writeLineFile(path, {"/media/cdrom/"}, false));
  EXPECT_EQ(dir.read("Letztes.dl"), CA_Enigma::scramble("/media/cdrom/"));
  EXPECT_EQ(readLineFile(path), Lines{"/media/cdrom/"});
}

TEST(LineFile, ReadsWindowsLineEndsAndEdgeShapes) {
  testing::TempDir dir;
  const std::string a = CA_Enigma::scramble("first"), b = CA_Enigma::scramble("second");
  EXPECT_EQ(readLineFile(dir.write("crlf.dl", a + "\r\n" + b + "\r\n").string()),
            (Lines{"first", "second"}));
  EXPECT_EQ(readLineFile(dir.write("mixed.dl", a + "\n\r\n" + b).string()),
            (Lines{"first", "", "second"}));
  EXPECT_EQ(readLineFile(dir.write("empty.dl", "").string()), Lines{});
  EXPECT_EQ(readLineFile(dir.write("blank.dl", "\n").string()), Lines{""});
  EXPECT_EQ(readLineFile(dir.str() + "/missing.dl"), std::nullopt);
  EXPECT_EQ(readLineFile(dir.str()), std::nullopt) << "a folder is no line file";
}

TEST(LineFile, LineEndsInsideAValueCannotShiftTheFollowingLines) {
  testing::TempDir dir;
  const std::string path = dir.str() + "/x.dl";
  ASSERT_TRUE(writeLineFile(path, {"a\r\nb", "c"}, true));
  EXPECT_EQ(readLineFile(path), (Lines{"ab", "c"}));
}

TEST(LineFile, FailedWriteLeavesTheOldFileAndNoTemporaryFile) {
  testing::TempDir dir;
  const std::string path = dir.str() + "/Settings.dl";
  ASSERT_TRUE(writeLineFile(path, {"old"}, true));
  const std::string before = dir.read("Settings.dl");

  // A file size limit makes the write itself fail (tests may run as root, so permissions
  // cannot be used to provoke the failure).
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto* previousHandler = signal(SIGXFSZ, SIG_IGN);
  rlimit tight = saved;
  tight.rlim_cur = 16;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
  const bool written = writeLineFile(path, Lines(10, std::string(50, 'x')), true);
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, previousHandler);

  EXPECT_FALSE(written);
  EXPECT_EQ(dir.read("Settings.dl"), before);
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir.path())) ++entries;
  EXPECT_EQ(entries, 1) << "the temporary file was left behind";

  EXPECT_FALSE(writeLineFile(dir.str() + "/no/such/folder/x.dl", {"a"}, true));
  fs::create_directory(dir.path() / "folder");
  EXPECT_FALSE(writeLineFile(dir.str() + "/folder", {"a"}, true)) << "a folder is not replaced";
  EXPECT_TRUE(fs::is_directory(dir.path() / "folder"));
}

}  // namespace
}  // namespace orbis
