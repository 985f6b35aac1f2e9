#pragma once
#include "ports/ZipArchive.h"

namespace orbis {

// ZIP archives through zlib's minizip unzip layer.
class MinizipReader : public ZipReader {
 public:
  std::unique_ptr<ZipArchive> open(const std::string& path) override;
};

// An entry name as stored: UTF-8 when the archive marks it so (flag bit 11), otherwise the
// DOS code page 437 that ZIP tools have always written.
std::string zipEntryName(const std::string& stored, unsigned long flags);

}  // namespace orbis
