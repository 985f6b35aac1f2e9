#pragma once
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "book/BookRecord.h"
#include "book/BookTable.h"
#include "daisy3/SkipStructures.h"
#include "daisy3/XmlFile.h"

namespace orbis {

// The play time of one SMIL file and the time its head says was heard before it.
struct SmilTimes {
  double duration = 0;
  std::optional<double> elapsed;  // dtb:totalElapsedTime
};

// Turns the SMIL 2 files of a DAISY 3 spine into phrase rows, one per audio clip (a par without
// audio gives one row without clip), nested seqs and pars read in document order. The headings
// of the NCX point at pars, seqs or text elements: a phrase belongs to the last heading whose
// target was passed. Phrases before the first heading's target belong to a heading made of
// the book's title, which then takes title row 0 and moves every heading one row down.
class Smil2Reader {
 public:
  Smil2Reader(BookTable& phrase, std::string folder, const SkipStructures& skips,
              BookFeatures& features);

  // Where each heading starts: "<smil file>#<id>" (see key()) -> heading index from 0.
  void setHeadingTargets(const std::unordered_map<std::string, int>& targets) {
    for (const auto& [key, heading] : targets) byFile(headingTargets_, key).emplace(heading);
  }
  // A book without DTBook shows its NCX (the full path given): the pars without text point at
  // the navPoint of their heading (`headingIds`, by heading index) or at the title.
  void showTextlessIn(std::string ncx, std::vector<std::string> headingIds, std::string titleId) {
    ncx_ = std::move(ncx);
    headingIds_ = std::move(headingIds);
    titleId_ = std::move(titleId);
  }
  // Targets (pages, groups) whose phrase is wanted; found ones are in phraseOf() afterwards.
  void wantPhraseOf(const std::string& key) { byFile(wanted_, key).emplace(-1); }
  // The first phrase row a wanted target (a par, a seq or a text) starts; -1 for none.
  int phraseOf(const std::string& key) const;

  // Reads one SMIL file of the spine (a name relative to the book folder); nothing for an
  // unreadable file, or one read before.
  std::optional<SmilTimes> read(const std::string& smilName);
  // Whether phrases came before the first heading's target.
  bool titleHeadingNeeded() const { return offset_ == 1; }

  // The key of a target: the SMIL file's name, normalised and in lower case, "#", the id.
  static std::string key(const std::string& smilName, const std::string& fragment);

 private:
  void walk(xml::Node node, const std::string& skip);
  void readPar(xml::Node par, const std::string& skip);
  void reachTarget(const std::string& id);
  void rememberWanted(const std::string& id, int row);
  void addClip(xml::Node audio, int row);
  int treeId() const { return current_ + (offset_ > 0 ? offset_ : 0); }
  bool full() const;

  BookTable& phrase_;
  std::string folder_;
  const SkipStructures& skips_;
  BookFeatures& features_;
  // Targets by file key, then by id: a par's id is looked up without building a key.
  using Targets = std::unordered_map<std::string, std::unordered_map<std::string, int>>;
  // The entry of a "file#id" key, made when missing; emplace() into it keeps a value given first.
  struct Entry {
    std::unordered_map<std::string, int>& ids;
    std::string id;
    void emplace(int value) { ids.emplace(id, value); }
  };
  static Entry byFile(Targets& targets, const std::string& key);
  Targets headingTargets_;
  Targets wanted_;
  std::unordered_map<std::string, int>* fileTargets_ = nullptr;  // of the file being read
  std::unordered_map<std::string, int>* fileWanted_ = nullptr;
  std::unordered_set<std::string> filesRead_;
  std::string ncx_;
  std::vector<std::string> headingIds_;
  std::string titleId_;
  size_t distinctBytes_ = 0;

  int current_ = -1;        // heading index
  int offset_ = -1;         // decided by the first phrase: 1 when it came before any heading
  std::string smilFolder_;  // the folder of that file inside the book, with "/" or empty
  double clipTotal_ = 0;
};

}  // namespace orbis
