// The record layout of the two resume files, on plain line lists.
#include "playback/ResumeRecords.h"

#include <gtest/gtest.h>

#include "playback/DecimalText.h"

namespace orbis {
namespace {

BookMetadata bookNamed(const std::string& title, const std::string& setInfo = "1 of 2") {
  return {title, "id-" + title, "2020-05-05", "4", "01:00:00", setInfo, ""};
}

TEST(ResumeRecords, EachBookKeepsOneRecordInItsPlace) {
  const BookIdentity a(bookNamed("A")), b(bookNamed("B")), c(bookNamed("C"));
  std::vector<std::string> file;
  file = withPosition(file, a, {"1", "12.500", "7"});
  file = withPosition(file, b, {"2", "3.000", "9"});
  file = withPosition(file, c, {"0", "0.000", "0"});
  file = withPosition(file, b, {"3", "4.250", "11"});
  ASSERT_EQ(file.size(), 27u);
  EXPECT_EQ(file[2], "A");
  EXPECT_EQ(file[11], "B");  // replaced where it was
  EXPECT_EQ(file[15], "3");
  EXPECT_EQ(findPosition(file, b)->row, "11");
  EXPECT_EQ(findPosition(file, a)->position, "12.500");
  EXPECT_FALSE(findPosition(file, BookIdentity(bookNamed("D"))));
}

TEST(ResumeRecords, BooksSharingSomeValuesAreDifferentBooks) {
  BookMetadata first = bookNamed("Same");
  BookMetadata second = first;
  second.totalTime = "02:00:00";  // another volume of a set with the same title
  std::vector<std::string> file;
  file = withPosition(file, BookIdentity(first), {"1", "1.000", "1"});
  file = withPosition(file, BookIdentity(second), {"2", "2.000", "2"});
  EXPECT_EQ(findPosition(file, BookIdentity(first))->row, "1");
  EXPECT_EQ(findPosition(file, BookIdentity(second))->row, "2");

  file = withBookmarks({}, BookIdentity(first), {{"T", "1.0", "0", "3"}});
  file = withBookmarks(file, BookIdentity(second), {{"U", "2.0", "1", "4"}});
  EXPECT_EQ(findBookmarks(file, BookIdentity(first)).size(), 1u);
  EXPECT_EQ(findBookmarks(file, BookIdentity(second))[0][0], "U");
}

TEST(ResumeRecords, TheClosedBooksBookmarksComeFirstAndReplaceItsOldOnes) {
  const BookIdentity a(bookNamed("A")), b(bookNamed("B"));
  std::vector<std::string> file =
      withBookmarks({}, a, {{"a1", "1", "0", "1"}, {"a2", "2", "0", "2"}});
  file = withBookmarks(file, b, {{"b1", "3", "1", "5"}});
  EXPECT_EQ(file[6], "b1");
  file = withBookmarks(file, a, {});  // every bookmark of A deleted
  EXPECT_TRUE(findBookmarks(file, a).empty());
  ASSERT_EQ(findBookmarks(file, b).size(), 1u);
  EXPECT_EQ(file.size(), 10u);
}

TEST(ResumeRecords, DamagedFilesKeepTheirAlignmentAndOtherBooks) {
  const BookIdentity a(bookNamed("A")), b(bookNamed("B"));
  std::vector<std::string> file = withPosition({}, a, {"1", "1.000", "1"});
  file.push_back("garbage");  // a record cut short after its first line
  file = withPosition(file, b, {"2", "2.000", "2"});
  ASSERT_EQ(file.size(), 27u);
  EXPECT_EQ(file[9], "garbage");
  EXPECT_EQ(findPosition(file, b)->row, "2");

  // An empty record is where the book's own record goes.
  std::vector<std::string> gap(9, "");
  gap.insert(gap.end(), file.begin(), file.begin() + 9);
  const auto filled = withPosition(gap, b, {"5", "5.000", "5"});
  EXPECT_EQ(filled.size(), 18u);
  EXPECT_EQ(filled[2], "B");
}

TEST(ResumeRecords, LineEndsInsideValuesCannotBreakTheRecords) {
  BookMetadata odd = bookNamed("Two\nlines");
  std::vector<std::string> file = withPosition({}, BookIdentity(odd), {"1", "1.000", "1"});
  EXPECT_EQ(file.size(), 9u);
  EXPECT_EQ(findPosition(file, BookIdentity(odd))->row, "1");
}

TEST(DecimalText, ReadsNumbersLikeAPlainConversionWhateverTheLocale) {
  EXPECT_DOUBLE_EQ(decimalValue("12.345"), 12.345);
  EXPECT_DOUBLE_EQ(decimalValue(" 7.5s"), 7.5);
  EXPECT_DOUBLE_EQ(decimalValue("abc"), 0.0);
  EXPECT_DOUBLE_EQ(decimalValue("nan"), 0.0);
  EXPECT_DOUBLE_EQ(decimalValue("1e999"), 0.0);
  EXPECT_EQ(integerValue("42x"), 42);
  EXPECT_EQ(integerValue("-3"), -3);
  EXPECT_EQ(integerValue(""), 0);
  EXPECT_EQ(fixed3(0.0), "0.000");
  EXPECT_EQ(fixed3(12.3456), "12.346");
}

}  // namespace
}  // namespace orbis
