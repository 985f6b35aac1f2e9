#include "daisy3/Smil2Reader.h"

#include <array>
#include <cmath>
#include <filesystem>

#include "book/BookPaths.h"
#include "book/BookTables.h"
#include "book/LineScanner.h"
#include "daisy3/ClockValue.h"
#include "daisy3/NcxFile.h"

namespace orbis {

namespace {

// As for DAISY 2.02 books: rows any book may have, plus one per four bytes of distinct SMIL.
constexpr size_t kBasePhraseRows = 1'000'000;
constexpr size_t kBytesPerPhraseRow = 4;

std::string clipAttribute(xml::Node audio, const char* smil2, const char* smil1) {
  std::string value = xml::attribute(audio, smil2);
  return value.empty() ? xml::attribute(audio, smil1) : value;
}

void collect(xml::Node node, const char* name, std::vector<xml::Node>& found) {
  xml::forEachChild(node, [&](xml::Node child) {
    if (xml::isElement(child, name))
      found.push_back(child);
    else if (!xml::isElement(child, "par") && !xml::isElement(child, "seq"))
      collect(child, name, found);
  });
}

}  // namespace

Smil2Reader::Smil2Reader(BookTable& phrase, std::string folder, const SkipStructures& skips,
                         BookFeatures& features)
    : phrase_(phrase), folder_(std::move(folder)), skips_(skips), features_(features) {}

std::string Smil2Reader::key(const std::string& smilName, const std::string& fragment) {
  std::string file = std::filesystem::path(smilName).lexically_normal().generic_string();
  return lowerAsciiCopy(file) + "#" + fragment;
}

Smil2Reader::Entry Smil2Reader::byFile(Targets& targets, const std::string& key) {
  const size_t hash = key.rfind('#');
  return Entry{targets[key.substr(0, hash + 1)], key.substr(hash + 1)};
}

int Smil2Reader::phraseOf(const std::string& key) const {
  const size_t hash = key.rfind('#');
  auto file = wanted_.find(key.substr(0, hash + 1));
  if (file == wanted_.end()) return -1;
  auto found = file->second.find(key.substr(hash + 1));
  return found == file->second.end() ? -1 : found->second;
}

bool Smil2Reader::full() const {
  return static_cast<size_t>(phrase_.rowCount()) >=
         kBasePhraseRows + distinctBytes_ / kBytesPerPhraseRow;
}

std::optional<SmilTimes> Smil2Reader::read(const std::string& smilName) {
  std::string path;
  std::optional<std::string> bytes = readBookFile(folder_, smilName, &path);
  // A spine that names a file twice would read it twice over; once is its reading order.
  if (!bytes || !filesRead_.insert(path).second) return std::nullopt;
  distinctBytes_ += bytes->size();
  const xml::XmlFile file = xml::XmlFile::parse(*bytes, path);
  xml::Node root = file.root();
  if (!xml::isElement(root, "smil")) return std::nullopt;

  const std::string fileKey = key(smilName, "");
  auto targets = headingTargets_.find(fileKey);
  fileTargets_ = targets == headingTargets_.end() ? nullptr : &targets->second;
  auto wanted = wanted_.find(fileKey);
  fileWanted_ = wanted == wanted_.end() ? nullptr : &wanted->second;
  const size_t slash = smilName.find_last_of('/');
  smilFolder_ = slash == std::string::npos ? std::string() : smilName.substr(0, slash + 1);
  clipTotal_ = 0;

  SmilTimes times;
  xml::forEachChild(xml::firstChild(root, "head"), [&](xml::Node meta) {
    if (xml::isElement(meta, "meta") && xml::attribute(meta, "name") == "dtb:totalElapsedTime")
      times.elapsed = parseClockValue(xml::attribute(meta, "content"));
  });
  xml::Node body = xml::firstChild(root, "body");
  walk(body, "");
  // The duration the body's seq declares; without it, what its clips play.
  xml::Node main = xml::firstChild(body, "seq");
  std::optional<double> declared = parseClockValue(xml::attribute(main, "dur"));
  times.duration = declared ? *declared : clipTotal_;
  return times;
}

void Smil2Reader::reachTarget(const std::string& id) {
  if (id.empty()) return;
  if (!fileTargets_) return;
  auto found = fileTargets_->find(id);
  if (found != fileTargets_->end()) current_ = found->second;
}

void Smil2Reader::rememberWanted(const std::string& id, int row) {
  if (id.empty() || !fileWanted_) return;
  auto found = fileWanted_->find(id);
  if (found != fileWanted_->end() && found->second < 0) found->second = row;
}

void Smil2Reader::walk(xml::Node node, const std::string& skip) {
  xml::forEachChild(node, [&](xml::Node child) {
    if (full()) return;
    const bool seq = xml::isElement(child, "seq");
    const bool par = xml::isElement(child, "par");
    if (!seq && !par) {
      walk(child, skip);
      return;
    }
    // A structure inside a skippable one stays skippable.
    std::string inner = skip;
    if (inner.empty())
      inner = skips_.classOf(xml::attribute(child, "customTest"), xml::attribute(child, "class"));
    // The media overlays of EPUB books say what a structure is by its epub:type.
    if (inner.empty()) inner = SkipStructures::classOfTypes(xml::attribute(child, "type"));
    const std::string id = xml::attribute(child, "id");
    reachTarget(id);
    if (seq) {
      const int firstRow = phrase_.rowCount();
      walk(child, inner);
      if (phrase_.rowCount() > firstRow) rememberWanted(id, firstRow);
    } else {
      readPar(child, inner);
    }
  });
}

void Smil2Reader::readPar(xml::Node par, const std::string& skip) {
  std::vector<xml::Node> texts, audios;
  collect(par, "text", texts);
  collect(par, "audio", audios);
  xml::Node text = texts.empty() ? nullptr : texts.front();
  std::string textId = xml::attribute(text, "id");
  reachTarget(textId);
  if (offset_ < 0) offset_ = current_ < 0 ? 1 : 0;

  const std::string parId = xml::attribute(par, "id");
  std::string document, fragment;
  if (text) {
    splitLink(xml::attribute(text, "src"), document, fragment);
    if (!document.empty()) {
      features_.separateText = true;
      document = folder_ + smilFolder_ + document;
    }
  }
  if (document.empty() && !ncx_.empty()) {
    document = ncx_;
    fragment = current_ >= 0 && static_cast<size_t>(current_) < headingIds_.size()
                   ? headingIds_[current_]
                   : titleId_;
  }
  // Text elements of DAISY 3 rarely carry ids; the par's stands for the text, so that the
  // entries of a navList, which point at pars, find their phrase as NCC groups do.
  if (textId.empty()) textId = parId;
  if (!skip.empty()) SkipStructures::note(skip, features_);
  const std::string tree = std::to_string(treeId());
  std::array<std::string_view, kPhraseColumns> cells{};
  cells[PhraseCol::TreeId] = tree;
  cells[PhraseCol::ParId] = parId;
  cells[PhraseCol::Document] = document;
  cells[PhraseCol::Fragment] = fragment;
  cells[PhraseCol::TextId] = textId;
  cells[PhraseCol::Skip] = skip;
  const int firstRow = phrase_.insertRow(phrase_.rowCount(), cells);
  rememberWanted(parId, firstRow);
  rememberWanted(xml::attribute(text, "id"), firstRow);
  for (size_t i = 0; i < audios.size(); ++i) {
    int row = firstRow;
    if (i > 0) row = phrase_.insertRow(phrase_.rowCount(), cells);
    addClip(audios[i], row);
  }
}

void Smil2Reader::addClip(xml::Node audio, int row) {
  features_.audio = true;
  phrase_.setCell(row, PhraseCol::Audio, smilFolder_ + xml::attribute(audio, "src"));
  const std::optional<double> begin =
      parseClockValue(clipAttribute(audio, "clipBegin", "clip-begin"));
  const std::optional<double> end = parseClockValue(clipAttribute(audio, "clipEnd", "clip-end"));
  // A clip without a begin starts with its file.
  phrase_.setCell(row, PhraseCol::Begin, clipSecondsText(begin.value_or(0)));
  if (end) phrase_.setCell(row, PhraseCol::End, clipSecondsText(*end));
  // Clips are timed to the millisecond; counted so, a file's time does not lose its last
  // second to the rounding of values like "0.116667min".
  if (end && *end > begin.value_or(0))
    clipTotal_ += std::round((*end - begin.value_or(0)) * 1000) / 1000;
}

}  // namespace orbis
