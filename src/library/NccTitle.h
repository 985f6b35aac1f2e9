#pragma once
#include <optional>
#include <string>

namespace orbis {

// The title a book list shows for a book folder: the text of the first heading's link in its
// ncc.html (any letter case), turned into UTF-8 from the NCC's declared character set and with
// its character references decoded. Empty when the NCC has no such heading; nothing when
// ncc.html cannot be read. A DAISY 3 book (a folder without ncc.html and with one package file)
// has the title of its package file, and so has an EPUB file (its path given as the folder).
std::optional<std::string> readNccTitle(const std::string& bookFolder);

}  // namespace orbis
