#pragma once
#include <string>

#include "book/BookLoader.h"

namespace orbis {

// Reads a DAISY 3 book (ANSI/NISO Z39.86-2005) into the same tables and tree as a DAISY 2.02
// book: its package file for the metadata and the spine, its NCX for the headings, pages and
// groups, and the SMIL files of the spine, in reading order, for the phrases. The heading rows
// keep the columns' meaning: "SMIL" the file the heading points into, "Zeit" that file's play
// time, "Zeit verg." the time heard before that file.
class Daisy3Loader {
 public:
  // `folder` holds the package file `package`; both are as BookLoader keeps them.
  Daisy3Loader(LoadTargets targets, const std::string& folder, std::string package,
               LoadProgress* progress, const LoaderTexts& texts, LoadResult& result);

  // False when the package file cannot be read: nothing was added to the tables.
  bool run();

  // Only the metadata of the package file (and of the NCX where the package has none).
  static bool readMetadata(const std::string& folder, const std::string& package,
                           BookMetadata& metadata);

 private:
  LoadTargets targets_;
  std::string folder_;
  std::string package_;
  LoadProgress* progress_;
  const LoaderTexts& texts_;
  LoadResult& result_;
};

}  // namespace orbis
