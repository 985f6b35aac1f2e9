#include "library/EpubFile.h"

#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "book/LineScanner.h"
#include "daisy3/PackageFile.h"
#include "epub/EpubContainer.h"
#include "settings/AtomicFile.h"
#include "texts/UiTexts.h"

namespace orbis {

namespace fs = std::filesystem;

namespace {

// Written last into a finished folder: a folder without it was left by an unpacking that
// stopped half way.
constexpr const char* kCompleteMark = ".orbis-velora-unpacked";

std::uint64_t fnv1a(std::string_view text, std::uint64_t hash = 0xcbf29ce484222325ull) {
  for (unsigned char c : text) {
    hash ^= c;
    hash *= 0x100000001b3ull;
  }
  return hash;
}

void tellFailure(const EpubFileContext& context) {
  context.dialogs.messageBox(uiTexts().epubUnpackFailed, uiTexts().packageReadErrorCaption,
                             MessageButtons::Ok, MessageIcon::Error);
}

// The bytes of the entry of that name (as the container names it), if it is small enough for a
// file of its kind.
std::optional<std::string> entryBytes(ZipArchive& archive, const std::vector<ZipEntry>& entries,
                                      const std::string& name) {
  constexpr std::uint64_t kLargest = 16 * 1024 * 1024;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].folder || entries[i].name != name || entries[i].size > kLargest) continue;
    std::string bytes;
    const bool read = archive.extract(i, [&](const char* data, std::size_t size) {
      if (bytes.size() + size > entries[i].size) return false;
      bytes.append(data, size);
      return true;
    });
    if (read) return bytes;
    return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> epubTitle(ZipReader& zip, const std::string& path) {
  auto archive = zip.open(path);
  std::vector<ZipEntry> entries;
  if (!archive || archive->declaredEntries() > UnpackLimits{}.maxEntries || !archive->list(entries))
    return std::nullopt;
  const auto container = entryBytes(*archive, entries, "META-INF/container.xml");
  if (!container) return std::nullopt;
  const std::string packagePath = packageDocumentIn(*container);
  const auto bytes =
      packagePath.empty() ? std::nullopt : entryBytes(*archive, entries, packagePath);
  const auto package = bytes ? parsePackageFile(*bytes, packagePath) : std::nullopt;
  if (!package) return std::nullopt;
  return package->title;
}

bool isEpubFile(const std::string& path) {
  if (path.size() < 6 || lowerAsciiCopy(path.substr(path.size() - 5)) != ".epub") return false;
  std::error_code error;
  return fs::is_regular_file(path, error);
}

std::string epubCacheKey(const std::string& path) {
  std::error_code error;
  const fs::path absolute = fs::absolute(path, error).lexically_normal();
  const auto size = fs::file_size(path, error);
  const auto changed = fs::last_write_time(path, error).time_since_epoch().count();
  const std::string identity =
      absolute.string() + "\n" + std::to_string(error ? 0 : size) + "\n" + std::to_string(changed);
  char key[17];
  std::snprintf(key, sizeof key, "%016llx", static_cast<unsigned long long>(fnv1a(identity)));
  return key;
}

std::optional<std::string> epubBookFolder(const EpubFileContext& context, const std::string& path) {
  if (context.cacheFolder.empty()) {
    tellFailure(context);
    return std::nullopt;
  }
  std::error_code error;
  const fs::path books = fs::path(context.cacheFolder) / "epub";
  const std::string key = epubCacheKey(path);
  const fs::path target = books / key;
  if (fs::is_regular_file(target / kCompleteMark, error)) return target.string() + "/";

  auto archive = context.zip.open(path);
  const fs::path part = books / (key + ".part" + std::to_string(::getpid()));
  fs::remove_all(part, error);
  if (!archive || !fs::create_directories(part, error)) {
    tellFailure(context);
    return std::nullopt;
  }
  context.busyNote.show(uiTexts().zipUnpacking);
  const UnpackResult unpacked = unpackArchive(*archive, part.string() + "/", context.limits,
                                              [&] { context.busyNote.stillBusy(); });
  context.busyNote.close();
  archive.reset();
  // A folder left under the final name by an earlier, broken unpacking goes first.
  const bool placed =
      unpacked.complete && writeFileAtomically((part / kCompleteMark).string(), "") &&
      (fs::remove_all(target, error), !error) && (fs::rename(part, target, error), !error);
  if (!placed) {
    fs::remove_all(part, error);
    tellFailure(context);
    return std::nullopt;
  }
  return target.string() + "/";
}

}  // namespace orbis
