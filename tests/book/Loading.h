#pragma once
#include <string>
#include <vector>

#include "book/BookLoader.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace orbis::testing {

// Records what the loader reports.
struct RecordingProgress : LoadProgress {
  void setRange(int maximum) override { ranges.push_back(maximum); }
  void setPosition(int position) override { positions.push_back(position); }
  void setStatus(const std::string& text) override { statuses.push_back(text); }
  std::vector<int> ranges, positions;
  std::vector<std::string> statuses;
};

// A book folder with the loader's targets.
struct LoadedBook {
  TempDir dir;
  HeadingsTree tree;
  BookTables tables;
  ScriptedDialogs dialogs;
  RecordingProgress progress;
  LoadResult result;

  std::string folder() const { return dir.str() + "/"; }
  void write(const std::string& name, const std::string& content) { dir.write(name, content); }
  // Writes an ncc.html of a head with `head` and a body with `body`.
  void writeNcc(const std::string& body, const std::string& head = "") {
    write("ncc.html",
          "<html>\n<head>\n" + head + "</head>\n<body>\n" + body + "</body>\n</html>\n");
  }
  // Writes a SMIL file with `head` lines in its head and `body` lines in its body.
  void writeSmil(const std::string& name, const std::string& body, const std::string& head = "") {
    write(name, "<smil>\n<head>\n" + head + "</head>\n<body>\n<seq>\n" + body +
                    "</seq>\n</body>\n</smil>\n");
  }
  bool load() {
    BookLoader loader(tree, tables, folder(), dialogs);
    loader.setProgress(&progress);
    bool ok = loader.run();
    result = loader.result();
    return ok;
  }
  std::string title(int row, int column) const {
    return std::string(tables.title.cell(row, column));
  }
  std::string phrase(int row, int column) const {
    return std::string(tables.phrase.cell(row, column));
  }
};

// A par with one text and one audio clip, each element on its own line.
inline std::string par(const std::string& id, const std::string& begin, const std::string& end,
                       const std::string& attributes = "") {
  return "<par endsync=\"last\" id=\"" + id + "\"" + attributes + ">\n<text src=\"t.html#" + id +
         "t\" id=\"" + id + "x\"/>\n<audio src=\"a.mp3\" clip-begin=\"npt=" + begin +
         "s\" clip-end=\"npt=" + end + "s\" id=\"" + id + "a\"/>\n</par>\n";
}

inline std::string headingLine(int level, const std::string& smil, const std::string& title,
                               const std::string& linkExtra = "") {
  std::string tag = "h" + std::to_string(level);
  return "<" + tag + " id=\"x\"><a href=\"" + smil + "#p\"" + linkExtra + ">" + title + "</a></" +
         tag + ">\n";
}

}  // namespace orbis::testing
