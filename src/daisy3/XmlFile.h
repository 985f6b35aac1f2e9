#pragma once
#include <functional>
#include <memory>
#include <string>
#include <string_view>

struct _xmlDoc;
struct _xmlNode;

namespace orbis::xml {

using Node = _xmlNode*;

// A DAISY 3 file parsed with libxml2 the one safe way: the network is never used, no external
// DTD or entity is loaded (the DOCTYPEs name web addresses and a hostile book could name local
// files), entities are not substituted, libxml2's limits on entity amplification stay on, and
// a malformed file keeps what could be read before the fault.
class XmlFile {
 public:
  // Parses the bytes; an unreadable text gives a file without root.
  static XmlFile parse(std::string_view bytes, const std::string& url);
  // Reads and parses `link` inside `folder`, found as the book's paths are; `resolvedPath`,
  // when given, receives the path that was read.
  static XmlFile read(const std::string& folder, std::string_view link,
                      std::string* resolvedPath = nullptr);

  Node root() const;
  bool loaded() const { return root() != nullptr; }

 private:
  struct Free {
    void operator()(_xmlDoc* doc) const;
  };
  std::unique_ptr<_xmlDoc, Free> doc_;
};

// Element names are compared without namespace and without letter case: the package files of
// the OEB form write dc:Title where the DAISY form writes dc:title.
std::string_view localName(Node node);
bool isElement(Node node, std::string_view name);
// The namespace name and the prefix the element was written with; empty for none.
std::string_view namespaceOf(Node node);
std::string_view prefixOf(Node node);
// The attribute's value (of that local name, any namespace); empty when absent.
std::string attribute(Node node, std::string_view name);
// The element children of a node, in order.
void forEachChild(Node node, const std::function<void(Node)>& visit);
Node firstChild(Node node, std::string_view name);
// The text of the node and its descendants, entity references left out, with white space
// trimmed and every run of it collapsed to one blank.
std::string collapsedText(Node node);

}  // namespace orbis::xml
