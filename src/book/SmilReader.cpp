#include "book/SmilReader.h"

#include <array>
#include <iterator>
#include <optional>

#include "book/BookPaths.h"
#include "book/BookTables.h"
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

// The tags the SMIL reader looks for in a line, in any letter case: where the first par, text
// and audio tag starts (npos for none), and whether the line holds the others.
struct SmilTags {
  size_t par = std::string_view::npos;
  size_t text = std::string_view::npos;
  size_t audio = std::string_view::npos;
  bool headOpen = false, headClose = false, bodyOpen = false, bodyClose = false, parClose = false;
};

SmilTags smilTagsOf(std::string_view line) {
  SmilTags tags;
  for (size_t at = line.find('<'); at != npos; at = line.find('<', at + 1)) {
    auto first = [&](size_t& place, std::string_view tag) {
      if (place == npos && matchesAt(line, at, tag)) place = at;
    };
    first(tags.par, "<par");
    first(tags.text, "<text");
    first(tags.audio, "<audio");
    tags.headOpen |= matchesAt(line, at, "<head>");
    tags.headClose |= matchesAt(line, at, "</head>");
    tags.bodyOpen |= matchesAt(line, at, "<body>");
    tags.bodyClose |= matchesAt(line, at, "</body>");
    tags.parClose |= matchesAt(line, at, "</par>");
  }
  return tags;
}

}  // namespace

SmilReader::SmilReader(BookTable& title, BookTable& phrase, std::string folder,
                       BookFeatures& features, std::string& pendingSkip)
    : title_(title),
      phrase_(phrase),
      folder_(std::move(folder)),
      features_(features),
      pendingSkip_(pendingSkip) {}

bool SmilReader::full() const {
  return static_cast<size_t>(phrase_.rowCount()) >=
         kBasePhraseRows + distinctBytes_ / kBytesPerPhraseRow;
}

void SmilReader::read(const std::string& smilName, int titleRow) {
  std::string path;
  std::optional<std::string> file = readBookFile(folder_, smilName, &path);
  if (!file) return;
  if (filesSeen_.insert(std::move(path)).second) distinctBytes_ += file->size();

  elapsed_.clear();
  const std::string treeId = std::to_string(titleRow);
  LineSource lines(*file);
  std::string_view line;
  while (lines.next(line))
    if (!line.empty() && !readLine(line, treeId)) break;
  finish(titleRow, elapsed_);
}

bool SmilReader::readLine(std::string_view line, const std::string& treeId) {
  const SmilTags tags = smilTagsOf(line);
  if (tags.headOpen) inHead_ = true;
  if (tags.headClose) inHead_ = false;
  if (tags.bodyOpen) inBody_ = true;
  if (tags.bodyClose) inBody_ = false;
  if (inHead_) readHead(line);
  if (inBody_) {
    if (full()) return false;
    if (tags.parClose) pendingSkip_.clear();
    if (tags.par != npos) startPar(line, tags.par, treeId);
    if (tags.text != npos) readText(line, tags.text);
    if (tags.audio != npos) readAudio(line, tags.audio);
  }
  return true;
}

void SmilReader::readHead(std::string_view line) {
  size_t at = findIgnoringCase(line, "timeinthissmil");
  if (at == npos) at = findIgnoringCase(line, "time-in-this-smil");
  if (at != npos) timeText_ = rules::timeValue(line, at);
  at = findIgnoringCase(line, "totalelapsedtime");
  if (at == npos) at = findIgnoringCase(line, "total-elapsed-time");
  if (at != npos) elapsed_ = rules::timeValue(line, at);
}

namespace {

// The skippable classes a par may switch on with "<name>-on", in the order in which a later
// one wins.
struct SkipClass {
  std::string_view name;
  bool BookFeatures::*feature;
};
constexpr SkipClass kSkipClasses[] = {
    {"sidebar", &BookFeatures::sidebars},
    {"prodnote", &BookFeatures::prodnotes},
    {"footnote", &BookFeatures::footnotes},
    {"pagenumber", &BookFeatures::pageNumbers},
};
constexpr size_t kSkipClassCount = std::size(kSkipClasses);

// Which classes the line switches on, by their index. Looked for from each "-on", which a par
// line without a class does not have at all.
std::array<bool, kSkipClassCount> skipClassesOn(std::string_view line) {
  std::array<bool, kSkipClassCount> on{};
  for (size_t dash = line.find('-'); dash != npos; dash = line.find('-', dash + 1)) {
    if (!matchesAt(line, dash, "-on")) continue;
    for (size_t i = 0; i < kSkipClassCount; ++i) {
      std::string_view name = kSkipClasses[i].name;
      if (dash >= name.size() && matchesAt(line, dash - name.size(), name)) on[i] = true;
    }
  }
  return on;
}

}  // namespace

void SmilReader::startPar(std::string_view line, size_t at, const std::string& treeId) {
  audioSeen_ = false;
  const std::array<bool, kSkipClassCount> on = skipClassesOn(line);
  for (size_t i = 0; i < kSkipClassCount; ++i) {
    if (!on[i]) continue;
    pendingSkip_ = kSkipClasses[i].name;
    features_.*kSkipClasses[i].feature = true;
  }
  std::array<std::string_view, kPhraseColumns> cells{};
  cells[PhraseCol::TreeId] = treeId;
  cells[PhraseCol::ParId] = rules::id(line, at);
  cells[PhraseCol::Skip] = pendingSkip_;
  phraseRow_ = phrase_.insertRow(phraseRow_ + 1, cells);
}

void SmilReader::readText(std::string_view line, size_t at) {
  std::string_view document = rules::textSource(line, at);
  if (document.find("ncc.html") == npos && document.find("NCC.HTML") == npos)
    features_.separateText = true;
  // Most text elements of a file name the same document: its path is made once.
  if (document != lastDocument_ || documentPath_.empty()) {
    lastDocument_.assign(document);
    documentPath_.assign(folder_).append(document);
  }
  phrase_.setCell(phraseRow_, PhraseCol::Document, documentPath_);
  phrase_.setCell(phraseRow_, PhraseCol::Fragment, rules::fragment(line, at));
  phrase_.setCell(phraseRow_, PhraseCol::TextId, rules::id(line, at));
}

void SmilReader::readAudio(std::string_view line, size_t at) {
  features_.audio = true;
  if (audioSeen_) {
    // Another clip of the same par: a row of its own that repeats the par's columns (its clip
    // columns are written below).
    std::array<std::string_view, kPhraseColumns> cells{};
    for (int column = 0; column < kPhraseColumns; ++column)
      cells[column] = phrase_.cell(phraseRow_, column);
    phraseRow_ = phrase_.insertRow(phraseRow_ + 1, cells);
  }
  audioSeen_ = true;
  phrase_.setCell(phraseRow_, PhraseCol::Audio, rules::audioSource(line, at));
  phrase_.setCell(phraseRow_, PhraseCol::Begin, rules::clipBegin(line, at));
  phrase_.setCell(phraseRow_, PhraseCol::End, rules::clipEnd(line, at));
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
