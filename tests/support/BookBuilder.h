#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace orbis::testing {

// Writes a small DAISY 2.02 book into a folder (usually a TempDir): ncc.html, one SMIL file per
// heading, one text document per heading and, unless switched off, one WAV file per heading
// holding that heading's phrases as consecutive clips.
//
//   BookBuilder book(dir.path());
//   book.headings(3, 4);          // three level-1 headings of four phrases each
//   book.write();
//
// Names: heading i (from 0) has "s0001.smil" (i + 1, four digits), "a0001.wav", "t0001.html";
// its phrases have the par ids "p<i>_<k>" and the text ids "t<i>_<k>".
class BookBuilder {
 public:
  struct Heading {
    int level = 1;
    std::string title;
    int phrases = 1;
    double clipSeconds = 1.0;
    std::string parAttributes;   // e.g. system-required="footnote-on" for every par
    std::string linkAttributes;  // e.g. rel="next" on the heading's link
    // Set: the heading has no files of its own; its link (and the pages and groups after it)
    // lead into that earlier heading's SMIL file, at its phrase `sharedFromPhrase`.
    int sharesSmilOf = -1;
    int sharedFromPhrase = 0;
  };

  explicit BookBuilder(std::filesystem::path folder);

  // Metadata; the charset is declared as ncc:charset and used for the headings' bytes as given.
  std::string title = "Test Book";
  std::string identifier = "test-0001";
  std::string date = "2024-01-31";
  std::string setInfo = "1 of 1";
  std::string charset = "utf-8";
  bool audio = true;          // write the WAV files (the SMIL files name them either way)
  bool audioElements = true;  // false: the pars hold their text only
  std::string language;       // dc:language, when given
  bool textDocuments = true;  // false: the text of every phrase points into ncc.html
  int sampleRate = 8000;

  // Appends a heading; returns its index.
  int heading(int level, std::string title, int phrases, double clipSeconds = 1.0);
  Heading& headingAt(int index) { return headings_.at(index); }
  // Appends `count` level-1 headings named "Heading 1", ... with `phrases` phrases each.
  void headings(int count, int phrases, double clipSeconds = 1.0);
  // A page entry (after the last heading added so far) linking to that heading's first phrase.
  void page(std::string label);
  // A group entry after the last heading added so far.
  void group(std::string text);

  // Writes everything; returns the book folder with a final "/".
  std::string write() const;

  static std::string smilName(int heading);
  static std::string audioName(int heading);
  static std::string textName(int heading);
  const std::filesystem::path& folder() const { return folder_; }
  int headingCount() const { return static_cast<int>(headings_.size()); }

  // A mono 16-bit PCM WAV file of `seconds` of a quiet tone.
  static std::string wav(double seconds, int sampleRate);

 private:
  struct Entry {
    enum Kind { Heading, Page, Group } kind;
    int index;  // heading index, or the heading the entry follows (-1 before the first)
    std::string text;
  };
  std::string ncc() const;
  std::string smil(int index) const;
  std::string text(int index) const;
  std::string link(int index) const;

  std::filesystem::path folder_;
  std::vector<Heading> headings_;
  std::vector<Entry> entries_;
};

}  // namespace orbis::testing
