#include "marks/DocumentText.h"

#include <libxml/tree.h>

#include <cstring>

#include "marks/UnicodeLower.h"
#include "textview/HtmlDocument.h"

namespace orbis {
namespace {

bool named(const xmlNode* node, const char* name) {
  return node->name != nullptr && xmlStrcasecmp(node->name, BAD_CAST name) == 0;
}

bool isBlock(const xmlNode* node) {
  static constexpr const char* kBlocks[] = {
      "p",     "div",    "br",     "h1",     "h2",      "h3",         "h4",      "h5",
      "h6",    "li",     "ul",     "ol",     "table",   "tr",         "td",      "th",
      "dt",    "dd",     "dl",     "pre",    "hr",      "blockquote", "section", "article",
      "aside", "header", "footer", "figure", "caption", "body"};
  for (const char* name : kBlocks) {
    if (named(node, name)) return true;
  }
  return false;
}

bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

class TextCollector {
 public:
  explicit TextCollector(DocumentText& out) : out_(out) {}

  void separate() {
    if (!out_.text.empty() && out_.text.back() != ' ') out_.text += ' ';
  }

  void text(const char* content) {
    std::string_view rest(content);
    while (!rest.empty()) {
      size_t word = 0;
      while (word < rest.size() && isSpace(rest[word])) ++word;
      if (word > 0) {
        separate();
        rest.remove_prefix(word);
        continue;
      }
      size_t end = 0;
      while (end < rest.size() && !isSpace(rest[end])) ++end;
      appendLowerUnicode(rest.substr(0, end), out_.text);
      rest.remove_prefix(end);
    }
  }

  void element(const xmlNode* node) {
    if (isBlock(node)) separate();
    for (const xmlAttr* a = node->properties; a != nullptr; a = a->next) {
      if (a->name == nullptr || xmlStrcasecmp(a->name, BAD_CAST "id") != 0) continue;
      const xmlNode* value = a->children;
      if (value == nullptr || value->content == nullptr) continue;
      const char* id = reinterpret_cast<const char*>(value->content);
      out_.anchors.push_back({out_.text.size(), std::string_view(id, std::strlen(id))});
    }
  }

 private:
  DocumentText& out_;
};

}  // namespace

DocumentText documentText(HtmlElement root) {
  DocumentText out;
  if (root == nullptr) return out;
  TextCollector collect(out);
  // Walks the tree without recursion: a hostile document may nest deeply.
  const xmlNode* node = root->children;
  while (node != nullptr) {
    bool descend = false;
    if (node->type == XML_ELEMENT_NODE) {
      collect.element(node);
      descend = !named(node, "script") && !named(node, "style");
    } else if ((node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE) &&
               node->content != nullptr) {
      collect.text(reinterpret_cast<const char*>(node->content));
    }
    if (descend && node->children != nullptr) {
      node = node->children;
      continue;
    }
    while (node != nullptr && node != root && node->next == nullptr) {
      node = node->parent;
      if (node != nullptr && node != root && isBlock(node)) collect.separate();
    }
    if (node == nullptr || node == root) break;
    node = node->next;
  }
  return out;
}

DocumentText documentText(const HtmlDocument& document) {
  HtmlElement root = document.body();
  if (root == nullptr) return {};
  return documentText(root);
}

}  // namespace orbis
