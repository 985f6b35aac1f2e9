#pragma once
#include <string>
#include <unordered_set>

#include "book/BookRecord.h"
#include "book/BookTable.h"
#include "book/LineScanner.h"

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
  // A line as read, with the first positions of the tags the reader looks for, found in one
  // walk over the line's "<" characters (SMIL files are by far the largest part of a book, so
  // each line is walked once instead of once per tag). Tags match in any letter case.
  struct Line {
    std::string_view raw;  // a part of the file
    size_t headOpen, headClose, bodyOpen, bodyClose, parClose, par, text, audio;
    // `nextTag` is the file position of the first "<" not walked yet, and is moved past the
    // line: each "<" of the file is searched for once, not once more at the end of every line.
    void scan(std::string_view file, size_t& nextTag);
  };
  void readHead(const Line& line);
  void readBody(const Line& line, const std::string& treeId);
  void startPar(const Line& line, const std::string& treeId);
  void readText(const Line& line);
  void readAudio(const Line& line);
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
  std::string content_;       // the file being read; its memory serves every file
  std::string documentPath_;  // the folder and a text element's document
  // Guards memory against an NCC whose headings all link one large SMIL file: the phrase table
  // may grow with the SMIL bytes read from distinct files, not with their repetitions.
  std::unordered_set<std::string> filesSeen_;
  size_t distinctBytes_ = 0;
};

}  // namespace orbis
