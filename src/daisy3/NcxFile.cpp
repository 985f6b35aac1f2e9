#include "daisy3/NcxFile.h"

#include "daisy3/XmlFile.h"

namespace orbis {

namespace {

// The navMap may nest deeper than any reader could follow; deeper points count as this deep.
constexpr int kDeepest = 64;

std::string labelOf(xml::Node point) {
  return xml::collapsedText(xml::firstChild(xml::firstChild(point, "navLabel"), "text"));
}

void readTarget(xml::Node point, NcxTarget& target) {
  target.id = xml::attribute(point, "id");
  target.label = labelOf(point);
  splitLink(xml::attribute(xml::firstChild(point, "content"), "src"), target.smil, target.fragment);
}

void readNavPoints(xml::Node parent, int depth, std::vector<NcxHeading>& headings) {
  xml::forEachChild(parent, [&](xml::Node child) {
    if (!xml::isElement(child, "navPoint")) return;
    NcxHeading heading;
    readTarget(child, heading);
    heading.depth = depth;
    headings.push_back(std::move(heading));
    readNavPoints(child, depth < kDeepest ? depth + 1 : depth, headings);
  });
}

void readHead(xml::Node head, NcxFile& ncx) {
  xml::forEachChild(head, [&](xml::Node child) {
    if (xml::isElement(child, "meta") && xml::attribute(child, "name") == "dtb:uid")
      ncx.uid = xml::attribute(child, "content");
    if (xml::isElement(child, "smilCustomTest"))
      ncx.customTests[xml::attribute(child, "id")] = xml::attribute(child, "bookStruct");
  });
}

}  // namespace

void splitLink(const std::string& link, std::string& file, std::string& fragment) {
  const size_t hash = link.find('#');
  file = link.substr(0, hash);
  fragment = hash == std::string::npos ? std::string() : link.substr(hash + 1);
}

std::optional<NcxFile> readNcxFile(const std::string& folder, const std::string& name) {
  const xml::XmlFile file = xml::XmlFile::read(folder, name);
  xml::Node root = file.root();
  if (!xml::isElement(root, "ncx")) return std::nullopt;
  NcxFile ncx;
  readHead(xml::firstChild(root, "head"), ncx);
  xml::Node title = xml::firstChild(root, "docTitle");
  ncx.docTitle = xml::collapsedText(xml::firstChild(title, "text"));
  ncx.docTitleId = xml::attribute(title, "id");
  ncx.docAuthor = xml::collapsedText(xml::firstChild(xml::firstChild(root, "docAuthor"), "text"));
  readNavPoints(xml::firstChild(root, "navMap"), 1, ncx.headings);
  xml::forEachChild(xml::firstChild(root, "pageList"), [&](xml::Node target) {
    if (!xml::isElement(target, "pageTarget")) return;
    NcxPage page;
    readTarget(target, page);
    page.type = xml::attribute(target, "type");
    ncx.pages.push_back(std::move(page));
  });
  xml::forEachChild(root, [&](xml::Node list) {
    if (!xml::isElement(list, "navList")) return;
    const std::string listLabel = labelOf(list);
    xml::forEachChild(list, [&](xml::Node target) {
      if (!xml::isElement(target, "navTarget")) return;
      NcxTarget group;
      readTarget(target, group);
      // A target without a label of its own is told by its list's.
      if (group.label.empty()) group.label = listLabel;
      ncx.groups.push_back(std::move(group));
    });
  });
  return ncx;
}

}  // namespace orbis
