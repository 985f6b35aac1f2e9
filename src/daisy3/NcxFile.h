#pragma once
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace orbis {

// An entry of the NCX that points into the book: its label (decoded, white space collapsed)
// and its target as SMIL file and fragment, relative to the NCX's folder.
struct NcxTarget {
  std::string id;
  std::string label;
  std::string smil;
  std::string fragment;
};

struct NcxHeading : NcxTarget {
  int depth = 1;  // 1 for a navPoint of the navMap itself, plus one per enclosing navPoint
};

struct NcxPage : NcxTarget {
  std::string type;  // "normal", "front" or "special", as the pageTarget says
};

// What the NCX holds for the book tables: the title and author, the headings of the navMap
// in document order, the pages of the pageList, the targets of every navList (one after the
// other) and the bookStruct each smilCustomTest id names.
struct NcxFile {
  std::string docTitle;
  std::string docTitleId;
  std::string docAuthor;
  std::string uid;  // dtb:uid
  std::vector<NcxHeading> headings;
  std::vector<NcxPage> pages;
  std::vector<NcxTarget> groups;
  std::map<std::string, std::string> customTests;  // id -> bookStruct
};

// Reads the NCX `name` inside `folder`; nothing when it cannot be read or is no NCX.
std::optional<NcxFile> readNcxFile(const std::string& folder, const std::string& name);

// Splits a link into its file and fragment ("a.smil#p1" -> "a.smil", "p1").
void splitLink(const std::string& link, std::string& file, std::string& fragment);

}  // namespace orbis
