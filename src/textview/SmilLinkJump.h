#pragma once
#include <optional>
#include <string>

namespace orbis {

// A link in the shown text that points into a SMIL file: the file name (without folders) and
// the par or text id after "#".
struct SmilJumpTarget {
  std::string smilFile;
  std::string fragment;
};

// The target of url when it names a SMIL file (".smil" or ".SMIL" anywhere in it).
std::optional<SmilJumpTarget> smilJumpTarget(const std::string& url);

// What the jump needs from the loaded book; the main window answers from its tables.
class SmilJumpHost {
 public:
  virtual ~SmilJumpHost() = default;
  virtual bool bookOpen() const = 0;
  virtual void setForceSeek() = 0;
  // The first title row whose "SMIL" equals smilFile exactly; none when no row does.
  virtual std::optional<int> titleRowOfSmil(const std::string& smilFile) const = 0;
  // Makes the title row visible and selects the heading whose TreeID is the row's "TreeID",
  // which starts that heading.
  virtual void startHeadingOfTitleRow(int titleRow) = 0;
  // The first phrase row whose "Text-ID" or "par-id" equals fragment; none when no row does.
  virtual std::optional<int> phraseRowOfFragment(const std::string& fragment) const = 0;
  // Selects the phrase row (mark, visible, state selected), which plays it.
  virtual void selectPhraseRow(int phraseRow) = 0;
};

// The before-navigate handler of the text view: a link into a SMIL file of the open book moves
// playback there instead of loading the file. Returns true when the view must not navigate.
bool jumpToSmilLink(const std::string& url, SmilJumpHost& host);

}  // namespace orbis
