#pragma once
#include <array>
#include <optional>
#include <string>

#include "book/BookLoader.h"
#include "book/LineScanner.h"
#include "book/SmilReadAhead.h"
#include "book/SmilReader.h"

namespace orbis {

// The line scanner over a book's ncc.html behind BookLoader: section flags, metadata, headings
// with their SMIL files, page and group entries. It is not an HTML parser: tags are found by
// substring search in a lower-case copy of each line and values are cut from the line as read.
class NccReader {
 public:
  NccReader(LoadTargets targets, std::string folder, const LoaderTexts& texts,
            LoadProgress* progress, LoadResult& result);

  // Reads the whole NCC (the file's content); reading SMIL files on the way.
  void readBook(std::string_view ncc);
  // Reads the head section only, up to and including the line that closes it.
  void readMetadata(std::string_view ncc);

 private:
  void countLink(std::string_view lower);
  void updateSections(const ScanLine& line);
  void readMetadataLine(const ScanLine& line);
  void readBodyLine(ScanLine& line, LineSource& lines);
  void readHeading(ScanLine& line, LineSource& lines, size_t headingAt);
  void readPage(ScanLine& line, LineSource& lines);
  void readGroup(const ScanLine& line);
  void report(int position);

  LoadTargets targets_;
  std::string folder_;
  const LoaderTexts& texts_;
  LoadProgress* progress_;
  LoadResult& result_;
  SmilReader smil_;
  std::optional<SmilReadAhead> readAhead_;

  bool inHead_ = false;
  bool inBody_ = false;
  int titleRow_ = 0;
  int pageRow_ = 0;
  int groupRow_ = 0;
  int previousLevel_ = 1;
  int tocItems_ = 0;
  std::array<TreeNode, 7> lastNodeOfLevel_;
  std::string currentTitleRow_;
  std::string pendingSkip_;
};

}  // namespace orbis
