#include "epub/XhtmlUnits.h"

#include <libxml/tree.h>

#include <unordered_set>

#include "book/LineScanner.h"
#include "daisy3/SkipStructures.h"

namespace orbis {

namespace {

// Blocks: elements that stand on lines of their own and may hold text.
const std::unordered_set<std::string_view>& blocks() {
  static const std::unordered_set<std::string_view> names = {
      "address", "article", "aside", "blockquote", "body",       "caption", "dd",      "details",
      "div",     "dl",      "dt",    "fieldset",   "figcaption", "figure",  "footer",  "h1",
      "h2",      "h3",      "h4",    "h5",         "h6",         "header",  "hgroup",  "li",
      "main",    "nav",     "ol",    "p",          "pre",        "section", "summary", "table",
      "tbody",   "td",      "tfoot", "th",         "thead",      "tr",      "ul"};
  return names;
}

// Content that is never read: what the head, scripts and styles hold.
bool unread(std::string_view name) {
  return name == "head" || name == "script" || name == "style" || name == "template";
}

class Indexer {
 public:
  Indexer(XhtmlIndex& index, std::string_view url) : index_(index) {
    // The file name without extension, in characters any id may hold.
    std::string_view name = url.substr(url.find_last_of('/') + 1);
    name = name.substr(0, name.find('.'));
    prefix_ = "orbis-unit-";
    for (char c : name)
      prefix_ +=
          (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ? c : '_';
    prefix_ += '-';
  }

  // Returns whether the subtree holds a block.
  bool walk(xml::Node node, std::string_view skip) {
    const std::string name = lowerAsciiCopy(xml::localName(node));
    if (unread(name)) return false;
    XhtmlSpan span{next_++, 0};
    const std::string id = xml::attribute(node, "id");
    std::string_view inner = skip;
    if (inner.empty()) inner = SkipStructures::classOfTypes(xml::attribute(node, "type"));
    bool holdsBlock = false;
    for (xml::Node child = node->children; child != nullptr; child = child->next)
      if (child->type == XML_ELEMENT_NODE) holdsBlock = walk(child, inner) || holdsBlock;
    span.end = next_;
    if (!id.empty()) index_.ids.emplace(id, span);
    const bool block = blocks().count(name) > 0;
    if (block && !holdsBlock && name != "body" && !xml::collapsedText(node).empty()) {
      XhtmlUnit unit{node, id, id.empty(), std::string(inner), span};
      if (unit.idGiven) unit.id = prefix_ + std::to_string(++given_);
      // A division holding only a page break is the page number, whatever encloses it.
      if (unit.skip.empty() && onlyPageBreak(node)) unit.skip = "pagenumber";
      index_.units.push_back(std::move(unit));
    }
    return block || holdsBlock;
  }

 private:
  // Whether all text of the node stands inside page breaks.
  static bool onlyPageBreak(xml::Node node) {
    bool breakSeen = false;
    for (xml::Node child = node->children; child != nullptr; child = child->next) {
      if (child->type == XML_TEXT_NODE) {
        for (const xmlChar* c = child->content; c != nullptr && *c != 0; ++c)
          if (*c != ' ' && *c != '\t' && *c != '\n' && *c != '\r') return false;
      } else if (child->type == XML_ELEMENT_NODE) {
        if (SkipStructures::classOfTypes(xml::attribute(child, "type")) == "pagenumber")
          breakSeen = true;
        else if (!onlyPageBreak(child))
          return false;
      }
    }
    return breakSeen;
  }

  XhtmlIndex& index_;
  std::string prefix_;
  int next_ = 0;
  int given_ = 0;
};

}  // namespace

XhtmlIndex indexXhtml(xml::Node root, std::string_view url) {
  XhtmlIndex index;
  if (root != nullptr) Indexer(index, url).walk(root, {});
  return index;
}

bool isEpubXhtml(std::string_view bytes, std::string_view url) {
  const std::string head = lowerAsciiCopy(bytes.substr(0, 4096));
  if (head.find("http://www.w3.org/1999/xhtml") == std::string::npos) return false;
  const std::string name = lowerAsciiCopy(url);
  return head.find("http://www.idpf.org/2007/ops") != std::string::npos ||
         (name.size() > 6 && name.compare(name.size() - 6, 6, ".xhtml") == 0);
}

}  // namespace orbis
