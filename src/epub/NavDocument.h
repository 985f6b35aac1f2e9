#pragma once
#include <optional>
#include <string>
#include <vector>

namespace orbis {

// An entry of a navigation list: its label as text and its target, a file relative to the book
// folder and a fragment. An entry of the table of contents that only groups others (a span
// instead of a link) has no file.
struct NavEntry {
  std::string label;
  std::string file;
  std::string fragment;
  int depth = 1;  // 1 for the list's own items, one more per enclosing item
};

// What an EPUB navigation document holds for the book tables: the table of contents (the nav
// of epub:type "toc"), the page list and the landmarks, each in document order.
struct NavDocument {
  std::vector<NavEntry> toc;
  std::vector<NavEntry> pages;
  std::vector<NavEntry> landmarks;
};

// Reads the navigation document `name` (relative to the book folder); nothing when it cannot
// be read or holds no nav at all.
std::optional<NavDocument> readNavDocument(const std::string& folder, const std::string& name);

}  // namespace orbis
