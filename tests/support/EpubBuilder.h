#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace orbis::testing {

// Writes a small EPUB 3 book and packs it into an .epub file with minizip.
//
//   EpubBuilder book(dir.path());
//   book.chapter("One", {"First.", "Second."});
//   std::string epub = book.write();
//
// Chapter i (from 1) is "chapter<i>.xhtml" with its heading h1 and its paragraphs; with
// `unitIds` the heading is "h<i>" and the paragraphs "p<i>_<k>" (from 1), without they carry no
// id. A chapter's page break "page<label>" comes before its heading, its footnote (an aside of
// epub:type footnote, id "note<i>") after its paragraphs. With `mediaOverlay` every chapter
// has a SMIL file with one par per text (the page break and the note in seqs of their
// epub:type) over one WAV file per chapter, the clips taking every clock form in turn.
class EpubBuilder {
 public:
  struct Chapter {
    std::string title;
    std::vector<std::string> paragraphs;
    int depth = 1;          // in the table of contents
    std::string pageLabel;  // a page break before the heading; empty for none
    std::string footnote;   // the text of a footnote after the paragraphs; empty for none
    bool linear = true;
  };

  explicit EpubBuilder(std::filesystem::path folder);

  std::string title = "Test EPUB";
  std::string identifier = "urn:uuid:epub-0001";
  std::string creator = "Ann Author";
  std::string narrator = "Nick Narrator";
  bool unitIds = true;
  bool mediaOverlay = false;
  double clipSeconds = 0.5;
  bool landmarks = true;
  // META-INF/encryption.xml naming this algorithm for chapter 1; empty for none.
  std::string encryptionAlgorithm;
  // Entry names added to the archive as written, with this content (for unsafe names).
  std::vector<std::string> extraEntries;

  void chapter(Chapter chapter) { chapters_.push_back(std::move(chapter)); }

  // Writes the files below "<folder>/files/" and packs them into "<folder>/book.epub"; returns
  // the path of the .epub.
  std::string write() const;

 private:
  std::string opf() const;
  std::string nav() const;
  std::string xhtml(size_t chapter) const;
  std::string smil(size_t chapter) const;

  std::filesystem::path folder_;
  std::vector<Chapter> chapters_;
};

}  // namespace orbis::testing
