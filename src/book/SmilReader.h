#pragma once
#include <array>
#include <memory>
#include <string>
#include <unordered_map>

#include "book/BookRecord.h"
#include "book/BookTable.h"
#include "book/BookTables.h"
#include "book/SmilLines.h"
#include "book/SmilPrefetch.h"

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
  // Starts reading the files the headings are expected to link to (SMIL names, in order) ahead
  // of read(), on a thread of its own.
  void readAhead(std::vector<std::string> smilNames);

 private:
  using Line = SmilLine;
  // False when the phrase table is full and the file is read no further. Inline into the walk
  // over a file's lines, which it is called for half a million times in a large book.
  [[gnu::always_inline]] inline bool readLine(const Line& line, std::string_view treeId);
  void readHead(const Line& line);
  void readBody(const Line& line, std::string_view treeId);
  void startPar(const Line& line, std::string_view treeId);
  void readText(const Line& line);
  void readAudio(const Line& line);
  void finish(int titleRow, std::string elapsed);
  bool full() const;
  // The phrase row being read is held here and written whole when the next row starts or the
  // file ends; rows read before it are in the table. Cells read or written through these
  // functions go to the held row when there is one, else to the table's row `phraseRow_`.
  std::string_view currentCell(int column) const;
  void setCurrentCell(int column, std::string_view text);
  void holdRow(int row, const std::array<std::string_view, kPhraseColumns>& cells);
  void writeHeldRow();

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
  bool rowHeld_ = false;
  // Views into memory the phrase table holds until the next book, so that the table takes the
  // row as it is: the kept file, and the texts below that it stores when they change.
  std::array<std::string_view, kPhraseColumns> heldRow_;
  std::string_view skipCell_;                // the pending skip text when the held row started
  std::string_view documentCell_;            // `documentPath_`
  std::string content_;                      // the file being read, until the table keeps it
  std::vector<PackedSmilLine> packedLines_;  // its lines when they were split ahead
  std::string documentPath_;                 // the folder and a text element's document
  std::string lastDocument_;                 // that document as the text element names it
  // The files read so far by their path, as the phrase table keeps them. A file is kept once
  // however many headings link it, and the table may grow with the SMIL bytes read from distinct
  // files, not with their repetitions: an NCC whose headings all link one large file stays small.
  std::unordered_map<std::string, std::string_view> filesSeen_;
  size_t distinctBytes_ = 0;
  std::unique_ptr<SmilPrefetch> prefetch_;
};

}  // namespace orbis
