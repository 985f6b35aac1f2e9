// Feeds arbitrary bytes as a ZIP archive to the unpacking the ZIP command uses, into an empty
// folder and then again into the folder it filled, as a second unpacking into the temporary
// folder replaces the files of the first. Whatever the archive's names and sizes say, nothing is
// written outside that folder, no link is made, and the files never take more room than the
// declared sizes were allowed.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "FuzzFiles.h"
#include "library/MinizipReader.h"
#include "library/ZipUnpack.h"

namespace {

namespace fs = std::filesystem;
using orbis::fuzz::expect;
using orbis::fuzz::folder;
using orbis::fuzz::writeFile;

// Declared sizes beyond this are refused before anything is written, as a full disc would.
constexpr std::uint64_t kRoom = 8 * 1024 * 1024;

void expectOnlyInside(const fs::path& target) {
  for (const auto& entry : fs::directory_iterator(folder())) {
    expect(entry.path() == target || entry.path().filename() == "book.zip");
  }
  std::uintmax_t total = 0;
  for (const auto& entry : fs::recursive_directory_iterator(target)) {
    expect(!entry.is_symlink());
    if (entry.is_regular_file()) total += entry.file_size();
  }
  expect(total <= kRoom);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const std::string archivePath = folder() + "book.zip";
  const fs::path target = fs::path(folder()) / "unpacked";
  writeFile(archivePath, std::string_view(reinterpret_cast<const char*>(data), size));
  fs::remove_all(target);
  fs::create_directory(target);

  orbis::UnpackLimits limits;
  limits.freeSpace = [](const std::string&) { return kRoom + orbis::UnpackLimits{}.spaceReserve; };
  for (int pass = 0; pass < 2; ++pass) {
    if (auto archive = orbis::MinizipReader().open(archivePath)) {
      orbis::unpackArchive(*archive, target.string() + "/", limits, [] {});
    }
    expectOnlyInside(target);
  }
  return 0;
}
