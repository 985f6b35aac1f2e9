#pragma once
#include <string>

#include "book/BookLoader.h"

namespace orbis {

// Reads an unpacked EPUB 3 book (or an EPUB 2 one as far as its NCX goes) into the same
// tables and tree as a DAISY book. The package document gives the metadata and the spine; the
// navigation document (else the NCX) the headings, pages and landmarks (as groups). A content
// document with a media overlay gives one phrase per clip of its SMIL file; one without gives a
// phrase without audio per reading unit (see XhtmlUnits), for the speech synthesizer. Items of
// the spine marked non-linear are read after the others, so that notes and answers stay
// reachable without interrupting the text. A phrase belongs to the last heading whose target
// it reached; phrases before the first heading belong to a heading made of the book's title.
class EpubLoader {
 public:
  enum class Outcome { Loaded, Unreadable, Encrypted };

  // `folder` holds the unpacked book (META-INF/container.xml), as BookLoader keeps it.
  EpubLoader(LoadTargets targets, const std::string& folder, LoadProgress* progress,
             const LoaderTexts& texts, LoadResult& result);

  // Nothing is added to the tables unless the book is loaded.
  Outcome run();

  // Only the metadata of the package document.
  static Outcome readMetadata(const std::string& folder, BookMetadata& metadata);

 private:
  LoadTargets targets_;
  std::string folder_;
  LoadProgress* progress_;
  const LoaderTexts& texts_;
  LoadResult& result_;
};

}  // namespace orbis
