#include "book/ValueRules.h"

#include "book/ByteSearch.h"
#include "book/TimeText.h"

namespace orbis::rules {

namespace {

constexpr auto npos = std::string_view::npos;
using detail::cutUntil;
using detail::rest;

// The position of the first `">` whose next character exists and is not "<".
size_t textStart(std::string_view text) {
  for (size_t at = bytes::find(text, "\">"); at != npos; at = bytes::find(text, "\">", at + 1))
    if (at + 2 < text.size() && text[at + 2] != '<') return at + 2;
  return npos;
}

}  // namespace

std::string_view value(std::string_view line, size_t from) {
  std::string_view text = rest(line, from);
  size_t at = bytes::find(text, "=\"");
  if (at == npos) return {};
  return cutUntil(text, at + 2, '"');
}

std::string timeValue(std::string_view line, size_t from) {
  return normaliseTimeText(std::string(value(line, from)));
}

std::string_view linkFile(std::string_view line, size_t from) {
  std::string_view text = rest(line, from);
  size_t at = bytes::find(text, "href");
  if (at == npos) return {};
  at += 4;
  if (at < text.size() && text[at] == '=') ++at;
  if (at < text.size() && text[at] == '"') ++at;
  return cutUntil(text, at, '#', '"');
}

std::string_view linkText(std::string_view line, size_t from) {
  std::string_view text = rest(line, from);
  size_t start = textStart(text);
  if (start == npos) return {};
  size_t end = bytes::find(text, "</", start);
  return text.substr(start, end == npos ? npos : end - start);
}

std::string_view labelText(std::string_view line, size_t from) {
  std::string_view text = rest(line, from);
  size_t start = textStart(text);
  if (start == npos) return {};
  return cutUntil(text, start, '<');
}

}  // namespace orbis::rules
