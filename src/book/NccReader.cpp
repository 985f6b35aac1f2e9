#include "book/NccReader.h"

#include <cstdlib>

#include "book/CharacterSets.h"
#include "book/References.h"
#include "book/ValueRules.h"

namespace orbis {

namespace {

constexpr auto npos = std::string::npos;
constexpr std::string_view kPageClass = "class=\"page";

int readCount(const std::string& text) {
  long value = std::strtol(text.c_str(), nullptr, 10);
  return value < 0 ? 0 : value > 1'000'000'000 ? 1'000'000'000 : static_cast<int>(value);
}

bool startsHeading(std::string_view lower, size_t at) {
  if (at == npos || at + 2 >= lower.size()) return false;
  char digit = lower[at + 2];
  if (digit < '1' || digit > '6') return false;
  return at + 3 >= lower.size() || lower[at + 3] != '/';
}

// A line that opens an entry of its own ends the joining of a split page entry before it.
bool opensEntry(std::string_view lower) {
  return startsHeading(lower, lower.find("<h")) || lower.find("class=\"") != npos ||
         lower.find("<div") != npos || lower.find("</body>") != npos;
}

}  // namespace

NccReader::NccReader(LoadTargets targets, std::string folder, const LoaderTexts& texts,
                     LoadProgress* progress, LoadResult& result)
    : targets_(targets),
      folder_(std::move(folder)),
      texts_(texts),
      progress_(progress),
      result_(result),
      smil_(targets.title, targets.phrase, folder_, result.features, pendingSkip_) {
  lastNodeOfLevel_.fill(kNoNode);
}

void NccReader::readBook(std::string_view ncc) {
  readAhead_.emplace(ncc, folder_);
  LineSource lines(ncc);
  ScanLine line;
  std::string_view text;
  while (lines.next(text)) {
    if (text.empty()) continue;
    line.assign(text);
    countLink(line.lower);
    bool wasInHead = inHead_;
    updateSections(line);
    // The lines that open and close the head belong to it: heads written on one line, or with
    // the last metadata before "</head>", keep their metadata.
    if (wasInHead || line.has("<head>")) readMetadataLine(line);
    if (inBody_) readBodyLine(line, lines);
  }
  if (result_.metadata.date.empty()) result_.metadata.date = "00-00-0000";
}

void NccReader::readMetadata(std::string_view ncc) {
  LineSource lines(ncc);
  ScanLine line;
  std::string_view text;
  while (lines.next(text)) {
    if (text.empty()) continue;
    line.assign(text);
    bool wasInHead = inHead_;
    updateSections(line);
    if (wasInHead || line.has("<head>")) readMetadataLine(line);
    if (line.has("</head>")) break;
  }
  // As after a full load, so that the volumes of a book without a date still match it.
  if (result_.metadata.date.empty()) result_.metadata.date = "00-00-0000";
}

void NccReader::countLink(std::string_view lower) {
  if (lower.find("<a href") == npos) return;
  ++result_.linkLines;
  if (progress_) {
    progress_->setPosition(result_.linkLines);
    progress_->setStatus(std::to_string(result_.linkLines) + " " + texts_.of + " " +
                         std::to_string(tocItems_));
  }
  // A rel attribute marks a target on another volume of the set.
  if (lower.find(" rel=\"") != npos) pendingSkip_ = "change";
}

void NccReader::updateSections(const ScanLine& line) {
  if (line.has("<head>")) inHead_ = true;
  if (line.has("</head>")) inHead_ = false;
  if (line.has("<body>")) inBody_ = true;
  if (line.has("</body>")) inBody_ = false;
}

void NccReader::readMetadataLine(const ScanLine& line) {
  BookMetadata& meta = result_.metadata;
  auto take = [&](std::string_view keyword, std::string& field) {
    size_t at = line.find(keyword);
    if (at == npos) return false;
    field = rules::value(line.raw, at);
    return true;
  };
  take("dc:date", meta.date);
  take("dc:title", meta.title);
  take("dc:identifier", meta.identifier);
  take("ncc:identifier", meta.identifier);
  take("ncc:setinfo", meta.setInfo);
  take("dc:language", meta.language);
  if (take("ncc:tocitems", meta.tocItems)) {
    tocItems_ = readCount(meta.tocItems);
    if (progress_) {
      progress_->setRange(tocItems_);
      progress_->setPosition(0);
      progress_->setStatus(formatCounts(texts_.entriesRead, result_.linkLines, tocItems_));
    }
  }
  take("ncc:totaltime", meta.totalTime);
  if (line.has("ncc:charset")) result_.codePage = codePageFromDeclaration(line.raw);
}

void NccReader::readBodyLine(ScanLine& line, LineSource& lines) {
  size_t heading = line.find("<h");
  if (startsHeading(line.lower, heading)) readHeading(line, lines, heading);
  readPage(line, lines);
  readGroup(line);
}

void NccReader::readHeading(ScanLine& line, LineSource& lines, size_t headingAt) {
  // A heading split over lines is joined without anything between the parts; the end of the
  // file ends the joining, keeping what was read.
  size_t searchFrom = 0;
  std::string_view next;
  while (line.find("</h", searchFrom) == npos && lines.next(next)) {
    searchFrom = line.lower.size() >= 2 ? line.lower.size() - 2 : 0;
    line.append(next);
    countLink(std::string_view(line.lower).substr(line.lower.size() - next.size()));
  }

  int level = line.lower[headingAt + 2] - '0';
  // A jump of exactly two levels down is flattened to one.
  if (level == previousLevel_ + 2) --level;
  previousLevel_ = level;

  int row = targets_.title.insertRow(titleRow_, std::string(1, static_cast<char>('0' + level)));
  size_t linkAt = line.find("<a href");
  if (linkAt == npos) linkAt = headingAt;
  // Converted first, then decoded, so that decoded characters are never converted twice.
  std::string title = decodeReferences(toUtf8(rules::linkText(line.raw, linkAt), result_.codePage));
  targets_.title.setCell(row, TitleCol::Title, title);

  TreeNode parent = level == 1 ? kNoNode : lastNodeOfLevel_[level - 1];
  lastNodeOfLevel_[level] = targets_.tree.insert(parent, std::move(title), row);

  currentTitleRow_ = std::to_string(row);
  targets_.title.setCell(row, TitleCol::TreeId, currentTitleRow_);
  std::string smil(rules::linkFile(line.raw, headingAt));
  targets_.title.setCell(row, TitleCol::Smil, smil);
  readAhead_->reached(smil);
  smil_.read(smil, row);
  titleRow_ = row + 1;
}

void NccReader::readPage(ScanLine& line, LineSource& lines) {
  size_t at = line.find(kPageClass);
  if (at == npos) return;
  // A page entry whose link is not closed on its line is joined with the lines that follow,
  // without their indentation, until it is.
  std::string_view next;
  while (line.find("</a", at) == npos && lines.next(next)) {
    size_t start = next.find_first_not_of(" \t");
    std::string_view part = start == npos ? std::string_view{} : next.substr(start);
    if (opensEntry(lowerAsciiCopy(part))) {
      lines.unread();
      break;
    }
    line.append(part);
    countLink(std::string_view(line.lower).substr(line.lower.size() - part.size()));
  }
  result_.features.pages = true;
  int row = targets_.page.insertRow(pageRow_, rules::labelText(line.raw, at));
  targets_.page.setCell(row, PageCol::Smil, rules::linkFile(line.raw, at));
  targets_.page.setCell(row, PageCol::Fragment, rules::fragment(line.raw, at));
  targets_.page.setCell(row, PageCol::TitleId, currentTitleRow_);
  pageRow_ = row + 1;
}

void NccReader::readGroup(const ScanLine& line) {
  size_t at = line.find("<div");
  if (at == npos) return;
  result_.features.groups = true;
  int row =
      targets_.group.insertRow(groupRow_, toUtf8(rules::labelText(line.raw, at), result_.codePage));
  targets_.group.setCell(row, GroupCol::Smil, rules::linkFile(line.raw, at));
  targets_.group.setCell(row, GroupCol::Fragment, rules::fragment(line.raw, at));
  targets_.group.setCell(row, GroupCol::TitleId, currentTitleRow_);
  groupRow_ = row + 1;
}

}  // namespace orbis
