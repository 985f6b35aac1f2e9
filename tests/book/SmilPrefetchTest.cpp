#include <gtest/gtest.h>
#include <sched.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "book/BookPaths.h"
#include "book/SmilPrefetch.h"
#include "support/OnOneProcessor.h"
#include "support/TempDir.h"

namespace orbis::testing {
namespace {

using Outcome = SmilPrefetch::Outcome;

std::string numbered(int i) {
  return "s" + std::to_string(i) + ".smil";
}

// The links to the first `count` numbered files, in order.
std::vector<std::string> numberedLinks(int count) {
  std::vector<std::string> links;
  for (int i = 0; i < count; ++i) links.push_back(numbered(i));
  return links;
}

// A folder of `count` SMIL files whose contents name them.
std::string writeFiles(const TempDir& dir, int count, size_t padding = 0) {
  for (int i = 0; i < count; ++i)
    dir.write(numbered(i), "<par id=\"p" + std::to_string(i) + "\">\r\n\n<AUDIO src=\"a.mp3\"/>" +
                               std::string(padding, '.') + "\n</par>");
  return dir.str() + "/";
}

// Takes `link` and checks that the prefetch gives what reading it directly gives. True when the
// file came split into its lines.
bool expectTakenAsRead(SmilPrefetch& prefetch, const std::string& folder, const std::string& link) {
  SCOPED_TRACE(link);
  std::string content = "old buffer", path;
  std::vector<PackedSmilLine> lines(3);
  Outcome outcome = prefetch.take(link, content, path, lines);
  std::string direct, directPath;
  bool readable = readBookFile(folder, link, direct, &directPath);
  EXPECT_EQ(outcome, readable ? Outcome::Read : Outcome::Unreadable);
  EXPECT_EQ(path, directPath);
  if (!readable) return false;
  EXPECT_EQ(content, direct);
  // A file the caller already waited for may come unsplit; lines split ahead are all those the
  // loader would find itself.
  if (lines.empty()) return false;
  SmilLines source(direct);
  SmilLine expected;
  SmilLine line;
  for (const PackedSmilLine& packed : lines) {
    if (!source.next(expected)) {
      ADD_FAILURE() << "more lines split ahead than the file has";
      return false;
    }
    unpack(content, packed, line);
    EXPECT_EQ(line.raw, expected.raw);
    EXPECT_EQ(line.par, expected.par);
    EXPECT_EQ(line.audio, expected.audio);
    EXPECT_EQ(line.text, expected.text);
    EXPECT_EQ(line.marks, expected.marks);
  }
  EXPECT_FALSE(source.next(expected));
  return true;
}

// Takes `link` with throw-away buffers.
Outcome take(SmilPrefetch& prefetch, const std::string& link, std::string& content,
             std::string& path) {
  std::vector<PackedSmilLine> lines;
  return prefetch.take(link, content, path, lines);
}

TEST(SmilPrefetchTest, GivesEachFileAsReadingItWouldInAnyCaseAndRepeated) {
  TempDir dir;
  std::string folder = writeFiles(dir, 3);
  dir.write("Upper.SMIL", "upper");
  dir.write("folder.smil/inside", "x");  // a folder is not a book file
  std::vector<std::string> links = {"s0.smil",      "upper.smil",  "s1.smil", "s1.smil",
                                    "missing.smil", "folder.smil", "s2.smil"};
  SmilPrefetch prefetch(folder, links);
  for (const std::string& link : links) expectTakenAsRead(prefetch, folder, link);
}

// Files read while the loader is busy elsewhere come split; they are read into the buffers
// given, whatever those held before.
TEST(SmilPrefetchTest, FilesReadAheadComeSplitAndFillTheBuffersGiven) {
  TempDir dir;
  std::string folder = writeFiles(dir, 6, 100);
  const std::vector<std::string> links = numberedLinks(6);
  std::vector<std::string> buffers = {std::string(5000, 'x'), std::string(3, 'y'), std::string()};
  SmilPrefetch prefetch(folder, links, std::move(buffers));
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  int split = 0;
  for (const std::string& link : links) split += expectTakenAsRead(prefetch, folder, link);
  // The first file is asked for at once and may be left to the loader; the others were read
  // while it was busy.
  EXPECT_GE(split, 5);
}

TEST(SmilPrefetchTest, AWrongGuessIsSkippedOverOrLeftToTheCaller) {
  TempDir dir;
  std::string folder = writeFiles(dir, 40);
  const std::vector<std::string> links = numberedLinks(40);
  SmilPrefetch prefetch(folder, links);
  expectTakenAsRead(prefetch, folder, "s0.smil");
  // Not expected at all: the caller reads it, and the files expected next are still there.
  std::string content = "kept", path = "kept";
  EXPECT_EQ(take(prefetch, "s30.smil", content, path), Outcome::NotAhead);
  EXPECT_EQ(take(prefetch, "other.smil", content, path), Outcome::NotAhead);
  EXPECT_EQ(content, "kept");
  EXPECT_EQ(path, "kept");
  expectTakenAsRead(prefetch, folder, "s1.smil");
  // A few files further on: the ones before it are dropped, and reading goes on from there.
  expectTakenAsRead(prefetch, folder, "s5.smil");
  for (int i = 6; i < 40; ++i) expectTakenAsRead(prefetch, folder, numbered(i));
  // Once past, a file is no longer ahead.
  EXPECT_EQ(take(prefetch, "s2.smil", content, path), Outcome::NotAhead);
}

TEST(SmilPrefetchTest, LargeFilesBeyondTheByteLimitStillArrive) {
  TempDir dir;
  // Three megabytes each: the thread may hold only one or two of them ahead.
  std::string folder = writeFiles(dir, 6, 3u << 20);
  const std::vector<std::string> links = numberedLinks(6);
  SmilPrefetch prefetch(folder, links);
  expectTakenAsRead(prefetch, folder, "s0.smil");
  expectTakenAsRead(prefetch, folder, "s3.smil");  // skips two that may not have been read
  expectTakenAsRead(prefetch, folder, "s4.smil");
  expectTakenAsRead(prefetch, folder, "s5.smil");
}

TEST(SmilPrefetchTest, EndsPromptlyWhenTheLoadStopsEarly) {
  TempDir dir;
  std::string folder = writeFiles(dir, 200);
  const std::vector<std::string> links = numberedLinks(200);
  {
    SmilPrefetch prefetch(folder, links);
    expectTakenAsRead(prefetch, folder, "s0.smil");
  }  // the thread waits for room; leaving must end it (the test would hang otherwise)
  SmilPrefetch untouched(folder, links);
  SmilPrefetch empty(folder, {});
  std::string content, path;
  EXPECT_EQ(take(empty, "s0.smil", content, path), Outcome::NotAhead);
}

// On a single processor neither side waits on the spot, and every hand-over goes through
// sleeping and waking: the ring fills up and empties many times over.
TEST(SmilPrefetchTest, OnOneProcessorTheSidesSleepInsteadOfSpinningAndAllFilesArrive) {
  const bool severalProcessors = SmilPrefetch::spinsWhileWaiting() > 0;
  TempDir dir;
  std::string folder = writeFiles(dir, 150);
  const std::vector<std::string> links = numberedLinks(150);
  {
    OnOneProcessor one;
    ASSERT_TRUE(one.pinned());
    EXPECT_EQ(SmilPrefetch::spinsWhileWaiting(), 0);
    SmilPrefetch prefetch(folder, links);
    for (const std::string& link : links) expectTakenAsRead(prefetch, folder, link);
  }
  // Back on all of them, the sides wait on the spot again when there are several.
  cpu_set_t all;
  CPU_ZERO(&all);
  ASSERT_EQ(::sched_getaffinity(0, sizeof all, &all), 0);
  EXPECT_EQ(severalProcessors, CPU_COUNT(&all) > 1);
  EXPECT_EQ(SmilPrefetch::spinsWhileWaiting() > 0, severalProcessors);
}

TEST(SmilPrefetchTest, GuessesTheLinkAfterEachHeadingStartOnly) {
  const std::string ncc =
      "<html><head><title>t</title></head><body>\n"
      "<h1 class=\"title\" id=\"a\"><a href=\"one.smil#x\">One</a></h1>\n"
      "<span class=\"page-normal\"><a href=\"page.smil#p\">1</a></span>\n"
      "<H2 id=\"b\">\n<a href=\"two.smil#y\">Split</a></H2>\n"  // the reader joins these
      "<h3><a href=\"three.smil\">No fragment</a></h3><hr/><h7><a href=\"x.smil\">no</a></h7>\n"
      "<h4 id=\"empty\"><a href=\"#only\">nothing to read</a></h4>\n"
      "<h6><a href=\"sub\\four.smil#z\">Back</a></h6>\n"
      "</body></html>";
  EXPECT_EQ(guessHeadingLinks(ncc),
            (std::vector<std::string>{"one.smil", "two.smil", "three.smil", "sub\\four.smil"}));
  EXPECT_TRUE(guessHeadingLinks("").empty());
  EXPECT_TRUE(guessHeadingLinks("<h").empty());
  EXPECT_TRUE(guessHeadingLinks("<h1").empty());
}

}  // namespace
}  // namespace orbis::testing
