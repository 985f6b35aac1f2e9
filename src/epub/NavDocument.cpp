#include "epub/NavDocument.h"
#include <functional>

#include "daisy3/XmlFile.h"
#include "epub/EpubPaths.h"

namespace orbis {

namespace {

// Lists nested deeper than any reader could follow count as this deep.
constexpr int kDeepest = 64;

bool hasTerm(const std::string& terms, std::string_view term) {
  size_t start = 0;
  while (start < terms.size()) {
    size_t end = terms.find_first_of(" \t\n\r", start);
    if (end == std::string::npos) end = terms.size();
    if (std::string_view(terms).substr(start, end - start) == term) return true;
    start = end + 1;
  }
  return false;
}

// A label is the text of the link or span; one made only of an image is told by its
// alternative text, or by the title the link carries.
std::string labelOf(xml::Node label) {
  std::string text = xml::collapsedText(label);
  if (text.empty()) {
    std::function<void(xml::Node)> findAlt = [&](xml::Node node) {
      xml::forEachChild(node, [&](xml::Node child) {
        if (!text.empty()) return;
        if (xml::isElement(child, "img"))
          text = xml::attribute(child, "alt");
        else
          findAlt(child);
      });
    };
    findAlt(label);
  }
  if (text.empty()) text = xml::attribute(label, "title");
  return text;
}

class NavReader {
 public:
  explicit NavReader(std::string name) : name_(std::move(name)) {}

  void list(xml::Node ol, int depth, std::vector<NavEntry>& entries) const {
    xml::forEachChild(ol, [&](xml::Node li) {
      if (!xml::isElement(li, "li")) return;
      NavEntry entry;
      entry.depth = depth;
      xml::Node nested = nullptr;
      xml::forEachChild(li, [&](xml::Node child) {
        if (xml::isElement(child, "ol")) {
          if (!nested) nested = child;
        } else if ((xml::isElement(child, "a") || xml::isElement(child, "span")) &&
                   entry.label.empty()) {
          entry.label = labelOf(child);
          const std::string href = xml::attribute(child, "href");
          if (!href.empty()) entry.file = bookPathOf(name_, href, &entry.fragment);
        }
      });
      if (!entry.label.empty() || !entry.file.empty()) entries.push_back(std::move(entry));
      if (nested) list(nested, depth < kDeepest ? depth + 1 : depth, entries);
    });
  }

  void nav(xml::Node node, NavDocument& document) const {
    xml::forEachChild(node, [&](xml::Node child) {
      if (!xml::isElement(child, "nav")) {
        nav(child, document);
        return;
      }
      const std::string types = xml::attribute(child, "type");
      std::vector<NavEntry>* entries = hasTerm(types, "toc")         ? &document.toc
                                       : hasTerm(types, "page-list") ? &document.pages
                                       : hasTerm(types, "landmarks") ? &document.landmarks
                                                                     : nullptr;
      // A second nav of a kind adds nothing the first did not say.
      if (entries && entries->empty()) list(xml::firstChild(child, "ol"), 1, *entries);
      found_ = true;
    });
  }

  bool found() const { return found_; }

 private:
  std::string name_;
  mutable bool found_ = false;
};

}  // namespace

std::optional<NavDocument> readNavDocument(const std::string& folder, const std::string& name) {
  const xml::XmlFile file = xml::XmlFile::read(folder, name);
  if (!xml::isElement(file.root(), "html")) return std::nullopt;
  NavDocument document;
  NavReader reader(name);
  reader.nav(xml::firstChild(file.root(), "body"), document);
  if (!reader.found()) return std::nullopt;
  return document;
}

}  // namespace orbis
