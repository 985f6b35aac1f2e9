#pragma once
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "daisy3/XmlFile.h"

namespace orbis {

// A place in a content document: the element's number in document order and the number after
// its last descendant, so that [start, end) holds the element and everything inside it.
struct XhtmlSpan {
  int start = 0;
  int end = 0;
};

// One reading unit of a content document read without media overlay: a block that holds text
// and no other block (a heading, a paragraph, a list item, a table cell, a figure caption, a
// division of text...). A unit without an id of its own is given one, the same on every
// reading, so that the phrase and the text view agree on it.
struct XhtmlUnit {
  xml::Node element = nullptr;
  std::string id;
  bool idGiven = false;  // the id was made here, not written in the document
  std::string skip;      // the skip class of the unit or the structure it stands in
  XhtmlSpan span;
};

// The ids and the reading units of a content document (the parsed XHTML's root).
struct XhtmlIndex {
  std::unordered_map<std::string, XhtmlSpan> ids;
  std::vector<XhtmlUnit> units;
};

// `url` is the document's path or name: the ids given carry its file name, so that they differ
// from one document to the next.
XhtmlIndex indexXhtml(xml::Node root, std::string_view url);

// Whether the bytes are an EPUB content document that the text view shows through its own
// conversion: XHTML declaring the EPUB namespace or named *.xhtml. Only such documents get ids
// for their units; others are read by the ids they have.
bool isEpubXhtml(std::string_view bytes, std::string_view url);

}  // namespace orbis
