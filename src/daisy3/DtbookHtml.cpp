#include "daisy3/DtbookHtml.h"

#include <libxml/tree.h>

#include <algorithm>
#include <unordered_map>

#include "book/LineScanner.h"
#include "daisy3/XmlFile.h"

namespace orbis {

namespace {

// Where a DTBook element goes in HTML: its element name, or a heading by nesting depth.
struct Mapping {
  std::string_view html;
  bool heading = false;  // h1 to h6 by the number of enclosing levels
};

const std::unordered_map<std::string_view, Mapping>& mappings() {
  static const std::unordered_map<std::string_view, Mapping> table = {
      {"book", {"div"}},
      {"frontmatter", {"div"}},
      {"bodymatter", {"div"}},
      {"rearmatter", {"div"}},
      {"level", {"div"}},
      {"level1", {"div"}},
      {"level2", {"div"}},
      {"level3", {"div"}},
      {"level4", {"div"}},
      {"level5", {"div"}},
      {"level6", {"div"}},
      {"h1", {"h1"}},
      {"h2", {"h2"}},
      {"h3", {"h3"}},
      {"h4", {"h4"}},
      {"h5", {"h5"}},
      {"h6", {"h6"}},
      {"hd", {"", true}},
      {"bridgehead", {"h6"}},
      {"doctitle", {"h1"}},
      {"docauthor", {"p"}},
      {"covertitle", {"p"}},
      {"p", {"p"}},
      {"sent", {"span"}},
      {"span", {"span"}},
      {"w", {"span"}},
      {"pagenum", {"span"}},
      {"noteref", {"sup"}},
      {"annoref", {"sup"}},
      {"note", {"div"}},
      {"annotation", {"div"}},
      {"sidebar", {"div"}},
      {"prodnote", {"div"}},
      {"list", {"ul"}},
      {"li", {"li"}},
      {"lic", {"span"}},
      {"dl", {"dl"}},
      {"dt", {"dt"}},
      {"dd", {"dd"}},
      {"table", {"table"}},
      {"thead", {"thead"}},
      {"tbody", {"tbody"}},
      {"tfoot", {"tfoot"}},
      {"tr", {"tr"}},
      {"td", {"td"}},
      {"th", {"th"}},
      {"caption", {"div"}},
      {"imggroup", {"div"}},
      {"img", {"img"}},
      {"em", {"em"}},
      {"strong", {"strong"}},
      {"sub", {"sub"}},
      {"sup", {"sup"}},
      {"code", {"code"}},
      {"kbd", {"kbd"}},
      {"q", {"q"}},
      {"cite", {"cite"}},
      {"abbr", {"abbr"}},
      {"acronym", {"acronym"}},
      {"dfn", {"dfn"}},
      {"a", {"a"}},
      {"br", {"br"}},
      {"hr", {"hr"}},
      {"linegroup", {"div"}},
      {"line", {"div"}},
      {"linenum", {"span"}},
      {"poem", {"div"}},
      {"blockquote", {"blockquote"}},
      {"epigraph", {"blockquote"}},
      {"author", {"p"}},
      {"byline", {"p"}},
      {"dateline", {"p"}},
      {"address", {"address"}},
      {"div", {"div"}},
      {"title", {"p"}},
  };
  return table;
}

// The attributes HTML knows under the same name.
constexpr std::string_view kKeptAttributes[] = {"id",    "class",  "src",     "alt",    "href",
                                                "width", "height", "colspan", "rowspan"};

class Converter {
 public:
  std::string out;

  void element(xml::Node node, int levels) {
    const std::string name = lowerAsciiCopy(xml::localName(node));
    if (name == "head") return;
    auto found = mappings().find(name);
    // An element HTML does not know keeps its content in a neutral span.
    Mapping mapping = found == mappings().end() ? Mapping{"span"} : found->second;
    std::string tag(mapping.html);
    if (mapping.heading) tag = "h" + std::to_string(std::clamp(levels, 1, 6));
    if (name == "list" && xml::attribute(node, "type") == "ol") tag = "ol";
    const bool isLevel = name.rfind("level", 0) == 0;
    out += '<';
    out += tag;
    writeAttributes(node, name);
    if (tag == "img" || tag == "br" || tag == "hr") {
      out += '>';
      return;
    }
    out += '>';
    children(node, levels + (isLevel ? 1 : 0));
    out += "</";
    out += tag;
    out += '>';
  }

  void children(xml::Node node, int levels) {
    for (xml::Node child = node->children; child != nullptr; child = child->next) {
      if (child->type == XML_TEXT_NODE && child->content)
        appendHtmlEscaped(out, reinterpret_cast<const char*>(child->content), false);
      else if (child->type == XML_ELEMENT_NODE)
        element(child, levels);
    }
  }

 private:
  void writeAttributes(xml::Node node, const std::string& name) {
    for (std::string_view attribute : kKeptAttributes) {
      std::string value = xml::attribute(node, attribute);
      // The DTBook's own element name tells the kind of a division or span (note, sidebar,
      // prodnote, pagenum) where no class does.
      if (attribute == "class" && value.empty() && mappings().count(name) &&
          (name == "note" || name == "sidebar" || name == "prodnote" || name == "pagenum" ||
           name == "annotation" || name == "imggroup" || name == "linegroup" || name == "line"))
        value = name;
      if (value.empty()) continue;
      out += ' ';
      out += attribute;
      out += "=\"";
      appendHtmlEscaped(out, value, true);
      out += '"';
    }
    const std::string lang = xml::attribute(node, "lang");
    if (!lang.empty()) {
      out += " lang=\"";
      appendHtmlEscaped(out, lang, true);
      out += '"';
    }
  }
};

std::string titleOf(xml::Node root) {
  std::string title;
  xml::forEachChild(xml::firstChild(root, "head"), [&](xml::Node meta) {
    if (title.empty() && xml::isElement(meta, "meta") &&
        lowerAsciiCopy(xml::attribute(meta, "name")) == "dc:title")
      title = xml::attribute(meta, "content");
  });
  return title;
}

}  // namespace

void appendHtmlEscaped(std::string& out, std::string_view text, bool inAttribute) {
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        if (inAttribute) {
          out += "&quot;";
          break;
        }
        [[fallthrough]];
      default:
        out += c;
    }
  }
}

bool looksLikeDtbook(std::string_view bytes) {
  return lowerAsciiCopy(bytes.substr(0, 4096)).find("<dtbook") != std::string::npos;
}

std::optional<std::string> dtbookToHtml(std::string_view bytes, const std::string& url) {
  const xml::XmlFile file = xml::XmlFile::parse(bytes, url);
  xml::Node root = file.root();
  if (!xml::isElement(root, "dtbook")) return std::nullopt;
  Converter converter;
  converter.out.reserve(bytes.size() + bytes.size() / 4);
  converter.out +=
      "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
      "charset=utf-8\"><title>";
  appendHtmlEscaped(converter.out, titleOf(root), false);
  converter.out += "</title></head><body>";
  xml::forEachChild(root, [&](xml::Node child) {
    if (!xml::isElement(child, "head")) converter.element(child, 0);
  });
  converter.out += "</body></html>";
  return std::move(converter.out);
}

}  // namespace orbis
