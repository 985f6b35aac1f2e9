#include "textview/HtmlDocument.h"

#include <libxml/HTMLparser.h>
#include <libxml/tree.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>

#include "daisy3/DtbookHtml.h"
#include "daisy3/NcxHtml.h"
#include "epub/XhtmlHtml.h"
#include "epub/XhtmlUnits.h"
#include "textview/HtmlMarkup.h"

namespace orbis {
namespace {

constexpr int kParseOptions = HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING |
                              HTML_PARSE_NONET | HTML_PARSE_NODEFDTD;

// The id of the wrapper that inner markup is parsed in; chosen so that no book uses it.
constexpr const char* kFragmentRootId = "orbis-velora-fragment-root";

bool startsWith(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && s.compare(0, prefix.size(), prefix) == 0;
}

// libxml2's HTML parser reads a byte-order mark and a meta charset itself but passes over an
// XML declaration; XHTML books often name their encoding only there.
std::optional<std::string> declaredXmlEncoding(std::string_view bytes) {
  if (!startsWith(bytes, "<?xml")) return std::nullopt;
  std::string_view decl = bytes.substr(0, bytes.find("?>"));
  size_t at = decl.find("encoding");
  if (at == std::string_view::npos) return std::nullopt;
  size_t quote = decl.find_first_of("\"'", at);
  if (quote == std::string_view::npos) return std::nullopt;
  size_t end = decl.find(decl[quote], quote + 1);
  if (end == std::string_view::npos) return std::nullopt;
  std::string name(decl.substr(quote + 1, end - quote - 1));
  if (name.empty()) return std::nullopt;
  return name;
}

xmlDoc* parseBytes(std::string_view bytes, const std::string& url) {
  std::optional<std::string> encoding = declaredXmlEncoding(bytes);
  xmlDoc* doc = htmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), url.c_str(),
                               encoding ? encoding->c_str() : nullptr, kParseOptions);
  // An encoding name libxml2 does not know fails the parse: fall back to its own detection.
  if (doc == nullptr && encoding)
    doc = htmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), url.c_str(), nullptr,
                         kParseOptions);
  if (doc == nullptr) {
    static constexpr std::string_view kEmpty = "<html><body></body></html>";
    doc = htmlReadMemory(kEmpty.data(), static_cast<int>(kEmpty.size()), url.c_str(), "UTF-8",
                         kParseOptions);
  }
  return doc;
}

// Next element after node in document order, not leaving root.
xmlNode* nextElement(xmlNode* node, const xmlNode* root) {
  if (node->children != nullptr) {
    for (xmlNode* c = node->children; c != nullptr; c = c->next)
      if (c->type == XML_ELEMENT_NODE) return c;
  }
  for (xmlNode* n = node; n != nullptr && n != root; n = n->parent) {
    for (xmlNode* s = n->next; s != nullptr; s = s->next)
      if (s->type == XML_ELEMENT_NODE) return s;
  }
  return nullptr;
}

xmlNode* findChildElement(xmlNode* parent, const char* name) {
  if (parent == nullptr) return nullptr;
  for (xmlNode* c = parent->children; c != nullptr; c = c->next)
    if (c->type == XML_ELEMENT_NODE && xmlStrcasecmp(c->name, BAD_CAST name) == 0) return c;
  return nullptr;
}

void removeChildren(xmlNode* element) {
  xmlNode* child = element->children;
  while (child != nullptr) {
    xmlNode* next = child->next;
    xmlUnlinkNode(child);
    xmlFreeNode(child);
    child = next;
  }
}

// The single <span style> child that a mark wraps content in, if that is all element holds.
xmlNode* singleMarkSpan(xmlNode* element) {
  xmlNode* only = element->children;
  if (only == nullptr || only->next != nullptr || only->type != XML_ELEMENT_NODE) return nullptr;
  if (xmlStrcasecmp(only->name, BAD_CAST "span") != 0) return nullptr;
  if (!xmlHasProp(only, BAD_CAST "style")) return nullptr;
  return only;
}

}  // namespace

HtmlDocument::HtmlDocument(_xmlDoc* doc, std::string url) : doc_(doc), url_(std::move(url)) {}

HtmlDocument::~HtmlDocument() {
  xmlFreeDoc(doc_);
}

std::unique_ptr<HtmlDocument> HtmlDocument::parse(std::string_view bytes, const std::string& url) {
  // A DAISY 3 book's text is DTBook, shown as the HTML it stands for; a book without DTBook
  // shows its NCX. An EPUB's XHTML 5 is shown as HTML the parser places right.
  std::optional<std::string> html;
  if (isEpubXhtml(bytes, url))
    html = xhtmlToHtml(bytes, url);
  else if (looksLikeDtbook(bytes))
    html = dtbookToHtml(bytes, url);
  else if (looksLikeNcx(bytes))
    html = ncxToHtml(bytes, url);
  if (html) return std::unique_ptr<HtmlDocument>(new HtmlDocument(parseBytes(*html, url), url));
  return std::unique_ptr<HtmlDocument>(new HtmlDocument(parseBytes(bytes, url), url));
}

