#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ports/ZipArchive.h"

namespace orbis {

// What an archive may ask of the disk. Archives come from anywhere: a small file may declare
// or unpack to far more than it holds.
struct UnpackLimits {
  std::uint64_t maxEntries = 100000;
  // Left free on the target's file system after the declared sizes are taken.
  std::uint64_t spaceReserve = 64ull * 1024 * 1024;
  // The free bytes of the file system holding a folder; empty: asked of the system.
  std::function<std::uint64_t(const std::string& folder)> freeSpace;
};

struct UnpackResult {
  bool complete = false;  // every entry was unpacked
  // The archive has an ncc.html or a DAISY 3 package file (*.opf) at its top level (any letter
  // case).
  bool topLevelNcc = false;
};

// The parts of an entry name below the target folder, or nothing for a name that would reach
// outside it (absolute, with a drive, with ".." or "." parts) or cannot be a file name.
std::optional<std::vector<std::string>> entryNameParts(const std::string& name);

// Unpacks the archive into target (ends in "/") entry by entry, replacing files of the same
// name. Nothing is written unless every name is safe and the declared sizes fit; then the first
// entry that fails ends the unpacking, the entries before it stay. Only regular files are ever
// removed, and nothing is written through a symbolic link. progress runs after each entry.
UnpackResult unpackArchive(ZipArchive& archive, const std::string& target,
                           const UnpackLimits& limits, const std::function<void()>& progress);

}  // namespace orbis
