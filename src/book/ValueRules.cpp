#include "book/ValueRules.h"

#include "book/TimeText.h"

namespace orbis::rules {

namespace {

constexpr auto npos = std::string_view::npos;

std::string_view rest(std::string_view line, size_t from) {
  return from < line.size() ? line.substr(from) : std::string_view{};
}

// The characters from `start` up to the first `stop` or `otherStop` (or the end of the text).
std::string_view cutUntil(std::string_view text, size_t start, char stop, char otherStop) {
  size_t end = start;
  while (end < text.size() && text[end] != stop && text[end] != otherStop) ++end;
  return start < end ? text.substr(start, end - start) : std::string_view{};
}

// Skips `skip` characters from the start of the first `name`, then cuts up to one of `stops`.
std::string_view afterName(std::string_view line, size_t from, std::string_view name, size_t skip,
                           char stop, char otherStop) {
  std::string_view text = rest(line, from);
  size_t at = text.find(name);
  if (at == npos) return {};
  return cutUntil(text, at + skip, stop, otherStop);
}

// The position of the first `">` whose next character exists and is not "<".
size_t textStart(std::string_view text) {
  for (size_t at = text.find("\">"); at != npos; at = text.find("\">", at + 1))
    if (at + 2 < text.size() && text[at + 2] != '<') return at + 2;
  return npos;
}

}  // namespace

std::string_view value(std::string_view line, size_t from) {
  return afterName(line, from, "=\"", 2, '"', '"');
}

std::string timeValue(std::string_view line, size_t from) {
  return normaliseTimeText(std::string(value(line, from)));
}

std::string_view linkFile(std::string_view line, size_t from) {
  std::string_view text = rest(line, from);
  size_t at = text.find("href");
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
  size_t end = text.find("</", start);
  return text.substr(start, end == npos ? npos : end - start);
}

std::string_view labelText(std::string_view line, size_t from) {
  std::string_view text = rest(line, from);
  size_t start = textStart(text);
  if (start == npos) return {};
  return cutUntil(text, start, '<', '<');
}

std::string_view fragment(std::string_view line, size_t from) {
  return afterName(line, from, "#", 1, '"', '"');
}

std::string_view id(std::string_view line, size_t from) {
  return afterName(line, from, "id=", 4, '"', '"');
}

std::string_view textSource(std::string_view line, size_t from) {
  return afterName(line, from, "src=", 5, '#', '"');
}

std::string_view audioSource(std::string_view line, size_t from) {
  return afterName(line, from, "src=", 5, '"', '"');
}

std::string_view clipBegin(std::string_view line, size_t from) {
  return afterName(line, from, "clip-begin", 16, 's', 's');
}

std::string_view clipEnd(std::string_view line, size_t from) {
  return afterName(line, from, "clip-end", 14, 's', 's');
}

}  // namespace orbis::rules
