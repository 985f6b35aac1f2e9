#include "playback/ResumeRecords.h"

#include <algorithm>

namespace orbis {

namespace {

std::string storedForm(std::string value) {
  std::erase_if(value, [](char c) { return c == '\n' || c == '\r'; });
  return value;
}

// The file cut into records of `size` lines; a record cut short by the end of the file reads
// its missing lines as empty.
std::vector<std::vector<std::string>> records(const std::vector<std::string>& lines, int size) {
  std::vector<std::vector<std::string>> result;
  for (size_t start = 0; start < lines.size(); start += size) {
    const size_t end = std::min(lines.size(), start + size);
    std::vector<std::string> record(lines.begin() + start, lines.begin() + end);
    record.resize(size);
    result.push_back(std::move(record));
  }
  return result;
}

void append(std::vector<std::string>& to, const std::vector<std::string>& lines) {
  to.insert(to.end(), lines.begin(), lines.end());
}

std::vector<std::string> identityPlus(const BookIdentity& book,
                                      std::initializer_list<std::string> rest) {
  std::vector<std::string> record(book.lines().begin(), book.lines().end());
  for (const auto& line : rest) record.push_back(storedForm(line));
  return record;
}

}  // namespace

BookIdentity::BookIdentity(const BookMetadata& m)
    : lines_{storedForm(m.date),    storedForm(m.identifier), storedForm(m.title),
             storedForm(m.setInfo), storedForm(m.tocItems),   storedForm(m.totalTime)} {}

bool BookIdentity::matches(const std::vector<std::string>& record) const {
  if (record.size() < lines_.size()) return false;
  return std::equal(lines_.begin(), lines_.end(), record.begin());
}

std::vector<std::string> withPosition(const std::vector<std::string>& fileLines,
                                      const BookIdentity& book, const ResumePosition& position) {
  const std::vector<std::string> ours =
      identityPlus(book, {position.treeId, position.position, position.row});
  std::vector<std::string> result;
  bool written = false;
  for (const auto& record : records(fileLines, kPositionRecordLines)) {
    if (book.matches(record) || record.front().empty()) {
      // Only one record per book: a second one could never be found again.
      if (!written) append(result, ours);
      written = true;
    } else {
      append(result, record);
    }
  }
  if (!written) append(result, ours);
  return result;
}

std::optional<ResumePosition> findPosition(const std::vector<std::string>& fileLines,
                                           const BookIdentity& book) {
  for (const auto& record : records(fileLines, kPositionRecordLines)) {
    if (book.matches(record)) return ResumePosition{record[6], record[7], record[8]};
  }
  return std::nullopt;
}

std::vector<std::string> withBookmarks(const std::vector<std::string>& fileLines,
                                       const BookIdentity& book,
                                       const std::vector<BookmarkColumns>& bookmarks) {
  std::vector<std::string> result;
  for (const auto& columns : bookmarks) {
    append(result, identityPlus(book, {columns[0], columns[1], columns[2], columns[3]}));
  }
  for (const auto& record : records(fileLines, kBookmarkRecordLines)) {
    if (!book.matches(record)) append(result, record);
  }
  return result;
}

std::vector<BookmarkColumns> findBookmarks(const std::vector<std::string>& fileLines,
                                           const BookIdentity& book) {
  std::vector<BookmarkColumns> result;
  for (const auto& record : records(fileLines, kBookmarkRecordLines)) {
    if (book.matches(record)) result.push_back({record[6], record[7], record[8], record[9]});
  }
  return result;
}

}  // namespace orbis