std::unique_ptr<HtmlDocument> HtmlDocument::load(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string bytes;
  if (in) bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return parse(bytes, path);
}

std::string HtmlDocument::title() const {
  xmlNode* root = xmlDocGetRootElement(doc_);
  xmlNode* title = findChildElement(findChildElement(root, "head"), "title");
  return title == nullptr ? std::string() : html::renderedText(title);
}

HtmlElement HtmlDocument::body() const {
  return findChildElement(xmlDocGetRootElement(doc_), "body");
}

HtmlElement HtmlDocument::getElementById(std::string_view id) const {
  xmlNode* root = xmlDocGetRootElement(doc_);
  for (xmlNode* node = root; node != nullptr; node = nextElement(node, root)) {
    for (xmlAttr* attr = node->properties; attr != nullptr; attr = attr->next) {
      if (xmlStrcasecmp(attr->name, BAD_CAST "id") != 0) continue;
      const xmlNode* value = attr->children;
      if (value != nullptr && value->next == nullptr && value->content != nullptr &&
          id == reinterpret_cast<const char*>(value->content))
        return node;
    }
  }
  return nullptr;
}

std::string HtmlDocument::innerHTML(HtmlElement element) const {
  std::string out;
  if (element != nullptr) html::appendInnerMarkup(element, {}, out);
  return out;
}

void HtmlDocument::setInnerHTML(HtmlElement element, std::string_view markup) {
  if (element == nullptr) return;
  std::string before = innerHTML(element);
  std::string wrapped = std::string("<html><body><div id=\"") + kFragmentRootId + "\">";
  wrapped.append(markup);
  wrapped += "</div></body></html>";
  xmlDoc* fragment = htmlReadMemory(wrapped.data(), static_cast<int>(wrapped.size()), url_.c_str(),
                                    "UTF-8", kParseOptions);
  removeChildren(element);
  if (fragment != nullptr) {
    xmlNode* fragmentBody = findChildElement(xmlDocGetRootElement(fragment), "body");
    xmlNode* wrapper = findChildElement(fragmentBody, "div");
    // Stray closing tags in the markup can end the wrapper early; what follows it is content too.
    for (xmlNode* part = wrapper == nullptr ? nullptr : wrapper->children; part != nullptr;
         part = part->next)
      xmlAddChild(element, xmlDocCopyNode(part, doc_, 1));
    for (xmlNode* part = wrapper == nullptr ? nullptr : wrapper->next; part != nullptr;
         part = part->next)
      xmlAddChild(element, xmlDocCopyNode(part, doc_, 1));
    xmlFreeDoc(fragment);
  }
  if (changed_) changed_(classify(element, before, innerHTML(element)));
}

HtmlChange HtmlDocument::classify(HtmlElement element, const std::string& before,
                                  const std::string& after) const {
  HtmlChange change;
  change.element = element;
  if (xmlNode* span = singleMarkSpan(element); span != nullptr && innerHTML(span) == before) {
    change.kind = HtmlChange::Kind::Wrapped;
    change.markStyle = attribute(span, "style");
    return change;
  }
  // An unwrap leaves exactly the old span's content: "<SPAN style="...">" + after + "</SPAN>".
  if (startsWith(before, "<SPAN style=\"") && before.size() > after.size() &&
      before.compare(before.size() - 7, 7, "</SPAN>") == 0) {
    size_t tagEnd = before.find('>');
    if (tagEnd + 1 + after.size() + 7 == before.size() &&
        before.compare(tagEnd + 1, after.size(), after) == 0) {
      change.kind = HtmlChange::Kind::Unwrapped;
      change.markStyle = before.substr(13, tagEnd - 14);
    }
  }
  return change;
}

std::string HtmlDocument::innerText(HtmlElement element) const {
  return element == nullptr ? std::string() : html::renderedText(element);
}

std::string HtmlDocument::serialize(const ContentHook& aroundContent) const {
  std::string out;
  for (xmlNode* node = doc_->children; node != nullptr; node = node->next)
    html::appendNodeMarkup(node, aroundContent, out);
  return out;
}

std::string HtmlDocument::tagName(HtmlElement element) {
  std::string name = element && element->name ? reinterpret_cast<const char*>(element->name) : "";
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name;
}

std::string HtmlDocument::attribute(HtmlElement element, const char* name) {
  if (element == nullptr) return {};
  xmlChar* value = xmlGetProp(element, BAD_CAST name);
  if (value == nullptr) return {};
  std::string result(reinterpret_cast<const char*>(value));
  xmlFree(value);
  return result;
}

std::string HtmlDocument::language(HtmlElement element) {
  for (xmlNode* node = element; node != nullptr && node->type == XML_ELEMENT_NODE;
       node = node->parent) {
    for (const char* name : {"lang", "xml:lang"}) {
      std::string value = attribute(node, name);
      if (!value.empty()) return value;
    }
  }
  return {};
}

void HtmlDocument::forEachElement(HtmlElement root, const std::function<void(HtmlElement)>& visit) {
  if (root == nullptr) return;
  for (xmlNode* node = nextElement(root, root); node != nullptr; node = nextElement(node, root))
    visit(node);
}

}  // namespace orbis
