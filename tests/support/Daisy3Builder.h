#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace orbis::testing {

// Writes a small DAISY 3 book into a folder: book.opf, book.ncx, one SMIL file per level-1
// heading (deeper headings share their level-1 heading's file), dtbook.xml and, unless switched
// off, one WAV file per SMIL file.
//
//   Daisy3Builder book(dir.path());
//   book.heading(1, "One", 3);
//   book.heading(2, "One.One", 2);
//   book.write();
//
// Names: heading i (from 0) has its phrases' par ids "p<i>_<k>" and text ids "t<i>_<k>"; the
// phrases before the first heading (frontPhrases) are "p_<k>". Titles and labels are written
// into the XML files as given, so that a test may write references or markup in them.
class Daisy3Builder {
 public:
  struct Heading {
    int depth = 1;
    std::string title;
    int phrases = 1;
    std::string customTest;  // the id of a customTest on a seq around the heading's pars
  };

  explicit Daisy3Builder(std::filesystem::path folder);

  std::string title = "Test Book 3";
  std::string identifier = "d3-0001";
  std::string date = "2024-02-29";
  std::string totalTime = "0:00:10.000";
  double clipSeconds = 1.0;
  int frontPhrases = 0;         // phrases in the first SMIL file before the first heading's target
  bool audio = true;            // audio elements in the pars (false: a text-only book)
  bool dtbook = true;           // text elements and dtbook.xml (false: an audio-only book)
  bool everyClockForm = false;  // cycle the clips through every SMIL clock form
  std::string ncxDoctype;       // written before the NCX's root element
  std::string language;         // dc:Language, when given

  int heading(int depth, std::string title, int phrases, std::string customTest = "");
  // A pageTarget (type "normal", "front" or "special") at the first phrase of a heading.
  void page(std::string label, std::string type, int heading);
  // A navList of that class with one navTarget at the first phrase of each heading given.
  void navList(std::string label, std::vector<int> headings);
  // A smilCustomTest of the NCX: id and bookStruct (NOTE, OPTIONAL_SIDEBAR, ...).
  void customTest(std::string id, std::string bookStruct);

  // Writes everything; returns the book folder with a final "/".
  std::string write() const;

  static std::string smilName(int file);
  static std::string audioName(int file);
  // The clock value of `seconds` in form `form` (0 to 5): full clock, partial clock, "s",
  // "min", "ms", plain seconds.
  static std::string clockValue(double seconds, int form);

 private:
  struct Page {
    std::string label, type;
    int heading;
  };
  struct NavList {
    std::string label;
    std::vector<int> headings;
  };
  int fileOf(int heading) const;
  std::string target(int heading) const;
  std::string opf() const;
  std::string ncx() const;
  std::string smil(int file) const;
  std::string dtbookXml() const;
  std::string navPoints(size_t& next, int depth) const;

  std::filesystem::path folder_;
  std::vector<Heading> headings_;
  std::vector<Page> pages_;
  std::vector<NavList> navLists_;
  std::vector<std::pair<std::string, std::string>> customTests_;
};

}  // namespace orbis::testing
