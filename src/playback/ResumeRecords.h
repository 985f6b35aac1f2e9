#pragma once
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "book/BookRecord.h"

namespace orbis {

// The resume files hold fixed-size records of plain lines; a book is recognised by six values
// of its NCC, in this order: date, identifier, title, set info, TOC items, total time.
// A record belongs to the book when all six lines equal its values exactly.
class BookIdentity {
 public:
  static constexpr int kLines = 6;
  explicit BookIdentity(const BookMetadata& metadata);
  // The six lines as they are stored (a line end inside a value cannot be stored and is
  // dropped, so it is dropped before comparing too).
  const std::array<std::string, kLines>& lines() const { return lines_; }
  bool matches(const std::vector<std::string>& record) const;

 private:
  std::array<std::string, kLines> lines_;
};

// "AResume.dl": 9 lines per book - identity, TreeID, position "%.3f", phrase row "%i".
inline constexpr int kPositionRecordLines = 9;
struct ResumePosition {
  std::string treeId;
  std::string position;
  std::string row;
};
// The file's new lines: the book's record replaces its old one in place (or the first empty
// record, or goes to the end); other books' records stay in their order. Records with an empty
// first line are dropped; a record cut short at the end of the file is kept, padded.
std::vector<std::string> withPosition(const std::vector<std::string>& fileLines,
                                      const BookIdentity& book, const ResumePosition& position);
std::optional<ResumePosition> findPosition(const std::vector<std::string>& fileLines,
                                           const BookIdentity& book);

// "MResume.dl": 10 lines per bookmark - identity, then the bookmark table's four columns.
inline constexpr int kBookmarkRecordLines = 10;
using BookmarkColumns = std::array<std::string, 4>;
// The book's bookmarks first, then every other book's records in their previous order.
std::vector<std::string> withBookmarks(const std::vector<std::string>& fileLines,
                                       const BookIdentity& book,
                                       const std::vector<BookmarkColumns>& bookmarks);
std::vector<BookmarkColumns> findBookmarks(const std::vector<std::string>& fileLines,
                                           const BookIdentity& book);

}  // namespace orbis
