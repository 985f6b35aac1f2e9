#include "book/SmilLines.h"

namespace orbis {

bool packSmilLines(std::string_view file, std::vector<PackedSmilLine>& lines, size_t maxLines) {
  lines.clear();
  if (file.size() >= SmilTags::kNone) return false;
  bool complete = SmilLines(file).forEach([&](const SmilLine& line) {
    if (lines.size() == maxLines) return false;
    PackedSmilLine& packed = lines.emplace_back();
    packed.start = static_cast<std::uint32_t>(line.raw.data() - file.data());
    packed.length = static_cast<std::uint32_t>(line.raw.size());
    packed.tags = line;
    return true;
  });
  if (!complete) lines.clear();
  return complete;
}

}  // namespace orbis
