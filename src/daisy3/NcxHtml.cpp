#include "daisy3/NcxHtml.h"

#include <algorithm>

#include "book/LineScanner.h"
#include "daisy3/XmlFile.h"

namespace orbis {

namespace {

void appendEscaped(std::string& out, std::string_view text) {
  for (char c : text) {
    if (c == '&')
      out += "&amp;";
    else if (c == '<')
      out += "&lt;";
    else if (c == '>')
      out += "&gt;";
    else if (c == '"')
      out += "&quot;";
    else
      out += c;
  }
}

void element(std::string& out, std::string_view tag, const std::string& id,
             const std::string& text) {
  out += '<';
  out += tag;
  if (!id.empty()) {
    out += " id=\"";
    appendEscaped(out, id);
    out += '"';
  }
  out += '>';
  appendEscaped(out, text);
  out += "</";
  out += tag;
  out += ">\n";
}

std::string labelOf(xml::Node entry) {
  return xml::collapsedText(xml::firstChild(xml::firstChild(entry, "navLabel"), "text"));
}

void navPoints(std::string& out, xml::Node parent, int depth) {
  xml::forEachChild(parent, [&](xml::Node point) {
    if (!xml::isElement(point, "navPoint")) return;
    element(out, "h" + std::to_string(std::min(depth, 6)), xml::attribute(point, "id"),
            labelOf(point));
    navPoints(out, point, depth + 1);
  });
}

void targets(std::string& out, xml::Node list, std::string_view name) {
  xml::forEachChild(list, [&](xml::Node target) {
    if (xml::isElement(target, name))
      element(out, "p", xml::attribute(target, "id"), labelOf(target));
  });
}

}  // namespace

bool looksLikeNcx(std::string_view bytes) {
  return lowerAsciiCopy(bytes.substr(0, 4096)).find("<ncx") != std::string::npos;
}

std::optional<std::string> ncxToHtml(std::string_view bytes, const std::string& url) {
  const xml::XmlFile file = xml::XmlFile::parse(bytes, url);
  xml::Node root = file.root();
  if (!xml::isElement(root, "ncx")) return std::nullopt;
  xml::Node title = xml::firstChild(root, "docTitle");
  xml::Node author = xml::firstChild(root, "docAuthor");
  std::string out =
      "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
      "charset=utf-8\"><title>";
  appendEscaped(out, xml::collapsedText(xml::firstChild(title, "text")));
  out += "</title></head><body>\n";
  element(out, "h1", xml::attribute(title, "id"),
          xml::collapsedText(xml::firstChild(title, "text")));
  if (author)
    element(out, "p", xml::attribute(author, "id"),
            xml::collapsedText(xml::firstChild(author, "text")));
  navPoints(out, xml::firstChild(root, "navMap"), 1);
  targets(out, xml::firstChild(root, "pageList"), "pageTarget");
  xml::forEachChild(root, [&](xml::Node list) {
    if (xml::isElement(list, "navList")) targets(out, list, "navTarget");
  });
  return out + "</body></html>";
}

}  // namespace orbis
