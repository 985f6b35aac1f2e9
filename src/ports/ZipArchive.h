#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace orbis {

struct ZipEntry {
  std::string name;        // UTF-8, as the archive names it (relative, "/" or "\" between parts)
  std::uint64_t size = 0;  // the unpacked size the archive declares
  bool folder = false;
};

// One open ZIP archive.
class ZipArchive {
 public:
  virtual ~ZipArchive() = default;
  // The number of entries the archive declares, known before any entry is read.
  virtual std::uint64_t declaredEntries() const = 0;
  // Every entry in archive order; false when the directory cannot be read.
  virtual bool list(std::vector<ZipEntry>& entries) = 0;
  // Hands the unpacked bytes of entry `index` (of list()) to sink, piece by piece. True only
  // when the whole entry was read and its checksum matched; a sink returning false stops.
  virtual bool extract(std::size_t index,
                       const std::function<bool(const char* data, std::size_t size)>& sink) = 0;
};

class ZipReader {
 public:
  virtual ~ZipReader() = default;
  // Nothing when the file is no readable archive.
  virtual std::unique_ptr<ZipArchive> open(const std::string& path) = 0;
};

}  // namespace orbis
