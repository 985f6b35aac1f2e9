#include "textview/SmilLinkJump.h"

namespace orbis {

std::optional<SmilJumpTarget> smilJumpTarget(const std::string& url) {
  if (url.find(".smil") == std::string::npos && url.find(".SMIL") == std::string::npos)
    return std::nullopt;
  size_t hash = url.find('#');
  std::string beforeHash = url.substr(0, hash);
  SmilJumpTarget target;
  size_t slash = beforeHash.find_last_of("/\\");
  target.smilFile = slash == std::string::npos ? beforeHash : beforeHash.substr(slash + 1);
  if (hash != std::string::npos) {
    size_t quote = url.find('"', hash + 1);
    target.fragment = url.substr(hash + 1, quote == std::string::npos ? quote : quote - hash - 1);
  }
  return target;
}

bool jumpToSmilLink(const std::string& url, SmilJumpHost& host) {
  if (!host.bookOpen()) return false;
  std::optional<SmilJumpTarget> target = smilJumpTarget(url);
  if (!target) return false;
  host.setForceSeek();
  if (std::optional<int> titleRow = host.titleRowOfSmil(target->smilFile))
    host.startHeadingOfTitleRow(*titleRow);
  if (std::optional<int> phraseRow = host.phraseRowOfFragment(target->fragment)) {
    // Starting the heading used the flag up; the phrase must be sought again.
    host.setForceSeek();
    host.selectPhraseRow(*phraseRow);
  }
  return true;
}

}  // namespace orbis
