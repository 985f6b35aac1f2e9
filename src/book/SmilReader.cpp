#include "book/SmilReader.h"

#include "book/BookPaths.h"
#include "book/BookTables.h"
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

void SmilReader::Line::scan() {
  headOpen = headClose = bodyOpen = bodyClose = parClose = par = text = audio = npos;
  auto mark = [this](size_t& first, size_t at, std::string_view tag) {
    if (first == npos && lower.compare(at, tag.size(), tag) == 0) first = at;
  };
  for (size_t at = lower.find('<'); at != npos; at = lower.find('<', at + 1)) {
    if (at + 1 >= lower.size()) break;
    switch (lower[at + 1]) {
      case '/':
        mark(headClose, at, "</head>");
        mark(bodyClose, at, "</body>");
        mark(parClose, at, "</par>");
        break;
      case 'h':
        mark(headOpen, at, "<head>");
        break;
      case 'b':
        mark(bodyOpen, at, "<body>");
        break;
      case 'p':
        mark(par, at, "<par");
        break;
      case 't':
        mark(text, at, "<text");
        break;
      case 'a':
        mark(audio, at, "<audio");
        break;
    }
  }
}

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
  auto content = readBookFile(folder_, smilName, &path);
  if (!content) return;
  if (filesSeen_.insert(path).second) distinctBytes_ += content->size();

  elapsed_.clear();
  std::string treeId = std::to_string(titleRow);
  LineSource lines(*content);
  Line line;
  std::string_view text;
  while (lines.next(text)) {
    if (text.empty()) continue;
    lower_.assign(text);
    for (char& c : lower_)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    line.raw = text;
    line.lower = lower_;
    line.scan();
    if (line.headOpen != npos) inHead_ = true;
    if (line.headClose != npos) inHead_ = false;
    if (line.bodyOpen != npos) inBody_ = true;
    if (line.bodyClose != npos) inBody_ = false;
    if (inHead_) readHead(line);
    if (inBody_) {
      if (full()) break;
      readBody(line, treeId);
    }
  }
  finish(titleRow, elapsed_);
}

void SmilReader::readHead(const Line& line) {
  size_t at = line.lower.find("timeinthissmil");
  if (at == npos) at = line.lower.find("time-in-this-smil");
  if (at != npos) timeText_ = rules::timeValue(line.raw, at);
  at = line.lower.find("totalelapsedtime");
  if (at == npos) at = line.lower.find("total-elapsed-time");
  if (at != npos) elapsed_ = rules::timeValue(line.raw, at);
}

void SmilReader::readBody(const Line& line, const std::string& treeId) {
  if (line.parClose != npos) pendingSkip_.clear();
  if (line.par != npos) startPar(line, treeId);
  if (line.text != npos) readText(line);
  if (line.audio != npos) readAudio(line);
}

void SmilReader::startPar(const Line& line, const std::string& treeId) {
  ++phraseRow_;
  audioSeen_ = false;
  std::string parId = rules::id(line.raw, line.par);
  if (line.has("sidebar-on")) {
    pendingSkip_ = "sidebar";
    features_.sidebars = true;
  }
  if (line.has("prodnote-on")) {
    pendingSkip_ = "prodnote";
    features_.prodnotes = true;
  }
  if (line.has("footnote-on")) {
    pendingSkip_ = "footnote";
    features_.footnotes = true;
  }
  if (line.has("pagenumber-on")) {
    pendingSkip_ = "pagenumber";
    features_.pageNumbers = true;
  }
  int row = phraseRow_ = phrase_.insertRow(phraseRow_, treeId);
  phrase_.setCell(row, PhraseCol::ParId, std::move(parId));
  phrase_.setCell(row, PhraseCol::Skip, pendingSkip_);
}

void SmilReader::readText(const Line& line) {
  size_t at = line.text;
  std::string document = rules::textSource(line.raw, at);
  if (!features_.separateText && document.find("ncc.html") == std::string::npos &&
      document.find("NCC.HTML") == std::string::npos)
    features_.separateText = true;
  phrase_.setCell(phraseRow_, PhraseCol::Document, folder_ + document);
  phrase_.setCell(phraseRow_, PhraseCol::Fragment, rules::fragment(line.raw, at));
  phrase_.setCell(phraseRow_, PhraseCol::TextId, rules::id(line.raw, at));
}

void SmilReader::readAudio(const Line& line) {
  size_t at = line.audio;
  features_.audio = true;
  if (audioSeen_) {
    // Another clip of the same par: a row of its own that repeats the par's columns.
    int previous = phraseRow_;
    int row = phraseRow_ =
        phrase_.insertRow(phraseRow_ + 1, phrase_.cell(previous, PhraseCol::TreeId));
    for (int column : {PhraseCol::ParId, PhraseCol::Skip, PhraseCol::Document, PhraseCol::Fragment,
                       PhraseCol::TextId})
      phrase_.setCell(row, column, phrase_.cell(previous, column));
  }
  audioSeen_ = true;
  phrase_.setCell(phraseRow_, PhraseCol::Audio, rules::audioSource(line.raw, at));
  phrase_.setCell(phraseRow_, PhraseCol::Begin, rules::clipBegin(line.raw, at));
  phrase_.setCell(phraseRow_, PhraseCol::End, rules::clipEnd(line.raw, at));
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
