#pragma once
#include <array>
#include <string>

namespace orbis {

// What the book's NCC head declares; every value is kept as the bytes read (the resume files
// compare them), except the date, which reads "00-00-0000" after a load of an NCC without one.
struct BookMetadata {
  std::string title;       // dc:title
  std::string identifier;  // dc:identifier or ncc:identifier, whichever comes later
  std::string date;        // dc:date
  std::string tocItems;    // ncc:tocitems, as text
  std::string totalTime;   // ncc:totaltime
  std::string setInfo;     // ncc:setinfo, used when changing volumes
  std::string language{};  // dc:language; also the language text without audio is spoken in
  // Told in the book information where a book names them (EPUB package documents).
  std::string creator{}, publisher{}, narrator{};
};

// What the loader met while reading; the menus are enabled by these.
struct BookFeatures {
  bool audio = false;         // any audio element
  bool groups = false;        // any NCC div
  bool pages = false;         // any NCC page entry
  bool footnotes = false;     // a par marked footnote-on
  bool sidebars = false;      // a par marked sidebar-on
  bool prodnotes = false;     // a par marked prodnote-on
  bool pageNumbers = false;   // a par marked pagenumber-on
  bool separateText = false;  // a text element naming a document other than the NCC
  // In the order the menu enabling step takes them.
  std::array<bool, 8> inMenuOrder() const {
    return {audio, groups, pages, footnotes, sidebars, prodnotes, pageNumbers, separateText};
  }
};

// The book record of the main window.
struct BookRecord {
  std::string folder;  // holds ncc.html; ends in "/"
  // The file the book was opened from when that is not the folder itself (an EPUB file, whose
  // unpacked copy in the cache may go); the book is opened again from here.
  std::string sourceFile;
  BookMetadata metadata;
  BookFeatures features;
  bool open = false;  // the selection handlers do nothing while this is false
  void clear() { *this = BookRecord{}; }
};

}  // namespace orbis
