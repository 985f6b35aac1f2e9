#include "book/SmilReader.h"

#include <algorithm>
#include <bit>
#include <iterator>

#include "book/BookPaths.h"
#include "book/BookTables.h"
#include "book/ByteSearch.h"
#include "book/LineScanner.h"
#include "book/TimeText.h"
#include "book/ValueRules.h"

namespace orbis {

namespace {

// Rows any book may have however its headings share SMIL files, plus one row for every four
// bytes of distinct SMIL text (a clip takes far more than that).
constexpr size_t kBasePhraseRows = 1'000'000;
constexpr size_t kBytesPerPhraseRow = 4;

constexpr auto npos = std::string_view::npos;

}  // namespace

SmilReader::SmilReader(BookTable& title, BookTable& phrase, std::string folder,
                       BookFeatures& features, std::string& pendingSkip)
    : title_(title),
      phrase_(phrase),
      folder_(std::move(folder)),
      features_(features),
      pendingSkip_(pendingSkip) {}

bool SmilReader::full() const {
  return static_cast<size_t>(phrase_.rowCount()) + (rowHeld_ ? 1 : 0) >=
         kBasePhraseRows + distinctBytes_ / kBytesPerPhraseRow;
}

bool SmilReader::readLine(const Line& line, std::string_view treeId) {
  if (line.marks != 0) {
    if (line.has(SmilLine::kHeadOpen)) inHead_ = true;
    if (line.has(SmilLine::kHeadClose)) inHead_ = false;
    if (line.has(SmilLine::kBodyOpen)) inBody_ = true;
    if (line.has(SmilLine::kBodyClose)) inBody_ = false;
  }
  if (inHead_) readHead(line);
  if (inBody_) {
    if (full()) return false;
    readBody(line, treeId);
  }
  return true;
}

void SmilReader::read(const std::string& smilName, int titleRow) {
  std::string path;
  packedLines_.clear();
  auto outcome = prefetch_ ? prefetch_->take(smilName, content_, path, packedLines_)
                           : SmilPrefetch::Outcome::NotAhead;
  bool readable = outcome == SmilPrefetch::Outcome::NotAhead
                      ? readBookFile(folder_, smilName, content_, &path)
                      : outcome == SmilPrefetch::Outcome::Read;
  if (!readable) return;
  auto [seen, firstTime] = filesSeen_.try_emplace(std::move(path));
  if (firstTime) {
    distinctBytes_ += content_.size();
    // The table keeps the file, and most values of its phrase rows are views into it.
    seen->second = phrase_.keepText(std::move(content_));
    content_.clear();
  } else {
    // A file read again is read as it was kept; lines split from the new copy may not fit it.
    packedLines_.clear();
  }
  const std::string_view file = seen->second;

  elapsed_.clear();
  // The rows take their values from memory the table holds: the kept file, and these texts.
  const std::string_view treeId = phrase_.storeText(std::to_string(titleRow));
  if (!packedLines_.empty()) {
    Line line;
    for (const PackedSmilLine& packed : packedLines_) {
      unpack(file, packed, line);
      if (!readLine(line, treeId)) break;
    }
  } else {
    SmilLines lines(file);
    Line line;
    while (lines.next(line))
      if (!readLine(line, treeId)) break;
  }
  writeHeldRow();
  finish(titleRow, elapsed_);
}

void SmilReader::readAhead(std::vector<std::string> smilNames) {
  prefetch_ =
      std::make_unique<SmilPrefetch>(folder_, std::move(smilNames), phrase_.takeSpareTexts());
}

void SmilReader::readHead(const Line& line) {
  size_t at = findIgnoringCase(line.raw, "timeinthissmil");
  if (at == npos) at = findIgnoringCase(line.raw, "time-in-this-smil");
  if (at != npos) timeText_ = rules::timeValue(line.raw, at);
  at = findIgnoringCase(line.raw, "totalelapsedtime");
  if (at == npos) at = findIgnoringCase(line.raw, "total-elapsed-time");
  if (at != npos) elapsed_ = rules::timeValue(line.raw, at);
}

void SmilReader::readBody(const Line& line, std::string_view treeId) {
  if (line.has(SmilLine::kParClose)) pendingSkip_.clear();
  if (line.par != SmilLine::kNone) startPar(line, treeId);
  if (line.text != SmilLine::kNone) readText(line);
  if (line.audio != SmilLine::kNone) readAudio(line);
}

namespace {

// The skippable classes a par may switch on, in the order in which a later one wins.
struct SkipClass {
  std::string_view name;  // the "-on" switch without its "-on"
  const char* skip;
  bool BookFeatures::*feature;
};
constexpr SkipClass kSkipClasses[] = {
    {"sidebar", "sidebar", &BookFeatures::sidebars},
    {"prodnote", "prodnote", &BookFeatures::prodnotes},
    {"footnote", "footnote", &BookFeatures::footnotes},
    {"pagenumber", "pagenumber", &BookFeatures::pageNumbers},
};

// Which of the classes' "<name>-on" the line holds, as bits in the order of kSkipClasses. Found
// from the "-on" parts, which a par line without a class does not have at all.
unsigned skipClassesOn(std::string_view line) {
  unsigned found = 0;
  for (size_t dash = bytes::find(line, '-'); dash != npos;
       dash = bytes::find(line, '-', dash + 1)) {
    if (!matchesAt(line, dash, "-on")) continue;
    for (unsigned i = 0; i < std::size(kSkipClasses); ++i) {
      std::string_view name = kSkipClasses[i].name;
      if (dash >= name.size() && matchesAt(line, dash - name.size(), name)) found |= 1u << i;
    }
  }
  return found;
}

}  // namespace

std::string_view SmilReader::currentCell(int column) const {
  return rowHeld_ ? heldRow_[column] : phrase_.cell(phraseRow_, column);
}

void SmilReader::setCurrentCell(int column, std::string_view text) {
  if (rowHeld_)
    heldRow_[column] = text;
  else
    phrase_.setCell(phraseRow_, column, text);
}

void SmilReader::holdRow(int row, const std::array<std::string_view, kPhraseColumns>& cells) {
  writeHeldRow();
  // Where the table would insert the row now; nothing is inserted before it is written.
  phraseRow_ = std::clamp(row, 0, phrase_.rowCount());
  heldRow_ = cells;
  rowHeld_ = true;
}

void SmilReader::writeHeldRow() {
  if (!rowHeld_) return;
  rowHeld_ = false;
  phrase_.insertStoredRow(phraseRow_, heldRow_);
}

void SmilReader::startPar(const Line& line, std::string_view treeId) {
  writeHeldRow();
  ++phraseRow_;
  audioSeen_ = false;
  std::string_view parId = rules::id(line.raw, line.par);
  for (unsigned classes = skipClassesOn(line.raw); classes != 0; classes &= classes - 1) {
    const SkipClass& skip = kSkipClasses[std::countr_zero(classes)];
    pendingSkip_ = skip.skip;
    features_.*skip.feature = true;
  }
  if (!bytes::equal(pendingSkip_, skipCell_)) skipCell_ = phrase_.storeText(pendingSkip_);
  // Written into the held row in place: a row built aside and copied in costs a store and a
  // reload of every cell, once per phrase.
  phraseRow_ = std::clamp(phraseRow_, 0, phrase_.rowCount());
  for (std::string_view& cell : heldRow_) cell = {};
  heldRow_[PhraseCol::TreeId] = treeId;
  heldRow_[PhraseCol::ParId] = parId;
  heldRow_[PhraseCol::Skip] = skipCell_;
  rowHeld_ = true;
}

void SmilReader::readText(const Line& line) {
  size_t at = line.text;
  std::string_view document = rules::textSource(line.raw, at);
  if (!features_.separateText && document.find("ncc.html") == npos &&
      document.find("NCC.HTML") == npos)
    features_.separateText = true;
  // Most text elements of a file name the same document: its path is made once.
  if (!bytes::equal(document, lastDocument_) || documentPath_.empty()) {
    lastDocument_.assign(document);
    documentPath_.assign(folder_).append(document);
    documentCell_ = phrase_.storeText(documentPath_);
  }
  setCurrentCell(PhraseCol::Document, documentCell_);
  setCurrentCell(PhraseCol::Fragment, rules::fragment(line.raw, at));
  setCurrentCell(PhraseCol::TextId, rules::id(line.raw, at));
}

void SmilReader::readAudio(const Line& line) {
  size_t at = line.audio;
  features_.audio = true;
  if (audioSeen_) {
    // Another clip of the same par: a row of its own that repeats the par's columns.
    std::array<std::string_view, kPhraseColumns> cells{};
    for (int column : {PhraseCol::TreeId, PhraseCol::ParId, PhraseCol::Skip, PhraseCol::Document,
                       PhraseCol::Fragment, PhraseCol::TextId})
      cells[column] = currentCell(column);
    holdRow(phraseRow_ + 1, cells);
  }
  audioSeen_ = true;
  setCurrentCell(PhraseCol::Audio, rules::audioSource(line.raw, at));
  setCurrentCell(PhraseCol::Begin, rules::clipBegin(line.raw, at));
  setCurrentCell(PhraseCol::End, rules::clipEnd(line.raw, at));
}

void SmilReader::finish(int titleRow, std::string elapsed) {
  if (elapsed.empty()) {
    if (titleRow == 0) {
      elapsed = "00:00:00";
    } else {
      runningTotal_ += parseTimeText(title_.cell(titleRow - 1, TitleCol::Time));
      elapsed = formatTimeText(runningTotal_);
    }
  }
  title_.setCell(titleRow, TitleCol::Time, timeText_);
  title_.setCell(titleRow, TitleCol::Elapsed, std::move(elapsed));
}

}  // namespace orbis
