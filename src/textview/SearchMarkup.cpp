#include "textview/SearchMarkup.h"

#include <vector>

namespace orbis {
namespace {

// A piece of markup: a tag (or comment, or raw script/style content) or a run of text.
struct Token {
  size_t begin;
  size_t end;
  bool text;
};

bool startsWithNoCase(std::string_view s, size_t at, std::string_view prefix) {
  if (s.size() - at < prefix.size()) return false;
  return lowerSameLength(s.substr(at, prefix.size())) == lowerSameLength(prefix);
}

// End of the tag or comment that starts at at ('<'); the end of the markup if unterminated.
size_t tagEnd(std::string_view markup, size_t at) {
  if (markup.compare(at, 4, "<!--") == 0) {
    size_t close = markup.find("-->", at + 4);
    return close == std::string_view::npos ? markup.size() : close + 3;
  }
  char quote = 0;
  for (size_t i = at + 1; i < markup.size(); ++i) {
    char c = markup[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '>') {
      return i + 1;
    }
  }
  return markup.size();
}

std::vector<Token> tokenize(std::string_view markup) {
  std::vector<Token> tokens;
  size_t at = 0;
  while (at < markup.size()) {
    if (markup[at] != '<') {
      size_t next = markup.find('<', at);
      if (next == std::string_view::npos) next = markup.size();
      tokens.push_back({at, next, true});
      at = next;
      continue;
    }
    size_t end = tagEnd(markup, at);
    tokens.push_back({at, end, false});
    // Scripts and styles hold raw text up to their closing tag: never a place for a mark.
    for (std::string_view raw : {"script", "style"}) {
      if (!startsWithNoCase(markup, at + 1, raw)) continue;
      std::string closing = "</" + std::string(raw);
      std::string lowered = lowerSameLength(markup);
      size_t close = lowered.find(closing, end);
      if (close == std::string::npos) close = markup.size();
      if (close > end) tokens.push_back({end, close, false});
      end = close;
    }
    at = end;
  }
  return tokens;
}

// True when [begin, end) of a text run cuts into or covers a character reference "&...;".
bool touchesReference(std::string_view run, size_t begin, size_t end) {
  for (size_t amp = run.find('&'); amp != std::string_view::npos; amp = run.find('&', amp + 1)) {
    size_t semi = run.find(';', amp);
    size_t refEnd = semi == std::string_view::npos ? amp + 1 : semi + 1;
    if (amp < end && begin < refEnd) return true;
  }
  return false;
}

}  // namespace

std::string lowerSameLength(std::string_view text) {
  std::string out(text);
  for (size_t i = 0; i < out.size(); ++i) {
    auto c = static_cast<unsigned char>(out[i]);
    if (c >= 'A' && c <= 'Z') {
      out[i] = static_cast<char>(c + 32);
      continue;
    }
    if (c < 0xC0 || c > 0xDF || i + 1 >= out.size()) continue;  // only two-byte sequences
    auto c2 = static_cast<unsigned char>(out[i + 1]);
    unsigned code = ((c & 0x1Fu) << 6) | (c2 & 0x3Fu);
    unsigned lower = code;
    if ((code >= 0xC0 && code <= 0xDE && code != 0xD7) || (code >= 0x410 && code <= 0x42F)) {
      lower = code + 0x20;
    } else if (code >= 0x400 && code <= 0x40F) {
      lower = code + 0x50;
    } else if (code >= 0x100 && code <= 0x17F && code != 0x130 && code != 0x138 && code != 0x149 &&
               code != 0x17F) {
      // Latin Extended-A pairs upper and lower case as even and odd, with a shift of the
      // parity between U+0139 and U+0148 and from U+0179 on.
      bool oddUpper = (code >= 0x139 && code <= 0x148) || code >= 0x179;
      if ((code % 2 == 1) == oddUpper) lower = code + 1;
    }
    out[i] = static_cast<char>(0xC0 | (lower >> 6));
    out[i + 1] = static_cast<char>(0x80 | (lower & 0x3F));
    ++i;
  }
  return out;
}

int markTermInText(std::string& markup, std::string_view term, std::string_view openingTag) {
  if (term.empty()) return 0;
  const std::string needle = lowerSameLength(term);
  std::string result;
  result.reserve(markup.size());
  int count = 0;
  for (const Token& token : tokenize(markup)) {
    std::string_view piece = std::string_view(markup).substr(token.begin, token.end - token.begin);
    if (!token.text) {
      result.append(piece);
      continue;
    }
    const std::string lowered = lowerSameLength(piece);
    size_t copied = 0;
    for (size_t hit = lowered.find(needle); hit != std::string::npos;
         hit = lowered.find(needle, hit)) {
      if (touchesReference(piece, hit, hit + needle.size())) {
        ++hit;
        continue;
      }
      result.append(piece.substr(copied, hit - copied));
      result.append(openingTag);
      result.append(piece.substr(hit, needle.size()));
      result.append("</SPAN>");
      hit += needle.size();
      copied = hit;
      ++count;
    }
    result.append(piece.substr(copied));
  }
  markup = std::move(result);
  return count;
}

int unmarkTermInText(std::string& markup, std::string_view term, std::string_view openingTag) {
  if (term.empty() || openingTag.empty()) return 0;
  const std::string wantedTag = lowerSameLength(openingTag);
  const std::string wantedText = lowerSameLength(term);
  std::vector<Token> tokens = tokenize(markup);
  auto textOf = [&](const Token& t) {
    return std::string_view(markup).substr(t.begin, t.end - t.begin);
  };
  std::string result;
  result.reserve(markup.size());
  int count = 0;
  for (size_t i = 0; i < tokens.size(); ++i) {
    bool isMark = i + 2 < tokens.size() && !tokens[i].text && tokens[i + 1].text &&
                  !tokens[i + 2].text && lowerSameLength(textOf(tokens[i])) == wantedTag &&
                  lowerSameLength(textOf(tokens[i + 1])) == wantedText &&
                  lowerSameLength(textOf(tokens[i + 2])) == "</span>";
    if (!isMark) {
      result.append(textOf(tokens[i]));
      continue;
    }
    result.append(textOf(tokens[i + 1]));
    i += 2;
    ++count;
  }
  markup = std::move(result);
  return count;
}

}  // namespace orbis
