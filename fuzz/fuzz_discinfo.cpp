// Feeds arbitrary bytes to the drive scan as the discinfo.html of a disc that also holds one
// book of its own. Whatever the links say, every book found lies on the disc.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "FuzzFiles.h"
#include "library/BookScan.h"

namespace {

using orbis::fuzz::expect;
using orbis::fuzz::folder;
using orbis::fuzz::writeFile;

const std::string& disc() {
  static const std::string root = [] {
    const std::string path = folder() + "disc";
    std::filesystem::create_directories(path + "/buch1");
    writeFile(path + "/buch1/ncc.html", "<html></html>");
    return path;
  }();
  return root;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  writeFile(disc() + "/discinfo.html", std::string_view(reinterpret_cast<const char*>(data), size));
  for (const std::string& book : orbis::BookScan().run(disc())) {
    expect(book == disc() || book.rfind(disc() + "/", 0) == 0);
    expect(book.find("/../") == std::string::npos && !book.ends_with("/.."));
  }
  return 0;
}
