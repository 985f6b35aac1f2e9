#include "book/References.h"

#include <utility>

#include "book/CharacterSets.h"

namespace orbis {

namespace {

void replaceAll(std::string& text, std::string_view from, std::string_view to) {
  size_t found = text.find(from);
  if (found == std::string::npos) return;
  std::string out;
  out.reserve(text.size());
  size_t start = 0;
  for (; found != std::string::npos; found = text.find(from, start)) {
    out.append(text, start, found - start);
    out.append(to);
    start = found + from.size();
  }
  out.append(text, start);
  text = std::move(out);
}

bool isDigit(char c, bool hex) {
  return (c >= '0' && c <= '9') || (hex && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')));
}

// Reads "&#...;" at `at`; returns the length of the reference, 0 when it is malformed.
size_t readNumericReference(std::string_view text, size_t at, char32_t& code) {
  size_t i = at + 2;
  bool hex = i < text.size() && (text[i] == 'x' || text[i] == 'X');
  if (hex) ++i;
  size_t digitsStart = i;
  unsigned long value = 0;
  for (; i < text.size() && isDigit(text[i], hex); ++i) {
    unsigned digit = text[i] <= '9' ? text[i] - '0' : (text[i] | 0x20) - 'a' + 10;
    // Anything beyond the last character is replaced anyway; stop growing before overflow.
    if (value <= 0x10FFFF) value = value * (hex ? 16 : 10) + digit;
  }
  if (i == digitsStart || i >= text.size() || text[i] != ';') return 0;
  if (value >= 0x80 && value < 0xA0) value = windows1252Char(static_cast<unsigned char>(value));
  code = value > 0x10FFFF ? 0xFFFD : static_cast<char32_t>(value);
  return i + 1 - at;
}

std::string decodeNumeric(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t start = 0;
  for (size_t at = text.find("&#"); at != std::string_view::npos; at = text.find("&#", start)) {
    char32_t code = 0;
    size_t length = readNumericReference(text, at, code);
    if (length == 0) {  // left as written; decoding goes on after it
      out.append(text, start, at + 2 - start);
      start = at + 2;
      continue;
    }
    out.append(text, start, at - start);
    if (code != 0) appendUtf8(out, code);
    start = at + length;
  }
  out.append(text, start);
  return out;
}

// The fixed replacements in their order; the typographic characters are those the Windows-1252
// bytes of the table stand for.
const std::pair<std::string_view, std::string_view> kNamed[] = {
    {"%20", " "},           {"&quot;", "\""},      {"&lt;", "<"},         {"&gt;", ">"},
    {"&circ;", "^"},        {"&tilde;", "~"},      {"&ensp;", " "},       {"&nbsp;", " "},
    {"&emsp;", " "},        {"&thinsp;", " "},     {"&zwnj;", "|"},       {"&ndash;", "\u2013"},
    {"&mdash;", "\u2014"},  {"&lsquo;", "\u2018"}, {"&rsquo;", "\u2019"}, {"&sbquo;", "\u201A"},
    {"&ldquo;", "\u201C"},  {"&rdquo;", "\u201D"}, {"&bdquo;", "\u201E"}, {"&lsaquo;", "\u2039"},
    {"&rsaquo;", "\u203A"}, {"&euro;", "\u20AC"},  {"&ouml;", "\u00F6"},  {"&Ouml;", "\u00D6"},
    {"&Uuml;", "\u00DC"},   {"&uuml;", "\u00FC"},  {"&auml;", "\u00E4"},  {"&Auml;", "\u00C4"},
    {"&szlig;", "\u00DF"},
};

}  // namespace

std::string decodeReferences(std::string_view text) {
  std::string out(text);
  replaceAll(out, "&amp;", "&");
  if (out.find("&#") != std::string::npos) out = decodeNumeric(out);
  for (const auto& [from, to] : kNamed) replaceAll(out, from, to);
  return out;
}

}  // namespace orbis
