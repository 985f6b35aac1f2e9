#include "daisy3/XmlFile.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstdint>

#include "book/BookPaths.h"

namespace orbis::xml {

namespace {

// No resource outside the parsed bytes is ever loaded, whatever a document declares.
xmlParserInputPtr refuseExternal(const char*, const char*, xmlParserCtxtPtr) {
  return nullptr;
}

constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING |
                              XML_PARSE_RECOVER | XML_PARSE_NOCDATA | XML_PARSE_COMPACT;

char lowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
  return true;
}

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

void appendText(Node node, std::string& out) {
  for (Node child = node->children; child != nullptr; child = child->next) {
    if (child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE) {
      if (child->content) out += reinterpret_cast<const char*>(child->content);
    } else if (child->type == XML_ELEMENT_NODE) {
      appendText(child, out);
    }
  }
}

}  // namespace

void XmlFile::Free::operator()(_xmlDoc* doc) const {
  xmlFreeDoc(doc);
}

XmlFile XmlFile::parse(std::string_view bytes, const std::string& url) {
  XmlFile file;
  if (bytes.empty() || bytes.size() > static_cast<size_t>(INT32_MAX)) return file;
  xmlParserCtxtPtr context = xmlNewParserCtxt();
  if (context == nullptr) return file;
  // The loader is the process's own: refusing is set for this parse only, so that whoever else
  // reads files through libxml2 still can.
  const xmlExternalEntityLoader previous = xmlGetExternalEntityLoader();
  xmlSetExternalEntityLoader(refuseExternal);
  file.doc_.reset(xmlCtxtReadMemory(context, bytes.data(), static_cast<int>(bytes.size()),
                                    url.c_str(), nullptr, kParseOptions));
  xmlSetExternalEntityLoader(previous);
  xmlFreeParserCtxt(context);
  return file;
}

XmlFile XmlFile::read(const std::string& folder, std::string_view link, std::string* resolvedPath) {
  std::string path;
  std::optional<std::string> bytes = readBookFile(folder, link, &path);
  if (resolvedPath) *resolvedPath = path;
  return bytes ? parse(*bytes, path) : XmlFile{};
}

Node XmlFile::root() const {
  return doc_ ? xmlDocGetRootElement(doc_.get()) : nullptr;
}

std::string_view localName(Node node) {
  if (node == nullptr || node->name == nullptr) return {};
  std::string_view name(reinterpret_cast<const char*>(node->name));
  // Parsed without namespace support a prefix stays in the name; with it the name is local.
  size_t colon = name.rfind(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

bool isElement(Node node, std::string_view name) {
  return node != nullptr && node->type == XML_ELEMENT_NODE &&
         sameIgnoringCase(localName(node), name);
}

std::string_view namespaceOf(Node node) {
  if (node == nullptr || node->ns == nullptr || node->ns->href == nullptr) return {};
  return reinterpret_cast<const char*>(node->ns->href);
}

std::string_view prefixOf(Node node) {
  if (node == nullptr || node->ns == nullptr || node->ns->prefix == nullptr) return {};
  return reinterpret_cast<const char*>(node->ns->prefix);
}

std::string attribute(Node node, std::string_view name) {
  if (node == nullptr || node->type != XML_ELEMENT_NODE) return {};
  for (xmlAttr* attr = node->properties; attr != nullptr; attr = attr->next) {
    std::string_view attrName(reinterpret_cast<const char*>(attr->name));
    if (attrName != name) continue;
    std::string value;
    for (Node child = attr->children; child != nullptr; child = child->next)
      if (child->type == XML_TEXT_NODE && child->content)
        value += reinterpret_cast<const char*>(child->content);
    return value;
  }
  return {};
}

void forEachChild(Node node, const std::function<void(Node)>& visit) {
  if (node == nullptr) return;
  for (Node child = node->children; child != nullptr; child = child->next)
    if (child->type == XML_ELEMENT_NODE) visit(child);
}

Node firstChild(Node node, std::string_view name) {
  if (node == nullptr) return nullptr;
  for (Node child = node->children; child != nullptr; child = child->next)
    if (isElement(child, name)) return child;
  return nullptr;
}

std::string collapsedText(Node node) {
  if (node == nullptr) return {};
  std::string raw;
  appendText(node, raw);
  std::string out;
  out.reserve(raw.size());
  bool pendingBlank = false;
  for (char c : raw) {
    if (isBlank(c)) {
      pendingBlank = !out.empty();
      continue;
    }
    if (pendingBlank) out += ' ';
    pendingBlank = false;
    out += c;
  }
  return out;
}

}  // namespace orbis::xml
