#include "daisy3/SkipStructures.h"

#include "book/LineScanner.h"

namespace orbis {

namespace {

constexpr std::string_view kFootnote = "footnote";
constexpr std::string_view kSidebar = "sidebar";
constexpr std::string_view kProdnote = "prodnote";
constexpr std::string_view kPageNumber = "pagenumber";

std::string_view fromBookStruct(std::string_view bookStruct) {
  if (bookStruct == "NOTE" || bookStruct == "ANNOTATION") return kFootnote;
  if (bookStruct == "OPTIONAL_SIDEBAR") return kSidebar;
  if (bookStruct == "OPTIONAL_PRODUCER_NOTE") return kProdnote;
  if (bookStruct == "PAGE_NUMBER") return kPageNumber;
  return {};
}

bool has(std::string_view text, std::string_view word) {
  return text.find(word) != std::string_view::npos;
}

// Producers name their tests after the DTBook elements they mark.
std::string_view fromName(std::string_view name) {
  const std::string lower = lowerAsciiCopy(name);
  if (has(lower, "pagenum") || has(lower, "page-number")) return kPageNumber;
  if (has(lower, "sidebar")) return kSidebar;
  if (has(lower, "prodnote") || has(lower, "producer")) return kProdnote;
  if (has(lower, "noteref") || has(lower, "annoref")) return {};
  if (has(lower, "note") || has(lower, "annotation")) return kFootnote;
  return {};
}

}  // namespace

std::string_view SkipStructures::classOf(std::string_view customTests,
                                         std::string_view elementClass) const {
  size_t start = 0;
  while (start < customTests.size()) {
    size_t end = customTests.find_first_of(" \t\n\r", start);
    if (end == std::string_view::npos) end = customTests.size();
    const std::string id(customTests.substr(start, end - start));
    start = end + 1;
    if (id.empty()) continue;
    auto found = bookStructs_.find(id);
    const std::string_view skip = found != bookStructs_.end() && !found->second.empty()
                                      ? fromBookStruct(found->second)
                                      : fromName(id);
    if (!skip.empty()) return skip;
    // A test the NCX names for a structure that is read on (a note reference) stays so.
    if (found != bookStructs_.end() && !found->second.empty()) return {};
  }
  return fromName(elementClass);
}

std::string_view SkipStructures::classOfTypes(std::string_view types) {
  size_t start = 0;
  while (start < types.size()) {
    size_t end = types.find_first_of(" \t\n\r", start);
    if (end == std::string_view::npos) end = types.size();
    std::string_view term = types.substr(start, end - start);
    start = end + 1;
    if (const size_t colon = term.find(':'); colon != std::string_view::npos)
      term = term.substr(colon + 1);
    if (term == "footnote" || term == "endnote" || term == "note" || term == "rearnote" ||
        term == "footnotes" || term == "endnotes" || term == "rearnotes" || term == "annotation")
      return kFootnote;
    if (term == "sidebar") return kSidebar;
    if (term == "pagebreak") return kPageNumber;
    if (term == "production" || term == "producer-note") return kProdnote;
  }
  return {};
}

void SkipStructures::note(std::string_view skipClass, BookFeatures& features) {
  if (skipClass == kFootnote) features.footnotes = true;
  if (skipClass == kSidebar) features.sidebars = true;
  if (skipClass == kProdnote) features.prodnotes = true;
  if (skipClass == kPageNumber) features.pageNumbers = true;
}

}  // namespace orbis
