#pragma once
#include <map>
#include <string>
#include <string_view>

#include "book/BookRecord.h"

namespace orbis {

// Which of the four skip classes of the phrase table ("footnote", "sidebar", "prodnote",
// "pagenumber") a DAISY 3 customTest stands for. The NCX's smilCustomTest names its structure
// (bookStruct); a test it does not name, and a seq or par without test, is known by its id or
// class ("note", "sidebar", "prodnote", "pagenum", ...). Note references, line numbers and
// anything else are read as they come.
class SkipStructures {
 public:
  explicit SkipStructures(std::map<std::string, std::string> bookStructs)
      : bookStructs_(std::move(bookStructs)) {}

  // The skip class of an element with these customTest (a list of ids) and class attributes;
  // empty for none.
  std::string_view classOf(std::string_view customTests, std::string_view elementClass) const;
  // The skip class of an element of an EPUB by its epub:type (a list of terms, with or without
  // a vocabulary prefix): notes and annotations are footnotes, sidebars sidebars, page breaks
  // page numbers, the producer's notes of the structure vocabulary producer notes.
  static std::string_view classOfTypes(std::string_view types);
  // Marks the book as having that kind of structure.
  static void note(std::string_view skipClass, BookFeatures& features);

 private:
  std::map<std::string, std::string> bookStructs_;
};

}  // namespace orbis
