#pragma once
#include <optional>
#include <string>

#include "book/BookRecord.h"
#include "book/BookTables.h"
#include "book/HeadingsTree.h"
#include "ports/Dialogs.h"

namespace orbis {

// The interface texts the loader shows, in the current language; the defaults are German.
struct LoaderTexts {
  std::string nccOpenFailed = "Die ncc.html konnte nicht geöffnet werden!";
  std::string nccReadErrorCaption = "Lesefehler - ncc.html";
  std::string packageOpenFailed = "Die Paketdatei (.opf) des Buches konnte nicht gelesen werden!";
  std::string packageReadErrorCaption = "Lesefehler - Paketdatei";
  std::string epubEncrypted =
      "Dieses EPUB-Buch ist verschlüsselt (Kopierschutz) und kann nicht gelesen werden.";
  std::string of = "von";
  std::string entriesRead = "%i Einträge von %i gelesen...";  // link lines read, TOC items
};

// Where the loader reports its progress: the range is the NCC's TOC item count, the position
// the number of NCC lines with a link read so far.
class LoadProgress {
 public:
  virtual ~LoadProgress() = default;
  virtual void setRange(int maximum) = 0;
  virtual void setPosition(int position) = 0;
  virtual void setStatus(const std::string& text) = 0;
};

// The tables and the tree a load fills.
struct LoadTargets {
  HeadingsTree& tree;
  BookTable& title;
  BookTable& phrase;
  BookTable& page;
  BookTable& group;
};

// What the loader found besides the tables; the caller copies it into the book record.
struct LoadResult {
  std::string folder;
  BookMetadata metadata;
  BookFeatures features;
  int codePage = 0;   // of the ncc:charset declaration; 0 when none was read
  int linkLines = 0;  // NCC lines with a link
};

// Reads a book into the book tables. A folder holding ncc.html is a DAISY 2.02 book, read in
// one pass: the NCC line by line, and for every heading the SMIL file it links to, completely,
// before the next NCC line. A folder without ncc.html that holds exactly one package file
// (*.opf) is a DAISY 3 book (daisy3/Daisy3Loader); one holding META-INF/container.xml an
// unpacked EPUB (epub/EpubLoader). The title, phrase and page tables and the
// tree are emptied first; the group table is not (clearing the book empties it).
class BookLoader {
 public:
  // `folder` holds ncc.html or a package file; a missing final "/" is added.
  BookLoader(LoadTargets targets, std::string folder, Dialogs& dialogs, LoaderTexts texts = {});
  BookLoader(HeadingsTree& tree, BookTables& tables, std::string folder, Dialogs& dialogs,
             LoaderTexts texts = {});

  void setProgress(LoadProgress* progress) { progress_ = progress; }
  // True (OK) when the NCC (or package file) was read. False (Cancel) when neither ncc.html nor a
  // readable package file is there: the reader has been told with an error message and the
  // emptied tables stay empty.
  bool run();
  const LoadResult& result() const { return result_; }

  // Reads only the NCC's head metadata of a book folder (for the NCC of another volume), or a
  // DAISY 3 book's package metadata; shows the same message as run() when neither is read.
  static std::optional<BookMetadata> readMetadata(const std::string& folder, Dialogs& dialogs,
                                                  const LoaderTexts& texts = {});

 private:
  LoadTargets targets_;
  Dialogs& dialogs_;
  LoaderTexts texts_;
  LoadProgress* progress_ = nullptr;
  LoadResult result_;
};

// Inserts the numbers into a text of the interface table: each "%i" (or "%d") takes the next one.
std::string formatCounts(const std::string& text, int first, int second);

}  // namespace orbis
