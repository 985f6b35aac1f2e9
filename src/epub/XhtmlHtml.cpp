#include "epub/XhtmlHtml.h"

#include <libxml/tree.h>

#include <unordered_map>
#include <unordered_set>

#include "book/LineScanner.h"
#include "daisy3/DtbookHtml.h"
#include "daisy3/XmlFile.h"
#include "epub/XhtmlUnits.h"

namespace orbis {

namespace {

// What HTML 4 knows and the text view's parser therefore places as written.
const std::unordered_set<std::string_view>& keptAsNamed() {
  static const std::unordered_set<std::string_view> names = {
      "a",     "abbr",    "acronym", "address", "b",   "bdo",      "big",   "blockquote",
      "br",    "caption", "cite",    "code",    "col", "colgroup", "dd",    "del",
      "dfn",   "div",     "dl",      "dt",      "em",  "h1",       "h2",    "h3",
      "h4",    "h5",      "h6",      "hr",      "i",   "img",      "ins",   "kbd",
      "li",    "ol",      "p",       "pre",     "q",   "s",        "samp",  "small",
      "span",  "strike",  "strong",  "sub",     "sup", "table",    "tbody", "td",
      "tfoot", "th",      "thead",   "tr",      "tt",  "u",        "ul",    "var"};
  return names;
}

// The blocks of HTML 5, shown as divisions.
const std::unordered_set<std::string_view>& shownAsDivision() {
  static const std::unordered_set<std::string_view> names = {
      "section", "article",    "aside",  "nav",     "header",  "footer", "main",
      "figure",  "figcaption", "hgroup", "details", "summary", "dialog", "body"};
  return names;
}

// Never shown: what the head, scripts and styles hold, and drawings (their text is positioned
// by the drawing and means little in a line of text).
bool leftOut(std::string_view name) {
  return name == "head" || name == "script" || name == "style" || name == "template" ||
         name == "svg" || name == "object" || name == "embed" || name == "iframe" ||
         name == "audio" || name == "video" || name == "canvas" || name == "noscript";
}

bool isVoid(std::string_view tag) {
  return tag == "img" || tag == "br" || tag == "hr" || tag == "col";
}

constexpr std::string_view kKeptAttributes[] = {"id",      "class",   "src",   "alt",
                                                "href",    "title",   "width", "height",
                                                "colspan", "rowspan", "lang",  "start"};

class Converter {
 public:
  explicit Converter(const XhtmlIndex& index) {
    for (const XhtmlUnit& unit : index.units)
      if (unit.idGiven) givenIds_.emplace(unit.element, unit.id);
  }

  std::string out;

  void element(xml::Node node) {
    const std::string name = lowerAsciiCopy(xml::localName(node));
    if (leftOut(name)) return;
    std::string tag = "span";
    if (keptAsNamed().count(name))
      tag = name;
    else if (shownAsDivision().count(name))
      tag = "div";
    out += '<';
    out += tag;
    writeAttributes(node, name, tag != name);
    out += '>';
    if (isVoid(tag)) return;
    children(node);
    out += "</";
    out += tag;
    out += '>';
  }

  void children(xml::Node node) {
    for (xml::Node child = node->children; child != nullptr; child = child->next) {
      if ((child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE) && child->content)
        appendHtmlEscaped(out, reinterpret_cast<const char*>(child->content), false);
      else if (child->type == XML_ELEMENT_NODE)
        element(child);
    }
  }

 private:
  void attribute(std::string_view name, std::string_view value) {
    out += ' ';
    out += name;
    out += "=\"";
    appendHtmlEscaped(out, value, true);
    out += '"';
  }

  void writeAttributes(xml::Node node, const std::string& name, bool renamed) {
    for (std::string_view kept : kKeptAttributes) {
      std::string value = xml::attribute(node, kept);
      // A renamed element keeps its kind as class, so that its place is still known.
      if (kept == "class" && value.empty() && renamed && name != "span") value = name;
      if (kept == "id" && value.empty()) {
        auto given = givenIds_.find(node);
        if (given != givenIds_.end()) value = given->second;
      }
      if (!value.empty()) attribute(kept, value);
    }
  }

  std::unordered_map<xml::Node, std::string> givenIds_;
};

}  // namespace

std::optional<std::string> xhtmlToHtml(std::string_view bytes, const std::string& url) {
  const xml::XmlFile file = xml::XmlFile::parse(bytes, url);
  xml::Node root = file.root();
  if (!xml::isElement(root, "html")) return std::nullopt;
  const XhtmlIndex index = indexXhtml(root, url);
  Converter converter(index);
  converter.out.reserve(bytes.size() + bytes.size() / 8);
  converter.out +=
      "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
      "charset=utf-8\"><title>";
  appendHtmlEscaped(converter.out,
                    xml::collapsedText(xml::firstChild(xml::firstChild(root, "head"), "title")),
                    false);
  converter.out += "</title></head><body>";
  if (xml::Node body = xml::firstChild(root, "body")) {
    // The body's own id and class go on a division, since the text view's body is its own.
    converter.element(body);
  }
  converter.out += "</body></html>";
  return std::move(converter.out);
}

}  // namespace orbis
