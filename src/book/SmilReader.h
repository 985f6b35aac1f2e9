#pragma once
#include <string>
#include <string_view>
#include <unordered_set>

#include "book/BookRecord.h"
#include "book/BookTable.h"

namespace orbis {

// Turns the audio clips of the SMIL files a book's headings link to into phrase rows and gives
// each heading's title row its play time and the time elapsed before it. One object serves one
// load: the phrase counter, the section flags and the last play time carry over between files.
class SmilReader {
 public:
  SmilReader(BookTable& title, BookTable& phrase, std::string folder, BookFeatures& features,
             std::string& pendingSkip);

  // Reads the SMIL file `smilName` (as the heading's link names it) for the heading in title
  // row `titleRow`. An unreadable file adds nothing and leaves the row's times empty.
  void read(const std::string& smilName, int titleRow);

 private:
  // False when the phrase table is full and the file is read no further.
  bool readLine(std::string_view line, const std::string& treeId);
  void readHead(std::string_view line);
  void startPar(std::string_view line, size_t at, const std::string& treeId);
  void readText(std::string_view line, size_t at);
  void readAudio(std::string_view line, size_t at);
  void finish(int titleRow, std::string elapsed);
  bool full() const;

  BookTable& title_;
  BookTable& phrase_;
  std::string folder_;
  BookFeatures& features_;
  std::string& pendingSkip_;

  int phraseRow_ = -1;
  bool inHead_ = false;
  bool inBody_ = false;
  std::string timeText_;
  std::string elapsed_;
  double runningTotal_ = 0;
  bool audioSeen_ = false;
  std::string lastDocument_;  // the document the last text element named
  std::string documentPath_;  // the folder and that document
  // The paths of the files read so far. The phrase table may grow with the SMIL bytes of
  // distinct files, not with their repetitions: an NCC whose headings all link one large file
  // stays small.
  std::unordered_set<std::string> filesSeen_;
  size_t distinctBytes_ = 0;
};

}  // namespace orbis
