#include "epub/EpubPaths.h"

#include <filesystem>

namespace orbis {

namespace {

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string percentDecoded(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      const int high = hexValue(text[i + 1]), low = hexValue(text[i + 2]);
      if (high >= 0 && low >= 0) {
        out += static_cast<char>(high * 16 + low);
        i += 2;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

std::string bookPathOf(std::string_view base, std::string_view href, std::string* fragment) {
  const size_t hash = href.find('#');
  if (fragment)
    *fragment =
        hash == std::string_view::npos ? std::string() : percentDecoded(href.substr(hash + 1));
  std::string file = percentDecoded(href.substr(0, hash));
  // A scheme ("http:", "file:") or an absolute path leads out of the book.
  if (!file.empty() && (file.front() == '/' || file.find(':') != std::string::npos)) return {};
  const size_t slash = base.find_last_of('/');
  const std::string folder(slash == std::string_view::npos ? std::string_view()
                                                           : base.substr(0, slash + 1));
  // A link of only a fragment names its own file.
  if (file.empty())
    file = std::string(base);
  else
    file = folder + file;
  std::string normal = std::filesystem::path(file).lexically_normal().generic_string();
  if (normal.empty() || normal == "." || normal.rfind("..", 0) == 0) return {};
  return normal;
}

}  // namespace orbis
