#pragma once
#include <optional>
#include <string>

#include "library/ZipUnpack.h"
#include "ports/BusyNote.h"
#include "ports/Dialogs.h"
#include "ports/ZipArchive.h"

namespace orbis {

// What opening an EPUB file needs: the archive reader, where unpacked books are kept, and the
// reader's dialogs for the note while unpacking and the message when it fails.
struct EpubFileContext {
  ZipReader& zip;
  Dialogs& dialogs;
  BusyNote& busyNote;
  std::string cacheFolder;  // the user's cache folder, ending in "/"
  UnpackLimits limits = {};
};

// Whether the path names an EPUB file: a regular file whose name ends in ".epub" (any case).
bool isEpubFile(const std::string& path);

// The folder an EPUB file is read from: "<cache>/epub/<key>/", the key made of the file's
// path, size and time of change. The file is unpacked there with the rules of every archive
// (names checked before anything is written, sizes and counts bounded, checksums checked, no
// links followed), first into a folder of its own that takes the final name only once
// complete; a book unpacked before is used as it is. Nothing, after telling the reader, when
// the file cannot be unpacked.
std::optional<std::string> epubBookFolder(const EpubFileContext& context, const std::string& path);

// The title an EPUB file's package document gives, read from the archive without unpacking it;
// nothing when the file is no readable EPUB.
std::optional<std::string> epubTitle(ZipReader& zip, const std::string& path);

// The name of the folder an EPUB file is unpacked into, below "<cache>/epub/".
std::string epubCacheKey(const std::string& path);

}  // namespace orbis
