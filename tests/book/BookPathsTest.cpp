#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "Loading.h"
#include "book/BookPaths.h"
#include "book/LineScanner.h"
#include "support/TempDir.h"

namespace orbis::testing {
namespace {

TEST(BookPathsTest, ExactFirstThenEachComponentIgnoringCase) {
  TempDir dir;
  dir.write("Audio/Part One/clip.MP3", "x");
  dir.write("text.html", "lower");
  dir.write("TEXT.html", "upper");
  std::string folder = dir.str() + "/";
  EXPECT_EQ(resolveBookPath(folder, "audio\\part one\\CLIP.mp3"),
            folder + "Audio/Part One/clip.MP3");
  EXPECT_EQ(resolveBookPath(folder + "AUDIO/./Part One//clip.mp3"),
            folder + "Audio/Part One/clip.MP3");
  // Where the exact name exists it wins over other spellings.
  EXPECT_EQ(resolveBookPath(folder, "TEXT.html"), folder + "TEXT.html");
  EXPECT_EQ(resolveBookPath(folder, "Audio/../text.html"), folder + "Audio/../text.html");
  // Nothing matches: the path as named, with "/" separators, so that opening it fails.
  EXPECT_EQ(resolveBookPath(folder, "Audio\\missing.mp3"), folder + "Audio/missing.mp3");
  EXPECT_EQ(readBookFile(folder, "Text.HTML").value_or("none").size(), 5u);
  EXPECT_FALSE(readBookFile(folder, "Audio"));  // a folder is not a book file
  EXPECT_FALSE(readBookFile(folder, "nothing.smil"));
}

TEST(BookPathsTest, TextDocumentOfARealBookNamedInAnotherCase) {
  TempDir dir;
  std::filesystem::copy(std::filesystem::path(ORBIS_SHARED_BOOKS_DIR) / "daisy-brochure",
                        dir.path(), std::filesystem::copy_options::recursive);
  std::string folder = dir.str() + "/";
  EXPECT_EQ(resolveBookPath(folder + "DAISYBrochureForStickV3.html"),
            folder + "daisybrochureforstickv3.html");
}

TEST(BookPathsTest, OnlyRegularFilesAreReadAndAPipeIsNotWaitedOn) {
  testing::TempDir dir;
  dir.write("book/text.html", "<p>text</p>");
  std::filesystem::create_directories(dir.path() / "book" / "folder.smil");
  const std::string pipe = (dir.path() / "book" / "pipe.smil").string();
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_EQ(readBookFile(dir.str() + "/book/text.html"), std::optional<std::string>("<p>text</p>"));
  EXPECT_FALSE(readBookFile(pipe).has_value());
  EXPECT_FALSE(readBookFile(dir.str() + "/book/folder.smil").has_value());
  EXPECT_FALSE(readBookFile(dir.str() + "/book/missing.smil").has_value());
}

TEST(LineSourceTest, LinesEndAtLineFeedsWithTheirCarriageReturnRemoved) {
  LineSource lines("one\r\ntwo\rstill two\n\nlast");
  std::vector<std::string> read;
  std::string_view line;
  while (lines.next(line)) read.emplace_back(line);
  EXPECT_EQ(read, (std::vector<std::string>{"one", "two\rstill two", "", "last"}));
  LineSource ending("a\n");
  ASSERT_TRUE(ending.next(line));
  EXPECT_FALSE(ending.next(line));
}

}  // namespace
}  // namespace orbis::testing
